#include "editor/window_placement.h"

#include <QGuiApplication>
#include <QScreen>

void CentreOnScreen(QWidget* window) {
    QScreen* screen =
        window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    // Before the window system has framed the window its frame is unknown; the size is then the
    // best estimate of the outer size.
    const QSize outer = window->frameGeometry().size().expandedTo(window->size());
    window->move(area.x() + (area.width() - outer.width()) / 2,
                 area.y() + (area.height() - outer.height()) / 2);
}
