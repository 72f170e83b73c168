#include "platform/file_replace.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// Numbers the temporary files of this process.
std::atomic<unsigned> temporaryCounter{0};

std::mutex failureGuard;
WriteFailure lastFailure;

// The start of the name of every temporary file of `target`: hidden on Linux (".Korin1.csv.tmp"),
// where a leading dot is how a file stays out of sight; on Windows "Korin1.csv.tmp".
fs::path::string_type temporaryPrefix(const fs::path& target) {
#ifdef _WIN32
    fs::path name;
#else
    fs::path name(".");
#endif
    name += target.filename().native();
    name += ".tmp";
    return name.native();
}

// The process that wrote the temporary file `name` of a target with `prefix`: the digits
// between the prefix and "_", when the rest of the name is digits as well.
std::optional<std::uint32_t> temporaryOwner(const fs::path::string_type& name,
                                            const fs::path::string_type& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
        return std::nullopt;
    }
    std::uint64_t owner = 0;
    std::size_t i = prefix.size();
    const std::size_t digitsStart = i;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
        owner = owner * 10 + static_cast<std::uint64_t>(name[i] - '0');
        if (owner > UINT32_MAX) {
            return std::nullopt;
        }
    }
    if (i == digitsStart || i >= name.size() || name[i] != '_' || i + 1 == name.size()) {
        return std::nullopt;
    }
    for (++i; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(owner);
}

// True only when the system says that no process `processId` runs; a process of another user,
// or one the system does not answer for, counts as running.
bool processIsGone(std::uint32_t processId) {
#ifdef _WIN32
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
#else
    if (processId == 0 || processId > static_cast<std::uint32_t>(INT_MAX) ||
        static_cast<pid_t>(processId) == ::getpid()) {
        return false;
    }
    return ::kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH;
#endif
}

// Removes the temporary files beside `target` that saves of processes no longer running left
// behind. Only regular files are removed; a failure leaves the file where it is.
void removeAbandonedTemporaries(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const fs::path::string_type prefix = temporaryPrefix(target);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::optional<std::uint32_t> owner =
            temporaryOwner(it->path().filename().native(), prefix);
        std::error_code statusError;
        if (owner && fs::is_regular_file(it->symlink_status(statusError)) &&
            processIsGone(*owner)) {
            std::error_code removeError;
            fs::remove(it->path(), removeError);
        }
    }
}

#ifdef _WIN32

// The system's error of the last failure of a replacement, whose words the message gives.
thread_local DWORD lastSystemError = 0;

int errnoOf(DWORD error) {
    lastSystemError = error;
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

int lastErrno() {
    return errnoOf(GetLastError());
}

// How long a replacement waits for another program (a virus scanner, the search indexer, a
// synchronised folder) that holds the target open for a moment, and how often it tries again.
constexpr ULONGLONG InUseWaitMilliseconds = 2000;
constexpr DWORD InUseRetryMilliseconds = 50;

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

// The final path of an existing file, links resolved by the system.
std::wstring finalPath(const std::wstring& path, int& error) {
    HANDLE handle =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = lastErrno();
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
        error = lastErrno();
        CloseHandle(handle);
        return {};
    }
    CloseHandle(handle);
    result.resize(n);
    return result;
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

int replaceTarget(const std::filesystem::path& requested, std::string_view bytes) {
    lastSystemError = 0;
    std::wstring target = requested.wstring();
    DWORD attributes = GetFileAttributesW(target.c_str());
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) {
            return errnoOf(error);
        }
    }
    if (exists && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        int error = 0;
        target = finalPath(target, error);
        if (error != 0) {
            return error;
        }
        attributes = GetFileAttributesW(target.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return lastErrno();
        }
    }
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return EISDIR;
    }
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return EACCES;
    }

    removeAbandonedTemporaries(target);
    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = TemporaryFileFor(target, GetCurrentProcessId(), temporaryCounter++).wstring();
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            return lastErrno();
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        return EEXIST;
    }
    auto fail = [&](int error) {
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
        DeleteFileW(temporary.c_str());
        return error;
    };
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1U << 30));
        DWORD n = 0;
        if (WriteFile(file, bytes.data() + written, chunk, &n, nullptr) == FALSE) {
            return fail(lastErrno());
        }
        if (n == 0) {
            return fail(EIO);
        }
        written += n;
    }
    if (FlushFileBuffers(file) == FALSE) {
        return fail(lastErrno());
    }
    const BOOL closed = CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
    if (closed == FALSE) {
        return fail(lastErrno());
    }
    if (exists) {
        // Hidden, system and archive flags stay as they were.
        const DWORD keep =
            attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        SetFileAttributesW(temporary.c_str(), keep != 0 ? keep : FILE_ATTRIBUTE_NORMAL);
    }
    const ULONGLONG start = GetTickCount64();
    while (MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
        const DWORD error = GetLastError();
        if (!exists || !heldByAnotherProgram(target, error)) {
            return fail(errnoOf(error));
        }
        if (GetTickCount64() - start >= InUseWaitMilliseconds) {
            lastSystemError = ERROR_SHARING_VIOLATION;
            return fail(EBUSY);
        }
        Sleep(InUseRetryMilliseconds);
    }
    return 0;
}

