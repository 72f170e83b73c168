#include "platform/instance_lock.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// An absolute folder named by the environment variable `name`, or empty.
QString absoluteFolderFrom(const char* name) {
    const QString value = qEnvironmentVariable(name);
    return !value.isEmpty() && QDir::isAbsolutePath(value) ? value : QString();
}

QString lockName(const QString& executablePath) {
    QFileInfo info(executablePath);
    QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty()) {
        canonical = info.absoluteFilePath();
    }
#ifdef Q_OS_WIN
    canonical = canonical.toLower(); // one file, however its path is spelt
#endif
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return info.completeBaseName() + u'-' + QString::fromLatin1(hash) + QStringLiteral(".lock");
}

} // namespace

bool IsPrivateFolder(const QString& folder) {
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) {
        return false;
    }
#ifdef _WIN32
    // The folders asked for on Windows lie in the user's profile, which the system keeps to the
    // user; the folder is made when missing.
    return QDir().mkpath(folder);
#else
    const QByteArray path = QFile::encodeName(folder);
    // Made for this user alone when missing; a folder someone else made first is checked below
    // like any other.
    QDir().mkpath(QFileInfo(folder).absolutePath());
    (void)::mkdir(path.constData(), 0700);
    struct stat info {};
    // lstat: a link is not the folder it points to, and could be changed by whoever made it.
    if (::lstat(path.constData(), &info) != 0) {
        return false;
    }
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 022) == 0;
#endif
}

QString PrivateLockFolder(const QStringList& candidates) {
    for (const QString& folder : candidates) {
        if (IsPrivateFolder(folder)) {
            return folder;
        }
    }
    return {};
}

InstanceLock::InstanceLock(const QString& lockFolder, const QString& executablePath)
    : path_(lockFolder.isEmpty() ? QString()
                                 : QDir(lockFolder).filePath(lockName(executablePath))) {}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::acquire() {
    if (path_.isEmpty()) {
        return true; // no folder of the user's to hold a lock: nothing can refuse the start
    }
    if (lock_ && lock_->isLocked()) {
        return true;
    }
    auto lock = std::make_unique<QLockFile>(path_);
    // A lock is stale only when its process is gone, never because of its age: a calendar
    // runs for days.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        lock_ = std::move(lock);
        return true;
    }
    // A lock file that names no owner (empty, cut short, garbled) cannot be checked by the owner's
    // process, and without an age limit it would refuse every start for ever. It is taken over
    // unless a live copy still holds it: removing the lock file of a running copy fails (that
    // copy keeps the file locked by the system while it runs).
    qint64 pid = 0;
    QString hostName;
    QString application;
    if (lock->error() == QLockFile::LockFailedError &&
        !lock->getLockInfo(&pid, &hostName, &application) && lock->removeStaleLockFile() &&
        lock->tryLock(0)) {
        lock_ = std::move(lock);
        return true;
    }
    // Only a lock held by a live copy refuses the start; a folder where no lock can be made must
    // not keep the program from running.
    return lock->error() != QLockFile::LockFailedError;
}

void InstanceLock::release() {
    if (lock_) {
        lock_->unlock();
        lock_.reset();
    }
}

QStringList LockFolderCandidates() {
#ifdef _WIN32
    // The user's profile and the user's own temporary folder.
    return {QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), QDir::tempPath()};
#else
    // The runtime folder, then a folder of the user's own in the temporary folder, then one in
    // the user's cache folder: a folder that another user made first under the expected name
    // fails the check and the next one is used. The shared temporary folder itself never is.
    QStringList candidates;
    candidates << absoluteFolderFrom("XDG_RUNTIME_DIR");
    candidates << QDir::tempPath() + QStringLiteral("/zelvar-") + QString::number(::geteuid());
    QString cache = absoluteFolderFrom("XDG_CACHE_HOME");
    if (cache.isEmpty()) {
        const QString home = absoluteFolderFrom("HOME");
        cache = home.isEmpty() ? QString() : home + QStringLiteral("/.cache");
    }
    candidates << (cache.isEmpty() ? QString() : cache + QStringLiteral("/zelvar"));
    return candidates;
#endif
}

std::unique_ptr<InstanceLock> InstanceLock::forRunningProgram() {
    // A folder that belongs to the user alone, so that another user can neither meet this lock
    // nor take it first.
    return std::make_unique<InstanceLock>(PrivateLockFolder(LockFolderCandidates()),
                                          QCoreApplication::applicationFilePath());
}
