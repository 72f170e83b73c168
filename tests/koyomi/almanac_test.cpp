// The published almanac of the National Astronomical Observatory of Japan (暦要項): solar terms
// and 雑節 to the minute, and the days of the 旧暦 in the years where its rules are hard.

#include "date/serial.h"
#include "koyomi/events.h"
#include "koyomi/koyomi.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Published {
    const char* time; // "YYYY/MM/DD HH:MM", JST
    const char* name;
};

std::int32_t serialOf(int year, int month, int day) {
    return St_YMD_to_Days(MakeDateText(year, month, day));
}

void expectSolarTerms(int year, const std::vector<Published>& published) {
    const KoyomiYear* data = KoyomiOfYear(year);
    ASSERT_NE(data, nullptr);
    for (const Published& term : published) {
        bool found = false;
        for (const KoyomiEvent& event : data->solarTerms) {
            if (event.name == term.name) {
                found = true;
                EXPECT_EQ(InstantText(event.instant), term.time) << year << " " << term.name;
            }
        }
        EXPECT_TRUE(found) << year << " " << term.name;
    }
}

std::string lunarDate(int year, int month, int day) {
    const DayKoyomi* koyomi = KoyomiOfDay(serialOf(year, month, day));
    return koyomi == nullptr ? "" : LunarDateText(*koyomi);
}

std::string notes(int year, int month, int day) {
    const DayKoyomi* koyomi = KoyomiOfDay(serialOf(year, month, day));
    return koyomi == nullptr ? "?" : koyomi->notes;
}

} // namespace

// 平成31年/令和元年(2019) 暦要項, 二十四節気および雑節.
TEST(ObservatoryAlmanac, TheSolarTermsOf2019AreThePublishedOnesToTheMinute) {
    expectSolarTerms(
        2019,
        {{"2019/01/06 00:39", "小寒"}, {"2019/01/20 18:00", "大寒"}, {"2019/02/04 12:14", "立春"},
         {"2019/02/19 08:04", "雨水"}, {"2019/03/06 06:10", "啓蟄"}, {"2019/03/21 06:58", "春分"},
         {"2019/04/05 10:51", "清明"}, {"2019/04/20 17:55", "穀雨"}, {"2019/05/06 04:03", "立夏"},
         {"2019/05/21 16:59", "小満"}, {"2019/06/06 08:06", "芒種"}, {"2019/06/22 00:54", "夏至"},
         {"2019/07/07 18:21", "小暑"}, {"2019/07/23 11:50", "大暑"}, {"2019/08/08 04:13", "立秋"},
         {"2019/08/23 19:02", "処暑"}, {"2019/09/08 07:17", "白露"}, {"2019/09/23 16:50", "秋分"},
         {"2019/10/08 23:06", "寒露"}, {"2019/10/24 02:20", "霜降"}, {"2019/11/08 02:24", "立冬"},
         {"2019/11/22 23:59", "小雪"}, {"2019/12/07 19:18", "大雪"}, {"2019/12/22 13:19", "冬至"}});
}

// 平成20年(2008) 暦要項 as the press reprinted it (the reprint garbled 立夏 and 処暑).
TEST(ObservatoryAlmanac, TheSolarTermsOf2008AreThePublishedOnesToTheMinute) {
    expectSolarTerms(
        2008,
        {{"2008/01/06 08:25", "小寒"}, {"2008/01/21 01:44", "大寒"}, {"2008/02/04 20:00", "立春"},
         {"2008/02/19 15:50", "雨水"}, {"2008/03/05 13:59", "啓蟄"}, {"2008/03/20 14:48", "春分"},
         {"2008/04/04 18:46", "清明"}, {"2008/04/20 01:51", "穀雨"}, {"2008/05/21 01:01", "小満"},
         {"2008/06/05 16:12", "芒種"}, {"2008/06/21 08:59", "夏至"}, {"2008/07/07 02:27", "小暑"},
         {"2008/07/22 19:55", "大暑"}, {"2008/08/07 12:16", "立秋"}, {"2008/09/07 15:14", "白露"},
         {"2008/10/08 06:57", "寒露"}, {"2008/10/23 10:09", "霜降"}, {"2008/11/07 10:11", "立冬"},
         {"2008/11/22 07:44", "小雪"}, {"2008/12/07 03:02", "大雪"}, {"2008/12/21 21:04", "冬至"}});
    // The published 秋分 is 00:45; the instant computed here lies under a second before 00:44:30
    // and rounds down: within a second of the almanac, a minute apart once rounded.
    const double autumn = SolarLongitudeInstant(2008, 180);
    const double published = serialOf(2008, 9, 23) + 45 / 1440.0;
    EXPECT_NEAR(autumn, published, 31.0 / 86400.0);
}

