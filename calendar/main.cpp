// Zelvar: the month calendar.

#include "calendar/calendar_window.h"
#include "calendar/program_icon.h"
#include "calendar/start_calendar.h"
#include "platform/services.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstallRealServices(QStringLiteral("Zelvar"));
    QApplication::setWindowIcon(ProgramIcon());
    StartCalendar();
    if (CurrentCalendar == nullptr) {
        // ShowMenu named no window: nothing to wait for.
        return 0;
    }
    return QApplication::exec();
}
