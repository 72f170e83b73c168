#include "platform/platform_id.h"

#include <QGuiApplication>

std::int16_t PlatformId::platformId() const {
    // Windows' own colour key and window shape masks work where the window system shapes
    // top-level windows ("windows" is every Windows that Qt 6 runs on, all of the NT family);
    // not on Qt's platforms without native windows (offscreen).
    const QString name = QGuiApplication::platformName();
    if (name == QLatin1String("xcb") || name == QLatin1String("cocoa") ||
        name == QLatin1String("windows")) {
        return 2;
    }
    return 1;
}
