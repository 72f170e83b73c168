#include "calendar/frameless_calendar_window.h"

#include "calendar/command_menu.h"
#include "calendar/program_icon.h"
#include "platform/window_styles.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

FramelessCalendarWindow::FramelessCalendarWindow() : CalendarWindow(false) {
    setObjectName(QStringLiteral("Form5"));
    // No title bar, no control box, no taskbar button of its own (the load sequence gives it one
    // when there is no notification-area icon).
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    // A tool window does not end the program when it closes; this one is the program's main
    // window and must, with or without the notification-area icon. The style changes keep it.
    setAttribute(Qt::WA_QuitOnClose, true);
    setContentsMargins(1, 1, 1, 1);
    setWindowIcon(ProgramIcon());

    createCommands();
    minimizeCommand = new QAction(QStringLiteral("最小化(&N)"), this);
    minimizeCommand->setObjectName(QStringLiteral("MNU_Hide"));
    connect(minimizeCommand, &QAction::triggered, this, &QWidget::showMinimized);

    // The top-level menu is never shown as a menu bar; its commands form the popup menu.
    popupMenu = MakeCommandMenu(this, *this, minimizeCommand, QStringLiteral("MNU_Pipe"));

    dragger_ = new WindowDragger(this);
    for (QWidget* area : {calendarPanel, clockStrip, static_cast<QWidget*>(dayCells[0]),
                          static_cast<QWidget*>(eraLabel), static_cast<QWidget*>(clockLabel)}) {
        dragger_->watch(area);
    }
}

void FramelessCalendarWindow::cellCreated(QWidget* cell) {
    dragger_->watch(cell);
}
