#include "date/serial.h"
#include "date/year_month.h"
#include "tests/support/recording_host.h"

#include <climits>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace {

// An oracle independent of the engine: the leap rule and month lengths written out again.
bool leap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}
int monthLength(int y, int m) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leap(y) ? 29 : lengths[m - 1];
}

std::string text(int y, int m, int d) {
    std::string out = std::to_string(10000 + y).substr(1);
    out += std::to_string(100 + m).substr(1);
    out += std::to_string(100 + d).substr(1);
    return out;
}

} // namespace

TEST(SerialDays, EveryDayOfTheRangeRoundTripsRisesByOneAndAdvancesTheWeekday) {
    RecordingHost host;
    int y = 1;
    int m = 1;
    int d = 1;
    std::string previous;
    int previousWeekday = 1; // the day before serial 1 is a Sunday
    for (std::int32_t serial = 1; serial <= MaxSerialDay; ++serial) {
        const std::string expected = text(y, m, d);
        const std::string actual = St_Days_to_YMD(serial);
        ASSERT_EQ(actual, expected) << "serial " << serial;
        ASSERT_EQ(St_YMD_to_Days(actual), serial) << actual;
        ASSERT_LT(previous, actual) << "date texts must sort chronologically";
        const int weekday = St_Weekday(serial);
        ASSERT_EQ(weekday, previousWeekday % 7 + 1) << actual;
        previous = actual;
        previousWeekday = weekday;
        if (++d > monthLength(y, m)) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
    }
    EXPECT_EQ(y, 10000);
    EXPECT_TRUE(host.messages.empty());
}

TEST(SerialDays, AnchorsOfTheCalendar) {
    RecordingHost host;
    EXPECT_EQ(St_YMD_to_Days("00010101"), 1);
    EXPECT_EQ(St_YMD_to_Days("99991231"), 3652059);
    EXPECT_EQ(St_YMD_to_Days("20000229"), 730179);
    EXPECT_EQ(St_YMD_to_Days("19700101"), 719163);
    EXPECT_EQ(St_Days_to_YMD(1), "00010101");
    EXPECT_EQ(St_Days_to_YMD(3652059), "99991231");
    EXPECT_EQ(St_Days_to_YMD(730179), "20000229");
    EXPECT_EQ(St_Days_to_YMD(146097), "04001231");
    EXPECT_EQ(St_Weekday(1), 2);
    EXPECT_EQ(St_Weekday(MaxSerialDay), 6);
    EXPECT_EQ(St_Weekday(St_YMD_to_Days("20240101")), 2);
    EXPECT_EQ(MakeDateText(2024, 3, 5), "20240305");
    EXPECT_EQ(MakeDateText(7, 12, 31), "00071231");
    EXPECT_TRUE(host.messages.empty());
}

TEST(SerialDays, MonthLengthsFollowTheLeapRuleInEveryYear) {
    for (int year = 1; year <= 9999; ++year) {
        for (int month = 1; month <= 12; ++month) {
            ASSERT_EQ(
                St_DaysInMonth(static_cast<std::int16_t>(year), static_cast<std::int16_t>(month)),
                monthLength(year, month))
                << year << "/" << month;
        }
    }
    EXPECT_EQ(St_DaysInMonth(1900, 2), 28);
    EXPECT_EQ(St_DaysInMonth(2000, 2), 29);
    EXPECT_EQ(St_DaysInMonth(2100, 2), 28);
    EXPECT_EQ(St_DaysInMonth(2024, 2), 29);
    EXPECT_EQ(St_DaysInMonth(2023, 13), 0);
    EXPECT_EQ(St_DaysInMonth(2023, 0), 0);
    EXPECT_EQ(St_DaysInMonth(2023, -1), 0);
}

TEST(SerialDays, DaysBeyondTheMonthAndMonthsBeyondTheYearRollOver) {
    EXPECT_EQ(St_YMD_to_Days("20230229"), St_YMD_to_Days("20230301"));
    EXPECT_EQ(St_YMD_to_Days("20240300"), St_YMD_to_Days("20240229"));
    EXPECT_EQ(St_YMD_to_Days("20230199"), St_YMD_to_Days("20230101") + 98);
    // A month outside 1..12 rolls over into the neighbouring years like a day beyond its month.
    EXPECT_EQ(St_YMD_to_Days("20231301"), St_YMD_to_Days("20240101"));
    EXPECT_EQ(St_YMD_to_Days("20231415"), St_YMD_to_Days("20240215"));
    EXPECT_EQ(St_YMD_to_Days("20240010"), St_YMD_to_Days("20231210"));
    EXPECT_EQ(St_YMD_to_Days("20239901"), St_YMD_to_Days("20310301"));
}

