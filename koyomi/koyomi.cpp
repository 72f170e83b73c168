#include "koyomi/koyomi.h"

#include "date/serial.h"
#include "koyomi/events.h"
#include "koyomi/lunisolar.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>

namespace {

constexpr std::array<const char*, 24> solarTermNames = {
    "春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至", "小暑", "大暑", "立秋", "処暑", "白露",
    "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒", "立春", "雨水", "啓蟄"};
constexpr std::array<const char*, 6> rokuyoNames = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
constexpr std::array<const char*, 4> phaseNames = {"朔", "上弦", "望", "下弦"};

// The 24 terms in the order they fall in a year: 小寒 (285°) first, 冬至 (270°) last.
constexpr int firstTermOfYear = 285;

std::int32_t serialOf(int year, int month, int day) {
    return St_YMD_to_Days(MakeDateText(year, month, day));
}

std::int32_t dayOf(double instant) {
    return static_cast<std::int32_t>(std::floor(instant));
}

// The lunation whose new moon's day is the last at or before `day`.
long lunationOfDay(std::int32_t day) {
    return LunationAt(static_cast<double>(day) + 0.99999999);
}

// The numbered months from the one holding the 冬至 of `year` to the one before the month holding
// the next 冬至.
std::vector<LunarMonth> monthsAfterWinterSolstice(int year) {
    const std::int32_t winter = dayOf(SolarLongitudeInstant(year, 270));
    const std::int32_t nextWinter = dayOf(SolarLongitudeInstant(year + 1, 270));
    std::vector<std::int32_t> starts;
    for (long n = lunationOfDay(winter); n <= lunationOfDay(nextWinter); ++n) {
        starts.push_back(dayOf(MoonPhaseInstant(n, 0)));
    }
    std::vector<std::int32_t> chukiDays = {winter};
    for (int degrees : {300, 330, 0, 30, 60, 90, 120, 150, 180, 210, 240, 270}) {
        chukiDays.push_back(dayOf(SolarLongitudeInstant(year + 1, degrees)));
    }
    return NumberLunarMonths(starts, chukiDays);
}

// The 戊 day nearest the instant: the 戊 day whose noon lies nearest it, the earlier one when
// both lie as near (the instant at noon of a 癸 day).
std::int32_t nearestBoDay(double instant) {
    const std::int32_t day = dayOf(instant);
    const int sinceBo = (DayStem(day) - 4 + 10) % 10; // [0, 9]
    const std::int32_t before = day - sinceBo;
    const std::int32_t after = before + 10;
    const double toBefore = instant - (before + 0.5);
    const double toAfter = (after + 0.5) - instant;
    return toAfter < toBefore ? after : before;
}

void addEvent(std::vector<KoyomiEvent>& events, std::int32_t day, const char* name) {
    events.push_back({day, name, false, 0.0});
}

void addTimedEvent(std::vector<KoyomiEvent>& events, double instant, const char* name) {
    events.push_back({dayOf(instant), name, true, instant});
}

std::unique_ptr<KoyomiYear> computeYear(int year) {
    auto result = std::make_unique<KoyomiYear>();
    result->year = year;
    result->firstDay = serialOf(year, 1, 1);
    const std::int32_t lastDay = serialOf(year, 12, 31);

    std::map<int, double> terms; // degrees -> instant
    for (int k = 0; k < 24; ++k) {
        const int degrees = (firstTermOfYear + 15 * k) % 360;
        const double instant = SolarLongitudeInstant(year, degrees);
        terms[degrees] = instant;
        addTimedEvent(result->solarTerms, instant, SolarTermName(degrees));
    }

    // 節気 first, then the 雑節 of the same day.
    std::vector<KoyomiEvent> events = result->solarTerms;
    const std::int32_t risshun = dayOf(terms[315]);
    addEvent(events, risshun - 1, "節分");
    for (int equinox : {0, 180}) {
        const std::int32_t day = dayOf(terms[equinox]);
        addEvent(events, day - 3, "彼岸入り");
        addEvent(events, day + 3, "彼岸明け");
        addEvent(events, nearestBoDay(terms[equinox]), "社日");
    }
    addEvent(events, risshun + 87, "八十八夜");
    addTimedEvent(events, SolarLongitudeInstant(year, 80), "入梅");
    addTimedEvent(events, SolarLongitudeInstant(year, 100), "半夏生");
    for (int degrees : {297, 27, 117, 207}) {
        addTimedEvent(events, SolarLongitudeInstant(year, degrees), "土用入り");
    }
    addEvent(events, risshun + 209, "二百十日");
    addEvent(events, risshun + 219, "二百二十日");
    std::stable_sort(events.begin(), events.end(),
                     [](const KoyomiEvent& a, const KoyomiEvent& b) { return a.day < b.day; });
    result->events = events;

    std::vector<LunarMonth> months = monthsAfterWinterSolstice(year - 1);
    const std::vector<LunarMonth> later = monthsAfterWinterSolstice(year);
    months.insert(months.end(), later.begin(), later.end());

    std::size_t month = 0;
    std::size_t event = 0;
    long lunation = LunationAt(static_cast<double>(result->firstDay) + 0.5);
    for (std::int32_t day = result->firstDay; day <= lastDay; ++day) {
        while (month + 1 < months.size() && months[month + 1].start <= day) {
            ++month;
        }
        DayKoyomi entry{};
        entry.lunarMonth = months[month].number;
        entry.lunarDay = static_cast<std::int16_t>(day - months[month].start + 1);
        entry.leapMonth = months[month].leap;
        entry.rokuyo = static_cast<std::int16_t>((entry.lunarMonth + entry.lunarDay) % 6);
        for (; event < events.size() && events[event].day <= day; ++event) {
            if (events[event].day == day) {
                entry.notes += entry.notes.empty() ? "" : "・";
                entry.notes += events[event].name;
            }
        }
        const double noon = static_cast<double>(day) + 0.5;
        while (MoonPhaseInstant(lunation + 1, 0) <= noon) {
            ++lunation;
        }
        entry.noonMoonAge = std::floor((noon - MoonPhaseInstant(lunation, 0)) * 10.0 + 0.5) / 10.0;
        result->days.push_back(std::move(entry));
    }
    return result;
}

std::mutex yearsMutex;
std::map<int, std::unique_ptr<KoyomiYear>> years;

} // namespace

