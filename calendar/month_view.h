#pragma once

// The month shown on the calendar panel: the day cells made once per window, and the month of
// the two entry boxes written into them.

class CalendarWindow;

// Widens the panel to 2430 twips, makes cells 1..43 as copies of cell 0, places all 44, writes
// the weekday header into row 0 and hides the day rows; brings today's rectangle to the front.
void BuildDayGrid(CalendarWindow& window);

// Writes the month of the year and month boxes into the day cells: day numbers, Saturday, Sunday
// and holiday colours, holiday names as tool tips, the mark on today, and the era label.
void FillMonth(CalendarWindow& window);
