#include "calendar/application_setup.h"

#include "platform/design_fonts.h"
#include "platform/services.h"

#include <QApplication>
#include <QFont>

void SetUpCalendarApplication() {
    InstallRealServices(QStringLiteral("Zelvar"));
    // Menus, tool tips and message boxes in the user-interface font of a Japanese desktop.
    QApplication::setFont(QFont(UiGothic, 9));
}
