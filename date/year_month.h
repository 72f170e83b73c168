#pragma once

// A month of the calendar, as the windows page through them.

#include <cstdint>

struct YearMonth {
    std::int32_t year = 1;
    std::int32_t month = 1; // 1..12

    friend bool operator==(const YearMonth&, const YearMonth&) = default;
};

// The first and the last month the system shows.
inline constexpr YearMonth FirstYearMonth{1, 1};
inline constexpr YearMonth LastYearMonth{9999, 12};

// The month `months` months after `from` (before it when negative), the year changing at
// December and January. A step that would leave January 1 .. December 9999 returns `from`.
YearMonth StepMonths(YearMonth from, std::int32_t months);
