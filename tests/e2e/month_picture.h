#pragma once

// Reading the month a calendar window shows from a picture of it. The grid is found from the
// picture itself: the weekday header's "日" (in the Sunday colour) and "土" (in the Saturday
// colour) give the first and last column and the header row; the cells lie 350 twips apart across
// and 280 twips down, as the calendar lays them out. Each day cell is then told apart by the
// colour of its text.

#include <QImage>
#include <QPoint>
#include <QString>
#include <array>
#include <optional>
#include <set>
#include <string>

namespace e2e {

enum class Ink {
    Empty,    // no day in the cell
    Plain,    // text in the ordinary colour (dark)
    Saturday, // text in the Saturday colour (blue)
    Holiday,  // text in the Sunday and holiday colour (red)
};

// Cells 0 to 43 as the calendar numbers them: column i mod 7 (0 = Sunday), row i div 7 (row 0 is
// the header).
using MonthInks = std::array<Ink, 44>;

struct MonthPicture {
    MonthInks inks{};
    std::array<QPoint, 44> centres{}; // cell centres in the picture's pixels
};

// Reads the cells; nullopt when the header cannot be found.
std::optional<MonthPicture> ReadMonth(const QImage& picture);

// What a month of the proleptic Gregorian calendar looks like with the default colours: days in
// their cells, Sundays and `holidays` (days of the month) red, other Saturdays blue, the rest
// dark. The header cells stay Empty (they are not compared).
MonthInks ExpectedMonth(int year, int month, const std::set<int>& holidays);

// The days of `month` in a `korin holidays <year>` listing (lines "yyyy/mm/dd ...").
std::set<int> HolidayDaysIn(const QString& listing, int year, int month);

// "1: Holiday, 2: Plain, ..." for failure messages: the days' cells only.
std::string Describe(const MonthInks& inks);

} // namespace e2e
