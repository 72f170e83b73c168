#include "platform/instance_lock.h"

#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString executable = QStringLiteral("/opt/zelvar/Zelvar");

} // namespace

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
