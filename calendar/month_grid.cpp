#include "calendar/month_grid.h"

#include "date/serial.h"

namespace month_grid {

QString headerText(int column) {
    return QString::fromUtf8(WeekdayLetter(column + 1));
}

int firstWeekdayOfMonth(int year, int month) {
    return St_Weekday(St_YMD_to_Days(MakeDateText(year, month, 1)));
}

MonthLayout layoutMonth(int year, int month) {
    MonthLayout layout;
    layout.firstWeekday = firstWeekdayOfMonth(year, month);
    layout.daysInMonth =
        St_DaysInMonth(static_cast<std::int16_t>(year), static_cast<std::int16_t>(month));
    for (int cell = FirstDayCell; cell < CellCount; ++cell) {
        layout.day[cell] = dayOfCell(cell, layout.firstWeekday, layout.daysInMonth);
    }
    return layout;
}

} // namespace month_grid
