#include "calendar/titled_calendar_window.h"

#include <QMenu>
#include <QMenuBar>

TitledCalendarWindow::TitledCalendarWindow() : CalendarWindow(true) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("カレンダー"));
    // A fixed single border with a minimize box and no maximize box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    createCommands();
    QMenuBar* bar = menuBar();
    bar->setNativeMenuBar(false);
    bar->addAction(exitCommand);
    bar->addAction(thisMonthCommand);
    toolMenu = bar->addMenu(QStringLiteral("ツール(&T)"));
    toolMenu->setObjectName(QStringLiteral("MNU_Tool"));
    toolMenu->addAction(eraJumpCommand);
    toolMenu->addAction(daysCalculatorCommand);
    toolMenu->addAction(makeSeparator("MNU_Pipe"));
    toolMenu->addAction(alwaysOnTopCommand);
    toolMenu->addAction(makeSeparator("MNU_Pipe2"));
    toolMenu->addAction(optionsCommand);
}
