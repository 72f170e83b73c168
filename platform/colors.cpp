#include "platform/colors.h"

#include <QApplication>
#include <array>

namespace {

constexpr std::int32_t bgr(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

// The classic Windows colour scheme, by system colour index.
constexpr std::array<std::int32_t, LastSystemColor + 1> classicColors = {
    bgr(212, 208, 200), // 0 COLOR_SCROLLBAR
    bgr(58, 110, 165),  // 1 COLOR_BACKGROUND (desktop)
    bgr(10, 36, 106),   // 2 COLOR_ACTIVECAPTION
    bgr(128, 128, 128), // 3 COLOR_INACTIVECAPTION
    bgr(212, 208, 200), // 4 COLOR_MENU
    bgr(255, 255, 255), // 5 COLOR_WINDOW
    bgr(0, 0, 0),       // 6 COLOR_WINDOWFRAME
    bgr(0, 0, 0),       // 7 COLOR_MENUTEXT
    bgr(0, 0, 0),       // 8 COLOR_WINDOWTEXT
    bgr(255, 255, 255), // 9 COLOR_CAPTIONTEXT
    bgr(212, 208, 200), // 10 COLOR_ACTIVEBORDER
    bgr(212, 208, 200), // 11 COLOR_INACTIVEBORDER
    bgr(128, 128, 128), // 12 COLOR_APPWORKSPACE
    bgr(10, 36, 106),   // 13 COLOR_HIGHLIGHT
    bgr(255, 255, 255), // 14 COLOR_HIGHLIGHTTEXT
    bgr(212, 208, 200), // 15 COLOR_BTNFACE
    bgr(128, 128, 128), // 16 COLOR_BTNSHADOW
    bgr(128, 128, 128), // 17 COLOR_GRAYTEXT
    bgr(0, 0, 0),       // 18 COLOR_BTNTEXT
    bgr(212, 208, 200), // 19 COLOR_INACTIVECAPTIONTEXT
    bgr(255, 255, 255), // 20 COLOR_BTNHIGHLIGHT
    bgr(64, 64, 64),    // 21 COLOR_3DDKSHADOW
    bgr(212, 208, 200), // 22 COLOR_3DLIGHT
    bgr(0, 0, 0),       // 23 COLOR_INFOTEXT
    bgr(255, 255, 225), // 24 COLOR_INFOBK
    bgr(181, 181, 181), // 25 (no colour of its own)
    bgr(0, 0, 128),     // 26 COLOR_HOTLIGHT
    bgr(166, 202, 240), // 27 COLOR_GRADIENTACTIVECAPTION
    bgr(192, 192, 192), // 28 COLOR_GRADIENTINACTIVECAPTION
    bgr(49, 106, 197),  // 29 COLOR_MENUHILIGHT
    bgr(212, 208, 200), // 30 COLOR_MENUBAR
};

QColor fromValue(std::int32_t value) {
    return {value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF};
}

} // namespace

std::optional<QPalette::ColorRole> SystemColorRole(int index) {
    switch (index) {
    case 4:  // COLOR_MENU
    case 30: // COLOR_MENUBAR
        return QPalette::Window;
    case 5: // COLOR_WINDOW
        return QPalette::Base;
    case 7: // COLOR_MENUTEXT
    case 8: // COLOR_WINDOWTEXT
        return QPalette::WindowText;
    case 13: // COLOR_HIGHLIGHT
    case 29: // COLOR_MENUHILIGHT
        return QPalette::Highlight;
    case 14: // COLOR_HIGHLIGHTTEXT
        return QPalette::HighlightedText;
    case 15: // COLOR_BTNFACE
        return QPalette::Button;
    case 16: // COLOR_BTNSHADOW
        return QPalette::Dark;
    case 18: // COLOR_BTNTEXT
        return QPalette::ButtonText;
    case 20: // COLOR_BTNHIGHLIGHT
        return QPalette::Light;
    case 21: // COLOR_3DDKSHADOW
        return QPalette::Shadow;
    case 22: // COLOR_3DLIGHT
        return QPalette::Midlight;
    case 23: // COLOR_INFOTEXT
        return QPalette::ToolTipText;
    case 24: // COLOR_INFOBK
        return QPalette::ToolTipBase;
    case 26: // COLOR_HOTLIGHT
        return QPalette::Link;
    default:
        return std::nullopt;
    }
}

QColor ResolveColor(std::int32_t value) {
    return ResolveColor(value, QApplication::palette());
}

QColor ResolveColor(std::int32_t value, const QPalette& palette) {
    if (!IsSystemColor(value)) {
        return fromValue(value);
    }
    const std::int32_t index = value & 0x7FFFFFFF;
    if (index > LastSystemColor) {
        return {0, 0, 0};
    }
    if (index == 17) { // COLOR_GRAYTEXT: the text of disabled controls
        return palette.color(QPalette::Disabled, QPalette::WindowText);
    }
    if (const std::optional<QPalette::ColorRole> role = SystemColorRole(index)) {
        return palette.color(QPalette::Active, *role);
    }
    return fromValue(classicColors[static_cast<std::size_t>(index)]);
}

std::int32_t ColorValue(const QColor& color) {
    const QColor rgb = color.toRgb();
    return bgr(rgb.red(), rgb.green(), rgb.blue());
}
