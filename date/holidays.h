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

// One line of a holiday list: a day that exists and its holiday's name.
struct ListedHoliday {
    std::int16_t Month = 0; // 1..12
    std::int16_t Day = 0;   // 1..31, a day of that month
    std::string Name;       // UTF-8
};

// The holidays of `year` (1..9999) as every list of holidays shows them: YearHolidays ordered by
// ExchangeSortByMonthDay, without the entries whose MonthDay is no day of that year (a fifth
// weekday that the month lacks, 31 February), which are no holidays. Leaves YearHolidays holding
// `year`, in its own order.
std::vector<ListedHoliday> ListedHolidays(std::int16_t year);
