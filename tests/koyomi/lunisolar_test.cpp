#include "koyomi/lunisolar.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Month starts 30 days apart from day 0, and a 中気 at the given offsets into each month
// (-1: none).
struct Span {
    std::vector<std::int32_t> starts;
    std::vector<std::int32_t> chukiDays;
};

Span spanOf(const std::vector<int>& chukiOffsets) {
    Span span;
    for (std::size_t i = 0; i <= chukiOffsets.size(); ++i) {
        span.starts.push_back(static_cast<std::int32_t>(30 * i));
    }
    for (std::size_t i = 0; i < chukiOffsets.size(); ++i) {
        if (chukiOffsets[i] >= 0) {
            span.chukiDays.push_back(static_cast<std::int32_t>(30 * i) + chukiOffsets[i]);
        }
    }
    span.chukiDays.push_back(span.starts.back() + 5); // the next 冬至
    return span;
}

std::vector<int> numbers(const std::vector<LunarMonth>& months) {
    std::vector<int> out;
    for (const LunarMonth& month : months) {
        out.push_back(month.leap ? -month.number : month.number);
    }
    return out;
}

} // namespace

TEST(NumberLunarMonths, TwelveMonthsRunFromTheEleventhWithoutALeapMonth) {
    const Span span = spanOf({3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25});
    EXPECT_EQ(numbers(NumberLunarMonths(span.starts, span.chukiDays)),
              (std::vector<int>{11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

// One month holds two 中気 and another none, yet twelve months lie between the two 冬至: no
// leap month (1965, 1984–85, 2033, 2052–53).
TEST(NumberLunarMonths, AMonthWithoutAChukiInATwelveMonthSpanIsNoLeapMonth) {
    Span span = spanOf({3, 5, 7, 9, 11, -1, 13, 15, 17, 19, 21, 23});
    span.chukiDays.push_back(30 * 6 + 1); // the month after the gap holds two
    EXPECT_EQ(numbers(NumberLunarMonths(span.starts, span.chukiDays)),
              (std::vector<int>{11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

// Thirteen months: only the first without a 中気 is the leap month, even when another follows.
TEST(NumberLunarMonths, OnlyTheFirstMonthWithoutAChukiOfThirteenIsTheLeapMonth) {
    const Span span = spanOf({3, 5, -1, 7, 9, 11, 13, -1, 15, 17, 19, 21, 23});
    EXPECT_EQ(numbers(NumberLunarMonths(span.starts, span.chukiDays)),
              (std::vector<int>{11, 12, -12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

// The 2033 case: the month right after the 11th holds no 中気, so it is 閏11月.
TEST(NumberLunarMonths, TheMonthAfterTheEleventhCanBeTheLeapMonth) {
    const Span span = spanOf({3, -1, 1, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25});
    EXPECT_EQ(numbers(NumberLunarMonths(span.starts, span.chukiDays)),
              (std::vector<int>{11, -11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

// A 中気 on the first day of a month is that month's, not the one before.
TEST(NumberLunarMonths, AChukiOnTheFirstDayBelongsToTheMonthItBegins) {
    const Span span = spanOf({3, 5, 7, 9, 11, 13, 15, -1, 0, 19, 21, 23, 25});
    EXPECT_EQ(numbers(NumberLunarMonths(span.starts, span.chukiDays)),
              (std::vector<int>{11, 12, 1, 2, 3, 4, 5, -5, 6, 7, 8, 9, 10}));
}
