#include "platform/file_replace.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Numbers the temporary files of this process.
std::atomic<unsigned> temporaryCounter{0};

#ifdef _WIN32

int errnoOf(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
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

int replaceTarget(const std::filesystem::path& requested, std::string_view bytes) {
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

    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = target + L".tmp" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                    std::to_wstring(temporaryCounter++);
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
    if (MoveFileExW(temporary.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
        return fail(lastErrno());
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
    const std::string base = (folder / ("." + target.filename().string() + ".tmp")).string();
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = base + std::to_string(::getpid()) + "_" + std::to_string(temporaryCounter++);
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
    return replaceTarget(path, bytes);
}
