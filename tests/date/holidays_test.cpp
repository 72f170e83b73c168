#include "date/definitions.h"
#include "date/holidays.h"
#include "date/serial.h"
#include "holiday_test_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

const std::string standard = std::string(ZELVAR_TEST_FIXTURES) + "/standard";

Entries list(std::initializer_list<std::pair<const char*, const char*>> items) {
    Entries entries;
    for (const auto& [md, name] : items) {
        entries.emplace_back(md, name);
    }
    return entries;
}

long countNamed(int year, const std::string& name) {
    Entries entries = yearList(year);
    return std::count_if(entries.begin(), entries.end(),
                         [&](const auto& e) { return e.second == name; });
}

std::int16_t weekdayOf(int y, int m, int d) {
    return St_Weekday(St_YMD_to_Days(MakeDateText(y, m, d)));
}

// Each case reads the definition files of a scratch program folder, which it writes itself, or
// those of the standard fixture folder.
class HolidayResolution : public ::testing::Test {
protected:
    TempFolder folder;
    RecordingHost host{folder.str()};
};

} // namespace

TEST_F(HolidayResolution, TheComputedHolidaysOfTheStandardDefinitions) {
    host.setFolder(standard);
    St_LoadDefinitions();
    EXPECT_EQ(computedEntries(2024), list({{"0320", "春分の日"},
                                           {"0922", "秋分の日"},
                                           {"0212", "振替休日"},
                                           {"0506", "振替休日"},
                                           {"0923", "振替休日"}}));
    EXPECT_EQ(computedEntries(2023),
              list({{"0321", "春分の日"}, {"0923", "秋分の日"}, {"0102", "振替休日"}}));
    EXPECT_EQ(computedEntries(2000),
              list({{"0320", "春分の日"}, {"0923", "秋分の日"}, {"0504", "国民の休日"}}));
    EXPECT_EQ(computedEntries(2009), list({{"0320", "春分の日"},
                                           {"0923", "秋分の日"},
                                           {"0922", "国民の休日"},
                                           {"0506", "振替休日"}}));
    // 3 May 1998 is a Sunday: 4 May is its substitute and, being a Monday, no national holiday.
    EXPECT_EQ(computedEntries(1998),
              list({{"0321", "春分の日"}, {"0923", "秋分の日"}, {"0504", "振替休日"}}));
    EXPECT_EQ(computedEntries(1988), list({{"0320", "春分の日"},
                                           {"0923", "秋分の日"},
                                           {"0504", "国民の休日"},
                                           {"0321", "振替休日"}}));
    // 4 May 1985 lies between two holidays, but the rule starts with 1986.
    EXPECT_EQ(countNamed(1985, "国民の休日"), 0);
    EXPECT_EQ(St_HolidayName(1985, 5, 4), "");
    // 11 February 1973 is a Sunday before the substitute rule; 29 April and 23 September are after.
    EXPECT_EQ(computedEntries(1973), list({{"0321", "春分の日"},
                                           {"0923", "秋分の日"},
                                           {"0430", "振替休日"},
                                           {"0924", "振替休日"}}));
    EXPECT_EQ(computedEntries(1948), list({{"0923", "秋分の日"}}));
    EXPECT_EQ(computedEntries(1949), list({{"0321", "春分の日"}, {"0923", "秋分の日"}}));
    EXPECT_EQ(countNamed(2150, "春分の日"), 1);
    EXPECT_EQ(countNamed(2150, "秋分の日"), 1);
    EXPECT_EQ(countNamed(2151, "春分の日") + countNamed(2151, "秋分の日"), 0);
    EXPECT_EQ(countNamed(1947, "春分の日") + countNamed(1947, "秋分の日"), 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(HolidayResolution, LookupsOfSingleDays) {
    host.setFolder(standard);
    St_LoadDefinitions();
    EXPECT_EQ(St_HolidayName(2024, 9, 22), "秋分の日");
    EXPECT_EQ(St_HolidayName(2024, 9, 23), "振替休日");
    EXPECT_EQ(St_HolidayName(2024, 9, 24), "");
    EXPECT_EQ(St_HolidayName(2024, 1, 8), "成人の日"); // second Monday
    EXPECT_EQ(St_HolidayName(1999, 1, 15), "成人の日");
    EXPECT_EQ(St_HolidayName(2000, 1, 15), "");
    EXPECT_EQ(St_HolidayName(2000, 1, 10), "成人の日");
    EXPECT_EQ(St_HolidayName(2003, 9, 15), "敬老の日"); // third Monday of 2003
    EXPECT_EQ(St_HolidayName(2002, 9, 15), "敬老の日");
    EXPECT_EQ(St_HolidayName(1988, 4, 29), "天皇誕生日");
    EXPECT_EQ(St_HolidayName(1989, 4, 29), "みどりの日");
    EXPECT_EQ(St_HolidayName(2019, 12, 23), "");
    EXPECT_EQ(St_HolidayName(2020, 2, 23), "天皇誕生日");
    // Dates that do not exist are never holidays.
    EXPECT_EQ(St_HolidayName(2024, 13, 1), "");
    EXPECT_EQ(St_HolidayName(2024, 0, 1), "");
    EXPECT_EQ(St_HolidayName(2024, 2, 30), "");
    EXPECT_EQ(St_HolidayName(2024, 1, -1), "");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(HolidayResolution, EquinoxDaysStayInTheirWeekAcrossTheFormulaChange) {
    loadHolidayLines(folder, {});
    for (int year = 1949; year <= 2150; ++year) {
        Entries computed = computedEntries(year);
        ASSERT_GE(computed.size(), 2U) << year;
        const int vernal = std::stoi(computed[0].first.substr(2));
        const int autumnal = std::stoi(computed[1].first.substr(2));
        ASSERT_EQ(computed[0].first.substr(0, 2), "03");
        ASSERT_EQ(computed[1].first.substr(0, 2), "09");
        EXPECT_TRUE(vernal >= 19 && vernal <= 22) << year << " " << vernal;
        EXPECT_TRUE(autumnal >= 21 && autumnal <= 24) << year << " " << autumnal;
    }
    EXPECT_EQ(St_HolidayName(1999, 3, 21), "春分の日");
    EXPECT_EQ(St_HolidayName(2000, 3, 20), "春分の日");
    EXPECT_EQ(St_HolidayName(1999, 9, 23), "秋分の日");
    EXPECT_EQ(St_HolidayName(2012, 9, 22), "秋分の日");
}

TEST_F(HolidayResolution, NationalHolidayOnlyFrom1986AndOnlyTuesdayToSaturday) {
    for (int year : {1985, 1986, 2030}) {
        for (int day = 3; day <= 9; ++day) {
            // Holidays on the days before and after 'day' of June.
            loadHolidayLines(folder, {"前,1,6," + std::to_string(day - 1) + ",,,1,",
                                      "後,1,6," + std::to_string(day + 1) + ",,,1,"});
            const int weekday = weekdayOf(year, 6, day);
            const std::string name =
                St_HolidayName(static_cast<std::int16_t>(year), 6, static_cast<std::int16_t>(day));
            if (year > 1985 && weekday > 2) {
                EXPECT_EQ(name, "国民の休日") << year << "/6/" << day;
            } else if (weekday == 2) {
                EXPECT_EQ(name, "振替休日") << year << "/6/" << day; // after a Sunday holiday
            } else {
                EXPECT_EQ(name, "") << year << "/6/" << day;
            }
        }
    }
}

TEST_F(HolidayResolution, SubstituteRulesStartInApril1973AndExtendInJanuary2007) {
    // 25 March and 1 April 1973 are Sundays.
    loadHolidayLines(folder, {"三月,1,3,25,,,1973,1973", "四月,1,4,1,,,1973,1973"});
    EXPECT_EQ(St_HolidayName(1973, 3, 26), "");
    EXPECT_EQ(St_HolidayName(1973, 4, 2), "振替休日");

    // 1 January 2006 is a Sunday: the old rule takes the next day, which is a holiday already,
    // so nothing is added and the substitute does not move on to 3 January.
    loadHolidayLines(folder, {"一,1,1,1,,,2006,2007", "二,1,1,2,,,2006,2007"});
    EXPECT_EQ(withoutEquinoxes(2006), list({{"0101", "一"}, {"0102", "二"}}));
    EXPECT_EQ(St_HolidayName(2006, 1, 2), "二");
    EXPECT_EQ(St_HolidayName(2006, 1, 3), "");
    // 5 February 2006 is a Sunday, the next day an ordinary Monday.
    loadHolidayLines(folder, {"日,1,2,5,,,2006,2006"});
    EXPECT_EQ(withoutEquinoxes(2006), list({{"0205", "日"}, {"0206", "振替休日"}}));

    // 7 January 2007 is a Sunday: the new rule skips the holidays that follow.
    loadHolidayLines(folder, {"七,1,1,7,,,2007,", "八,1,1,8,,,2007,"});
    EXPECT_EQ(St_HolidayName(2007, 1, 9), "振替休日");
    EXPECT_EQ(St_HolidayName(2007, 1, 8), "八");
}

TEST_F(HolidayResolution, TheSubstituteFallsOnANationalHolidayAndGoesNoFurther) {
    // Sunday 14, Monday 15 and Wednesday 17 April 2013: Tuesday 16 April lies between two
    // holidays. The first day after the Sunday that is not a holiday of the definitions is that
    // Tuesday, a day off already: the substitute adds nothing, and Thursday stays a working day.
    loadHolidayLines(folder,
                     {"日,1,4,14,,,2013,2013", "月,1,4,15,,,2013,2013", "水,1,4,17,,,2013,2013"});
    EXPECT_EQ(withoutEquinoxes(2013),
              list({{"0414", "日"}, {"0415", "月"}, {"0417", "水"}, {"0416", "国民の休日"}}));
    EXPECT_EQ(St_HolidayName(2013, 4, 16), "国民の休日");
    EXPECT_EQ(St_HolidayName(2013, 4, 18), "");

    // The substitute still passes over every holiday of the definitions, also two on one day.
    loadHolidayLines(folder, {"日,1,4,14,,,2013,2013", "月,1,4,15,,,2013,2013",
                              "火,1,4,16,,,2013,2013", "火二,1,4,16,,,2013,2013"});
    EXPECT_EQ(countNamed(2013, "振替休日"), 1);
    EXPECT_EQ(St_HolidayName(2013, 4, 17), "振替休日");

    // Two Sundays of one run of holidays share one substitute day.
    loadHolidayLines(folder,
                     {"一,1,4,14,,,2013,2013", "二,1,4,15,,,2013,2013", "三,1,4,16,,,2013,2013",
                      "四,1,4,17,,,2013,2013", "五,1,4,18,,,2013,2013", "六,1,4,19,,,2013,2013",
                      "七,1,4,20,,,2013,2013", "八,1,4,21,,,2013,2013"});
    EXPECT_EQ(withoutEquinoxes(2013).back(),
              (std::pair<std::string, std::string>{"0422", "振替休日"}));
    EXPECT_EQ(countNamed(2013, "振替休日"), 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(HolidayResolution, ASubstituteFallingIntoTheNextYearIsNotPutIntoThisYear) {
    // 31 December 2023 is a Sunday; there is no holiday on 1 January.
    loadHolidayLines(folder, {"大晦日,1,12,31,,,2000,"});
    EXPECT_EQ(withoutEquinoxes(2023), list({{"1231", "大晦日"}}));
    EXPECT_EQ(St_HolidayName(2023, 1, 1), "");
}

TEST_F(HolidayResolution, AnOccurrenceTheMonthDoesNotHaveTakesNoPartInTheRules) {
    // February 2021 has four Mondays; 28 February is a Sunday and 1 March a holiday.
    loadHolidayLines(folder,
                     {"幻,2,2,,5,1,2021,2021", "日,1,2,28,,,2021,2021", "月,1,3,1,,,2021,2021"});
    Entries entries = yearList(2021);
    EXPECT_NE(std::find(entries.begin(), entries.end(),
                        std::pair<std::string, std::string>{"0229", "幻"}),
              entries.end());
    EXPECT_EQ(St_HolidayName(2021, 2, 29), "");
    EXPECT_EQ(St_HolidayName(2021, 3, 1), "月");
    EXPECT_EQ(St_HolidayName(2021, 3, 2), "振替休日");

    // The fifth Thursday of April 2025 would be "0431": 30 April is not enclosed by it.
    loadHolidayLines(folder, {"前,1,4,29,,,2025,2025", "幻,2,4,,5,4,2025,2025"});
    EXPECT_EQ(St_HolidayName(2025, 4, 30), "");
    // Nor does a week number far beyond the month overflow into a real date.
    loadHolidayLines(folder, {"巨,2,4,,32767,6,2025,2025"});
    EXPECT_EQ(yearList(2025).size(), 3U); // the entry and the two equinoxes
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(HolidayResolution, TheYearEndPairEnclosesTheLastDayOfTheYear) {
    loadHolidayLines(folder, {"元日,1,1,1,,,1948,", "年末,1,12,30,,,1948,"});
    // 31 December 2025 is a Wednesday between 30 December and the next 1 January.
    EXPECT_EQ(St_HolidayName(2025, 12, 31), "国民の休日");
    // 31 December 2029 is a Monday, the substitute of Sunday 30 December.
    EXPECT_EQ(St_HolidayName(2029, 12, 31), "振替休日");
    EXPECT_EQ(countNamed(2029, "国民の休日"), 0);
    // Before 1986 there is no national holiday at all.
    EXPECT_EQ(St_HolidayName(1980, 12, 31), "");
}

TEST_F(HolidayResolution, TwoHolidaysOnOneDayAnswerInTheOrderOfTheExchangeSort) {
    loadHolidayLines(folder, {"甲,1,1,1,,,2000,", "乙,1,1,1,,,2000,", "丙,1,1,2,,,2000,"});
    EXPECT_EQ(yearList(2001), list({{"0101", "乙"},
                                    {"0101", "甲"},
                                    {"0102", "丙"},
                                    {"0320", "春分の日"},
                                    {"0923", "秋分の日"},
                                    {"0924", "振替休日"}}));
    EXPECT_EQ(St_HolidayName(2001, 1, 1), "乙");

    std::vector<YearHoliday> sample = {{"0505", "a"}, {"0101", "b"}, {"0505", "c"}, {"0303", "d"}};
    ExchangeSortByMonthDay(sample);
    std::vector<std::string> names;
    names.reserve(sample.size());
    for (const auto& h : sample) {
        names.push_back(h.Name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"b", "d", "c", "a"}));
}

TEST_F(HolidayResolution, TheYearIsComputedOnceAndAgainAfterALoad) {
    loadHolidayLines(folder, {"旧名,1,1,1,,,1948,"});
    EXPECT_EQ(St_HolidayName(2024, 1, 1), "旧名");
    EXPECT_EQ(CachedYear, 2024);
    // The table changes in memory: the held year answers from its list ...
    HolidayDefs[0].Name = "変更";
    EXPECT_EQ(St_HolidayName(2024, 1, 1), "旧名");
    // ... another year is computed from the table.
    EXPECT_EQ(St_HolidayName(2025, 1, 1), "変更");
    loadHolidayLines(folder, {"新名,1,1,1,,,1948,", "日,1,5,5,,,1948,"});
    EXPECT_EQ(CachedYear, 0);
    EXPECT_TRUE(YearHolidays.empty());
    EXPECT_EQ(St_HolidayName(2024, 1, 1), "新名");
    EXPECT_EQ(YearHolidayCount, static_cast<std::int16_t>(YearHolidays.size()));
    // A list sorted in place (as the holiday list window leaves it) still answers every day.
    ExchangeSortByMonthDay(YearHolidays);
    EXPECT_EQ(St_HolidayName(2024, 5, 5), "日");
    EXPECT_EQ(St_HolidayName(2024, 5, 6), "振替休日"); // 5 May 2024 is a Sunday
}

TEST_F(HolidayResolution, AnUnknownKindStopsTheProgramOnlyInItsYears) {
    loadHolidayLines(folder, {"元日,1,1,1,,,1948,", "謎,3,5,5,,,2030,"});
    EXPECT_EQ(St_HolidayName(2029, 1, 1), "元日");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_THROW(St_HolidayName(2030, 1, 1), ProgramEnded);
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0], "「Korin1.csv」ファイルの設定が間違っています。");
    // No half-built year is kept: asking again reports again.
    EXPECT_NE(CachedYear, 2030);
    EXPECT_THROW(St_HolidayName(2030, 5, 5), ProgramEnded);
    EXPECT_EQ(host.messages.size(), 2U);
}

TEST_F(HolidayResolution, YearsOutsideTheCalendarHaveNoHolidays) {
    host.setFolder(standard);
    St_LoadDefinitions();
    EXPECT_EQ(St_HolidayName(0, 1, 1), "");
    EXPECT_TRUE(YearHolidays.empty());
    EXPECT_EQ(St_HolidayName(-5, 1, 1), "");
    EXPECT_EQ(St_HolidayName(10000, 1, 1), "");
    EXPECT_TRUE(YearHolidays.empty());
    EXPECT_EQ(St_HolidayName(9999, 1, 1), "元日");
    EXPECT_EQ(St_HolidayName(1, 1, 1), "");
    EXPECT_TRUE(host.messages.empty());
}
