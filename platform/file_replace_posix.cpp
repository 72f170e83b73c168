#include "platform/file_replace.h"
#include "platform/file_replace_internal.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// How many links are followed before the path counts as a loop.
constexpr int MaxLinks = 40;

// The file a replacement writes, as it was found before.
struct Target {
    fs::path path;       // links followed
    bool exists = false; // false: the replacement creates it
    struct stat old {};  // when it exists
};

// The file a chain of symbolic links ends at (the path itself when it is no link); links are
// followed even when the final target does not exist yet, so that it is created where the link
// points.
fs::path linkTarget(fs::path path, int& error) {
    for (int hops = 0; hops < MaxLinks; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) {
            return path;
        }
        fs::path next = fs::read_symlink(path, ec);
        if (ec) {
            error = ec.value();
            return {};
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    error = ELOOP;
    return {};
}

// Finds the file behind `requested` and whether it may be replaced: 0 or the error number.
int inspectTarget(const fs::path& requested, Target& target) {
    int error = 0;
    target.path = linkTarget(requested, error);
    if (error != 0) {
        return error;
    }
    target.exists = ::stat(target.path.c_str(), &target.old) == 0;
    if (!target.exists) {
        return errno == ENOENT ? 0 : errno;
    }
    if (S_ISDIR(target.old.st_mode)) {
        return EISDIR;
    }
    if (!S_ISREG(target.old.st_mode)) {
        return EINVAL; // a pipe or a device is never replaced by a file
    }
    // A file without any write permission is read-only for everyone, including a user (root)
    // whom the system would let write it anyway.
    if ((target.old.st_mode & 0222) == 0) {
        return EACCES;
    }
    return ::access(target.path.c_str(), W_OK) == 0 ? 0 : errno;
}

// Creates a temporary file of `target` under a name no other file has: its descriptor, or -1
// with the error number in `error`.
int createTemporary(const fs::path& target, std::string& temporary, int& error) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            TemporaryFileFor(target, static_cast<std::uint32_t>(::getpid()), NextTemporarySerial())
                .string();
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            error = fd >= 0 ? 0 : errno;
            return fd;
        }
    }
    error = EEXIST;
    return -1;
}

// Gives the new file the old one's owner, group and permissions: 0 or the error number.
int keepOwnership(int fd, const struct stat& old) {
    // Owner and group first: changing them may clear the set-id bits that chmod sets.
    // Only a privileged process may give a file away; the file is then simply ours.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

int writeAll(int fd, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : EIO;
        }
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

// Fills the temporary file `fd` for `target` with `bytes`, on the disk, and closes it: 0 or the
// error number of the first failure.
int fillTemporary(int fd, const Target& target, std::string_view bytes) {
    int error = target.exists ? keepOwnership(fd, target.old) : 0;
    if (error == 0) {
        error = writeAll(fd, bytes);
    }
    // The data must be on the disk before the file takes the old one's place: a full disk or an
    // I/O error of a delayed write shows here at the latest.
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

// Makes a rename in `folder` durable; the new file is in place even if this fails.
void syncFolder(const fs::path& folder) {
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        (void)::fsync(folderFd);
        ::close(folderFd);
    }
}

} // namespace

fs::path::string_type TemporaryPrefix(const fs::path& target) {
    fs::path name(".");
    name += target.filename().native();
    name += ".tmp";
    return name.native();
}

bool ProcessIsGone(std::uint32_t processId) {
    if (processId == 0 || processId > static_cast<std::uint32_t>(INT_MAX) ||
        static_cast<pid_t>(processId) == ::getpid()) {
        return false;
    }
    return ::kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH;
}

WriteResult ReplaceTarget(const fs::path& requested, std::string_view bytes) {
    Target target;
    if (const int error = inspectTarget(requested, target); error != 0) {
        return WriteResult::failed(error);
    }
    RemoveAbandonedTemporaries(target.path);
    std::string temporary;
    int error = 0;
    const int fd = createTemporary(target.path, temporary, error);
    if (fd < 0) {
        return WriteResult::failed(error);
    }
    error = fillTemporary(fd, target, bytes);
    if (error == 0 && ::rename(temporary.c_str(), target.path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return WriteResult::failed(error);
    }
    syncFolder(target.path.has_parent_path() ? target.path.parent_path() : fs::path("."));
    return {};
}

std::string SystemErrorText(int errorNumber) {
    return std::strerror(errorNumber);
}
