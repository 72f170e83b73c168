#include "calendar/start_calendar.h"

#include "calendar/accessibility.h"
#include "calendar/calendar_settings.h"
#include "calendar/calendar_window.h"
#include "calendar/frameless_calendar_window.h"
#include "calendar/layout.h"
#include "calendar/month_stepping.h"
#include "calendar/month_view.h"
#include "calendar/settings_file.h"
#include "calendar/titled_calendar_window.h"
#include "calendar/tray_icon_window.h"
#include "date/definitions.h"
#include "platform/instance_lock.h"
#include "platform/services.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

QPointer<CalendarWindow> CurrentCalendar;

void StartCalendar() {
    if (!Services().instance->acquire()) {
        ShowErrorMessage(QStringLiteral("既に起動されています。"));
        Services().program->endAtOnce(1);
    }
    // The settings file is found by IniPath() whenever it is read or written.
    ReportUnreadableSettingsFile();
    switch (ReadShowMenu()) {
    case 0: {
        auto* window = new FramelessCalendarWindow();
        CurrentCalendar = window;
        LoadCalendar(*window);
        break;
    }
    case 1: {
        auto* window = new TitledCalendarWindow();
        CurrentCalendar = window;
        LoadCalendar(*window);
        break;
    }
    default:
        // No window: the program ends when no other window is open.
        break;
    }
}

void LoadCalendar(CalendarWindow& window) {
    ReadOptions(&window);
    SizeCalendar(window);
    ReadPosition(window);
    St_LoadDefinitions();

    SetMonthRanges(window);
    ShowThisMonth(window);

    ApplyAppearance(window);
    BuildDayGrid(window);
    FillMonth(window);
    PrepareForScreenReaders(window);

    // With the notification-area icon the window is minimized into it; without, it needs a
    // taskbar button of its own.
    if (CalendarOptions().current.TaskTray == 1) {
        CreateTrayIconWindow(window);
    } else {
        SetAppWindowStyle(window, -1);
    }

    window.clockTimer->setInterval(1000);
    window.clockTimer->start();

    window.show();
    window.calendarPanel->setFocus();
}
