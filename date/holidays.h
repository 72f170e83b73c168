#pragma once

// Holiday resolution: the holidays of the definitions, the equinox days, the national holiday
// between two holidays and the substitute holidays, computed once per year.

#include <cstdint>
#include <string>
#include <vector>

struct YearHoliday {
    std::string MonthDay; // "mmdd"
    std::string Name;     // UTF-8
};

// The holidays of CachedYear, in the order they were resolved (see St_HolidayName).
// YearHolidayCount always equals YearHolidays.size().
extern std::vector<YearHoliday> YearHolidays;
extern std::int16_t YearHolidayCount;
// The year whose holidays YearHolidays holds; 0 = none (also after St_LoadDefinitions).
extern std::int16_t CachedYear;

// The holiday name of a valid date of the years 1..9999, or the empty text. Rebuilds
// YearHolidays when `year` differs from CachedYear: definitions and equinox days sorted by
// MonthDay, then the national holidays, then the substitute holidays. A definition in force that
// year with a kind other than 1 or 2 is reported through the engine host and ends the program.
std::string St_HolidayName(std::int16_t year, std::int16_t month, std::int16_t day);

// Sorts a holiday list ascending by MonthDay with the exchange procedure that fixes the order of
// entries with equal MonthDay: for each position i, for each position j, entries i and j change
// places when MonthDay(i) < MonthDay(j) (ordinal comparison).
void ExchangeSortByMonthDay(std::vector<YearHoliday>& list);
