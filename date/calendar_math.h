#pragma once

// Integer calendar arithmetic shared by the engine's source files (not part of its interface).
// Every conversion goes through the serial day: serial 1 = 1 January of the year 1.

#include <cstdint>
#include <string>
#include <string_view>

namespace calendar_math {

// Serial of 1 January 1970; converts between serials and days since that epoch.
inline constexpr std::int32_t UnixEpochSerial = 719163;

// Proleptic Gregorian leap year rule.
constexpr bool isLeapYear(std::int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// 31, 30, 29 or 28; 0 for a month outside 1..12.
constexpr int daysInMonth(std::int64_t year, std::int64_t month) {
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return isLeapYear(year) ? 29 : 28;
    default:
        return 0;
    }
}

// Serial of year/month/day for any integers: a month outside 1..12 rolls over into the
// neighbouring years (month 13 = January of the next year, month 0 = December of the year
// before), a day beyond the month rolls into the following months, day 0 is the day before the
// first. Valid for years of at least -5,000,000 in magnitude.
constexpr std::int64_t serialOf(std::int64_t year, std::int64_t month, std::int64_t day) {
    std::int64_t m0 = month - 1;
    std::int64_t yearShift = m0 >= 0 ? m0 / 12 : -((11 - m0) / 12);
    year += yearShift;
    m0 -= yearShift * 12; // [0, 11]
    // Days from civil (years counted from 1 March so that the leap day ends the year).
    std::int64_t y = m0 < 2 ? year - 1 : year;
    std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    std::int64_t yoe = y - era * 400;                         // [0, 399]
    std::int64_t mp = (m0 + 10) % 12;                         // [0, 11], March = 0
    std::int64_t doy = (153 * mp + 2) / 5;                    // [0, 365]
    std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy; // [0, 146096]
    std::int64_t fromEpoch = era * 146097 + doe - 719468;     // days since 1970-01-01
    return fromEpoch + UnixEpochSerial + day - 1;             // day 1 = first of the month
}

struct Civil {
    std::int64_t year;
    int month; // 1..12
    int day;   // 1..31
};

// The date of a serial day (any serial).
constexpr Civil civilOf(std::int64_t serial) {
    std::int64_t z = serial - UnixEpochSerial + 719468; // days since 0000-03-01
    std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    std::int64_t doe = z - era * 146097;                                      // [0, 146096]
    std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365; // [0, 399]
    std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);               // [0, 365]
    std::int64_t mp = (5 * doy + 2) / 153;                                    // [0, 11]
    int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);                 // [1, 31]
    int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);                  // [1, 12]
    std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

// Weekday number 1 (Sunday) ... 7 (Saturday) of any serial; serial 1 is a Monday.
constexpr int weekdayOf(std::int64_t serial) {
    std::int64_t r = serial % 7;
    return static_cast<int>((r < 0 ? r + 7 : r) + 1);
}

// Appends `value` with at least `width` digits (leading zeros), a minus sign before negative
// values: the numeric formats "0000" and "00".
void appendPadded(std::string& out, std::int64_t value, int width);

// "yyyymmdd" for the years 0..9999 and months and days 0..99 without any allocation beyond the
// string's own small buffer; other values through appendPadded.
std::string dateText(std::int64_t year, std::int64_t month, std::int64_t day);

// The fields of a date text: characters 1-4, 5-6 and the last two. Each field is read as an
// optional sign followed by digits; a field that does not start with one reads as 0, and
// characters beyond the end of the text are absent. Never reads outside the text.
struct TextDate {
    int year;
    int month;
    int day;
};
TextDate parseDateText(std::string_view text);

// The leading number of a text (optional sign and digits, nothing else), 0 when there is none;
// saturates at the limits of int64.
std::int64_t leadingNumber(std::string_view text);

// The serial of a date text, with the roll-overs of serialOf.
inline std::int64_t serialOfText(std::string_view text) {
    TextDate d = parseDateText(text);
    return serialOf(d.year, d.month, d.day);
}

} // namespace calendar_math
