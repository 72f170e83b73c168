#pragma once

// The text of the holiday list: one line per holiday, "y/mm/dd", a tab, the weekday in
// parentheses, a tab, the name, CR LF.

#include "date/holidays.h"

#include <string>
#include <vector>

// Orders one year's holidays by MonthDay with the list's own exchange procedure (for every i, for
// every j: exchange i and j when MonthDay(i) < MonthDay(j)); holidays of the same day keep the
// order that procedure leaves.
void SortYearHolidays(std::vector<YearHoliday>& holidays);

// Appends the lines of `holidays` (already sorted) of `year` to `out` (UTF-8).
void AppendListingLines(std::string& out, int year, const std::vector<YearHoliday>& holidays);

// The whole listing of the years first..last (1 <= first <= last <= 9999) from the loaded
// definitions, in UTF-8. Years without holidays give no line.
std::string HolidayListing(int first, int last);
