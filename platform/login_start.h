#pragma once

// Whether the calendar starts with the user's session, read from and written to the place the
// desktop looks: on Windows the value "Zelvar" under the current user's
// Software\Microsoft\Windows\CurrentVersion\Run key, holding the program's path in quotes;
// elsewhere the desktop entry zelvar.desktop in the user's autostart folder
// ($XDG_CONFIG_HOME/autostart, by default ~/.config/autostart).
//
// The state is the entry itself, never a copy of it in the settings: a user who removes the entry
// by hand, or another copy of the program that writes it, is seen the next time it is read.

#include <filesystem>
#include <string>

// The executable of a program named `name` (without extension) in `folder`.
std::filesystem::path ProgramFile(const std::filesystem::path& folder, const std::string& name);

// Whether the entry is there and starts `program` (on Windows compared without case; a desktop
// entry that says Hidden=true, or that a GNOME desktop was told to skip, counts as off).
bool LoginStartIsOn(const std::filesystem::path& program);

// Writes (`on`) or removes the entry for `program`. Returns empty text, or the reason it failed
// in the system's words with the place it tried, for a message to the user. Removing an entry
// that is not there succeeds; an entry that starts another copy of the program is replaced by
// `on` and left alone by off.
std::string SetLoginStart(const std::filesystem::path& program, bool on);

// Where the entry lies, as the user would look for it, and its text (empty when it is absent).
std::string LoginStartPlace();
std::string LoginStartEntry();
