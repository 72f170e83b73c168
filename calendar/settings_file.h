#pragma once

// The calendar's settings file: the executable's name with ".ini", sections MainForm
// (window position and topmost state) and Option (everything else). Read when a calendar window
// is created, written when it closes, and only for the values that changed.

#include "date/write_result.h"

#include <QString>
#include <cstdint>

class CalendarWindow;

// The settings file: <program folder>/<program name>.ini, or <the user's settings folder>/<program
// name>.ini when the program's folder is not the user's (platform/file_locations.h). Empty when
// the user has no such folder: the defaults are used and nothing is written.
QString IniPath();

// The message of settings that could not be saved: the file and the system's words for
// `failure`, or that the user has no folder to save them in.
QString SettingsNotSavedText(const WriteResult& failure);

// Tells the user, with the file's path, when the settings file exists but is refused (too large
// for a settings file, or unreadable), so that the defaults in use are no surprise.
void ReportUnreadableSettingsFile();

// The text of key `key` of `section`, read into a buffer of 256 bytes; `defaultValue` when the
// stored text is empty or absent, else the text without leading and trailing spaces.
QString ReadIniString(const QString& section, const QString& key, const QString& defaultValue);

// A 16-bit integer setting, with the integer reading rules of the settings file. A stored number
// that does not fit in 16 bits reads as the default.
std::int16_t ReadIniInt16(const QString& section, const QString& key, std::int16_t defaultValue);

// Reads Option/ShowMenu (default 1) as current and last-read value and returns it.
std::int16_t ReadShowMenu();

// Reads section Option (all but ShowMenu) into the in-memory settings, as current and last-read
// values, and gives the clock label of `window` the clock font (nothing when `window` is
// nullptr). A stored Transparent stays the last-read value but is not used where the platform
// cannot make a background transparent.
void ReadOptions(CalendarWindow* window);

// Moves `window` (whose size the layout has just set) to the stored position, kept on the screen,
// or centres it on the screen, and sets its topmost state and the check mark of alwaysOnTopCommand.
void ReadPosition(CalendarWindow& window);

// Adjusts a window position (twips) so that more than 50 pixels of the window stay on the
// virtual screen at the left and top and at least 50 at the right and bottom.
void ClampToScreen(std::int32_t width, std::int32_t height, std::int32_t& left, std::int32_t& top);

// Writes the window's position when it differs from the position read (only while the window is
// in its normal state) and the topmost state when it differs from the stored one. Every value is
// tried; the result is the last failure, or written when there was none.
[[nodiscard]] WriteResult WritePosition(const CalendarWindow& window);

// Writes every setting of section Option whose current value differs from its last-read value;
// the result as for WritePosition.
[[nodiscard]] WriteResult WriteOptions();

// The font size as the settings file stores it: the shortest decimal form, e.g. "16", "10.5".
QString FontSizeText(double size);
