// Zelvar: the month calendar.

#include "calendar/application_setup.h"
#include "calendar/calendar_window.h"
#include "calendar/start_calendar.h"
#include "platform/window_system_choice.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    PreferXWaylandOnWayland();
    QApplication app(argc, argv);
    SetUpCalendarApplication();
    StartCalendar();
    if (CurrentCalendar == nullptr) {
        // ShowMenu named no window: nothing to wait for.
        return 0;
    }
    return QApplication::exec();
}
