#pragma once

// The previous-instance test of the running executable: a second copy of the same program (the
// same executable file) started by the same user is refused, another user's copy is never in the
// way, and the lock of a copy that crashed is taken over.

#include <QString>
#include <QStringList>
#include <memory>

class QLockFile;

class InstanceService {
public:
    virtual ~InstanceService() = default;
    // True when no other copy of this program runs; the lock is then held by this process until
    // release() or the end of the process. Asking again while this process holds it answers true
    // (the calendar window is re-created inside the running program).
    [[nodiscard]] virtual bool acquire() = 0;
    // Gives the lock up (no-op when not held).
    virtual void release() = 0;
};

// Whether `folder` (absolute) belongs to this user alone: it is made (for the user only) when
// missing, and then must be a real folder, no link, owned by the user and writable by nobody
// else. On Windows the folders asked about lie in the user's profile and only their existence is
// checked.
bool IsPrivateFolder(const QString& folder);

// The first of `candidates` that IsPrivateFolder accepts; empty when none does.
QString PrivateLockFolder(const QStringList& candidates);

// Where the lock of the running program may lie, best first: the user's runtime folder, a folder
// of the user's own in the temporary folder, one in the user's cache folder.
QStringList LockFolderCandidates();

// A lock file in `lockFolder` (a folder of the user's own, PrivateLockFolder) named after a hash
// of `executablePath`. Without a folder (empty) there is no lock and every start is let through.
class InstanceLock final : public InstanceService {
public:
    InstanceLock(const QString& lockFolder, const QString& executablePath);
    ~InstanceLock() override;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    [[nodiscard]] bool acquire() override;
    void release() override;

    // Full path of the lock file.
    [[nodiscard]] QString lockFilePath() const { return path_; }

    // The lock for the running executable in the user's runtime folder.
    static std::unique_ptr<InstanceLock> forRunningProgram();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};
