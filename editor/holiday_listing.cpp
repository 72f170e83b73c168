#include "editor/holiday_listing.h"

#include "date/serial.h"

#include <array>
#include <utility>

namespace {

// The weekday signs, Sunday first, as UTF-8 (each three bytes).
constexpr std::array<const char*, 7> WeekdaySigns = {"日", "月", "火", "水", "木", "金", "土"};

} // namespace

void SortYearHolidays(std::vector<YearHoliday>& holidays) {
    const std::size_t n = holidays.size();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            if (holidays[i].MonthDay < holidays[j].MonthDay) {
                std::swap(holidays[i], holidays[j]);
            }
        }
    }
}

void AppendListingLines(std::string& out, int year, const std::vector<YearHoliday>& holidays) {
    const std::string yearText = std::to_string(year);
    for (const YearHoliday& holiday : holidays) {
        const std::string& md = holiday.MonthDay; // "mmdd"
        const std::string month = md.substr(0, 2);
        const std::string day = md.size() >= 4 ? md.substr(2, 2) : std::string();
        const std::string date = MakeDateText(year, 1, 1).substr(0, 4) + md;
        const int weekday = St_Weekday(St_YMD_to_Days(date)); // 1 = Sunday ... 7 = Saturday
        out += yearText;
        out += '/';
        out += month;
        out += '/';
        out += day;
        out += "\t(";
        out += WeekdaySigns[static_cast<std::size_t>(((weekday - 1) % 7 + 7) % 7)];
        out += ")\t";
        out += holiday.Name;
        out += "\r\n";
    }
}

std::string HolidayListing(int first, int last) {
    std::string out;
    std::vector<YearHoliday> holidays;
    for (int year = first; year <= last; ++year) {
        // Asking for 1 January makes YearHolidays hold the whole year. The engine's list is
        // copied before sorting, so its own order, which decides lookups, stays as it is.
        St_HolidayName(static_cast<std::int16_t>(year), 1, 1);
        holidays.assign(YearHolidays.begin(), YearHolidays.end());
        SortYearHolidays(holidays);
        AppendListingLines(out, year, holidays);
    }
    return out;
}
