// Properties of the 暦 over every year it covers.

#include "date/serial.h"
#include "koyomi/events.h"
#include "koyomi/koyomi.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

struct MonthRun {
    std::int32_t start = 0;
    int number = 0;
    bool leap = false;
    int length = 0;
    bool holdsChuki = false;
    bool holdsWinterSolstice = false;
};

bool isChuki(const std::string& notes, const char* name) {
    return notes.find(name) != std::string::npos;
}

constexpr const char* chukiNames[] = {"雨水", "春分", "穀雨", "小満", "夏至", "大暑",
                                      "処暑", "秋分", "霜降", "小雪", "冬至", "大寒"};

} // namespace

// Every month 29 or 30 days long and numbered one after the other (a leap month repeating the
// number before it); 12 or 13 months from one 11th month to the next; a leap month holds no
// 中気; 冬至 always in the 11th month; the 六曜 from the month and day; the moon's age from 0 up
// to a month.
TEST(KoyomiProperties, EveryYearFrom1873To2199KeepsTheRulesOfTheLunarCalendar) {
    MonthRun run;
    int monthsSinceEleventh = -1;
    int checkedMonths = 0;
    for (int year = KoyomiFirstYear; year <= KoyomiLastYear; ++year) {
        const KoyomiYear* data = KoyomiOfYear(year);
        ASSERT_NE(data, nullptr) << year;
        for (std::size_t i = 0; i < data->days.size(); ++i) {
            const DayKoyomi& day = data->days[i];
            const auto serial = static_cast<std::int32_t>(data->firstDay + i);
            ASSERT_EQ(day.rokuyo, (day.lunarMonth + day.lunarDay) % 6) << St_Days_to_YMD(serial);
            ASSERT_GE(day.noonMoonAge, 0.0) << St_Days_to_YMD(serial);
            ASSERT_LT(day.noonMoonAge, 30.0) << St_Days_to_YMD(serial);
            if (day.lunarDay == 1) {
                if (run.start != 0) {
                    ASSERT_TRUE(run.length == 29 || run.length == 30) << St_Days_to_YMD(run.start);
                    ASSERT_FALSE(run.leap && run.holdsChuki) << St_Days_to_YMD(run.start);
                    ASSERT_EQ(run.holdsWinterSolstice, run.number == 11 && !run.leap)
                        << St_Days_to_YMD(run.start);
                    const int expected = day.leapMonth ? run.number : run.number % 12 + 1;
                    ASSERT_EQ(day.lunarMonth, expected) << St_Days_to_YMD(serial);
                    ++checkedMonths;
                }
                if (day.lunarMonth == 11 && !day.leapMonth) {
                    if (monthsSinceEleventh >= 0) {
                        ASSERT_TRUE(monthsSinceEleventh == 12 || monthsSinceEleventh == 13)
                            << St_Days_to_YMD(serial);
                    }
                    monthsSinceEleventh = 0;
                }
                if (monthsSinceEleventh >= 0) {
                    ++monthsSinceEleventh;
                }
                run = {serial, day.lunarMonth, day.leapMonth, 0, false, false};
            }
            if (run.start == 0) {
                continue; // the first days of 1873 belong to a month begun in 1872
            }
            ASSERT_EQ(day.lunarDay, run.length + 1) << St_Days_to_YMD(serial);
            ++run.length;
            for (const char* name : chukiNames) {
                run.holdsChuki = run.holdsChuki || isChuki(day.notes, name);
            }
            run.holdsWinterSolstice = run.holdsWinterSolstice || isChuki(day.notes, "冬至");
        }
        ASSERT_EQ(data->solarTerms.size(), 24U) << year;
    }
    EXPECT_GT(checkedMonths, 4000);
}

// The moon's phases of a year come in order, a quarter of a month apart (6 to 9 days), and the
// solar terms 14 to 17 days apart.
TEST(KoyomiProperties, PhasesAndTermsComeInOrderAndEvenlySpaced) {
    for (int year : {1873, 1900, 1965, 2000, 2033, 2100, 2199}) {
        const std::vector<KoyomiEvent> phases = MoonPhasesOfYear(year);
        ASSERT_GE(phases.size(), 48U) << year;
        for (std::size_t i = 1; i < phases.size(); ++i) {
            const double gap = phases[i].instant - phases[i - 1].instant;
            EXPECT_GT(gap, 5.8) << year << " " << InstantText(phases[i].instant);
            EXPECT_LT(gap, 9.0) << year << " " << InstantText(phases[i].instant);
        }
        const KoyomiYear* data = KoyomiOfYear(year);
        for (std::size_t i = 1; i < data->solarTerms.size(); ++i) {
            const double gap = data->solarTerms[i].instant - data->solarTerms[i - 1].instant;
            EXPECT_GT(gap, 14.0) << year;
            EXPECT_LT(gap, 17.0) << year;
        }
    }
}
