#pragma once

// Where the programs keep their files. Zelvar, Korinset and korin all decide it here, so that the
// calendar reads the definition files Korinset saved and korin answers from the same ones.
//
// When the program's folder is the user's (the user can write to it: a portable folder, a build
// folder, a copy installed into the home), everything lies beside the program: the settings file
// and the definition files, read and written there.
//
// When it is not (a system-wide installation, or a folder marked shared by the file
// `SharedFolderMarker`): the settings file lies in the user's configuration folder
// ($XDG_CONFIG_HOME/zelvar, by default ~/.config/zelvar); a definition file is read from the
// user's data folder ($XDG_DATA_HOME/zelvar, by default ~/.local/share/zelvar) when the user has
// one there, else the shipped one beside the program; Korinset writes into the user's data folder.
//
// Standard library only: korin links this without Qt.

#include <filesystem>
#include <string>
#include <string_view>

// A file of this name in the program's folder makes it shared even for a user who could write to
// it (root in a system-wide installation), so that no user's files land among the package's.
inline constexpr std::string_view SharedFolderMarker = "per-user-files";

// Whether the user's folders follow the XDG base-directory rules above. On Windows both are
// %APPDATA%\Zelvar instead.
#ifdef _WIN32
inline constexpr bool UserFoldersFollowXdg = false;
#else
inline constexpr bool UserFoldersFollowXdg = true;
#endif

// The parts of the environment that name the user's folders. Empty text = not set.
struct UserEnvironment {
    std::string home;       // HOME (on Windows: APPDATA, the roaming application data)
    std::string configHome; // XDG_CONFIG_HOME (unused on Windows)
    std::string dataHome;   // XDG_DATA_HOME (unused on Windows)
};

// The running process's environment.
UserEnvironment CurrentUserEnvironment();

// The user's folders are empty when the program's folder is shared and the environment names
// none for the user (no usable HOME or XDG folder: a service started without them): the
// shared folder is then never written, and the settings and definitions cannot be saved.
struct FileLocations {
    std::filesystem::path programFolder;  // the folder of the running program
    bool besideProgram = true;            // the program's folder is the user's: all files there
    std::filesystem::path settingsFolder; // where the settings file (Zelvar.ini) lies, or empty
    std::filesystem::path userDataFolder; // where Korinset writes the definition files, or empty
};

// Whether `folder` is the user's: the user can create files in it and it holds no
// `SharedFolderMarker`; a folder that no longer exists counts as the user's, so that the files
// are not looked for, or saved, anywhere else.
bool ProgramFolderIsUsers(const std::filesystem::path& folder);

// The rule above, for a program in `programFolder` whose folder is (`besideProgram` true) or is
// not the user's. Without a usable HOME or XDG folder (relative paths are ignored, as the XDG
// rules say) the user's folders stay empty.
FileLocations ChooseFileLocations(const std::filesystem::path& programFolder, bool besideProgram,
                                  const UserEnvironment& environment);

// The locations of a program running from `programFolder`, for the current user.
FileLocations FindFileLocations(const std::filesystem::path& programFolder);

// The definition file `fileName` ("Korin1.csv") to read: the user's copy when there is one, else
// the one beside the program.
std::filesystem::path DefinitionFileToRead(const FileLocations& locations,
                                           std::string_view fileName);

// The definition file `fileName` to write: always in the user's data folder; empty when the user
// has none.
std::filesystem::path DefinitionFileToWrite(const FileLocations& locations,
                                            std::string_view fileName);
