#include "calendar/form5.h"

#include "calendar/program_icon.h"
#include "platform/window_styles.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

Form5::Form5() : CalendarWindow(false) {
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
    MNU_Hide = new QAction(QStringLiteral("最小化(&N)"), this);
    MNU_Hide->setObjectName(QStringLiteral("MNU_Hide"));
    connect(MNU_Hide, &QAction::triggered, this, &QWidget::showMinimized);

    // The top-level menu is never shown as a menu bar; its commands form the popup menu.
    MNU_Popup = new QMenu(QStringLiteral("Popup"), this);
    MNU_Popup->setObjectName(QStringLiteral("MNU_Popup"));
    MNU_Popup->addAction(MNU_Hide);
    MNU_Popup->addAction(makeSeparator("MNU_Pipe"));
    MNU_Popup->addAction(MNU_ThisYM);
    MNU_Popup->addAction(makeSeparator("MNU_Pipe2"));
    MNU_Popup->addAction(MNU_Gengo);
    MNU_Popup->addAction(MNU_Calc_Days);
    MNU_Popup->addAction(makeSeparator("MNU_Pipe3"));
    MNU_Popup->addAction(MNU_A_Top);
    MNU_Popup->addAction(makeSeparator("MNU_Pipe4"));
    MNU_Popup->addAction(MNU_Option);
    MNU_Popup->addAction(makeSeparator("MNU_Pipe5"));
    MNU_Popup->addAction(MNU_Exit);

    dragger_ = new WindowDragger(this);
    for (QWidget* area : {Picture2, Picture3, static_cast<QWidget*>(LBL_Day[0]),
                          static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2)}) {
        dragger_->watch(area);
    }
}

void Form5::cellCreated(QWidget* cell) {
    dragger_->watch(cell);
}
