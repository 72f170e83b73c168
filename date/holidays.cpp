#include "date/holidays.h"

#include "date/calendar_math.h"
#include "date/definitions.h"
#include "date/host.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

std::vector<YearHoliday> YearHolidays;
std::int16_t YearHolidayCount = 0;
std::int16_t CachedYear = 0;

namespace {

using calendar_math::appendPadded;
using calendar_math::serialOf;
using calendar_math::weekdayOf;

constexpr int Sunday = 1;
constexpr int Monday = 2;
constexpr std::size_t InitialListRoom = 25;

// The four-character "mmdd" of month and day (numeric format "00" each).
std::string monthDay(std::int64_t month, std::int64_t day) {
    std::string text;
    appendPadded(text, month, 2);
    appendPadded(text, day, 2);
    return text;
}

// The serial of an entry's date in `year`, or -1 when its MonthDay is not a real date of that
// year (an nth weekday that the month does not have, a day 0 or 32). Such an entry is never a
// holiday, so it neither encloses a national holiday nor earns a substitute.
std::int64_t entrySerial(std::int64_t year, const std::string& md) {
    if (md.size() != 4 ||
        !std::all_of(md.begin(), md.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    int month = (md[0] - '0') * 10 + (md[1] - '0');
    int day = (md[2] - '0') * 10 + (md[3] - '0');
    if (day < 1 || day > calendar_math::daysInMonth(year, month)) {
        return -1;
    }
    return serialOf(year, month, day);
}

std::string monthDayOfSerial(std::int64_t serial) {
    calendar_math::Civil c = calendar_math::civilOf(serial);
    return monthDay(c.month, c.day);
}

// Equinox day of March (vernal) or September (autumnal) by the formula for the years it covers.
int equinoxDay(int year, int c) {
    return (31 * year + c) / 128 - year / 4 + year / 100;
}

void append(std::vector<YearHoliday>& list, std::string md, const char* name) {
    list.push_back(YearHoliday{std::move(md), name});
}

// The definitions in force in `year`, in table order. Returns false on a definition of
// unknown kind.
bool appendDefinitions(std::vector<YearHoliday>& list, int year) {
    std::size_t n = std::min(HolidayDefs.size(),
                             static_cast<std::size_t>(std::max<std::int16_t>(HolidayDefCount, 0)));
    for (std::size_t k = 0; k < n; ++k) {
        const HolidayDef& def = HolidayDefs[k];
        if (def.FromYear > year || (def.ToYear != 0 && year > def.ToYear)) {
            continue;
        }
        if (def.Kind == 1) {
            list.push_back(YearHoliday{monthDay(def.Month, def.Day), def.Name});
        } else if (def.Kind == 2) {
            // The Week-th occurrence of Weekday (0 = Sunday) in the month; computed in full
            // width, so that a huge Week yields a day that is simply not a real date.
            std::int64_t w1 = weekdayOf(serialOf(year, def.Month, 1));
            std::int64_t day = w1 > def.Weekday + 1
                                   ? 7 * std::int64_t{def.Week} + def.Weekday + 2 - w1
                                   : 7 * std::int64_t{def.Week} + def.Weekday - 5 - w1;
            list.push_back(YearHoliday{monthDay(def.Month, day), def.Name});
        } else {
            return false;
        }
    }
    return true;
}

// The day between two holidays: a Tuesday to Saturday enclosed by two neighbouring holidays of
// the sorted list.
void appendNationalHolidays(std::vector<YearHoliday>& list, int year) {
    std::vector<std::int64_t> days;
    days.reserve(list.size());
    for (const YearHoliday& entry : list) {
        std::int64_t serial = entrySerial(year, entry.MonthDay);
        if (serial > 0) {
            days.push_back(serial);
        }
    }
    for (std::size_t i = 0; i + 1 < days.size(); ++i) {
        std::int64_t x = days[i] + 1;
        if (x == days[i + 1] - 1 && weekdayOf(x) > Monday) {
            append(list, monthDayOfSerial(x), "国民の休日");
        }
    }
    // The pair of the last and the first holiday, across the year end: when the day after the
    // last has the month and day of the day before the first, that month and day of this year
    // is a candidate, tested with its own weekday in this year.
    if (days.size() >= 2) {
        std::string after = monthDayOfSerial(days.back() + 1);
        if (after == monthDayOfSerial(days.front() - 1)) {
            std::int64_t candidate = entrySerial(year, after);
            if (candidate > 0 && weekdayOf(candidate) > Monday) {
                append(list, after, "国民の休日");
            }
        }
    }
}

// A substitute holiday for every holiday that falls on a Sunday. `statutory` is the
// count of entries that came from the definitions and the equinox formulas (the list as it stood
// before the national holidays were appended).
//
// From January 2007 the substitute is the first day after the Sunday that is not itself a
// holiday of the definitions or an equinox day; a national holiday between two holidays is a day
// off but not such a holiday, so the substitute may fall on it (and then adds nothing). Before,
// from April 1973, it is simply the next day. Either way a day that already has an entry of any
// kind stays as it is: the substitute never moves on past it, and no day is listed twice.
void appendSubstituteHolidays(std::vector<YearHoliday>& list, int year, std::size_t statutory) {
    std::vector<std::int64_t> statutoryDays; // definitions and equinox days, ascending
    std::vector<std::int64_t> listed;        // every real day with an entry, ascending
    std::vector<std::int64_t> sundays;
    std::vector<int> sundayMonths;
    for (std::size_t k = 0; k < list.size(); ++k) {
        const YearHoliday& entry = list[k];
        std::int64_t serial = entrySerial(year, entry.MonthDay);
        if (serial <= 0) {
            continue;
        }
        listed.push_back(serial);
        if (k < statutory) {
            statutoryDays.push_back(serial);
        }
        if (weekdayOf(serial) == Sunday) {
            sundays.push_back(serial);
            sundayMonths.push_back((entry.MonthDay[0] - '0') * 10 + (entry.MonthDay[1] - '0'));
        }
    }
    std::sort(statutoryDays.begin(), statutoryDays.end());
    std::sort(listed.begin(), listed.end());
    auto isStatutory = [&](std::int64_t serial) {
        return std::binary_search(statutoryDays.begin(), statutoryDays.end(), serial);
    };
    std::int64_t lastOfYear = serialOf(year, 12, 31);
    std::vector<std::int64_t> added;
    for (std::size_t i = 0; i < sundays.size(); ++i) {
        std::int32_t ym = year * 100 + sundayMonths[i];
        std::int64_t substitute = sundays[i] + 1;
        // 200701: Act on National Holidays, amendment of 2005, in force from 1 January 2007.
        // 197304: the amendment of 1973, in force from 12 April 1973.
        if (ym >= 200701) {
            while (isStatutory(substitute)) {
                ++substitute;
            }
        } else if (ym < 197304) {
            continue;
        }
        // A substitute that falls into the next year is not a holiday of this year's list; one
        // on a day that is a holiday already (or was made a substitute by an earlier Sunday of
        // the same run) adds nothing.
        if (substitute > lastOfYear ||
            std::binary_search(listed.begin(), listed.end(), substitute) ||
            std::find(added.begin(), added.end(), substitute) != added.end()) {
            continue;
        }
        added.push_back(substitute);
        append(list, monthDayOfSerial(substitute), "振替休日");
    }
}

// Builds YearHolidays for `year`. Returns false on a definition of unknown kind.
bool buildYear(int year) {
    std::vector<YearHoliday>& list = YearHolidays;
    list.clear();
    list.reserve(InitialListRoom);
    // No holidays outside the supported years.
    if (year < 1 || year > 9999) {
        return true;
    }
    if (!appendDefinitions(list, year)) {
        return false;
    }
    // Act on National Holidays of 1948, in force from 20 July 1948 (first vernal equinox day
    // 1949, first autumnal one 1948); the equinox formula holds to 2150.
    if (year >= 1949 && year <= 2150) {
        int day = equinoxDay(year, year <= 1999 ? 2213 : 2089);
        append(list, monthDay(3, day), "春分の日");
    }
    if (year >= 1948 && year <= 2150) {
        int day = equinoxDay(year, year <= 1999 ? 2525 : 2395);
        append(list, monthDay(9, day), "秋分の日");
    }
    ExchangeSortByMonthDay(list);
    const std::size_t statutory = list.size();
    // Act on National Holidays, amendment of 1985, in force from 27 December 1985.
    if (year > 1985) {
        appendNationalHolidays(list, year);
    }
    appendSubstituteHolidays(list, year, statutory);
    return true;
}

} // namespace

void ExchangeSortByMonthDay(std::vector<YearHoliday>& list) {
    std::size_t n = list.size();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            if (list[i].MonthDay < list[j].MonthDay) {
                std::swap(list[i], list[j]);
            }
        }
    }
}

