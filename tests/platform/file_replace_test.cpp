// The one safe replacement of a user's file, on a real file system.

#include "platform/file_replace.h"
#include "platform/ini_file.h"
#include "tests/support/temp_folder.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace fs = std::filesystem;

namespace {

int filesIn(const fs::path& folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) {
        ++n;
    }
    return n;
}

} // namespace

TEST(FileReplace, ReplacesTheWholeFileAndKeepsItsPermissions) {
    TempFolder folder;
    const fs::path path = folder.path() / "Korin1.csv";
    EXPECT_EQ(ReplaceFileSafely(path, "new file\r\n").error, 0);
    EXPECT_EQ(folder.read("Korin1.csv"), "new file\r\n");

    folder.write("Korin1.csv", std::string(1000, 'x'));
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, mode);
    // What the system keeps of that mode (on Windows only whether the file is read-only).
    const fs::perms kept = fs::status(path).permissions() & fs::perms::all;
    EXPECT_EQ(ReplaceFileSafely(path, "short").error, 0);
    EXPECT_EQ(folder.read("Korin1.csv"), "short");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, kept);
    EXPECT_EQ(filesIn(folder.path()), 1); // no temporary file is left
}

TEST(FileReplace, AReadOnlyFileIsRefusedAndStaysAsItWas) {
    TempFolder folder;
    const fs::path path = folder.path() / "Korin2.csv";
    folder.write("Korin2.csv", "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto time = fs::last_write_time(path);
    // Refused even when the process could write it anyway (the superuser).
    EXPECT_EQ(ReplaceFileSafely(path, "new").error, EACCES);
    EXPECT_EQ(folder.read("Korin2.csv"), "old");
    EXPECT_EQ(fs::last_write_time(path), time);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(filesIn(folder.path()), 1);
}

TEST(FileReplace, ASaveRemovesTheTemporaryFilesOfSavesWhoseProcessIsGone) {
    TempFolder folder;
    const fs::path path = folder.path() / "Korin1.csv";
    folder.write("Korin1.csv", "old");
    // No system runs a process of this number (above Linux's largest; not one Windows hands out).
    constexpr std::uint32_t gone = 2147483644;
    const auto running = static_cast<std::uint32_t>(QCoreApplication::applicationPid());
    const fs::path crashed = TemporaryFileFor(path, gone, 0);
    const fs::path crashedLater = TemporaryFileFor(path, gone, 17);
    const fs::path ownInProgress = TemporaryFileFor(path, running, 1000000);
    const fs::path otherFiles = TemporaryFileFor(folder.path() / "Korin2.csv", gone, 0);
    fs::path notOne = crashed;
    notOne += "x";
    for (const fs::path& leftOver : {crashed, crashedLater, ownInProgress, otherFiles, notOne}) {
        folder.write(leftOver.filename().string(), "half a save");
    }
    EXPECT_EQ(crashed.parent_path(), folder.path());
    EXPECT_NE(crashed.filename().string().find("Korin1.csv"), std::string::npos);

    EXPECT_EQ(ReplaceFileSafely(path, "new").error, 0);
    EXPECT_EQ(folder.read("Korin1.csv"), "new");
    EXPECT_FALSE(fs::exists(crashed));
    EXPECT_FALSE(fs::exists(crashedLater));
    // A save still in progress, another file's and anything else are left alone.
    EXPECT_TRUE(fs::exists(ownInProgress));
    EXPECT_TRUE(fs::exists(otherFiles));
    EXPECT_TRUE(fs::exists(notOne));
}

TEST(FileReplace, ALinkIsWrittenThroughAndStaysALink) {
    TempFolder folder;
    fs::create_directory(folder.path() / "shared");
    folder.write("shared/Korin1.csv", "shared old");
    fs::permissions(folder.path() / "shared/Korin1.csv",
                    fs::perms::owner_read | fs::perms::owner_write);
    const fs::path link = folder.path() / "Korin1.csv";
    std::error_code ec;
    fs::create_symlink("shared/Korin1.csv", link, ec);
    if (ec) {
        GTEST_SKIP() << "no symbolic links here: " << ec.message();
    }
    EXPECT_EQ(ReplaceFileSafely(link, "shared new").error, 0);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(folder.read("shared/Korin1.csv"), "shared new");
    EXPECT_EQ(fs::status(link).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(filesIn(folder.path() / "shared"), 1); // the temporary file was beside the target

    // A link to a read-only file is refused like the file itself.
    fs::permissions(folder.path() / "shared/Korin1.csv", fs::perms::owner_read);
    EXPECT_EQ(ReplaceFileSafely(link, "other").error, EACCES);
    EXPECT_EQ(folder.read("shared/Korin1.csv"), "shared new");
}

TEST(FileReplace, WhatIsNotARegularFileIsNeverReplaced) {
    TempFolder folder;
    fs::create_directory(folder.path() / "Zelvar.ini");
    EXPECT_EQ(ReplaceFileSafely(folder.path() / "Zelvar.ini", "x").error, EISDIR);
    EXPECT_TRUE(fs::is_directory(folder.path() / "Zelvar.ini"));
    EXPECT_NE(ReplaceFileSafely(folder.path() / "missing" / "Zelvar.ini", "x").error, 0);
}

TEST(FileReplace, AFailureNamesThePathAndTheSystemsWordsAndASuccessNothing) {
    TempFolder folder;
    const fs::path missing = folder.path() / "missing" / "Korin1.csv";
    const WriteResult failed = ReplaceFileSafely(missing, "x");
    EXPECT_FALSE(failed.written());
    EXPECT_EQ(failed.path, missing);
    EXPECT_FALSE(failed.reason.empty());
    EXPECT_EQ(failed.record, 0);

    fs::create_directory(folder.path() / "Zelvar.ini");
    const WriteResult folderInPlace = ReplaceFileSafely(folder.path() / "Zelvar.ini", "x");
    EXPECT_EQ(folderInPlace.path, folder.path() / "Zelvar.ini");
    EXPECT_EQ(folderInPlace.reason, SystemErrorText(EISDIR));

    const WriteResult written = ReplaceFileSafely(folder.path() / "Korin1.csv", "new");
    EXPECT_TRUE(written.written());
    EXPECT_TRUE(written.path.empty());
    EXPECT_TRUE(written.reason.empty());
}

// A real full file system: a small memory file system mounted for the test (needs the right to
// mount, which the CI's superuser has).
TEST(FileReplace, AFullDiskLeavesTheOldFileExactlyAsItWas) {
    TempFolder folder;
    const std::string mountPoint = folder.str();
    if (std::system(
            ("mount -t tmpfs -o size=64k zelvar-full '" + mountPoint + "' 2>/dev/null").c_str()) !=
        0) {
        GTEST_SKIP() << "cannot mount a small file system here";
    }
    struct Unmount {
        std::string at;
        ~Unmount() { (void)std::system(("umount '" + at + "'").c_str()); }
    } unmount{mountPoint};

    const std::string old =
        "[Option]\r\nShowMenu=0\r\nMainWidth=300\r\n[MainForm]\r\nLeft=1500\r\n";
    folder.write("Zelvar.ini", old);
    // Fill the rest of the file system.
    {
        std::string block(4096, 'f');
        std::FILE* filler = std::fopen((folder.path() / "filler").string().c_str(), "wb");
        ASSERT_NE(filler, nullptr);
        while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
               std::fflush(filler) == 0) {
        }
        std::fclose(filler);
    }
    const std::string updated = old + "[More]\r\n" + std::string(8192, 'v') + "\r\n";
    EXPECT_EQ(ReplaceFileSafely(folder.path() / "Zelvar.ini", updated).error, ENOSPC);
    EXPECT_EQ(folder.read("Zelvar.ini"), old);
    EXPECT_EQ(filesIn(folder.path()), 2); // the file and the filler, no temporary file

    // The settings file goes through the same replacement: the write is refused, not cut short.
    IniFiles ini;
    const QString path = QString::fromStdString((folder.path() / "Zelvar.ini").string());
    EXPECT_FALSE(
        ini.writeString(path, QStringLiteral("More"), QStringLiteral("Key"), QString(8192, u'v'))
            .written());
    EXPECT_EQ(folder.read("Zelvar.ini"), old);
}
