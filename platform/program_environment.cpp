#include "platform/program_environment.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

// windows.h first: the shell header needs its types.
#include <shellapi.h>
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
std::string utf8Of(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    result.pop_back();
    return result;
}

std::wstring wideOf(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    if (size > 0) {
        MultiByteToWideChar(CP_UTF8, 0, text.data(), length, result.data(), size);
    }
    return result;
}

// Writes `text` to `console`, when it is a console, in pieces the call takes at once.
ConsoleWrite writeConsole(void* console, std::wstring_view text) {
    DWORD mode = 0;
    if (console == nullptr || console == INVALID_HANDLE_VALUE ||
        GetConsoleMode(console, &mode) == FALSE) {
        return ConsoleWrite::NotAConsole;
    }
    constexpr std::size_t Piece = 8192;
    for (std::size_t done = 0; done < text.size();) {
        const auto length = static_cast<DWORD>(std::min(text.size() - done, Piece));
        DWORD written = 0;
        if (WriteConsoleW(console, text.data() + done, length, &written, nullptr) == FALSE ||
            written == 0) {
            return ConsoleWrite::Failed;
        }
        done += written;
    }
    return ConsoleWrite::Written;
}
#endif

#ifdef _WIN32
ConsoleWriter consoleWriter = writeConsole;
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
#endif
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide != nullptr) {
        std::vector<std::string> arguments;
        for (int i = 1; i < count; ++i) {
            arguments.push_back(utf8Of(wide[i]));
        }
        LocalFree(static_cast<void*>(wide));
        return arguments;
    }
#endif
    if (argc <= 1 || argv == nullptr) {
        return {};
    }
    return {argv + 1, argv + argc};
}

bool WriteStandardText(StandardStream stream, std::string_view text) {
    std::FILE* file = stream == StandardStream::Output ? stdout : stderr;
#ifdef _WIN32
    HANDLE handle =
        GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    // Whatever the C library still holds goes first, so that the order stays.
    std::fflush(file);
    switch (consoleWriter(handle, wideOf(text))) {
    case ConsoleWrite::Written:
        return true;
    case ConsoleWrite::Failed:
        errno = EIO;
        return false;
    case ConsoleWrite::NotAConsole:
        break;
    }
#endif
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (written && std::fflush(file) == 0 && std::ferror(file) == 0) {
        return true;
    }
    if (errno == 0) {
        errno = EIO;
    }
    return false;
}

void SetConsoleWriter(ConsoleWriter writer) {
#ifdef _WIN32
    consoleWriter = writer != nullptr ? writer : writeConsole;
#else
    (void)writer;
#endif
}
