#pragma once

// The calendar window with title bar and menu bar: "終了(&X)", "今月(&T)" and the menu
// "ツール(&T)".

#include "calendar/calendar_window.h"

class TitledCalendarWindow final : public CalendarWindow {
    Q_OBJECT

public:
    TitledCalendarWindow();
};
