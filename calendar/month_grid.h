#pragma once

// Geometry of the month grid: which cell of the 44 `dayCells` labels holds which day, and where
// each cell sits on the calendar panel. Pure functions; the window only reads them.
//
// Cells are numbered 0..43, seven to a row: column = cell mod 7 (0 = Sunday ... 6 = Saturday),
// row = cell div 7. Row 0 is the weekday header; rows 1..6 (cells 7..43) hold the days.

#include <QString>
#include <cstdint>
#include <string>

namespace month_grid {

inline constexpr int CellCount = 44;
inline constexpr int FirstDayCell = 7; // first cell of the day rows
inline constexpr int Columns = 7;

// Design size of a cell, in twips.
inline constexpr int CellWidthTwips = 315;
inline constexpr int CellHeightTwips = 255;

// The weekday header, one character per column from Sunday.
QString headerText(int column);

// Left and top of a cell on the panel, in twips: 30 + 350 × column, 80 + 280 × row.
inline constexpr int cellLeftTwips(int cell) {
    return 30 + 350 * (cell % Columns);
}
inline constexpr int cellTopTwips(int cell) {
    return 80 + 280 * (cell / Columns);
}

inline constexpr int columnOf(int cell) {
    return cell % Columns;
}

// The day shown in a day cell (7..43) of a month whose first day has weekday `firstWeekday`
// (1 = Sunday ... 7 = Saturday) and which has `daysInMonth` days; 0 when the cell stays empty.
inline constexpr int dayOfCell(int cell, int firstWeekday, int daysInMonth) {
    const int day = cell - 5 - firstWeekday; // [1 - 7, 38 - 1]
    return (day < 1 || day > daysInMonth) ? 0 : day;
}

// The cell that holds `day` (1..31) of a month whose first day has weekday `firstWeekday`.
inline constexpr int cellOfDay(int day, int firstWeekday) {
    return day + 5 + firstWeekday;
}

// Weekday (1 = Sunday ... 7 = Saturday) of the first day of a month of the years 1..9999.
int firstWeekdayOfMonth(int year, int month);

// The day numbers of a month as they fill the cells: result[cell] is the day or 0, for every
// cell 0..43 (the header cells are always 0).
struct MonthLayout {
    int firstWeekday = 1;
    int daysInMonth = 0;
    int day[CellCount] = {};
};
MonthLayout layoutMonth(int year, int month);

} // namespace month_grid
