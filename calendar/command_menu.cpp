#include "calendar/command_menu.h"

#include "calendar/calendar_window.h"

#include <QAction>
#include <QMenu>

QMenu* MakeCommandMenu(QWidget* parent, const CalendarWindow& window, QAction* first,
                       const QString& separatorName) {
    auto* menu = new QMenu(QStringLiteral("Popup"), parent);
    menu->setObjectName(QStringLiteral("MNU_Popup"));
    int separators = 0;
    auto separator = [&] {
        ++separators;
        menu->addSeparator()->setObjectName(
            separators == 1 ? separatorName : separatorName + QString::number(separators));
    };
    menu->addAction(first);
    separator();
    menu->addAction(window.thisMonthCommand);
    separator();
    menu->addAction(window.eraJumpCommand);
    menu->addAction(window.daysCalculatorCommand);
    separator();
    menu->addAction(window.alwaysOnTopCommand);
    separator();
    menu->addAction(window.optionsCommand);
    separator();
    menu->addAction(window.exitCommand);
    return menu;
}
