#pragma once

// Start-up of the calendar: the one calendar window in use, the routine that opens it (at program
// start and again when the options dialog re-creates the window), and the window's load sequence.

#include <QPointer>

class CalendarWindow;

// The calendar window in use (TitledCalendarWindow or FramelessCalendarWindow); null while none is
// open. Set before the window's load sequence runs, so code inside it already acts on the new
// window. The dialogs and the notification-area form reach the calendar only through it.
extern QPointer<CalendarWindow> CurrentCalendar;

// Refuses a second running copy ("既に起動されています。", then the program ends at once), reads
// ShowMenu from the settings file and opens TitledCalendarWindow (1) or FramelessCalendarWindow
// (0); any other value opens nothing. Returns when the window is shown.
void StartCalendar();

// The load sequence of a calendar window: settings, size, position, definition files, today's
// month, appearance, the day grid filled once, the clock timer; then the window is shown.
void LoadCalendar(CalendarWindow& window);
