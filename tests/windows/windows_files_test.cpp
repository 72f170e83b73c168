// The files a Windows user edits, written the Windows way: a save replaces an existing definition
// or settings file (the system refuses to rename onto an existing name, so this is the case a
// plain rename gets wrong), a read-only file is refused and left as it was, and no temporary file
// stays behind.

#include "date/codepage.h"
#include "date/definitions.h"
#include "platform/ini_file.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_folder.h"

#include <QString>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path shipped = fs::path(ZELVAR_SOURCE_DIR) / "data";

// The names of the files in `folder`.
std::vector<std::string> fileNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The two shipped definition files, into `folder`.
void copyShipped(const TempFolder& folder) {
    for (const char* name : {"Korin1.csv", "Korin2.csv"}) {
        fs::copy_file(shipped / name, folder.path() / name);
    }
}

void makeReadOnly(const fs::path& file) {
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

void makeWritable(const fs::path& file) {
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
}

} // namespace

TEST(WindowsDefinitionFiles, SavingReplacesTheShippedFilesAndReadsBack) {
    TempFolder folder;
    copyShipped(folder);
    RecordingHost host(folder.str());
    St_LoadDefinitions();
    const std::size_t holidays = HolidayDefs.size();
    const std::size_t eras = EraDefs.size();
    ASSERT_GT(holidays, 10U);
    ASSERT_GT(eras, 10U);

    HolidayDefs.push_back(HolidayDef{"県民の日", 1, 6, 15, 0, 0, 2027, 0});
    HolidayDefCount = static_cast<std::int16_t>(HolidayDefs.size());
    EraDefs.push_back(EraDef{"試験", "21000101"});
    EraDefCount = static_cast<std::int16_t>(EraDefs.size());
    EXPECT_EQ(WriteHolidayDefinitions().error, 0);
    EXPECT_EQ(WriteEraDefinitions().error, 0);
    // And once more over the files just written.
    EXPECT_EQ(WriteHolidayDefinitions().error, 0);

    HolidayDefs.clear();
    EraDefs.clear();
    St_LoadDefinitions();
    ASSERT_EQ(HolidayDefs.size(), holidays + 1);
    EXPECT_EQ(HolidayDefs.back().Name, "県民の日");
    EXPECT_EQ(HolidayDefs.back().Day, 15);
    ASSERT_EQ(EraDefs.size(), eras + 1);
    EXPECT_EQ(EraDefs.back().Name, "試験");
    // The file stays code page 932 with CR LF line ends.
    const std::string bytes = folder.read("Korin1.csv");
    EXPECT_NE(bytes.find(*Utf8ToCp932("県民の日,1,6,15,,,2027,\r\n")), std::string::npos);
    EXPECT_EQ(bytes.find("\r\r"), std::string::npos);
    EXPECT_EQ(fileNames(folder.path()), (std::vector<std::string>{"Korin1.csv", "Korin2.csv"}));
    EXPECT_TRUE(host.messages.empty());
}

TEST(WindowsDefinitionFiles, AReadOnlyFileIsRefusedAndKept) {
    TempFolder folder;
    copyShipped(folder);
    RecordingHost host(folder.str());
    St_LoadDefinitions();
    const std::string holidaysBefore = folder.read("Korin1.csv");
    const std::string erasBefore = folder.read("Korin2.csv");
    makeReadOnly(folder.path() / "Korin1.csv");
    makeReadOnly(folder.path() / "Korin2.csv");

    HolidayDefs.pop_back();
    HolidayDefCount = static_cast<std::int16_t>(HolidayDefs.size());
    EraDefs.pop_back();
    EraDefCount = static_cast<std::int16_t>(EraDefs.size());
    EXPECT_NE(WriteHolidayDefinitions().error, 0);
    EXPECT_NE(WriteEraDefinitions().error, 0);
    EXPECT_EQ(folder.read("Korin1.csv"), holidaysBefore);
    EXPECT_EQ(folder.read("Korin2.csv"), erasBefore);
    EXPECT_EQ(fileNames(folder.path()), (std::vector<std::string>{"Korin1.csv", "Korin2.csv"}));
    // Still read-only: the refusal did not clear the flag.
    EXPECT_EQ(fs::status(folder.path() / "Korin1.csv").permissions() & fs::perms::owner_write,
              fs::perms::none);

    // Writable again, the same save goes through.
    makeWritable(folder.path() / "Korin1.csv");
    EXPECT_EQ(WriteHolidayDefinitions().error, 0);
    EXPECT_NE(folder.read("Korin1.csv"), holidaysBefore);
}

TEST(WindowsSettingsFile, SavingReplacesAnExistingFileAndAReadOnlyOneIsKept) {
    TempFolder folder;
    folder.write("Zelvar.ini", "[Main]\r\nMainLeft=10\r\nMainTop=20\r\n[Other]\r\nKeep=yes\r\n");
    const QString path = QString::fromStdString((folder.path() / "Zelvar.ini").string());
    IniFiles files;
    ASSERT_TRUE(files.writeString(path, "Main", "MainLeft", "300").written());
    ASSERT_TRUE(files.writeString(path, "Main", "Caption", QString::fromUtf8("和暦")).written());
    EXPECT_EQ(folder.read("Zelvar.ini"), "[Main]\r\nMainLeft=300\r\nMainTop=20\r\n" +
                                             *Utf8ToCp932("Caption=和暦\r\n") +
                                             "[Other]\r\nKeep=yes\r\n");
    EXPECT_EQ(files.readInt(path, "Main", "MainLeft", 0), 300);
    EXPECT_EQ(files.readString(path, "Main", "Caption", "", 256), QString::fromUtf8("和暦"));

    const std::string before = folder.read("Zelvar.ini");
    makeReadOnly(folder.path() / "Zelvar.ini");
    EXPECT_FALSE(files.writeString(path, "Main", "MainLeft", "1").written());
    EXPECT_EQ(folder.read("Zelvar.ini"), before);
    EXPECT_EQ(fileNames(folder.path()), std::vector<std::string>{"Zelvar.ini"});
    makeWritable(folder.path() / "Zelvar.ini");
}
