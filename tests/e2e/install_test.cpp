// `cmake --install` and the installed uninstall.sh, into a scratch home: the program folder, the
// desktop entries, the icons, the korin link, keeping the user's files, and removing the rest.

#include "e2e_support.h"
#include "tests/support/temp_folder.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

using namespace e2e;
namespace fs = std::filesystem;

namespace {

const fs::path sourceDir = ZELVAR_SOURCE_DIR;
const std::vector<int> iconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

fs::path applications(const InstalledCopy& copy) {
    return copy.home / ".local" / "share" / "applications";
}

fs::path themeIcon(const InstalledCopy& copy, const std::string& size, const std::string& file) {
    return copy.home / ".local" / "share" / "icons" / "hicolor" / size / "apps" / file;
}

// The program path of an Exec value as a desktop launcher reads it: the string escapes undone,
// "%%" read as "%", then the first quoted argument with its backslash escapes undone.
std::string execProgram(const std::string& exec) {
    std::string unescaped;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if ((exec[i] == '\\' || (exec[i] == '%' && exec.compare(i, 2, "%%") == 0)) &&
            i + 1 < exec.size()) {
            ++i;
        }
        unescaped += exec[i];
    }
    if (unescaped.empty() || unescaped.front() != '"') {
        return unescaped.substr(0, unescaped.find(' '));
    }
    std::string program;
    for (std::size_t i = 1; i < unescaped.size() && unescaped[i] != '"'; ++i) {
        if (unescaped[i] == '\\' && i + 1 < unescaped.size()) {
            ++i;
        }
        program += unescaped[i];
    }
    return program;
}

void writeText(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

std::vector<fs::path> filesUnder(const fs::path& folder) {
    std::vector<fs::path> files;
    if (fs::exists(folder)) {
        for (const auto& item : fs::recursive_directory_iterator(folder)) {
            if (!item.is_directory()) {
                files.push_back(item.path());
            }
        }
    }
    return files;
}

TEST(Install, PutsTheProgramsDataAndIconsIntoOneFolderAndTheEntriesIntoTheHome) {
    TempFolder scratch;
    InstalledCopy copy(scratch.path());
    ASSERT_TRUE(copy.install()) << copy.log.toStdString();

    for (const char* program : {"Zelvar", "Korinset", "korin", "uninstall.sh"}) {
        const fs::path file = copy.prefix / program;
        ASSERT_TRUE(fs::is_regular_file(file)) << program;
        EXPECT_TRUE(QFileInfo(QString::fromStdString(file.string())).isExecutable()) << program;
    }
    for (const char* data : {"Korin1.csv", "Korin2.csv"}) {
        EXPECT_EQ(ReadFile(copy.prefix / data), ReadFile(sourceDir / "data" / data)) << data;
    }
    for (int size : iconSizes) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const std::string shipped = ReadFile(sourceDir / "resources" / "icons" / "hicolor" /
                                             folder / "apps" / "zelvar.png");
        ASSERT_FALSE(shipped.empty()) << folder;
        EXPECT_EQ(ReadFile(copy.prefix / "icons" / "hicolor" / folder / "apps" / "zelvar.png"),
                  shipped)
            << folder;
        EXPECT_EQ(ReadFile(themeIcon(copy, folder, "zelvar.png")), shipped) << folder;
    }
    EXPECT_EQ(ReadFile(themeIcon(copy, "scalable", "zelvar.svg")),
              ReadFile(sourceDir / "resources" / "icons" / "zelvar.svg"));

    // The entries start the installed programs, with Japanese names and the icon.
    for (const auto& [file, program, name] :
         {std::tuple{"zelvar.desktop", "Zelvar", "カレンダー (Zelvar)"},
          std::tuple{"korinset.desktop", "Korinset", "祝日・元号の設定 (Korinset)"}}) {
        const std::string entry = ReadFile(applications(copy) / file);
        ASSERT_FALSE(entry.empty()) << file;
        EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0U) << file;
        EXPECT_EQ(DesktopEntryValue(entry, "Type"), "Application") << file;
        EXPECT_EQ(execProgram(DesktopEntryValue(entry, "Exec")), (copy.prefix / program).string());
        EXPECT_EQ(DesktopEntryValue(entry, "TryExec"), (copy.prefix / program).string());
        EXPECT_EQ(DesktopEntryValue(entry, "Name[ja]"), name) << file;
        EXPECT_EQ(DesktopEntryValue(entry, "Icon"), "zelvar") << file;
        if (HaveProgram(QStringLiteral("desktop-file-validate"))) {
            const RunResult valid =
                RunProgram(QStringLiteral("desktop-file-validate"),
                           {QString::fromStdString((applications(copy) / file).string())});
            EXPECT_EQ(valid.exitCode, 0) << valid.out.toStdString() << valid.err.toStdString();
        }
    }

    // korin on the PATH answers from the installed definition files.
    const fs::path link = copy.home / ".local" / "bin" / "korin";
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), copy.prefix / "korin");
    const RunResult answer =
        RunProgram(QString::fromStdString(link.string()),
                   {QStringLiteral("name"), QStringLiteral("20250101")}, copy.environment());
    EXPECT_EQ(answer.exitCode, 0) << answer.err.toStdString();
    EXPECT_EQ(answer.out, QStringLiteral("元日\n"));

    // The manifest lists every installed file with its checksum, and nothing else.
    const std::string manifest = ReadFile(copy.prefix / "install-manifest.txt");
    for (const fs::path& file : filesUnder(copy.prefix)) {
        if (file.filename() != "install-manifest.txt") {
            EXPECT_NE(manifest.find("\t" + file.string() + "\n"), std::string::npos) << file;
        }
    }
    EXPECT_NE(manifest.find("link\t-\t" + link.string() + "\n"), std::string::npos);
}