// The 雑節 of the 2019 almanac: those fixed by the Sun's longitude to the minute, the others by
// their day (彼岸 is listed by its first day).
TEST(ObservatoryAlmanac, TheZassetsuOf2019FallWhereThePublishedOnesDo) {
    EXPECT_EQ(InstantText(SolarLongitudeInstant(2019, 297)), "2019/01/17 19:15");
    EXPECT_EQ(InstantText(SolarLongitudeInstant(2019, 27)), "2019/04/17 16:14");
    EXPECT_EQ(InstantText(SolarLongitudeInstant(2019, 80)), "2019/06/11 13:32");
    EXPECT_EQ(InstantText(SolarLongitudeInstant(2019, 100)), "2019/07/02 12:31");
    EXPECT_EQ(InstantText(SolarLongitudeInstant(2019, 117)), "2019/07/20 08:23");
    EXPECT_EQ(notes(2019, 1, 17), "土用入り");
    EXPECT_EQ(notes(2019, 2, 3), "節分");
    EXPECT_EQ(notes(2019, 3, 18), "彼岸入り");
    EXPECT_EQ(notes(2019, 4, 17), "土用入り");
    EXPECT_EQ(notes(2019, 5, 2), "八十八夜");
    EXPECT_EQ(notes(2019, 6, 11), "入梅");
    EXPECT_EQ(notes(2019, 7, 2), "半夏生");
    EXPECT_EQ(notes(2019, 7, 20), "土用入り");
    EXPECT_EQ(notes(2019, 9, 1), "二百十日");
    EXPECT_EQ(notes(2019, 9, 20), "彼岸入り");
    EXPECT_EQ(notes(2019, 3, 21), "春分");
    EXPECT_EQ(notes(2019, 3, 24), "彼岸明け");
    // 2008: 土用 1月18日, 土用 4月17日 0時09分, 節分 2月3日, 彼岸 3月17日, 八十八夜 5月1日.
    EXPECT_EQ(InstantText(SolarLongitudeInstant(2008, 27)), "2008/04/17 00:09");
    EXPECT_EQ(notes(2008, 1, 18), "土用入り");
    EXPECT_EQ(notes(2008, 2, 3), "節分");
    EXPECT_EQ(notes(2008, 3, 17), "彼岸入り");
    EXPECT_EQ(notes(2008, 5, 1), "八十八夜");
}

// The new moon of 26 February 2017 came at 23:58 JST: the month begins that day, not the next.
TEST(LunarCalendar, ANewMoonTwoMinutesBeforeMidnightBeginsTheMonthThatDay) {
    EXPECT_EQ(lunarDate(2017, 2, 25), "旧1月29日");
    EXPECT_EQ(lunarDate(2017, 2, 26), "旧2月1日");
    const std::vector<KoyomiEvent> phases = MoonPhasesOfYear(2017);
    const std::int32_t day = serialOf(2017, 2, 26);
    bool found = false;
    for (const KoyomiEvent& phase : phases) {
        if (phase.name == "朔" && phase.day == day) {
            found = true;
            // ERFA's lunar theory (eraMoon98) is good to about ten arc seconds, twenty seconds
            // of time at a new moon: the instant lies within a minute of the published one.
            const double published = day + (23 * 60 + 58) / 1440.0;
            EXPECT_NEAR(phase.instant, published, 1.0 / 1440.0);
        }
    }
    EXPECT_TRUE(found);
}

