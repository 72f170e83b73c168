#include "platform/instance_lock.h"
#include "tests/support/scoped_environment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString executable = QStringLiteral("/opt/zelvar/Zelvar");

// Makes `folder` look like another user's: given to another user where this process may do so
// (the superuser), else open to everyone's writes. Either way it is not this user's alone.
void makeOthers(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    ASSERT_TRUE(QDir().mkpath(folder));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.constData(), 65534, 65534), 0);
        ASSERT_EQ(::chmod(path.constData(), 0700), 0);
    } else {
        ASSERT_EQ(::chmod(path.constData(), 0777), 0);
    }
}

// True when `folder` is a folder that this user owns and nobody else may write.
bool onlyMine(const QString& folder) {
    struct stat info {};
    return ::lstat(QFile::encodeName(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 022) == 0;
}

} // namespace

TEST(InstanceLock, OnlyAFolderOfTheUsersOwnHoldsTheLock) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString others = dir.filePath(QStringLiteral("others"));
    makeOthers(others);
    const QString openToAll = dir.filePath(QStringLiteral("open"));
    ASSERT_TRUE(QDir().mkpath(openToAll));
    ASSERT_EQ(::chmod(QFile::encodeName(openToAll).constData(), 01777), 0);
    const QString mine = dir.filePath(QStringLiteral("mine"));
    ASSERT_TRUE(QDir().mkpath(mine));
    ASSERT_EQ(::chmod(QFile::encodeName(mine).constData(), 0700), 0);
    const QString link = dir.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(mine, link));

    EXPECT_FALSE(IsPrivateFolder(others));
    EXPECT_FALSE(IsPrivateFolder(openToAll));
    EXPECT_FALSE(IsPrivateFolder(link));
    EXPECT_FALSE(IsPrivateFolder(QString()));
    EXPECT_FALSE(IsPrivateFolder(QStringLiteral("relative")));
    EXPECT_TRUE(IsPrivateFolder(mine));
    EXPECT_EQ(PrivateLockFolder({QString(), others, openToAll, link, mine}), mine);
    EXPECT_EQ(PrivateLockFolder({others}), QString());

    // A missing folder is made for the user alone.
    const QString made = dir.filePath(QStringLiteral("made/zelvar"));
    EXPECT_EQ(PrivateLockFolder({others, made}), made);
    EXPECT_TRUE(onlyMine(made));

    // Without any folder there is no lock, and nothing refuses the start.
    InstanceLock none(QString(), executable);
    EXPECT_TRUE(none.lockFilePath().isEmpty());
    EXPECT_TRUE(none.acquire());
}

TEST(InstanceLock, WithoutARuntimeFolderTheLockNeverLiesInTheSharedTemporaryFolder) {
    // A temporary folder shared by every user, in which another user has made first the folders
    // that this user's lock would be looked for in.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString shared = dir.filePath(QStringLiteral("tmp"));
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    const passwd* user = ::getpwuid(::geteuid());
    ASSERT_NE(user, nullptr);
    makeOthers(shared + QStringLiteral("/runtime-") + QString::fromLocal8Bit(user->pw_name));
    makeOthers(shared + QStringLiteral("/zelvar-") + QString::number(::geteuid()));
    const QString home = dir.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home));

    const ScopedEnvironment runtime("XDG_RUNTIME_DIR", QByteArray());
    const ScopedEnvironment temporary("TMPDIR", QFile::encodeName(shared));
    const ScopedEnvironment homeFolder("HOME", QFile::encodeName(home));
    const ScopedEnvironment cache("XDG_CACHE_HOME", QByteArray());
    const std::unique_ptr<InstanceLock> lock = InstanceLock::forRunningProgram();
    const QString folder = QFileInfo(lock->lockFilePath()).absolutePath();
    EXPECT_TRUE(onlyMine(folder)) << folder.toStdString();
    EXPECT_EQ(folder, home + QStringLiteral("/.cache/zelvar"));
    EXPECT_TRUE(lock->acquire());
    lock->release();
}

TEST(InstanceLock, ASecondCopyIsRefusedUntilTheFirstLetsGo) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    InstanceLock first(dir.path(), executable);
    InstanceLock second(dir.path(), executable);
    EXPECT_EQ(first.lockFilePath(), second.lockFilePath());
    EXPECT_TRUE(first.lockFilePath().startsWith(dir.path()));

    ASSERT_TRUE(first.acquire());
    EXPECT_TRUE(first.acquire()); // the running copy asks again: still its own
    EXPECT_FALSE(second.acquire());
    EXPECT_TRUE(QFile::exists(first.lockFilePath()));

    first.release();
    EXPECT_TRUE(second.acquire());
    EXPECT_FALSE(first.acquire());
    second.release();
    EXPECT_FALSE(QFile::exists(second.lockFilePath()));
}

TEST(InstanceLock, AnotherExecutableIsNotInTheWay) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    InstanceLock calendar(dir.path(), executable);
    InstanceLock other(dir.path(), QStringLiteral("/home/someone/Zelvar"));
    EXPECT_NE(calendar.lockFilePath(), other.lockFilePath());
    ASSERT_TRUE(calendar.acquire());
    EXPECT_TRUE(other.acquire());
}

TEST(InstanceLock, TheLockOfACopyThatCrashedIsTakenOver) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    InstanceLock lock(dir.path(), executable);
    const QString path = lock.lockFilePath();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The crashed copy: takes the lock and dies without letting go.
        QLockFile held(path);
        held.setStaleLockTime(0);
        _exit(held.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(QFile::exists(path)); // left behind

    EXPECT_TRUE(lock.acquire());
}

TEST(InstanceLock, ALockFileThatNamesNoOwnerIsTakenOverUnlessACopyHoldsIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    InstanceLock lock(dir.path(), executable);
    const QString path = lock.lockFilePath();
    auto leave = [&path](const QByteArray& contents) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
    };
    for (const QByteArray& contents :
         {QByteArray(), QByteArray("garbage"), QByteArray("\xff\xfe\n\n\n"), QByteArray("12")}) {
        leave(contents);
        EXPECT_TRUE(lock.acquire()) << contents.toStdString();
        lock.release();
        EXPECT_FALSE(QFile::exists(path));
    }

    // A running copy whose lock file was garbled afterwards still keeps the second copy out.
    InstanceLock running(dir.path(), executable);
    ASSERT_TRUE(running.acquire());
    leave("garbage");
    InstanceLock second(dir.path(), executable);
    EXPECT_FALSE(second.acquire());
    EXPECT_TRUE(QFile::exists(path));
}
