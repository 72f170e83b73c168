#include "editor/holiday_listing.h"

#include "date/holidays.h"
#include "date/serial.h"

#include <cstdint>

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
            out += WeekdayLetter(weekday);
            out += ")\t";
            out += holiday.Name;
            out += "\r\n";
        }
    }
    return out;
}
