#pragma once

// Size, layout and look of the calendar window: the frame measure shared with the dialogs, the
// window size from the settings, the panel's place, the colours, the flat or 3D look, the
// transparent background and the clock strip.

#include <QString>
#include <cstdint>

class CalendarWindow;
class QTime;
class QWidget;

// Frame width and height of a window or bordered panel, in twips.
struct FrameSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The menu state of a window: 0 without any menu command, 1 with commands none of which is
// visible, 2 when at least one command is visible (at any level, hidden parents notwithstanding).
int MenuState(const QWidget& window);

// The frame of a window of the given border style (0 none, 1 fixed single, 2 sizable, 3 fixed
// dialog, 4 fixed tool window, 5 sizable tool window) and menu state, from the system metrics.
FrameSize MeasureFrame(int borderStyle, int menuState);

// The frame of a calendar window (fixed single border, with its menu state).
FrameSize MeasureFrame(const CalendarWindow& window);

// Window width and height from MainWidth and MainHeight, and the calendar panel centred.
void SizeCalendar(CalendarWindow& window);

// Colours, transparent background, flat or 3D look, window height and the clock strip, from the
// in-memory settings. Runs before BuildDayGrid, whose cells copy the look of cell 0.
void ApplyAppearance(CalendarWindow& window);

// Gives the window a taskbar button (mode −1) or takes it away (0); other modes change nothing.
// Returns −1 on failure, 1 when the window had a taskbar button before, else 0.
int SetAppWindowStyle(CalendarWindow& window, int mode);

// The clock text of a time: "hh:mm", 00..23 hours.
QString ClockText(const QTime& time);
