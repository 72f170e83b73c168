#include "calendar/application_setup.h"

#include "calendar/program_icon.h"
#include "platform/services.h"

#include <QApplication>
#include <QFont>

void SetUpCalendarApplication() {
    InstallRealServices(QStringLiteral("Zelvar"));
    QApplication::setWindowIcon(ProgramIcon());
    // Menus, tool tips and message boxes in the user-interface font of a Japanese desktop.
    QApplication::setFont(QFont(QStringLiteral("MS UI Gothic"), 9));
}
