#pragma once

// The 暦 of the days of a Gregorian year in Japan: the 旧暦 date and its 六曜, the 二十四節気
// and 雑節 that fall on the day, and the moon's age at noon (JST). Computed from the apparent
// longitudes of the Sun and the Moon for the years KoyomiFirstYear..KoyomiLastYear; outside them
// nothing is given. A year is computed once per process and kept.
//
// Instants are JST serial days (koyomi/events.h). Past 2100 the times rest on an extrapolated
// ΔT (koyomi/delta_t.h) and are uncertain by minutes.

#include <cstdint>
#include <string>
#include <vector>

// 1873: the Gregorian calendar's first year in Japan.
inline constexpr int KoyomiFirstYear = 1873;
inline constexpr int KoyomiLastYear = 2199;

struct DayKoyomi {
    std::int16_t lunarMonth; // 旧暦 month 1..12
    std::int16_t lunarDay;   // 1..30
    bool leapMonth;          // 閏月
    std::int16_t rokuyo;     // 0 大安, 1 赤口, 2 先勝, 3 友引, 4 先負, 5 仏滅
    std::string notes;       // the day's 節気 and 雑節 names joined with "・"; empty when none
    double noonMoonAge;      // days since the last new moon at 12:00 JST, rounded to 0.1
};

// A 節気 or 雑節 of a year. Those defined by the Sun's longitude have their instant.
struct KoyomiEvent {
    std::int32_t day; // serial day (JST)
    std::string name; // "立春", "土用入り", …
    bool timed;       // `instant` holds the instant
    double instant;   // JST serial days
};

struct KoyomiYear {
    int year;
    std::int32_t firstDay;               // serial of 1 January
    std::vector<DayKoyomi> days;         // one per day, from 1 January
    std::vector<KoyomiEvent> solarTerms; // the 24 terms, in the order they fall (小寒 first)
    std::vector<KoyomiEvent> events;     // 節気 and 雑節, in order of day
};

// The year's 暦, or nullptr outside KoyomiFirstYear..KoyomiLastYear.
const KoyomiYear* KoyomiOfYear(int year);

// Forgets every year and instant computed so far (for measuring the computation itself).
void ForgetKoyomi();

// The 暦 of a serial day, or nullptr outside the years of the 暦.
const DayKoyomi* KoyomiOfDay(std::int32_t serial);

// The 朔, 上弦, 望 and 下弦 of a year (empty outside the years of the 暦), in order.
std::vector<KoyomiEvent> MoonPhasesOfYear(int year);

// "旧M月D日", "旧閏M月D日".
std::string LunarDateText(const DayKoyomi& day);

// "大安" … "仏滅".
const char* RokuyoName(int rokuyo);

// The name of the solar term at a longitude that is a multiple of 15° ("春分" at 0).
const char* SolarTermName(int degrees);

// "YYYY/MM/DD HH:MM" of an instant rounded to the nearest minute.
std::string InstantText(double jstInstant);

// The moon's age with one decimal ("0.0" .. "29.9").
std::string MoonAgeText(double age);

// The sexagenary day's stem 0 (甲) .. 9 (癸) of a serial day.
int DayStem(std::int32_t serial);
