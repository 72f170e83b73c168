#pragma once

// The calendar window without title bar and menu bar: dragged with the left mouse button, its
// commands on the popup menu popupMenu opened with the right mouse button.

#include "calendar/calendar_window.h"

class WindowDragger;

class FramelessCalendarWindow final : public CalendarWindow {
    Q_OBJECT

public:
    FramelessCalendarWindow();

    void cellCreated(QWidget* cell) override;

private:
    WindowDragger* dragger_ = nullptr; // moves the window from itself and the watched controls
};
