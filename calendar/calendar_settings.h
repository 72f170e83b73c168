#pragma once

// The calendar's settings in memory. Every setting of section `Option` is held twice: the
// current value, which the window uses and the options dialog changes, and the last-read value,
// which is what the settings file held when it was last read (or the default). Closing the
// window writes back only the settings whose two values differ.

#include "dialogs/option_settings.h"

#include <cstdint>

// A default-constructed CalendarSettings holds every default of the settings file, as current
// and as last-read value.
struct CalendarSettings {
    // Section Option (dialogs/option_settings.h declares each setting).
    OptionValues current;
    OptionValues lastRead;

    // Section MainForm. The current position is the window's own, the current topmost state
    // the check mark of its alwaysOnTopCommand.
    std::int32_t LastReadLeft = 0; // twips, after ClampToScreen and the move
    std::int32_t LastReadTop = 0;  // twips
    std::int16_t AlwaysOnTop = 0;  // stored value; may be other than 0 or 1
};

// The settings of this run.
CalendarSettings& CalendarOptions();
