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

TEST_F(DaysCalculation, ArrowsStepAcrossMonthAndYearEndsWithinTheRange) {
    CalculatorTexts texts = dates(2024, 1, 5, 2023, 2, 28);
    StepDateField(texts, 1, false);
    EXPECT_EQ(date(texts, 0), list({"2023", "12", "5"}));
    StepDateField(texts, 1, true);
    EXPECT_EQ(date(texts, 0), list({"2024", "1", "5"}));
    StepDateField(texts, 5, true);
    EXPECT_EQ(date(texts, 3), list({"2023", "3", "1"}));
    StepDateField(texts, 5, false);
    EXPECT_EQ(date(texts, 3), list({"2023", "2", "28"}));

    CalculatorTexts leap = dates(2024, 3, 1, 2019, 5, 1);
    StepDateField(leap, 2, false);
    EXPECT_EQ(date(leap, 0), list({"2024", "2", "29"}));
    StepDateField(leap, 5, false);
    EXPECT_EQ(date(leap, 3), list({"2019", "4", "30"}));
    EXPECT_EQ(leap.eraLabels[1], "平成31");

    CalculatorTexts ends = dates(1, 1, 1, 9999, 12, 31);
    for (int element : {0, 1, 2}) {
        StepDateField(ends, element, false);
    }
    for (int element : {3, 4, 5}) {
        StepDateField(ends, element, true);
    }
    EXPECT_EQ(date(ends, 0), list({"1", "1", "1"}));
    EXPECT_EQ(date(ends, 3), list({"9999", "12", "31"}));
    StepDateField(ends, 1, true);
    StepDateField(ends, 0, true);
    EXPECT_EQ(date(ends, 0), list({"2", "2", "1"}));
    EXPECT_TRUE(host.messages.empty());

    CalculatorTexts counts = dates(2024, 1, 1, 2024, 1, 2);
    counts.fields[6] = "5";
    EXPECT_FALSE(StepDateField(counts, 6, true));
    EXPECT_EQ(counts.fields[6], "5");
    EXPECT_TRUE(StepDateField(counts, 0, true));
    EXPECT_EQ(counts.eraLabels[0], "令和 7");
}

TEST_F(DaysCalculation, LeavingADateFieldCorrectsBothDatesInOrder) {
    CalculatorTexts texts = dates(0, 4, 31, 2023, 2, 29);
    CorrectDateFields(texts, 0);
    EXPECT_EQ(date(texts, 0), list({"1", "4", "30"}));
    EXPECT_EQ(date(texts, 3), list({"2023", "2", "28"}));
    EXPECT_EQ(texts.eraLabels[0], "");

    CalculatorTexts months = dates(2024, 13, 31, 2024, 99, 5);
    CorrectDateFields(months, 4);
    EXPECT_EQ(date(months, 0), list({"2024", "12", "31"}));
    EXPECT_EQ(date(months, 3), list({"2024", "12", "5"}));

    // Only the field that lost the focus is raised to 1.
    CalculatorTexts empty = dates(2024, 1, 1, 2024, 1, 1);
    empty.fields[1] = "";
    empty.fields[5] = "0";
    CorrectDateFields(empty, 1);
    EXPECT_EQ(empty.fields[1], "1");
    EXPECT_EQ(empty.fields[5], "0");

    CalculatorTexts last = dates(9999, 12, 31, 9999, 12, 31);
    CorrectDateFields(last, 2);
    EXPECT_EQ(date(last, 0), list({"9999", "12", "30"}));
    EXPECT_EQ(date(last, 3), list({"9999", "12", "30"}));
    EXPECT_EQ(last.eraLabels[0], "令和7981");
    EXPECT_EQ(last.eraLabels[1], "");
}

TEST_F(DaysCalculation, OpeningPutsTheEarlierDateFirstAndKeepsAnOverlongDay) {
    const QDate today(2024, 3, 31);
    CalculatorTexts later;
    SetOpeningDates(later, "2024", "4", today);
    EXPECT_EQ(date(later, 0), list({"2024", "3", "31"}));
    EXPECT_EQ(date(later, 3), list({"2024", "4", "31"}));
    // 31 April counts on as 1 May.
    EXPECT_EQ(later.fields[6], "31");
    EXPECT_EQ(later.fields[8], "32");
    EXPECT_EQ(later.eraLabels[0], "令和 6");

    CalculatorTexts earlier;
    SetOpeningDates(earlier, "1989", "1", today);
    EXPECT_EQ(date(earlier, 0), list({"1989", "1", "31"}));
    EXPECT_EQ(date(earlier, 3), list({"2024", "3", "31"}));
    EXPECT_EQ(earlier.eraLabels[0], "平成元");
    EXPECT_EQ(earlier.results[0], "35年");
    EXPECT_FALSE(earlier.fields[6].startsWith('-'));
}

} // namespace