TEST(SerialDays, SerialsOutsideTheConvertibleRangeAreRejected) {
    RecordingHost host;
    EXPECT_EQ(St_Days_to_YMD(3652425), "100001231"); // years above 9999 keep all digits
    EXPECT_TRUE(host.messages.empty());
    for (std::int32_t serial : {3652426, INT32_MAX, 0, -1, INT32_MIN}) {
        host.messages.clear();
        EXPECT_EQ(St_Days_to_YMD(serial), "") << serial;
        ASSERT_EQ(host.messages.size(), 1U) << serial;
        EXPECT_EQ(host.messages[0], "エラーが発生しました。(St_Days_to_YMD)");
    }
    // Weekdays stay 1..7 below serial 1 too.
    EXPECT_EQ(St_Weekday(0), 1);
    EXPECT_EQ(St_Weekday(-1), 7);
    EXPECT_EQ(St_Weekday(-6), 2);
}

TEST(SerialDays, MalformedDateTextsNeitherCrashNorReadOutOfBounds) {
    RecordingHost host;
    // Characters that are not digits read as 0 in their field.
    EXPECT_EQ(St_YMD_to_Days("abcdefgh"), St_YMD_to_Days("00000000"));
    EXPECT_EQ(St_YMD_to_Days("2024xx15"), St_YMD_to_Days("20240015"));
    EXPECT_EQ(St_YMD_to_Days(""), St_YMD_to_Days("00000000"));
    // Shorter and longer texts: year from the first four, month from the next two, day from the
    // last two characters.
    EXPECT_EQ(St_YMD_to_Days("2024"), St_YMD_to_Days("20240024"));
    EXPECT_EQ(St_YMD_to_Days("2024031599"), St_YMD_to_Days("20240399"));
    const std::string added = St_AddDays("zz", 1);
    EXPECT_FALSE(added.empty());
    EXPECT_EQ(St_YMD_Span("", "abc").size(), 8U);
}

TEST(AddDays, StepsAcrossMonthYearAndLeapDay) {
    RecordingHost host;
    EXPECT_EQ(St_AddDays("20231231", 1), "20240101");
    EXPECT_EQ(St_AddDays("20240228", 1), "20240229");
    EXPECT_EQ(St_AddDays("20240301", -1), "20240229");
    EXPECT_EQ(St_AddDays("20240101", 0), "20240101");
    EXPECT_EQ(St_AddDays("00010101", MaxSerialDay - 1), "99991231");
    EXPECT_EQ(St_AddDays("99991231", -(MaxSerialDay - 1)), "00010101");
    EXPECT_TRUE(host.messages.empty());
}

TEST(AddDays, BothRangeMessagesGiveTheRemainingDaysAndKeepTheDate) {
    RecordingHost host;
    EXPECT_EQ(St_AddDays("99991231", 1), "99991231");
    EXPECT_EQ(St_AddDays("00010101", -1), "00010101");
    EXPECT_EQ(St_AddDays("99991130", 32), "99991130");
    EXPECT_EQ(St_AddDays("00010110", -10), "00010110");
    // Extreme counts must not overflow the arithmetic.
    EXPECT_EQ(St_AddDays("20240101", INT32_MAX), "20240101");
    EXPECT_EQ(St_AddDays("20240101", INT32_MIN), "20240101");
    const std::int32_t a = St_YMD_to_Days("20240101");
    ASSERT_EQ(host.messages.size(), 6U);
    EXPECT_EQ(host.messages[0], "日数が大き過ぎます。 西暦9999年12月31日まで 0日");
    EXPECT_EQ(host.messages[1], "日数が大き過ぎます。 西暦1年1月1日まで 0日");
    EXPECT_EQ(host.messages[2], "日数が大き過ぎます。 西暦9999年12月31日まで 31日");
    EXPECT_EQ(host.messages[3], "日数が大き過ぎます。 西暦1年1月1日まで 9日");
    EXPECT_EQ(host.messages[4], "日数が大き過ぎます。 西暦9999年12月31日まで " +
                                    std::to_string(MaxSerialDay - a) + "日");
    EXPECT_EQ(host.messages[5],
              "日数が大き過ぎます。 西暦1年1月1日まで " + std::to_string(a - 1) + "日");
}

TEST(DaysBetween, IsTheSignedDifferenceOfTheSerials) {
    EXPECT_EQ(St_DaysBetween("20240301", "20240229"), -1);
    EXPECT_EQ(St_DaysBetween("20240229", "20240301"), 1);
    EXPECT_EQ(St_DaysBetween("20240101", "20240101"), 0);
    EXPECT_EQ(St_DaysBetween("00010101", "99991231"), MaxSerialDay - 1);
    EXPECT_EQ(St_DaysBetween("20230101", "20240101"), 365);
    EXPECT_EQ(St_DaysBetween("20240101", "20250101"), 366);
}

