#pragma once

// Colours in the window system's 32-bit form: 0x00BBGGRR for a plain colour, or 0x80000000 plus
// a system colour index (COLOR_BTNFACE 15 and so on, 0 to 30), resolved through the application's
// palette so that system colours follow the desktop's colour scheme.

#include <QColor>
#include <QPalette>
#include <cstdint>
#include <optional>

inline constexpr std::int32_t SystemColorFlag = static_cast<std::int32_t>(0x80000000U);

// The system colour indexes the programs use.
inline constexpr int ColorWindow = 5;      // COLOR_WINDOW: background of entry boxes
inline constexpr int ColorWindowText = 8;  // COLOR_WINDOWTEXT
inline constexpr int ColorHighlight = 13;  // COLOR_HIGHLIGHT
inline constexpr int ColorBtnFace = 15;    // COLOR_BTNFACE: face of buttons and dialogs
inline constexpr int ColorBtnText = 18;    // COLOR_BTNTEXT
inline constexpr int Color3dDkShadow = 21; // COLOR_3DDKSHADOW
inline constexpr int LastSystemColor = 30; // COLOR_MENUBAR

// 0x80000000 + index.
constexpr std::int32_t SystemColor(int index) {
    return SystemColorFlag | index;
}

// The palette role standing for system colour `index`, or nullopt where no role fits (the colour
// then has the classic Windows default).
std::optional<QPalette::ColorRole> SystemColorRole(int index);

// The colour a 32-bit value shows in `palette` (the application's palette when omitted). A system
// colour reference outside 0..30 shows black; the top byte of a plain colour is ignored.
QColor ResolveColor(std::int32_t value);
QColor ResolveColor(std::int32_t value, const QPalette& palette);

// 0x00BBGGRR of `color` (alpha ignored).
std::int32_t ColorValue(const QColor& color);

// True for a reference to a system colour.
constexpr bool IsSystemColor(std::int32_t value) {
    return (value & SystemColorFlag) != 0;
}