#else

// How many links are followed before the path counts as a loop.
constexpr int MaxLinks = 40;

// The file a chain of symbolic links ends at (the path itself when it is no link); links are
// followed even when the final target does not exist yet, so that it is created where the link
// points.
std::filesystem::path linkTarget(std::filesystem::path path, int& error) {
    for (int hops = 0; hops < MaxLinks; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) {
            return path;
        }
        std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        if (ec) {
            error = ec.value();
            return {};
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    error = ELOOP;
    return {};
}

int replaceTarget(const std::filesystem::path& requested, std::string_view bytes) {
    int error = 0;
    const std::filesystem::path target = linkTarget(requested, error);
    if (error != 0) {
        return error;
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        return errno;
    }
    if (exists && S_ISDIR(old.st_mode)) {
        return EISDIR;
    }
    if (exists && !S_ISREG(old.st_mode)) {
        return EINVAL; // a pipe or a device is never replaced by a file
    }
    // A file without any write permission is read-only for everyone, including a user (root)
    // whom the system would let write it anyway.
    if (exists && (old.st_mode & 0222) == 0) {
        return EACCES;
    }
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        return errno;
    }

    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    removeAbandonedTemporaries(target);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary =
            TemporaryFileFor(target, static_cast<std::uint32_t>(::getpid()), temporaryCounter++)
                .string();
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return errno;
        }
    }
    if (fd < 0) {
        return EEXIST;
    }
    auto fail = [&](int failure) {
        if (fd >= 0) {
            ::close(fd);
        }
        ::unlink(temporary.c_str());
        return failure;
    };
    if (exists) {
        // Owner and group first: changing them may clear the set-id bits that chmod sets.
        // Only a privileged process may give a file away; the file is then simply ours.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0) {
            return fail(errno);
        }
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(errno);
        }
        if (n == 0) {
            return fail(EIO);
        }
        written += static_cast<std::size_t>(n);
    }
    // The data must be on the disk before the file takes the old one's place: a full disk or an
    // I/O error of a delayed write shows here at the latest.
    if (::fsync(fd) != 0) {
        return fail(errno);
    }
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) {
        return fail(errno);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    // Make the rename itself durable; the new file is in place even if this fails.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        (void)::fsync(folderFd);
        ::close(folderFd);
    }
    return 0;
}

#endif

} // namespace

int ReplaceFileSafely(const std::filesystem::path& path, std::string_view bytes) {
    const int error = replaceTarget(path, bytes);
    if (error != 0) {
        RecordWriteFailure({path, error, SystemErrorText(error)});
    }
    return error;
}

WriteFailure LastWriteFailure() {
    const std::lock_guard<std::mutex> lock(failureGuard);
    return lastFailure;
}

void RecordWriteFailure(WriteFailure failure) {
    const std::lock_guard<std::mutex> lock(failureGuard);
    lastFailure = std::move(failure);
}

std::string SystemErrorText(int errorNumber) {
#ifdef _WIN32
    if (errorNumber == EBUSY) {
        return std::string(FileInUseText);
    }
    // The Windows error behind the number, when the last failure had one, says more.
    if (lastSystemError != 0 && errnoOf(lastSystemError) == errorNumber) {
        if (std::string text = windowsErrorText(lastSystemError); !text.empty()) {
            return text;
        }
    }
#endif
    return std::strerror(errorNumber);
}

fs::path TemporaryFileFor(const fs::path& target, std::uint32_t processId, unsigned serial) {
    fs::path name(temporaryPrefix(target));
    name += std::to_string(processId) + "_" + std::to_string(serial);
    return target.has_parent_path() ? target.parent_path() / name : name;
}
