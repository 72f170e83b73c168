#include "platform/program_environment.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

std::string folderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    if (folder.empty()) {
        return ".";
    }
    const std::u8string text = folder.u8string();
    return {text.begin(), text.end()};
}

#ifdef _WIN32
UINT consoleCodePageAtStart = 0;

void restoreConsoleCodePage() {
    SetConsoleOutputCP(consoleCodePageAtStart);
}
#endif

} // namespace

std::string RunningProgramFolder(const char* argv0) {
#ifdef _WIN32
    // A path longer than MAX_PATH is possible: grow the buffer until the name fits.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            break;
        }
        if (length < name.size()) {
            name.resize(length);
            return folderOf(std::filesystem::path(name));
        }
        name.resize(name.size() * 2);
    }
#else
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty()) {
        return folderOf(self);
    }
#endif
    if (argv0 == nullptr || *argv0 == '\0') {
        return ".";
    }
    std::error_code absoluteError;
    const std::filesystem::path program = std::filesystem::absolute(argv0, absoluteError);
    return absoluteError ? "." : folderOf(program);
}

std::tm LocalTimeOf(std::time_t time) {
    std::tm result{};
#ifdef _WIN32
    if (localtime_s(&result, &time) != 0) {
        result = std::tm{};
    }
#else
    if (localtime_r(&time, &result) == nullptr) {
        result = std::tm{};
    }
#endif
    return result;
}

std::tm UtcTimeOf(std::time_t time) {
    std::tm result{};
#ifdef _WIN32
    if (gmtime_s(&result, &time) != 0) {
        result = std::tm{};
    }
#else
    if (gmtime_r(&time, &result) == nullptr) {
        result = std::tm{};
    }
#endif
    return result;
}

void UseBinaryUtf8StandardStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const UINT current = GetConsoleOutputCP();
    if (current != 0 && current != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        consoleCodePageAtStart = current;
        std::atexit(restoreConsoleCodePage);
    }
#endif
}
