#pragma once

// The text of the holiday list: one line per holiday, "y/mm/dd", a tab, the weekday in
// parentheses, a tab, the name, CR LF. The lines are the engine's ListedHolidays, the same days in
// the same order as every other list of holidays.

#include <string>

// The whole listing of the years first..last (1 <= first <= last <= 9999) from the loaded
// definitions, in UTF-8. Years without holidays give no line.
std::string HolidayListing(int first, int last);
