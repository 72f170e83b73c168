#pragma once

// The calendar's settings in memory. Every setting of section `Option` is held twice: the
// current value, which the window uses and the options dialog changes, and the last-read value,
// which is what the settings file held when it was last read (or the default). Closing the
// window writes back only the settings whose two values differ.

#include "platform/colors.h"

#include <QString>
#include <array>
#include <cstdint>

class QFont;

template <typename T> struct SettingValue {
    T current{};
    T lastRead{};
    [[nodiscard]] bool changed() const { return current != lastRead; }
    void setBoth(T value) {
        current = value;
        lastRead = value;
    }
};

// The clock font. Flags are -1 (true) or 0 (false).
struct FontRecord {
    QString Name;
    double Size = 0;
    std::int16_t Bold = 0;
    std::int16_t Italic = 0;
    std::int16_t Underline = 0;
    std::int16_t Strikethrough = 0;
    std::int32_t Color = 0; // kept for the record's layout; nothing reads it

    bool operator==(const FontRecord&) const = default;
};

// The default clock font: "ＭＳ ゴシック", 16 points, bold.
FontRecord DefaultClockFont();

// A default-constructed CalendarSettings holds every default of the settings file, as current
// and as last-read value.
struct CalendarSettings {
    // Section Option.
    SettingValue<std::int16_t> ShowMenu{1, 1};       // 1 = Form1 (title and menu), 0 = Form5
    SettingValue<std::int16_t> TaskTray{1, 1};       // 1 = notification-area icon
    SettingValue<std::int16_t> Appearance{1, 1};     // 0 = flat, 1 = 3D
    SettingValue<std::int32_t> MainWidth{194, 194};  // window width, pixels
    SettingValue<std::int32_t> MainHeight{180, 180}; // calendar area height, pixels
    SettingValue<std::int16_t> Transparent{0, 0};    // 1 = colour-key transparent background
    // Color1..Color6 at [0..5]: background, entry boxes, text, Saturday, Sunday/holiday, today.
    std::array<SettingValue<std::int32_t>, 6> Color{{
        {SystemColor(ColorBtnFace), SystemColor(ColorBtnFace)},
        {SystemColor(ColorWindow), SystemColor(ColorWindow)},
        {SystemColor(ColorBtnText), SystemColor(ColorBtnText)},
        {0xFF0000, 0xFF0000},
        {0x0000FF, 0x0000FF},
        {0x00FFFF, 0x00FFFF},
    }};
    SettingValue<std::int16_t> ShowClock{0, 0};  // 1 = clock strip below the calendar
    SettingValue<std::int32_t> C_Height{33, 33}; // clock strip height, pixels
    // CL_Color1..CL_Color3 at [0..2]: clock text, boundary line, boundary shadow line.
    std::array<SettingValue<std::int32_t>, 3> CL_Color{{
        {SystemColor(ColorBtnText), SystemColor(ColorBtnText)},
        {SystemColor(Color3dDkShadow), SystemColor(Color3dDkShadow)},
        {0xFFFFFF, 0xFFFFFF},
    }};
    FontRecord ClockFont = DefaultClockFont();         // current clock font
    FontRecord ClockFontLastRead = DefaultClockFont(); // as last read

    // Section MainForm. The current position is the window's own, the current topmost state
    // the check mark of its MNU_A_Top.
    std::int32_t LastReadLeft = 0; // twips, after ClampToScreen and the move
    std::int32_t LastReadTop = 0;  // twips
    std::int16_t AlwaysOnTop = 0;  // stored value; may be other than 0 or 1
};

// The settings of this run.
CalendarSettings& CalendarOptions();

// Copies the six font properties (name, size, bold, italic, underline, strikethrough) between a
// font object and a record: direction 1 font → record, direction 2 record → font, any other
// direction does nothing. A record size that is not positive leaves the font's size alone (no
// font can be drawn at 0 points).
void CopyFont(QFont& font, FontRecord& record, int direction);
