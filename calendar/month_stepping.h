#pragma once

// Choosing the month: the two entry boxes (year, month), their arrow keys and their validation,
// and the two scroll bars whose change handling copies the value into its box and fills the
// month. The boxes and the scroll bars are kept equal; other code sets the year or month by
// setting a scroll bar's value.

class CalendarWindow;

// Up (step −1) and Down (step +1) in box k (0 year, 1 month): the box's number one lower or
// higher, crossing into the year before or after from the month box. The boxes' own validation
// (the spin pairs) keeps them within 1..9999 and 1..12 and sets the scroll bars.
void BoxArrowKey(CalendarWindow& window, int k, int step);

// The ranges of the boxes and the scroll bars: years 1..9999 on a bar of 0..9999, months 1..12
// on a bar of 0..13 (0 and 13 are the steps beyond January and December).
void SetMonthRanges(CalendarWindow& window);

// After the value of scroll bar k changed: turns the month steps 0 and 13 into December of the
// year before and January of the year after, copies the value into box k, and fills the month
// when the window is visible (else the month is filled when the window is shown again).
void StepMonth(CalendarWindow& window, int k);

// "今月(&T)": the scroll bars to today's year and month.
void ShowThisMonth(CalendarWindow& window);
