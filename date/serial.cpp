#include "date/serial.h"

#include "date/calendar_math.h"
#include "date/host.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace calendar_math {

void appendPadded(std::string& out, std::int64_t value, int width) {
    char digits[24];
    int n = 0;
    // Work on the negative side so that the smallest int64 needs no special case.
    std::int64_t v = value < 0 ? value : -value;
    do {
        digits[n++] = static_cast<char>('0' - v % 10);
        v /= 10;
    } while (v != 0);
    if (value < 0) {
        out.push_back('-');
    }
    for (int i = n; i < width; ++i) {
        out.push_back('0');
    }
    while (n > 0) {
        out.push_back(digits[--n]);
    }
}

std::string dateText(std::int64_t year, std::int64_t month, std::int64_t day) {
    if (year >= 0 && year <= 9999 && month >= 0 && month <= 99 && day >= 0 && day <= 99) {
        std::string text(8, '0');
        auto y = static_cast<int>(year);
        text[0] = static_cast<char>('0' + y / 1000);
        text[1] = static_cast<char>('0' + y / 100 % 10);
        text[2] = static_cast<char>('0' + y / 10 % 10);
        text[3] = static_cast<char>('0' + y % 10);
        text[4] = static_cast<char>('0' + month / 10);
        text[5] = static_cast<char>('0' + month % 10);
        text[6] = static_cast<char>('0' + day / 10);
        text[7] = static_cast<char>('0' + day % 10);
        return text;
    }
    std::string text;
    appendPadded(text, year, 4);
    appendPadded(text, month, 2);
    appendPadded(text, day, 2);
    return text;
}

std::int64_t leadingNumber(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 10 - 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > limit) {
            return negative ? std::numeric_limits<std::int64_t>::min()
                            : std::numeric_limits<std::int64_t>::max();
        }
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

TextDate parseDateText(std::string_view text) {
    auto field = [&](std::size_t start, std::size_t length) -> int {
        if (start >= text.size()) {
            return 0;
        }
        // At most four characters: the value always fits an int.
        return static_cast<int>(leadingNumber(text.substr(start, length)));
    };
    std::size_t dayStart = text.size() >= 2 ? text.size() - 2 : 0;
    return {field(0, 4), field(4, 2), field(dayStart, 2)};
}

} // namespace calendar_math

namespace {

// Serial of 31 December of the year 10000, the last serial St_Days_to_YMD converts.
constexpr std::int32_t LastConvertibleSerial = 3652425;

} // namespace

std::int16_t St_DaysInMonth(std::int16_t year, std::int16_t month) {
    return static_cast<std::int16_t>(calendar_math::daysInMonth(year, month));
}

std::int32_t St_YMD_to_Days(std::string_view date) {
    // Fields hold at most four characters, so the serial stays well inside 32 bits. A month
    // outside 1..12 rolls over into the neighbouring years, as a day beyond its month rolls
    // into the next month.
    return static_cast<std::int32_t>(calendar_math::serialOfText(date));
}

std::string St_Days_to_YMD(std::int32_t serial) {
    // A serial below 1 lies before the calendar starts and is rejected like one past its end.
    if (serial < 1 || serial > LastConvertibleSerial) {
        CurrentEngineHost().showError("エラーが発生しました。(St_Days_to_YMD)");
        return {};
    }
    calendar_math::Civil c = calendar_math::civilOf(serial);
    return calendar_math::dateText(c.year, c.month, c.day);
}

std::string St_AddDays(std::string_view date, std::int32_t n) {
    std::int64_t a = St_YMD_to_Days(date);
    std::int64_t target = a + n;
    if (target > MaxSerialDay) {
        CurrentEngineHost().showError("日数が大き過ぎます。 西暦9999年12月31日まで " +
                                      std::to_string(MaxSerialDay - a) + "日");
        return std::string(date);
    }
    if (target < 1) {
        CurrentEngineHost().showError("日数が大き過ぎます。 西暦1年1月1日まで " +
                                      std::to_string(a - 1) + "日");
        return std::string(date);
    }
    return St_Days_to_YMD(static_cast<std::int32_t>(target));
}

std::int32_t St_DaysBetween(std::string_view a, std::string_view b) {
    return St_YMD_to_Days(b) - St_YMD_to_Days(a);
}

std::string St_YMD_Span(std::string_view a, std::string_view b) {
    if (a == b) {
        return "00000000";
    }
    std::string_view s = a < b ? a : b;
    std::string_view e = a < b ? b : a;
    calendar_math::TextDate start = calendar_math::parseDateText(s);
    calendar_math::TextDate end = calendar_math::parseDateText(e);
    int y1 = start.year;
    int m1 = start.month;
    int d1 = start.day;
    int y2 = end.year;
    int m2 = end.month;
    int d2 = end.day;

    // Days are always borrowed with the length of the start month.
    int startMonthLength = calendar_math::daysInMonth(y1, m1);
    int years = 0;
    int months = 0;
    int days = 0;
    std::string endOfStartYear(s.substr(0, 4));
    endOfStartYear += "1231";
    if (y2 >= y1 && m2 >= m1 && d2 >= d1) {
        years = y2 - y1;
        months = m2 - m1;
        days = d2 - d1;
    } else if (e < endOfStartYear) {
        days = startMonthLength - d1 + d2;
        months = m2 - m1 - 1;
        years = 0;
    } else {
        if (d2 < d1) {
            days = startMonthLength - d1 + d2;
            --m2;
        } else {
            days = d2 - d1;
        }
        if (m2 < m1) {
            months = m2 + 12 - m1;
            --y2;
        } else {
            months = m2 - m1;
        }
        years = y2 - y1;
    }
    std::string text;
    calendar_math::appendPadded(text, years, 4);
    calendar_math::appendPadded(text, months, 2);
    calendar_math::appendPadded(text, days, 2);
    return text;
}

std::int16_t St_Weekday(std::int32_t serial) {
    // Floored remainder, so that serials below 1 also give 1..7.
    return static_cast<std::int16_t>(calendar_math::weekdayOf(serial));
}

std::string_view WeekdayLetter(int weekday) {
    // The Japanese weekday letters, Sunday first.
    static constexpr std::string_view Letters[] = {"日", "月", "火", "水", "木", "金", "土"};
    if (weekday < 1 || weekday > 7) {
        return {};
    }
    return Letters[weekday - 1];
}

std::string MakeDateText(int year, int month, int day) {
    return calendar_math::dateText(year, month, day);
}
