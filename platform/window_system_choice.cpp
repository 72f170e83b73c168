#include "platform/window_system_choice.h"

#include <QByteArray>
#include <QtGlobal>

bool PreferXWaylandOnWayland() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ||
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qEnvironmentVariableIsEmpty("DISPLAY")) {
        return false;
    }
    return qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
}