const KoyomiYear* KoyomiOfYear(int year) {
    if (year < KoyomiFirstYear || year > KoyomiLastYear) {
        return nullptr;
    }
    const std::lock_guard lock(yearsMutex);
    auto& slot = years[year];
    if (!slot) {
        slot = computeYear(year);
    }
    return slot.get();
}

void ForgetKoyomi() {
    const std::lock_guard lock(yearsMutex);
    years.clear();
    ForgetEventInstants();
}

const DayKoyomi* KoyomiOfDay(std::int32_t serial) {
    if (serial < serialOf(KoyomiFirstYear, 1, 1) || serial > serialOf(KoyomiLastYear, 12, 31)) {
        return nullptr;
    }
    const int year = std::stoi(St_Days_to_YMD(serial).substr(0, 4));
    const KoyomiYear* data = KoyomiOfYear(year);
    return &data->days[static_cast<std::size_t>(serial - data->firstDay)];
}

std::vector<KoyomiEvent> MoonPhasesOfYear(int year) {
    std::vector<KoyomiEvent> phases;
    if (year < KoyomiFirstYear || year > KoyomiLastYear) {
        return phases;
    }
    const std::int32_t first = serialOf(year, 1, 1);
    const std::int32_t last = serialOf(year, 12, 31);
    for (long n = LunationAt(first) - 1;; ++n) {
        for (int quarter = 0; quarter < 4; ++quarter) {
            const double instant = MoonPhaseInstant(n, quarter);
            const std::int32_t day = dayOf(instant);
            if (day > last) {
                return phases;
            }
            if (day >= first) {
                addTimedEvent(phases, instant, phaseNames[static_cast<std::size_t>(quarter)]);
            }
        }
    }
}

std::string LunarDateText(const DayKoyomi& day) {
    return std::string("旧") + (day.leapMonth ? "閏" : "") + std::to_string(day.lunarMonth) + "月" +
           std::to_string(day.lunarDay) + "日";
}

const char* RokuyoName(int rokuyo) {
    return rokuyoNames.at(static_cast<std::size_t>(rokuyo));
}

const char* SolarTermName(int degrees) {
    return solarTermNames.at(static_cast<std::size_t>(degrees / 15));
}

std::string InstantText(double jstInstant) {
    const long long minute = RoundedMinute(jstInstant);
    const auto day = static_cast<std::int32_t>(minute / 1440);
    const int minuteOfDay = static_cast<int>(minute % 1440);
    const std::string date = St_Days_to_YMD(day);
    char text[32];
    std::snprintf(text, sizeof text, "%s/%s/%s %02d:%02d", date.substr(0, 4).c_str(),
                  date.substr(4, 2).c_str(), date.substr(6, 2).c_str(), minuteOfDay / 60,
                  minuteOfDay % 60);
    return text;
}

std::string MoonAgeText(double age) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", age);
    return text;
}

int DayStem(std::int32_t serial) {
    // 1 January 2000 (serial 730120) was a 戊午 day: stem 4.
    return static_cast<int>(((static_cast<long long>(serial) - 730120 + 4) % 10 + 10) % 10);
}
