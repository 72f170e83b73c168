#include "date/definitions.h"
#include "date/serial.h"
#include "dialogs/days_calculation.h"
#include "tests/support/qt_printers.h"
#include "tests/support/recording_host.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class DaysCalculation : public ::testing::Test {
protected:
    void SetUp() override {
        EraDefs = {{"平成", "19890108"}, {"令和", "20190501"}};
        EraDefCount = 2;
    }
    void TearDown() override {
        EraDefs.clear();
        EraDefCount = 0;
    }

    static CalculatorTexts dates(int y1, int m1, int d1, int y2, int m2, int d2) {
        CalculatorTexts texts;
        const std::vector<int> values{y1, m1, d1, y2, m2, d2};
        for (std::size_t i = 0; i < values.size(); ++i) {
            texts.fields.at(i) = QString::number(values[i]);
        }
        return texts;
    }
    static QStringList results(const CalculatorTexts& texts) {
        return {texts.results.begin(), texts.results.end()};
    }
    static QStringList date(const CalculatorTexts& texts, int first) {
        return {texts.fields.at(first), texts.fields.at(first + 1), texts.fields.at(first + 2)};
    }

    RecordingHost host;
};

QStringList list(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* item : items) {
        out << QString::fromUtf8(item);
    }
    return out;
}

TEST_F(DaysCalculation, DaysBetweenCountsBothEndsInEveryLabel) {
    CalculatorTexts year = dates(2024, 1, 1, 2024, 12, 31);
    EXPECT_FALSE(RunCalculation(year, CalculatorButton::DaysBetween).dayCountCorrected);
    EXPECT_EQ(year.fields[6], "365");
    EXPECT_EQ(year.fields[7], "365");
    EXPECT_EQ(year.fields[8], "366");
    EXPECT_EQ(results(year), list({"1年", "0ヶ月", "0日間", "52週間", "2日"}));

    CalculatorTexts same = dates(2024, 5, 5, 2024, 5, 5);
    RunCalculation(same, CalculatorButton::DaysBetween);
    EXPECT_EQ(same.fields[6], "0");
    EXPECT_EQ(same.fields[8], "1");
    EXPECT_EQ(results(same), list({"0年", "0ヶ月", "1日間", "0週間", "1日"}));

    // The second date before the first: a negative difference, the span from the second date.
    CalculatorTexts reversed = dates(2024, 3, 1, 2024, 1, 31);
    RunCalculation(reversed, CalculatorButton::DaysBetween);
    EXPECT_EQ(reversed.fields[6], "-30");
    EXPECT_EQ(reversed.fields[7], "-30");
    EXPECT_EQ(reversed.fields[8], "31");
    EXPECT_EQ(results(reversed), list({"0年", "1ヶ月", "2日間", "4週間", "3日"}));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DaysCalculation, DaysAfterBorrowsTheStartMonthsLength) {
    CalculatorTexts texts = dates(2024, 1, 31, 2000, 1, 1);
    texts.fields[6] = "30";
    RunCalculation(texts, CalculatorButton::DaysAfter);
    EXPECT_EQ(date(texts, 3), list({"2024", "3", "1"}));
    EXPECT_EQ(texts.fields[7], "30");
    EXPECT_EQ(texts.fields[8], "31");
    EXPECT_EQ(results(texts), list({"0年", "1ヶ月", "2日間", "4週間", "3日"}));
    EXPECT_EQ(texts.eraLabels[1], "令和 6");
}

TEST_F(DaysCalculation, DaysAfterPastTheLastDayStopsThereAndCountsItsLastDay) {
    CalculatorTexts texts = dates(9999, 12, 1, 2000, 1, 1);
    texts.fields[6] = "100";
    EXPECT_TRUE(RunCalculation(texts, CalculatorButton::DaysAfter).dayCountCorrected);
    EXPECT_EQ(texts.fields[6], "30");
    EXPECT_EQ(date(texts, 3), list({"9999", "12", "31"}));
    EXPECT_EQ(texts.fields[8], "31");
    // The span to 31 December 9999 includes that day, as the count does (the whole of December
    // is one month), and asks for no day outside the range.
    EXPECT_EQ(results(texts), list({"0年", "1ヶ月", "0日間", "4週間", "3日"}));
    EXPECT_TRUE(host.messages.empty());

    // A negative number (left by a reversed "日間") that would go before the year 1.
    CalculatorTexts back = dates(1, 1, 10, 2000, 1, 1);
    back.fields[6] = "-20";
    EXPECT_TRUE(RunCalculation(back, CalculatorButton::DaysAfter).dayCountCorrected);
    EXPECT_EQ(back.fields[6], "-9");
    EXPECT_EQ(date(back, 3), list({"1", "1", "1"}));
    EXPECT_EQ(back.fields[8], "10");
}

TEST_F(DaysCalculation, DaysBeforeStopsAtTheFirstDayOfTheYearOne) {
    CalculatorTexts texts = dates(2000, 1, 1, 1, 1, 10);
    texts.fields[7] = "20";
    EXPECT_TRUE(RunCalculation(texts, CalculatorButton::DaysBefore).dayCountCorrected);
    EXPECT_EQ(texts.fields[7], "9");
    EXPECT_EQ(texts.fields[6], "9");
    EXPECT_EQ(date(texts, 0), list({"1", "1", "1"}));
    EXPECT_EQ(texts.fields[8], "10");
    EXPECT_EQ(results(texts), list({"0年", "0ヶ月", "10日間", "1週間", "3日"}));
    EXPECT_EQ(texts.eraLabels[0], "");

    CalculatorTexts forward = dates(2000, 1, 1, 9999, 12, 1);
    forward.fields[7] = "-100";
    EXPECT_TRUE(RunCalculation(forward, CalculatorButton::DaysBefore).dayCountCorrected);
    EXPECT_EQ(forward.fields[7], "-30");
    EXPECT_EQ(date(forward, 0), list({"9999", "12", "31"}));

    CalculatorTexts plain = dates(2000, 1, 1, 2019, 5, 10);
    plain.fields[7] = "9";
    EXPECT_FALSE(RunCalculation(plain, CalculatorButton::DaysBefore).dayCountCorrected);
    EXPECT_EQ(date(plain, 0), list({"2019", "5", "1"}));
    EXPECT_EQ(plain.eraLabels[0], "令和元");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DaysCalculation, InclusiveSpanToTheLastDayMatchesTheSameSpan400YearsEarlier) {
    // The calendar repeats every 400 years, so a span ending 31 December 9999 must equal the one
    // ending 31 December 9599 from a start 400 years earlier.
    for (int year : {401, 1999, 9598, 9998, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= St_DaysInMonth(static_cast<std::int16_t>(year),
                                                    static_cast<std::int16_t>(month));
                 ++day) {
                const std::string start = MakeDateText(year, month, day);
                const std::string shifted = MakeDateText(year - 400, month, day);
                ASSERT_EQ(InclusiveSpan(start, "99991231"), InclusiveSpan(shifted, "95991231"))
                    << start;
            }
        }
    }
    EXPECT_EQ(InclusiveSpan("00010101", "99991231"), "99990000");
    EXPECT_EQ(InclusiveSpan("99991231", "99991231"), "00000001");
    EXPECT_TRUE(host.messages.empty());
}

} // namespace