TEST(Install, ExecOfTheEntriesSurvivesAFolderWithBlanksAndQuotes) {
    TempFolder scratch;
    InstalledCopy copy(scratch.path(), scratch.path() / "my apps" / "Zel \"var\" $1 100%");
    ASSERT_TRUE(copy.install()) << copy.log.toStdString();
    const std::string entry = ReadFile(applications(copy) / "zelvar.desktop");
    EXPECT_EQ(execProgram(DesktopEntryValue(entry, "Exec")), (copy.prefix / "Zelvar").string());
    // The percent sign of a field code is doubled.
    EXPECT_NE(DesktopEntryValue(entry, "Exec").find("100%%"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(copy.prefix / "Zelvar"));
    const RunResult removed = copy.uninstall();
    EXPECT_EQ(removed.exitCode, 0) << removed.err.toStdString();
    EXPECT_FALSE(fs::exists(copy.prefix));
    EXPECT_FALSE(fs::exists(applications(copy) / "zelvar.desktop"));
}

TEST(Install, InstallingAgainKeepsAnEditedDefinitionFileAsABackup) {
    TempFolder scratch;
    InstalledCopy copy(scratch.path());
    ASSERT_TRUE(copy.install()) << copy.log.toStdString();
    const std::string shipped = ReadFile(sourceDir / "data" / "Korin1.csv");
    const std::string edited = shipped + "\x83\x65\x83\x58\x83\x67,1,6,12,,,2030,\r\n";
    writeText(copy.prefix / "Korin1.csv", edited);

    // An unchanged file is simply replaced: no backup.
    ASSERT_TRUE(copy.install()) << copy.log.toStdString();
    std::vector<fs::path> backups;
    for (const fs::path& file : filesUnder(copy.prefix)) {
        if (file.filename().string().rfind("Korin1.csv.bak-", 0) == 0) {
            backups.push_back(file);
        }
    }
    ASSERT_EQ(backups.size(), 1U) << copy.log.toStdString();
    EXPECT_EQ(ReadFile(backups.front()), edited);
    EXPECT_EQ(ReadFile(copy.prefix / "Korin1.csv"), shipped);
    EXPECT_TRUE(copy.log.contains(QStringLiteral("Kept the edited Korin1.csv")));
    for (const fs::path& file : filesUnder(copy.prefix)) {
        EXPECT_EQ(file.filename().string().rfind("Korin2.csv.bak", 0), std::string::npos);
    }

    // Installing once more with the file as installed makes no further backup.
    ASSERT_TRUE(copy.install());
    int count = 0;
    for (const fs::path& file : filesUnder(copy.prefix)) {
        count += file.filename().string().rfind("Korin1.csv.bak-", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(count, 1);
}

TEST(Install, UninstallKeepsTheSettingsAndEditedFilesUnlessPurged) {
    TempFolder scratch;
    InstalledCopy copy(scratch.path());
    ASSERT_TRUE(copy.install()) << copy.log.toStdString();
    writeText(copy.prefix / "Zelvar.ini", "[MainForm]\r\nAlwaysOnTop=1\r\n");
    const std::string editedEras = ReadFile(copy.prefix / "Korin2.csv") + "\x90\x56,20990101\r\n";
    writeText(copy.prefix / "Korin2.csv", editedEras);
    // Something of the user's in the shared folders stays whatever happens.
    const fs::path otherEntry = applications(copy) / "other.desktop";
    writeText(otherEntry, "[Desktop Entry]\n");

    const RunResult kept = copy.uninstall();
    ASSERT_EQ(kept.exitCode, 0) << kept.err.toStdString();
    EXPECT_TRUE(kept.out.contains(QStringLiteral("Zelvar.ini")));
    EXPECT_TRUE(kept.out.contains(QStringLiteral("Korin2.csv")));
    std::vector<fs::path> left = filesUnder(copy.prefix);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left,
              (std::vector<fs::path>{copy.prefix / "Korin2.csv", copy.prefix / "Zelvar.ini"}));
    EXPECT_EQ(ReadFile(copy.prefix / "Korin2.csv"), editedEras);
    EXPECT_FALSE(fs::exists(copy.prefix / "icons"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(copy.home / ".local" / "bin" / "korin")));
    EXPECT_FALSE(fs::exists(applications(copy) / "zelvar.desktop"));
    EXPECT_FALSE(fs::exists(applications(copy) / "korinset.desktop"));
    EXPECT_FALSE(fs::exists(themeIcon(copy, "48x48", "zelvar.png")));
    EXPECT_TRUE(fs::exists(otherEntry));

    // Installed again and purged: nothing of it is left.
    ASSERT_TRUE(copy.install()) << copy.log.toStdString();
    writeText(copy.prefix / "Zelvar.ini", "[MainForm]\r\nAlwaysOnTop=1\r\n");
    const RunResult purged = copy.uninstall(true);
    ASSERT_EQ(purged.exitCode, 0) << purged.err.toStdString();
    EXPECT_FALSE(fs::exists(copy.prefix)) << purged.out.toStdString();
    EXPECT_FALSE(fs::exists(themeIcon(copy, "16x16", "zelvar.png")));
    EXPECT_TRUE(fs::exists(otherEntry));
}

TEST(Install, LeavesAKorinOnThePathThatIsNoLinkAlone) {
    TempFolder scratch;
    InstalledCopy copy(scratch.path());
    const fs::path own = copy.home / ".local" / "bin" / "korin";
    fs::create_directories(own.parent_path());
    writeText(own, "#!/bin/sh\necho mine\n");
    ASSERT_TRUE(copy.install()) << copy.log.toStdString();
    EXPECT_FALSE(fs::is_symlink(own));
    EXPECT_EQ(ReadFile(own), "#!/bin/sh\necho mine\n");
    EXPECT_TRUE(copy.log.contains(QStringLiteral("is no link")));
    const RunResult removed = copy.uninstall();
    EXPECT_EQ(removed.exitCode, 0);
    EXPECT_EQ(ReadFile(own), "#!/bin/sh\necho mine\n");
}

TEST(Install, UninstallRefusesAFolderWithoutManifest) {
    TempFolder scratch;
    fs::create_directories(scratch.path() / "opt");
    fs::copy_file(sourceDir / "packaging" / "uninstall.sh",
                  scratch.path() / "opt" / "uninstall.sh");
    writeText(scratch.path() / "opt" / "Zelvar", "not ours to remove");
    const RunResult refused =
        RunProgram(QStringLiteral("sh"),
                   {QString::fromStdString((scratch.path() / "opt" / "uninstall.sh").string())});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(fs::exists(scratch.path() / "opt" / "Zelvar"));
}

} // namespace