// The leap months of recent years, and 2033: the month after the 11th holds no 中気 and is the
// first such month of the thirteen from the 冬至 of 2033 to that of 2034, so it is 閏11月; the
// month without a 中気 earlier in 2033 lies in a span of twelve months and is none.
TEST(LunarCalendar, LeapMonthsFallWhereTheRulesPutThem) {
    EXPECT_EQ(lunarDate(2014, 10, 24), "旧閏9月1日");
    EXPECT_EQ(lunarDate(2017, 6, 24), "旧閏5月1日");
    EXPECT_EQ(lunarDate(2020, 5, 23), "旧閏4月1日");
    EXPECT_EQ(lunarDate(2023, 3, 22), "旧閏2月1日");
    EXPECT_EQ(lunarDate(2033, 8, 25), "旧8月1日");
    EXPECT_EQ(lunarDate(2033, 9, 23), "旧9月1日");
    EXPECT_EQ(lunarDate(2033, 11, 22), "旧11月1日");
    EXPECT_EQ(lunarDate(2033, 12, 22), "旧閏11月1日");
    EXPECT_EQ(lunarDate(2034, 1, 20), "旧12月1日");
    EXPECT_EQ(lunarDate(2034, 2, 19), "旧1月1日");
}

// 2025: 処暑 and the new moon fall on the same JST day, 23 August; the 中気 belongs to the month
// that begins that day, so the month before holds none and is 閏6月.
TEST(LunarCalendar, AChukiOnTheDayOfANewMoonBelongsToTheMonthBegunThatDay) {
    EXPECT_EQ(lunarDate(2025, 7, 25), "旧閏6月1日");
    EXPECT_EQ(lunarDate(2025, 8, 22), "旧閏6月29日");
    EXPECT_EQ(lunarDate(2025, 8, 23), "旧7月1日");
    EXPECT_EQ(notes(2025, 8, 23), "処暑");
}

TEST(LunarCalendar, NothingIsGivenOutsideTheYearsOfTheKoyomi) {
    EXPECT_EQ(KoyomiOfDay(serialOf(1872, 12, 31)), nullptr);
    EXPECT_NE(KoyomiOfDay(serialOf(1873, 1, 1)), nullptr);
    EXPECT_NE(KoyomiOfDay(serialOf(2199, 12, 31)), nullptr);
    EXPECT_EQ(KoyomiOfDay(serialOf(2200, 1, 1)), nullptr);
    EXPECT_EQ(KoyomiOfYear(1872), nullptr);
    EXPECT_TRUE(MoonPhasesOfYear(2200).empty());
}

// 1 January 1900 was a 甲戌 day, 1 January 2000 a 戊午 day; the 社日 is the 戊 day nearest the
// equinox: 2019's 春分 (21 March, a 丁 day) gives 22 March.
TEST(Zassetsu, TheShanichiIsTheBoDayNearestTheEquinox) {
    EXPECT_EQ(DayStem(serialOf(1900, 1, 1)), 0);
    EXPECT_EQ(DayStem(serialOf(2000, 1, 1)), 4);
    EXPECT_EQ(notes(2019, 3, 22), "社日");
}

TEST(Rokuyo, TheRokuyoFollowsTheLunarMonthAndDay) {
    // 旧1月1日 is always 先勝, 旧5月1日 大安.
    const DayKoyomi* newYear = KoyomiOfDay(serialOf(2019, 2, 5));
    ASSERT_NE(newYear, nullptr);
    EXPECT_EQ(LunarDateText(*newYear), "旧1月1日");
    EXPECT_STREQ(RokuyoName(newYear->rokuyo), "先勝");
    const DayKoyomi* fifth = KoyomiOfDay(serialOf(2019, 6, 3));
    ASSERT_NE(fifth, nullptr);
    EXPECT_EQ(LunarDateText(*fifth), "旧5月1日");
    EXPECT_STREQ(RokuyoName(fifth->rokuyo), "大安");
}
