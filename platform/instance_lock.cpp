#include "platform/instance_lock.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {

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

InstanceLock::InstanceLock(const QString& lockFolder, const QString& executablePath)
    : path_(QDir(lockFolder).filePath(lockName(executablePath))) {}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::acquire() {
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

std::unique_ptr<InstanceLock> InstanceLock::forRunningProgram() {
    // The runtime folder belongs to the user alone, so another user's copy never meets this lock.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return std::make_unique<InstanceLock>(folder, QCoreApplication::applicationFilePath());
}
