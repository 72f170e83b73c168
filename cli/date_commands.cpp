#include "cli/arguments.h"
#include "cli/command.h"
#include "date/eras.h"
#include "date/holidays.h"
#include "date/serial.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Ymd {
    std::int16_t year;
    std::int16_t month;
    std::int16_t day;
};

// The fields of a valid date text.
Ymd fieldsOf(const std::string& date) {
    return {static_cast<std::int16_t>(std::stoi(date.substr(0, 4))),
            static_cast<std::int16_t>(std::stoi(date.substr(4, 2))),
            static_cast<std::int16_t>(std::stoi(date.substr(6, 2)))};
}

} // namespace

int RunHolidays(const std::vector<std::string>& args, std::string& out) {
    RequireArgumentCount(args, 1, 2);
    std::int16_t first = ParseYearArgument(args[0]);
    std::int16_t last = args.size() > 1 ? ParseYearArgument(args[1]) : first;
    if (last < first) {
        throw UsageError("LAST が FIRST より前です: " + args[0] + " " + args[1]);
    }
    for (int y = first; y <= last; ++y) {
        for (const ListedHoliday& holiday : ListedHolidays(static_cast<std::int16_t>(y))) {
            const std::string date = MakeDateText(y, holiday.Month, holiday.Day);
            const int weekday = St_Weekday(St_YMD_to_Days(date));
            out += std::to_string(y) + "/" + date.substr(4, 2) + "/" + date.substr(6, 2) + "\t(" +
                   std::string(WeekdayLetter(weekday)) + ")\t" + holiday.Name + "\n";
        }
    }
    return 0;
}

int RunName(const std::vector<std::string>& args, std::string& out) {
    RequireArgumentCount(args, 0, 1);
    Ymd d = fieldsOf(DateArgumentOrToday(args, 0));
    std::string name = St_HolidayName(d.year, d.month, d.day);
    if (name.empty()) {
        return 1;
    }
    out += name + "\n";
    return 0;
}

int RunEra(const std::vector<std::string>& args, std::string& out) {
    RequireArgumentCount(args, 0, 1);
    const std::string text = EraDateText(DateArgumentOrToday(args, 0));
    if (text.empty()) {
        return 1;
    }
    out += text + "\n";
    return 0;
}

int RunLabel(const std::vector<std::string>& args, std::string& out) {
    RequireArgumentCount(args, 2, 2);
    const std::string label =
        MonthEraLabel(ParseYearArgument(args[0]), ParseMonthArgument(args[1]));
    if (!label.empty()) {
        out += label + "\n";
    }
    return 0;
}

int RunAdd(const std::vector<std::string>& args, std::string& out) {
    RequireArgumentCount(args, 2, 2);
    std::string date = ParseDateArgument(args[0]);
    std::int32_t n = ParseDayCountArgument(args[1]);
    std::int64_t target = std::int64_t{St_YMD_to_Days(date)} + n;
    std::string result = St_AddDays(date, n); // reports a range error on standard error
    if (target < 1 || target > MaxSerialDay) {
        return 2;
    }
    out += result + "\n";
    return 0;
}

int RunBetween(const std::vector<std::string>& args, std::string& out) {
    RequireArgumentCount(args, 2, 2);
    std::string a = ParseDateArgument(args[0]);
    std::string b = ParseDateArgument(args[1]);
    out += std::to_string(St_DaysBetween(a, b)) + "\n";
    return 0;
}

int RunSpan(const std::vector<std::string>& args, std::string& out) {
    RequireArgumentCount(args, 2, 2);
    std::string a = ParseDateArgument(args[0]);
    std::string b = ParseDateArgument(args[1]);
    out += St_YMD_Span(a, b) + "\n";
    return 0;
}
