#include "platform/file_replace.h"
#include "platform/file_replace_internal.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <windows.h>

namespace fs = std::filesystem;

namespace {

// How long a replacement waits for another program (a virus scanner, the search indexer, a
// synchronised folder) that holds the target open for a moment, and how often it tries again.
constexpr ULONGLONG InUseWaitMilliseconds = 2000;
constexpr DWORD InUseRetryMilliseconds = 50;

// The file a replacement writes, as it was found before.
struct Target {
    std::wstring path;    // links resolved
    bool exists = false;  // false: the replacement creates it
    DWORD attributes = 0; // when it exists
};

int errnoOf(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EBUSY;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    default:
        return EIO;
    }
}

std::string utf8Of(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(std::max(size, 0)), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(),
                            size, nullptr, nullptr);
    }
    return result;
}

// The system's message for a Windows error, in the user's language.
std::string windowsErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n > 0 && buffer != nullptr ? std::wstring(buffer, n) : std::wstring();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return utf8Of(text);
}

// The failure of a Windows call with `error`, in the system's words for it (those of a file in
// use for a sharing or lock violation).
WriteResult windowsFailure(DWORD error) {
    WriteResult result = WriteResult::failed(errnoOf(error));
    result.reason = result.error == EBUSY ? std::string(FileInUseText) : windowsErrorText(error);
    return result;
}

WriteResult lastWindowsFailure() {
    return windowsFailure(GetLastError());
}

// Whether `error` of a replacement of the existing, writable `target` means that another program
// holds it open: a sharing or lock violation, or a refusal while the file cannot be opened for
// deletion beside whoever has it open.
bool heldByAnotherProgram(const std::wstring& target, DWORD error) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
        return true;
    }
    if (error != ERROR_ACCESS_DENIED) {
        return false;
    }
    HANDLE handle =
        CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return false;
    }
    const DWORD probe = GetLastError();
    return probe == ERROR_SHARING_VIOLATION || probe == ERROR_LOCK_VIOLATION;
}

// The final path of an existing file, links resolved by the system; empty with `failure` set when
// the system cannot say.
std::wstring finalPath(const std::wstring& path, WriteResult& failure) {
    HANDLE handle =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        failure = lastWindowsFailure();
        return {};
    }
    std::wstring result(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(handle, result.data(), static_cast<DWORD>(result.size()),
                                        FILE_NAME_NORMALIZED);
    if (n >= result.size()) {
        result.resize(n + 1);
        n = GetFinalPathNameByHandleW(handle, result.data(), static_cast<DWORD>(result.size()),
                                      FILE_NAME_NORMALIZED);
    }
    if (n == 0 || n >= result.size()) {
        failure = lastWindowsFailure();
        CloseHandle(handle);
        return {};
    }
    CloseHandle(handle);
    result.resize(n);
    return result;
}

// Finds the file behind `requested` and whether it may be replaced.
WriteResult inspectTarget(const fs::path& requested, Target& target) {
    target.path = requested.wstring();
    target.attributes = GetFileAttributesW(target.path.c_str());
    target.exists = target.attributes != INVALID_FILE_ATTRIBUTES;
    if (!target.exists) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? WriteResult{} : windowsFailure(error);
    }
    if ((target.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        WriteResult failure;
        target.path = finalPath(target.path, failure);
        if (!failure.written()) {
            return failure;
        }
        target.attributes = GetFileAttributesW(target.path.c_str());
        if (target.attributes == INVALID_FILE_ATTRIBUTES) {
            return lastWindowsFailure();
        }
    }
    if ((target.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return WriteResult::failed(EISDIR);
    }
    if ((target.attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return WriteResult::failed(EACCES);
    }
    return {};
}

// Creates a temporary file of `target` under a name no other file has: its handle, or
// INVALID_HANDLE_VALUE with `failure` set.
HANDLE createTemporary(const std::wstring& target, std::wstring& temporary, WriteResult& failure) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            TemporaryFileFor(target, GetCurrentProcessId(), NextTemporarySerial()).wstring();
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            return file;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            failure = lastWindowsFailure();
            return INVALID_HANDLE_VALUE;
        }
    }
    failure = WriteResult::failed(EEXIST);
    return INVALID_HANDLE_VALUE;
}

WriteResult writeAll(HANDLE file, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1U << 30));
        DWORD n = 0;
        if (WriteFile(file, bytes.data() + written, chunk, &n, nullptr) == FALSE) {
            return lastWindowsFailure();
        }
        if (n == 0) {
            return WriteResult::failed(EIO);
        }
        written += n;
    }
    return {};
}

// Fills the temporary file `file` with `bytes`, on the disk, and closes it; the first failure.
WriteResult fillTemporary(HANDLE file, std::string_view bytes) {
    WriteResult result = writeAll(file, bytes);
    if (result.written() && FlushFileBuffers(file) == FALSE) {
        result = lastWindowsFailure();
    }
    if (CloseHandle(file) == FALSE && result.written()) {
        result = lastWindowsFailure();
    }
    return result;
}

// Moves the temporary file into the target's place, waiting a moment for another program that
// holds the target open.
WriteResult moveIntoPlace(const std::wstring& temporary, const Target& target) {
    if (target.exists) {
        // Hidden, system and archive flags stay as they were.
        const DWORD keep =
            target.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                 FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        SetFileAttributesW(temporary.c_str(), keep != 0 ? keep : FILE_ATTRIBUTE_NORMAL);
    }
    const ULONGLONG start = GetTickCount64();
    while (MoveFileExW(temporary.c_str(), target.path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
        const DWORD error = GetLastError();
        if (!target.exists || !heldByAnotherProgram(target.path, error)) {
            return windowsFailure(error);
        }
        if (GetTickCount64() - start >= InUseWaitMilliseconds) {
            return windowsFailure(ERROR_SHARING_VIOLATION);
        }
        Sleep(InUseRetryMilliseconds);
    }
    return {};
}

} // namespace

fs::path::string_type TemporaryPrefix(const fs::path& target) {
    fs::path name = target.filename();
    name += ".tmp";
    return name.native();
}

bool ProcessIsGone(std::uint32_t processId) {
    if (processId == GetCurrentProcessId()) {
        return false;
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return GetLastError() == ERROR_INVALID_PARAMETER;
    }
    DWORD exitCode = 0;
    const bool ended = GetExitCodeProcess(process, &exitCode) != FALSE && exitCode != STILL_ACTIVE;
    CloseHandle(process);
    return ended;
}

WriteResult ReplaceTarget(const fs::path& requested, std::string_view bytes) {
    Target target;
    if (WriteResult failure = inspectTarget(requested, target); !failure.written()) {
        return failure;
    }
    RemoveAbandonedTemporaries(target.path);
    std::wstring temporary;
    WriteResult result;
    HANDLE file = createTemporary(target.path, temporary, result);
    if (file == INVALID_HANDLE_VALUE) {
        return result;
    }
    result = fillTemporary(file, bytes);
    if (result.written()) {
        result = moveIntoPlace(temporary, target);
    }
    if (!result.written()) {
        DeleteFileW(temporary.c_str());
    }
    return result;
}

std::string SystemErrorText(int errorNumber) {
    if (errorNumber == EBUSY) {
        return std::string(FileInUseText);
    }
    return std::strerror(errorNumber);
}
