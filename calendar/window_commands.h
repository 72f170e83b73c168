#pragma once

// What the calendar window does besides choosing the month: always-on-top, the clock tick,
// minimizing, the popup menu of the window without title bar, and the closing sequence that
// saves the settings.

#include <QPoint>

class CalendarWindow;

// After alwaysOnTopCommand's check mark was inverted: the topmost state follows it.
void AlwaysOnTopToggled(CalendarWindow& window);

// clockTimer: the clock shows the time; when the date has changed since the month was filled, the
// month is filled again so that the mark moves to the new today.
void ClockTick(CalendarWindow& window);

// The window's state changed (minimized, restored).
void WindowResized(CalendarWindow& window);

// The window was shown: a month that changed while it was hidden is filled now.
void WindowShown(CalendarWindow& window);

// Opens the popup menu popupMenu (the window without title bar) at `globalPos`.
void OpenPopupMenu(CalendarWindow& window, const QPoint& globalPos);

// The window is closing: normal state, position and changed settings saved (a failed write is
// reported once, naming the settings file), the notification-area form removed.
void ClosingSequence(CalendarWindow& window);

// Saves every changed setting of section Option while no calendar window is open, whose closing
// sequence would have done it; a failed write is reported as the closing sequence reports it.
void SaveOptions();
