#include "cli/command.h"
#include "date/definitions.h"
#include "date/holidays.h"
#include "editor/holiday_listing.h"
#include "tests/support/recording_host.h"

#include <QDate>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <random>

namespace {

class HolidayListingTest : public ::testing::Test {
protected:
    void SetUp() override { St_LoadDefinitions(); }
    RecordingHost host{ZELVAR_TEST_FIXTURES "/standard"};
};

// What `korin holidays first last` prints, with the listing's CR LF line ends.
std::string korinHolidays(int first, int last) {
    std::string out;
    EXPECT_EQ(RunHolidays({std::to_string(first), std::to_string(last)}, out), 0);
    std::string crlf;
    for (const char c : out) {
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    return crlf;
}

TEST_F(HolidayListingTest, EqualDaysKeepTheExchangeProceduresOrder) {
    // 1940 has no equinox day, no national holiday and no substitute holiday.
    HolidayDefs = {HolidayDef{"A", 1, 5, 4, 0, 0, 1940, 0}, HolidayDef{"B", 1, 1, 1, 0, 0, 1940, 0},
                   HolidayDef{"C", 1, 5, 4, 0, 0, 1940, 0}, HolidayDef{"D", 1, 1, 3, 0, 0, 1940, 0},
                   HolidayDef{"E", 1, 5, 4, 0, 0, 1940, 0}};
    HolidayDefCount = 5;
    CachedYear = 0;
    // A stable sort would give B D A C E.
    EXPECT_EQ(HolidayListing(1940, 1940), "1940/01/01\t(月)\tB\r\n1940/01/03\t(水)\tD\r\n"
                                          "1940/05/04\t(土)\tC\r\n1940/05/04\t(土)\tA\r\n"
                                          "1940/05/04\t(土)\tE\r\n");
}

TEST_F(HolidayListingTest, DaysThatDoNotExistAreNotListed) {
    // The fifth Monday of March 2000 would be the 34th; 31 February and 29 February 2001 are no
    // days. April 2001 has a fifth Monday.
    HolidayDefs = {HolidayDef{"第五", 2, 3, 0, 5, 1, 2000, 2001},
                   HolidayDef{"二月末", 1, 2, 31, 0, 0, 2000, 2001},
                   HolidayDef{"閏日", 1, 2, 29, 0, 0, 2000, 2001},
                   HolidayDef{"四月", 2, 4, 0, 5, 1, 2001, 2001}};
    HolidayDefCount = 4;
    CachedYear = 0;
    const std::string listing = HolidayListing(2000, 2001);
    EXPECT_EQ(listing.find("/03/34"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("/02/31"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("2001/02/29"), std::string::npos) << listing;
    EXPECT_NE(listing.find("2000/02/29\t(火)\t閏日\r\n"), std::string::npos) << listing;
    EXPECT_NE(listing.find("2001/04/30\t(月)\t四月\r\n"), std::string::npos) << listing;
    EXPECT_EQ(listing, korinHolidays(2000, 2001));
}

TEST_F(HolidayListingTest, EqualsKorinHolidaysForAnyDefinitions) {
    EXPECT_EQ(HolidayListing(1, 9999), korinHolidays(1, 9999));
    std::mt19937 random(21);
    auto pick = [&random](int low, int high) {
        return static_cast<std::int16_t>(std::uniform_int_distribution<int>(low, high)(random));
    };
    for (int round = 0; round < 20; ++round) {
        HolidayDefs.clear();
        for (int k = 0; k < 30; ++k) {
            const bool fixed = pick(0, 1) == 0;
            const std::int16_t from = pick(1960, 2030);
            HolidayDefs.push_back(HolidayDef{
                "定義" + std::to_string(k), fixed ? std::int16_t{1} : std::int16_t{2}, pick(1, 12),
                fixed ? pick(1, 31) : std::int16_t{0}, fixed ? std::int16_t{0} : pick(1, 6),
                fixed ? std::int16_t{0} : pick(0, 6), from,
                pick(0, 1) == 0 ? std::int16_t{0} : pick(from, 2040)});
        }
        HolidayDefCount = static_cast<std::int16_t>(HolidayDefs.size());
        CachedYear = 0;
        ASSERT_EQ(HolidayListing(1960, 2040), korinHolidays(1960, 2040)) << "round " << round;
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(HolidayListingTest, OneYearListsEveryHolidayInCalendarOrder) {
    const std::string expected = "2024/01/01\t(月)\t元日\r\n"
                                 "2024/01/08\t(月)\t成人の日\r\n"
                                 "2024/02/11\t(日)\t建国記念の日\r\n"
                                 "2024/02/12\t(月)\t振替休日\r\n"
                                 "2024/02/23\t(金)\t天皇誕生日\r\n"
                                 "2024/03/20\t(水)\t春分の日\r\n"
                                 "2024/04/29\t(月)\t昭和の日\r\n"
                                 "2024/05/03\t(金)\t憲法記念日\r\n"
                                 "2024/05/04\t(土)\tみどりの日\r\n"
                                 "2024/05/05\t(日)\tこどもの日\r\n"
                                 "2024/05/06\t(月)\t振替休日\r\n"
                                 "2024/09/16\t(月)\t敬老の日\r\n"
                                 "2024/09/22\t(日)\t秋分の日\r\n"
                                 "2024/09/23\t(月)\t振替休日\r\n";
    EXPECT_EQ(HolidayListing(2024, 2024), expected);

    // The national holiday of 2009 sits between the Monday and the equinox.
    const std::string y2009 = HolidayListing(2009, 2009);
    EXPECT_NE(y2009.find("2009/09/21\t(月)\t敬老の日\r\n2009/09/22\t(火)\t国民の休日\r\n"
                         "2009/09/23\t(水)\t秋分の日\r\n"),
              std::string::npos);
    EXPECT_NE(y2009.find("2009/05/06\t(水)\t振替休日\r\n"), std::string::npos);
}

TEST_F(HolidayListingTest, PeriodsRunOldestFirstAndEmptyYearsGiveNoLines) {
    const std::string both = HolidayListing(2023, 2024);
    EXPECT_EQ(both, HolidayListing(2023, 2023) + HolidayListing(2024, 2024));
    EXPECT_EQ(both.substr(0, both.find("\r\n", both.find("\r\n") + 2) + 2),
              "2023/01/01\t(日)\t元日\r\n2023/01/02\t(月)\t振替休日\r\n");
    EXPECT_EQ(HolidayListing(1, 1947), "");
    // Years below 1000 are written without leading zeros.
    HolidayDefs = {HolidayDef{"古い日", 1, 3, 9, 0, 0, 5, 7}};
    HolidayDefCount = 1;
    CachedYear = 0;
    EXPECT_EQ(HolidayListing(4, 8), "5/03/09\t(水)\t古い日\r\n6/03/09\t(木)\t古い日\r\n"
                                    "7/03/09\t(金)\t古い日\r\n");
}

TEST_F(HolidayListingTest, WholeRangeIsWellFormedAndAgreesWithTheGregorianWeekday) {
    const QString text = QString::fromStdString(HolidayListing(1, 9999));
    EXPECT_TRUE(host.messages.empty());
    ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,4})/(\\d\\d)/(\\d\\d)\t\\((.)\\)\t(.+)$"));
    const QString signs = QStringLiteral("月火水木金土日"); // QDate: 1 = Monday
    QDate previous;
    int checked = 0;
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = pattern.match(line);
        ASSERT_TRUE(m.hasMatch()) << line.toStdString();
        const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        ASSERT_TRUE(date.isValid()) << line.toStdString();
        EXPECT_EQ(m.captured(4), signs.at(date.dayOfWeek() - 1)) << line.toStdString();
        // Calendar order; two holidays may share a day.
        EXPECT_TRUE(!previous.isValid() || previous <= date) << line.toStdString();
        previous = date;
        ++checked;
    }
    EXPECT_EQ(lines.first(), QStringLiteral("1948/01/01\t(木)\t元日"));
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("9999/"))) << lines.last().toStdString();
    // At least the nine holidays in force every year from 1948 on, equinoxes aside.
    EXPECT_GT(checked, (9999 - 1948) * 9);
}

} // namespace
