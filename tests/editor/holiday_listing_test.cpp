#include "date/definitions.h"
#include "editor/holiday_listing.h"
#include "tests/support/recording_host.h"

#include <QDate>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

class HolidayListingTest : public ::testing::Test {
protected:
    void SetUp() override { St_LoadDefinitions(); }
    RecordingHost host{ZELVAR_TEST_FIXTURES "/standard"};
};

TEST(HolidayListingSort, EqualDaysKeepTheExchangeProceduresOrder) {
    std::vector<YearHoliday> holidays = {
        {"0504", "A"}, {"0101", "B"}, {"0504", "C"}, {"0103", "D"}, {"0504", "E"}};
    SortYearHolidays(holidays);
    std::vector<std::string> names;
    names.reserve(holidays.size());
    for (const YearHoliday& h : holidays) {
        names.push_back(h.Name);
    }
    // A stable sort would give B D A C E.
    EXPECT_EQ(names, (std::vector<std::string>{"B", "D", "C", "A", "E"}));
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
