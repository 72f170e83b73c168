#include "calendar/menu_anchor_window.h"

#include <QGuiApplication>

MenuAnchorWindow::MenuAnchorWindow() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmDUMMY"));
    // Nothing of it may stay on the screen, and it is no main window of the program: showing
    // and destroying it never ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_DeleteOnClose, false);
    move(0, 0);
    resize(0, 0);
}

bool PopupMenuNeedsForegroundWindow() {
    return QGuiApplication::platformName() == QLatin1String("windows");
}
