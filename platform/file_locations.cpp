#include "platform/file_locations.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <string>
#include <vector>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// The programs' folder inside the user's folders.
#ifdef _WIN32
constexpr const char* FolderName = "Zelvar";
#else
constexpr const char* FolderName = "zelvar";
#endif

std::string environmentValue(const char* name) {
#ifdef _WIN32
    // The wide environment, so that a folder name outside the ANSI code page survives.
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = _wgetenv(wideName.c_str());
    if (value == nullptr) {
        return {};
    }
    const std::u8string text = fs::path(value).u8string();
    return {text.begin(), text.end()};
#else
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
#endif
}

// The path of an environment value, or empty when it is unset or not absolute.
fs::path absoluteFolder(const std::string& value) {
    if (value.empty()) {
        return {};
    }
    fs::path folder(reinterpret_cast<const char8_t*>(value.c_str()));
    return folder.is_absolute() ? folder : fs::path();
}

bool canCreateFilesIn(const fs::path& folder) {
#ifdef _WIN32
    // A folder's read-only attribute says nothing on Windows: the folder's security descriptor
    // is checked against this process's token for the right to add a file. Nothing is written
    // to find out.
    const SECURITY_INFORMATION parts =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD size = 0;
    GetFileSecurityW(folder.c_str(), parts, nullptr, 0, &size);
    if (size == 0) {
        return false;
    }
    std::vector<unsigned char> descriptor(size);
    if (GetFileSecurityW(folder.c_str(), parts, descriptor.data(), size, &size) == FALSE) {
        return false;
    }
    HANDLE processToken = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY, &processToken) ==
        FALSE) {
        return false;
    }
    HANDLE token = nullptr;
    const BOOL duplicated = DuplicateToken(processToken, SecurityImpersonation, &token);
    CloseHandle(processToken);
    if (duplicated == FALSE) {
        return false;
    }
    GENERIC_MAPPING mapping = {FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                               FILE_ALL_ACCESS};
    DWORD wanted = FILE_ADD_FILE;
    MapGenericMask(&wanted, &mapping);
    PRIVILEGE_SET privileges = {};
    DWORD privilegesSize = sizeof privileges;
    DWORD granted = 0;
    BOOL allowed = FALSE;
    const BOOL checked = AccessCheck(descriptor.data(), token, wanted, &mapping, &privileges,
                                     &privilegesSize, &granted, &allowed);
    CloseHandle(token);
    return checked != FALSE && allowed != FALSE;
#else
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

} // namespace

UserEnvironment CurrentUserEnvironment() {
    UserEnvironment environment;
#ifdef _WIN32
    environment.home = environmentValue("APPDATA");
#else
    environment.home = environmentValue("HOME");
    environment.configHome = environmentValue("XDG_CONFIG_HOME");
    environment.dataHome = environmentValue("XDG_DATA_HOME");
#endif
    return environment;
}

bool ProgramFolderIsUsers(const fs::path& folder) {
    std::error_code ec;
    // A folder that has gone (a removed stick, a renamed folder) stays where the files were
    // read from: a save there fails and is reported instead of landing unseen in another folder.
    if (!fs::exists(folder, ec) && !ec) {
        return true;
    }
    if (!fs::is_directory(folder, ec)) {
        return false;
    }
    if (fs::exists(folder / SharedFolderMarker, ec)) {
        return false;
    }
    return canCreateFilesIn(folder);
}

FileLocations ChooseFileLocations(const fs::path& programFolder, bool besideProgram,
                                  const UserEnvironment& environment) {
    FileLocations locations;
    locations.programFolder = programFolder;
    locations.besideProgram = besideProgram;
    if (besideProgram) {
        locations.settingsFolder = programFolder;
        locations.userDataFolder = programFolder;
        return locations;
    }
#ifdef _WIN32
    const fs::path appData = absoluteFolder(environment.home);
    fs::path configHome = appData;
    fs::path dataHome = appData;
#else
    const fs::path home = absoluteFolder(environment.home);
    fs::path configHome = absoluteFolder(environment.configHome);
    if (configHome.empty() && !home.empty()) {
        configHome = home / ".config";
    }
    fs::path dataHome = absoluteFolder(environment.dataHome);
    if (dataHome.empty() && !home.empty()) {
        dataHome = home / ".local" / "share";
    }
#endif
    if (!configHome.empty()) {
        locations.settingsFolder = configHome / FolderName;
    }
    if (!dataHome.empty()) {
        locations.userDataFolder = dataHome / FolderName;
    }
    return locations;
}

FileLocations FindFileLocations(const fs::path& programFolder) {
    return ChooseFileLocations(programFolder, ProgramFolderIsUsers(programFolder),
                               CurrentUserEnvironment());
}

fs::path DefinitionFileToRead(const FileLocations& locations, std::string_view fileName) {
    std::error_code ec;
    if (!locations.besideProgram && !locations.userDataFolder.empty()) {
        fs::path userCopy = locations.userDataFolder / fileName;
        if (fs::exists(userCopy, ec)) {
            return userCopy;
        }
    }
    return locations.programFolder / fileName;
}

fs::path DefinitionFileToWrite(const FileLocations& locations, std::string_view fileName) {
    if (locations.userDataFolder.empty()) {
        return {};
    }
    return locations.userDataFolder / fileName;
}
