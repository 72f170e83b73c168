#pragma once

// Serial days, date texts and calendar arithmetic in the proleptic Gregorian calendar.
//
// A date text is exactly eight characters "yyyymmdd"; a serial day counts the days since
// 31 December of the year 0 (serial 1 = 1 January of the year 1). Weekday numbers run
// 1 = Sunday ... 7 = Saturday.

#include <cstdint>
#include <string>
#include <string_view>

// Serial of 31 December 9999, the last day the system supports.
inline constexpr std::int32_t MaxSerialDay = 3652059;

// Length of a month: 31, 30, 29 or 28; 0 when the month is outside 1..12.
std::int16_t St_DaysInMonth(std::int16_t year, std::int16_t month);

// Serial day of a date text. The month and day are not validated: a day beyond its month rolls
// over into the next month and day 0 is the last day of the previous month.
std::int32_t St_YMD_to_Days(std::string_view date);

// Date text of a serial day (1..3652425). Above that: error message through the engine host and
// the empty text.
std::string St_Days_to_YMD(std::int32_t serial);

// The date text n days after `date` (n < 0: before). When the result would leave
// 00010101..99991231, shows the range message through the engine host and returns `date`
// unchanged.
std::string St_AddDays(std::string_view date, std::int32_t n);

// serial(b) - serial(a); negative when b is earlier.
std::int32_t St_DaysBetween(std::string_view a, std::string_view b);

// The span between two date texts, in either order, as "YYYYMMDD": years, months and days.
std::string St_YMD_Span(std::string_view a, std::string_view b);

// Weekday number 1 (Sunday) ... 7 (Saturday) of a serial day.
std::int16_t St_Weekday(std::int32_t serial);

// The one-letter name of weekday number 1 (Sunday, "日") ... 7 (Saturday, "土"), UTF-8; the empty
// text for any other number.
std::string_view WeekdayLetter(int weekday);

// The date text of year, month and day: "0000" + "00" + "00" formats, concatenated.
std::string MakeDateText(int year, int month, int day);
