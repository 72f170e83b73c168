#pragma once

// Reading the arguments of korin's commands. Every function throws UsageError with a message for
// the user when the text is not what it must be.

#include <cstdint>
#include <string>
#include <vector>

// A DATE argument, "yyyymmdd" or "yyyy-mm-dd", a real date of the years 1 to 9999, as the date
// text "yyyymmdd".
std::string ParseDateArgument(const std::string& text);

// The optional DATE at `index` of `args`, or today's local date when it is absent.
std::string DateArgumentOrToday(const std::vector<std::string>& args, std::size_t index);

// A year 1..9999.
std::int16_t ParseYearArgument(const std::string& text);

// A month 1..12.
std::int16_t ParseMonthArgument(const std::string& text);

// A signed whole number of days; values beyond the 32-bit range are held at its limits (every
// such count leaves the calendar anyway).
std::int32_t ParseDayCountArgument(const std::string& text);

// Throws unless args.size() lies within min..max.
void RequireArgumentCount(const std::vector<std::string>& args, std::size_t min, std::size_t max);

// Today's local date as a date text.
std::string TodayDateText();
