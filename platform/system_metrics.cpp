#include "platform/system_metrics.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

int ClassicMetric(Metric which) {
    // A Windows desktop in the classic look at 96 dots per inch.
    switch (which) {
    case Metric::CyCaption:
        return 19;
    case Metric::CySmCaption:
        return 15;
    case Metric::CyMenu:
        return 19;
    case Metric::CxFrame:
    case Metric::CyFrame:
        return 4;
    case Metric::CxDlgFrame:
    case Metric::CyDlgFrame:
        return 3;
    case Metric::CxBorder:
    case Metric::CyBorder:
        return 1;
    case Metric::CxScreen:
    case Metric::CxVirtualScreen:
        return 1024;
    case Metric::CyScreen:
    case Metric::CyVirtualScreen:
        return 768;
    case Metric::XVirtualScreen:
    case Metric::YVirtualScreen:
        return 0;
    }
    return 0;
}

namespace {

#ifdef Q_OS_WIN
int windowsMetric(Metric which) {
    int index = 0;
    switch (which) {
    case Metric::CyCaption:
        index = SM_CYCAPTION;
        break;
    case Metric::CySmCaption:
        index = SM_CYSMCAPTION;
        break;
    case Metric::CyMenu:
        index = SM_CYMENU;
        break;
    case Metric::CxFrame:
        index = SM_CXFRAME;
        break;
    case Metric::CyFrame:
        index = SM_CYFRAME;
        break;
    case Metric::CxDlgFrame:
        index = SM_CXDLGFRAME;
        break;
    case Metric::CyDlgFrame:
        index = SM_CYDLGFRAME;
        break;
    case Metric::CxBorder:
        index = SM_CXBORDER;
        break;
    case Metric::CyBorder:
        index = SM_CYBORDER;
        break;
    default:
        return ClassicMetric(which);
    }
    // The system's metrics are in device pixels of the system's resolution; the windows are laid
    // out in logical pixels of 96 dots per inch.
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return MulDiv(GetSystemMetrics(index), 96, dpi > 0 ? dpi : 96);
}
#endif

} // namespace

int SystemMetrics::metric(Metric which) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    switch (which) {
    case Metric::CxScreen:
        return screen ? screen->geometry().width() : 0;
    case Metric::CyScreen:
        return screen ? screen->geometry().height() : 0;
    case Metric::XVirtualScreen:
        return screen ? screen->virtualGeometry().x() : 0;
    case Metric::YVirtualScreen:
        return screen ? screen->virtualGeometry().y() : 0;
    case Metric::CxVirtualScreen:
        return screen ? screen->virtualGeometry().width() : 0;
    case Metric::CyVirtualScreen:
        return screen ? screen->virtualGeometry().height() : 0;
    default:
        break;
    }
#ifdef Q_OS_WIN
    return windowsMetric(which);
#else
    return ClassicMetric(which);
#endif
}