std::string St_HolidayName(std::int16_t year, std::int16_t month, std::int16_t day) {
    if (year != CachedYear || CachedYear == 0) {
        // Until the list is complete no year is held, so a failed build is never reused.
        CachedYear = 0;
        if (!buildYear(year)) {
            YearHolidays.clear();
            YearHolidayCount = 0;
            EngineHost& host = CurrentEngineHost();
            host.showError("「Korin1.csv」ファイルの設定が間違っています。");
            host.endProgram();
        }
        CachedYear = year;
        YearHolidayCount =
            static_cast<std::int16_t>(std::min<std::size_t>(YearHolidays.size(), INT16_MAX));
    }
    // A day that does not exist is no holiday, even if a rule names it.
    if (month < 1 || month > 12 || day < 1 || day > calendar_math::daysInMonth(year, month)) {
        return {};
    }
    const char key[4] = {static_cast<char>('0' + month / 10), static_cast<char>('0' + month % 10),
                         static_cast<char>('0' + day / 10), static_cast<char>('0' + day % 10)};
    for (const YearHoliday& entry : YearHolidays) {
        if (entry.MonthDay.size() == 4 && std::memcmp(entry.MonthDay.data(), key, 4) == 0) {
            return entry.Name;
        }
    }
    return {};
}

std::vector<ListedHoliday> ListedHolidays(std::int16_t year) {
    St_HolidayName(year, 1, 1); // makes YearHolidays hold the whole year
    std::vector<YearHoliday> sorted = YearHolidays;
    ExchangeSortByMonthDay(sorted);
    std::vector<ListedHoliday> listed;
    listed.reserve(sorted.size());
    for (YearHoliday& entry : sorted) {
        const std::int64_t serial = entrySerial(year, entry.MonthDay);
        if (serial <= 0) {
            continue;
        }
        const calendar_math::Civil c = calendar_math::civilOf(serial);
        listed.push_back(ListedHoliday{static_cast<std::int16_t>(c.month),
                                       static_cast<std::int16_t>(c.day), std::move(entry.Name)});
    }
    return listed;
}