TEST(YmdSpan, BorrowsDaysWithTheLengthOfTheStartMonth) {
    EXPECT_EQ(St_YMD_Span("20240131", "20240301"), "00000101");
    EXPECT_EQ(St_YMD_Span("20240301", "20240131"), "00000101");
    EXPECT_EQ(St_YMD_Span("20230315", "20240310"), "00001126");
    EXPECT_EQ(St_YMD_Span("20240315", "20240315"), "00000000");
    EXPECT_EQ(St_YMD_Span("20000101", "20240315"), "00240214");
    EXPECT_EQ(St_YMD_Span("20240131", "20240229"), "00000029");
    EXPECT_EQ(St_YMD_Span("20230228", "20240227"), "00001127");
    EXPECT_EQ(St_YMD_Span("20231130", "20240105"), "00000105");
    EXPECT_EQ(St_YMD_Span("00010101", "99991231"), "99981130");
}

TEST(YmdSpan, NeverExceedsElevenMonthsAndThirtyDaysAndIgnoresTheOrder) {
    const std::int32_t first = St_YMD_to_Days("20230101");
    const std::int32_t last = St_YMD_to_Days("20241231");
    for (std::int32_t a = first; a <= last; a += 3) {
        const std::string start = St_Days_to_YMD(a);
        for (std::int32_t b = a; b <= last; b += 5) {
            const std::string end = St_Days_to_YMD(b);
            const std::string span = St_YMD_Span(start, end);
            ASSERT_EQ(span, St_YMD_Span(end, start));
            const int years = std::stoi(span.substr(0, 4));
            const int months = std::stoi(span.substr(4, 2));
            const int days = std::stoi(span.substr(6, 2));
            ASSERT_LE(months, 11) << start << " " << end;
            ASSERT_LE(days, 30) << start << " " << end;
            // The whole years never overshoot the real distance.
            ASSERT_LE(years * 365, b - a) << start << " " << end;
        }
    }
}

TEST(MonthSteps, CarryAcrossYearEndsAndStopAtTheRangesEnds) {
    EXPECT_EQ(StepMonths({2024, 12}, 1), (YearMonth{2025, 1}));
    EXPECT_EQ(StepMonths({2025, 1}, -1), (YearMonth{2024, 12}));
    EXPECT_EQ(StepMonths({2024, 5}, 12), (YearMonth{2025, 5}));
    EXPECT_EQ(StepMonths({2024, 5}, -29), (YearMonth{2021, 12}));
    // A step beyond January of the year 1 or December 9999 leaves the month where it is.
    EXPECT_EQ(StepMonths({1, 1}, -1), (YearMonth{1, 1}));
    EXPECT_EQ(StepMonths({1, 5}, -12), (YearMonth{1, 5}));
    EXPECT_EQ(StepMonths({9999, 12}, 1), (YearMonth{9999, 12}));
    EXPECT_EQ(StepMonths({9999, 1}, 12), (YearMonth{9999, 1}));
    EXPECT_EQ(StepMonths({9998, 12}, 12), (YearMonth{9999, 12}));
    EXPECT_EQ(StepMonths({5000, 6}, INT_MAX), (YearMonth{5000, 6}));
    EXPECT_EQ(StepMonths({5000, 6}, INT_MIN), (YearMonth{5000, 6}));
    // Month by month from the first month to the last, and back.
    YearMonth month = FirstYearMonth;
    int steps = 0;
    for (YearMonth next = StepMonths(month, 1); next != month; next = StepMonths(month, 1)) {
        ASSERT_EQ(StepMonths(next, -1), month);
        ASSERT_EQ(next.month, month.month % 12 + 1);
        month = next;
        ++steps;
    }
    EXPECT_EQ(month, LastYearMonth);
    EXPECT_EQ(steps, 9999 * 12 - 1);
}

TEST(SerialDays, EachWeekdayHasItsLetterAndOtherNumbersNone) {
    // 2024-03-10 was a Sunday: the week from it spells the letters in order.
    const std::int32_t sunday = St_YMD_to_Days("20240310");
    ASSERT_EQ(St_Weekday(sunday), 1);
    std::string week;
    for (std::int32_t serial = sunday; serial < sunday + 7; ++serial) {
        week += WeekdayLetter(St_Weekday(serial));
    }
    EXPECT_EQ(week, "日月火水木金土");
    EXPECT_EQ(WeekdayLetter(St_Weekday(sunday + 7)), WeekdayLetter(1));
    for (const int outside : {-1, 0, 8, 100}) {
        EXPECT_TRUE(WeekdayLetter(outside).empty()) << outside;
    }
}
