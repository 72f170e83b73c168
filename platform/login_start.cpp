#include "platform/login_start.h"

#include "platform/file_replace.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

#ifdef _WIN32

constexpr const wchar_t* RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* RunValue = L"Zelvar";

std::string systemWords(LSTATUS status) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words = length > 0 ? std::wstring(text, length) : L"";
    LocalFree(text);
    while (!words.empty() &&
           (words.back() == L'\r' || words.back() == L'\n' || words.back() == L' ')) {
        words.pop_back();
    }
    return words.empty() ? "error " + std::to_string(status) : utf8(fs::path(words));
}

// The program's path with Windows' separators (Qt names it with slashes), in quotes.
std::wstring command(const fs::path& program) {
    return L"\"" + fs::path(program).make_preferred().wstring() + L"\"";
}

// The value's text, or nothing when it is absent or not text.
std::optional<std::wstring> runValue() {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, RunKey, RunValue, RRF_RT_REG_SZ, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, RunKey, RunValue, RRF_RT_REG_SZ, nullptr, text.data(),
                     &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

bool sameCommand(const std::wstring& value, const fs::path& program) {
    auto same = [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                    static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
    };
    return same(value, command(program)) ||
           same(value, fs::path(program).make_preferred().wstring());
}

#else

// The autostart folder of the XDG rules; empty without a usable HOME or XDG_CONFIG_HOME.
fs::path autostartFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && fs::path(configHome).is_absolute()) {
        return fs::path(configHome) / "autostart";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && fs::path(home).is_absolute()) {
        return fs::path(home) / ".config" / "autostart";
    }
    return {};
}

fs::path entryPath() {
    const fs::path folder = autostartFolder();
    return folder.empty() ? fs::path() : folder / "zelvar.desktop";
}

// Exec of a desktop entry: the path in double quotes with ", `, $ and \ escaped, % doubled, and
// every backslash doubled once more for the entry's string escapes.
std::string execField(const fs::path& program) {
    std::string quoted = "\"";
    for (const char c : utf8(program)) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        } else if (c == '%') {
            quoted += '%';
        }
        quoted += c;
    }
    quoted += '"';
    std::string field;
    for (const char c : quoted) {
        field += c;
        if (c == '\\') {
            field += '\\';
        }
    }
    return field;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

#endif

} // namespace

fs::path ProgramFile(const fs::path& folder, const std::string& name) {
#ifdef _WIN32
    return folder / fs::path(reinterpret_cast<const char8_t*>((name + ".exe").c_str()));
#else
    return folder / fs::path(reinterpret_cast<const char8_t*>(name.c_str()));
#endif
}

#ifdef _WIN32

bool LoginStartIsOn(const fs::path& program) {
    const auto value = runValue();
    return value && sameCommand(*value, program);
}

std::string SetLoginStart(const fs::path& program, bool on) {
    if (!on) {
        if (!LoginStartIsOn(program)) {
            return {};
        }
        HKEY key = nullptr;
        LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, RunKey, 0, KEY_SET_VALUE, &key);
        if (status == ERROR_SUCCESS) {
            status = RegDeleteValueW(key, RunValue);
            RegCloseKey(key);
        }
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND
                   ? std::string()
                   : LoginStartPlace() + ": " + systemWords(status);
    }
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, RunKey, 0, nullptr, 0, KEY_SET_VALUE,
                                     nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) {
        const std::wstring text = command(program);
        status =
            RegSetValueExW(key, RunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    return status == ERROR_SUCCESS ? std::string() : LoginStartPlace() + ": " + systemWords(status);
}

std::string LoginStartPlace() {
    return "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Zelvar";
}

std::string LoginStartEntry() {
    const auto value = runValue();
    return value ? utf8(fs::path(*value)) : std::string();
}

#else

bool LoginStartIsOn(const fs::path& program) {
    const fs::path path = entryPath();
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) {
        return false;
    }
    std::istringstream lines(readText(path));
    std::string line;
    bool inEntry = false;
    bool startsProgram = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.starts_with('[')) {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry) {
            continue;
        }
        if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false") {
            return false;
        }
        if (line == "Exec=" + execField(program)) {
            startsProgram = true;
        }
    }
    return startsProgram;
}

std::string SetLoginStart(const fs::path& program, bool on) {
    const fs::path path = entryPath();
    if (path.empty()) {
        return "HOME も XDG_CONFIG_HOME も設定されていないため、自動起動のフォルダが分かりません。";
    }
    std::error_code ec;
    if (!on) {
        if (!LoginStartIsOn(program)) {
            return {};
        }
        if (!fs::remove(path, ec) && ec) {
            return utf8(path) + ": " + ec.message();
        }
        return {};
    }
    if (fs::create_directories(path.parent_path(), ec); ec) {
        return utf8(path.parent_path()) + ": " + ec.message();
    }
    const std::string entry = "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Zelvar\n"
                              "Name[ja]=カレンダー (Zelvar)\n"
                              "Comment[ja]=ログイン時にカレンダーを起動します\n"
                              "Exec=" +
                              execField(program) +
                              "\n"
                              "Icon=zelvar\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n";
    if (const WriteResult result = ReplaceFileSafely(path, entry); !result.written()) {
        return utf8(path) + ": " + std::strerror(result.error);
    }
    return {};
}

std::string LoginStartPlace() {
    return utf8(entryPath());
}

std::string LoginStartEntry() {
    const fs::path path = entryPath();
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec) ? readText(path) : std::string();
}

#endif
