#include "editor/holiday_listing.h"

#include "date/holidays.h"
#include "date/serial.h"

#include <array>
#include <cstdint>

namespace {

// The weekday signs, Sunday first, as UTF-8 (each three bytes).
constexpr std::array<const char*, 7> WeekdaySigns = {"日", "月", "火", "水", "木", "金", "土"};

} // namespace

std::string HolidayListing(int first, int last) {
    std::string out;
    for (int year = first; year <= last; ++year) {
        const std::string yearText = std::to_string(year);
        for (const ListedHoliday& holiday : ListedHolidays(static_cast<std::int16_t>(year))) {
            const std::string date = MakeDateText(year, holiday.Month, holiday.Day);
            const int weekday = St_Weekday(St_YMD_to_Days(date)); // 1 = Sunday ... 7 = Saturday
            out += yearText;
            out += '/';
            out += date.substr(4, 2);
            out += '/';
            out += date.substr(6, 2);
            out += "\t(";
            out += WeekdaySigns[static_cast<std::size_t>(weekday - 1)];
            out += ")\t";
            out += holiday.Name;
            out += "\r\n";
        }
    }
    return out;
}
