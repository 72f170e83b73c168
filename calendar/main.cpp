// Zelvar: the month calendar.

#include "calendar/application_setup.h"
#include "calendar/calendar_window.h"
#include "calendar/start_calendar.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    SetUpCalendarApplication();
    StartCalendar();
    if (CurrentCalendar == nullptr) {
        // ShowMenu named no window: nothing to wait for.
        return 0;
    }
    return QApplication::exec();
}
