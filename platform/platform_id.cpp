#include "platform/platform_id.h"

#include <QGuiApplication>

std::int16_t PlatformId::platformId() const {
#ifdef Q_OS_WIN
    return 2; // every Windows that Qt 6 runs on belongs to the NT family
#else
    // Window shape masks (the colour key's stand-in) work where the window system shapes
    // top-level windows.
    const QString name = QGuiApplication::platformName();
    if (name == QLatin1String("xcb") || name == QLatin1String("cocoa") ||
        name == QLatin1String("windows")) {
        return 2;
    }
    return 1;
#endif
}
