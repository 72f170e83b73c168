#pragma once

// System metrics (GetSystemMetrics) and the screen in twips. On Windows the values are the
// system's own; elsewhere the frame, caption and menu sizes are the fixed values of a Windows
// desktop in its classic look at 96 dots per inch (kept in one place, system_metrics.cpp), and the
// screen and virtual screen come from Qt's screens. All values are in logical pixels.

#include <cstdint>

enum class Metric {
    CxScreen,        // SM_CXSCREEN: width of the primary screen
    CyScreen,        // SM_CYSCREEN
    XVirtualScreen,  // SM_XVIRTUALSCREEN: left edge of the desktop spanning all screens
    YVirtualScreen,  // SM_YVIRTUALSCREEN
    CxVirtualScreen, // SM_CXVIRTUALSCREEN
    CyVirtualScreen, // SM_CYVIRTUALSCREEN
    CyCaption,       // SM_CYCAPTION: height of a title bar
    CySmCaption,     // SM_CYSMCAPTION: height of a tool window's title bar
    CyMenu,          // SM_CYMENU: height of a one-line menu bar
    CxFrame,         // SM_CXFRAME: width of a sizable frame
    CyFrame,         // SM_CYFRAME
    CxDlgFrame,      // SM_CXDLGFRAME (SM_CXFIXEDFRAME): width of a fixed frame
    CyDlgFrame,      // SM_CYDLGFRAME
    CxBorder,        // SM_CXBORDER: width of a thin border
    CyBorder,        // SM_CYBORDER
};

class SystemMetricsService {
public:
    virtual ~SystemMetricsService() = default;
    // The metric in pixels.
    [[nodiscard]] virtual int metric(Metric which) const = 0;
    // Twips per pixel on each axis (15 at 96 dots per inch).
    [[nodiscard]] virtual int twipsPerPixelX() const = 0;
    [[nodiscard]] virtual int twipsPerPixelY() const = 0;

    // The primary screen in twips (the Screen.Width / Screen.Height of the design).
    [[nodiscard]] std::int32_t screenWidthTwips() const {
        return static_cast<std::int32_t>(metric(Metric::CxScreen)) * twipsPerPixelX();
    }
    [[nodiscard]] std::int32_t screenHeightTwips() const {
        return static_cast<std::int32_t>(metric(Metric::CyScreen)) * twipsPerPixelY();
    }
};

// The fixed values of the classic look at 96 dots per inch, used where the window system has no
// such metrics (everywhere but Windows).
int ClassicMetric(Metric which);

class SystemMetrics final : public SystemMetricsService {
public:
    [[nodiscard]] int metric(Metric which) const override;
    [[nodiscard]] int twipsPerPixelX() const override { return 15; }
    [[nodiscard]] int twipsPerPixelY() const override { return 15; }
};
