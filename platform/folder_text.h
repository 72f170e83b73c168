#pragma once

#include "platform/file_locations.h"

#include <QString>
#include <filesystem>

// How the system's users write the folder that `UserEnvironment::home` names: "%APPDATA%" on
// Windows, "~" elsewhere.
#ifdef _WIN32
inline constexpr const char* UserHomeAbbreviation = "%APPDATA%";
#else
inline constexpr const char* UserHomeAbbreviation = "~";
#endif

// A folder as its user writes it, with the system's separators: inside the user's home folder
// of `environment` (on Windows the roaming application data) shortened to
// `UserHomeAbbreviation` and the rest ("%APPDATA%\Zelvar", "~/.local/share/zelvar"); any other
// folder in full.
QString FolderAsUsersWriteIt(const std::filesystem::path& folder,
                             const UserEnvironment& environment);
