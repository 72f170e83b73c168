#include "cli/arguments.h"

#include "cli/command.h"
#include "date/serial.h"
#include "platform/program_environment.h"

#include <cstdint>
#include <ctime>
#include <limits>
#include <string>
#include <vector>

namespace {

bool allDigits(const std::string& text, std::size_t from, std::size_t count) {
    if (from + count > text.size()) {
        return false;
    }
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return true;
}

int digitsValue(const std::string& text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// A whole number of at most `maxDigits` digits, or -1.
int smallNumber(const std::string& text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits || !allDigits(text, 0, text.size())) {
        return -1;
    }
    return digitsValue(text, 0, text.size());
}

} // namespace

std::string ParseDateArgument(const std::string& text) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (text.size() == 8 && allDigits(text, 0, 8)) {
        year = digitsValue(text, 0, 4);
        month = digitsValue(text, 4, 2);
        day = digitsValue(text, 6, 2);
    } else if (text.size() == 10 && text[4] == '-' && text[7] == '-' && allDigits(text, 0, 4) &&
               allDigits(text, 5, 2) && allDigits(text, 8, 2)) {
        year = digitsValue(text, 0, 4);
        month = digitsValue(text, 5, 2);
        day = digitsValue(text, 8, 2);
    } else {
        throw UsageError("日付は yyyymmdd か yyyy-mm-dd で指定してください: " + text);
    }
    if (year < 1 || month < 1 || month > 12 || day < 1 ||
        day > St_DaysInMonth(static_cast<std::int16_t>(year), static_cast<std::int16_t>(month))) {
        throw UsageError("存在しない日付です: " + text);
    }
    return MakeDateText(year, month, day);
}

std::string DateArgumentOrToday(const std::vector<std::string>& args, std::size_t index) {
    return index < args.size() ? ParseDateArgument(args[index]) : TodayDateText();
}

std::int16_t ParseYearArgument(const std::string& text) {
    int year = smallNumber(text, 4);
    if (year < 1) {
        throw UsageError("年は 1 から 9999 で指定してください: " + text);
    }
    return static_cast<std::int16_t>(year);
}

std::int16_t ParseMonthArgument(const std::string& text) {
    int month = smallNumber(text, 2);
    if (month < 1 || month > 12) {
        throw UsageError("月は 1 から 12 で指定してください: " + text);
    }
    return static_cast<std::int16_t>(month);
}

std::int32_t ParseDayCountArgument(const std::string& text) {
    std::size_t start = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (start >= text.size() || !allDigits(text, start, text.size() - start)) {
        throw UsageError("日数は整数で指定してください: " + text);
    }
    bool negative = text[0] == '-';
    std::int64_t value = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            return negative ? std::numeric_limits<std::int32_t>::min()
                            : std::numeric_limits<std::int32_t>::max();
        }
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

void RequireArgumentCount(const std::vector<std::string>& args, std::size_t min, std::size_t max) {
    if (args.size() < min) {
        throw UsageError("引数が足りません。");
    }
    if (args.size() > max) {
        throw UsageError("引数が多過ぎます: " + args[max]);
    }
}

std::string TodayDateText() {
    const std::tm local = LocalTimeOf(std::time(nullptr));
    return MakeDateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}
