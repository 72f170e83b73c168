#pragma once

// Choosing the month. The window's ShownMonth holds it; the year and month boxes and their
// scroll bars show it and move it: a typed number, Up and Down in a box, the bars' arrows (the
// month bar's 0 and 13 are the steps beyond January and December) and "今月(&T)". Each change
// fills the month when the window is visible, else when it is shown again.

#include "date/year_month.h"

class CalendarWindow;

// Connects the boxes, the scroll bars and the grid to the window's ShownMonth.
void ConnectMonthControls(CalendarWindow& window);

// The ranges of the boxes and the scroll bars: years 1..9999 on a bar of 0..9999, months 1..12
// on a bar of 0..13.
void SetMonthRanges(CalendarWindow& window);

// Shows `month` (kept within January 1 .. December 9999) in the boxes, the bars and the grid.
void ShowMonth(CalendarWindow& window, YearMonth month);

// "今月(&T)": today's year and month.
void ShowThisMonth(CalendarWindow& window);
