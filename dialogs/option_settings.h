#pragma once

// The settings of section Option of the calendar's settings file, declared once: the list
// ZELVAR_OPTION_SETTINGS below gives each setting's type, its member of OptionValues, its key in
// the file, its default and the smallest value the options dialog accepts. The members of
// OptionValues and the table that the file's reader and writer walk (OptionSettings) are both made
// from that list. A new option is one line of the list and its control in the options dialog.

#include "platform/colors.h"
#include "platform/design_fonts.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <variant>
#include <vector>

class QFont;

// The colours Color1..Color6, by what each paints.
namespace ColorSlot {
enum : std::size_t {
    Background, // the window and the calendar panel
    EntryBoxes, // the background of the year and month boxes
    Text,       // weekdays, the era line and the boxes' text
    Saturday,
    Holiday, // Sundays and public holidays
    Today,   // the frame around today
    Count
};
} // namespace ColorSlot

// The clock's colours CL_Color1..CL_Color3.
namespace ClockColorSlot {
enum : std::size_t {
    Text,           // the clock's digits
    BoundaryLine,   // the line between calendar and clock
    BoundaryShadow, // the line's shadow, drawn in the 3D look only
    Count
};
} // namespace ClockColorSlot

using ColorValues = std::array<std::int32_t, ColorSlot::Count>;
using ClockColorValues = std::array<std::int32_t, ClockColorSlot::Count>;

// The clock font: name, size in points, and the flags -1 (true) or 0 (false).
struct ClockFontValues {
    QString name = Gothic;
    double size = 16;
    std::int16_t bold = -1;
    std::int16_t italic = 0;
    std::int16_t underline = 0;
    std::int16_t strikethrough = 0;

    bool operator==(const ClockFontValues&) const = default;
};

// Gives `font` the family, size and styles of `values`; a size that is not positive leaves the
// font's size alone (no font can be drawn at 0 points).
void ApplyClockFont(QFont& font, const ClockFontValues& values);

// No smallest value beyond the type's own.
inline constexpr std::int32_t NoMinimum = std::numeric_limits<std::int32_t>::min();

// clang-format off
// type, member of OptionValues, key in the file (for an array or the font the first part of the
// keys: Color1..Color6, C_FontName..C_FontStrikethrough), default, smallest value the options
// dialog accepts. The order is the order in which the keys are written. Colours are 32-bit values
// 0x00BBGGRR or 0x80000000 + a system colour index.
#define ZELVAR_OPTION_SETTINGS(X)                                                                  \
    X(std::int16_t,     ShowMenu,    "ShowMenu",    1,   NoMinimum) /* 1 = title and menu */       \
    X(std::int16_t,     TaskTray,    "TaskTray",    1,   NoMinimum) /* 1 = notification icon */    \
    X(std::int16_t,     Appearance,  "Appearance",  1,   NoMinimum) /* 0 = flat, 1 = 3D */         \
    X(std::int32_t,     MainWidth,   "MainWidth",   194, 178)       /* calendar width, pixels */   \
    X(std::int32_t,     MainHeight,  "MainHeight",  180, 175)       /* calendar height, pixels */  \
    X(std::int16_t,     Transparent, "Transparent", 0,   NoMinimum) /* 1 = colour-key background */\
    X(ColorValues,      Color,       "Color",       (ColorValues{SystemColor(ColorBtnFace),         \
                                                     SystemColor(ColorWindow),                     \
                                                     SystemColor(ColorBtnText), 0xFF0000,          \
                                                     0x0000FF, 0x00FFFF}), NoMinimum)              \
    X(std::int16_t,     ShowClock,   "ShowClock",   0,   NoMinimum) /* 1 = clock strip */          \
    X(std::int32_t,     C_Height,    "C_Height",    33,  NoMinimum) /* clock strip height, px */   \
    X(ClockColorValues, CL_Color,    "CL_Color",    (ClockColorValues{SystemColor(ColorBtnText),    \
                                                     SystemColor(Color3dDkShadow), 0xFFFFFF}),     \
                                                     NoMinimum)                                    \
    X(ClockFontValues,  clockFont,   "C_Font",      ClockFontValues{}, NoMinimum)                \
    X(std::int16_t,     ShowKoyomi,  "ShowKoyomi",  0,   NoMinimum) /* 1 = 暦 in the tool tips */
// clang-format on

// The values of section Option; a default-constructed one holds every default.
struct OptionValues {
#define ZELVAR_DECLARE_OPTION(type, member, key, defaultValue, minimum) type member = defaultValue;
    ZELVAR_OPTION_SETTINGS(ZELVAR_DECLARE_OPTION)
#undef ZELVAR_DECLARE_OPTION

    bool operator==(const OptionValues&) const = default;
};

// Where one setting's value lives in an OptionValues.
using SettingField = std::variant<std::int16_t*, std::int32_t*, QString*, double*>;

// One key of section Option. An array setting gives one row per element (Color1..Color6), the
// clock font one per property (C_FontName, C_FontSize, C_FontBold, ...).
struct OptionSetting {
    QString key;
    std::function<SettingField(OptionValues&)> field;
    std::int32_t minimum = NoMinimum; // smallest value the options dialog accepts
};

// Every key of section Option, in writing order.
const std::vector<OptionSetting>& OptionSettings();

// The row of `key`; the table holds every key that the list above declares.
const OptionSetting& OptionSettingOf(const QString& key);

// The settings' defaults.
inline OptionValues DefaultOptionValues() {
    return OptionValues{};
}
