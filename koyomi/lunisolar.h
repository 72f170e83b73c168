#pragma once

// Numbering the months of the 旧暦 (the lunisolar calendar of the 天保暦 as it is reckoned today),
// on JST days.

#include <cstdint>
#include <vector>

struct LunarMonth {
    std::int32_t start;  // serial day of the new moon that begins it
    std::int16_t number; // 1..12
    bool leap;           // 閏: numbered like the month before it
};

// The months from the one holding a 冬至 up to, not including, the one holding the next 冬至.
//
// `starts`: the first days of those months and, last, the first day of the month holding the next
// 冬至 (13 or 14 entries). `chukiDays`: the days of every 中気 (the Sun at a multiple of 30°) from
// the first 冬至 on. A month holds a 中気 when the 中気's day falls within it.
//
// The month holding 冬至 is the 11th. With twelve months in the span they are numbered 11, 12, 1,
// …, 10 in turn. With thirteen, the first month that holds no 中気 is the leap month and takes the
// number of the month before it; a month without a 中気 in a twelve-month span is no leap month.
// This also settles the years the rules leave open (2033–2034) as the Japanese calendar
// associations recommend: the month after the 11th of 2033 holds no 中気 and is the first such
// month of the thirteen, so it is 閏11月.
std::vector<LunarMonth> NumberLunarMonths(const std::vector<std::int32_t>& starts,
                                          const std::vector<std::int32_t>& chukiDays);
