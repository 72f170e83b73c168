// What the definition files' reader and writer do with files that are not what they should be:
// pipes and devices in their place, far too large files, UTF-8 files, and files changed by
// another program.

#include "date/codepage.h"
#include "date/definitions.h"
#include "date/definitions_internal.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_folder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

const std::string HolidayLine = "\x8c\xb3\x93\xfa,1,1,1,,,1948,\r\n"; // 元日 in code page 932
const std::string EraLine = "19890108,\x95\xbd\x90\xac\r\n";          // 平成

// Loads the folder's files; the messages shown, with "ended" when the program was ended.
std::vector<std::string> loadAndCollectMessages(RecordingHost& host) {
    host.messages.clear();
    try {
        St_LoadDefinitions();
    } catch (const ProgramEnded&) {
        host.messages.emplace_back("ended");
    }
    return host.messages;
}

} // namespace

TEST(DefinitionFileSafety, APipeOrADeviceInAFilesPlaceIsRefusedAtOnce) {
    TempFolder folder;
    RecordingHost host(folder.str());
    folder.write("Korin2.csv", EraLine);
    // A named pipe: opening it would wait for a writer for ever.
    const std::string pipe = (folder.path() / "Korin1.csv").string();
    if (std::system(("mkfifo '" + pipe + "' 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "no named pipes here";
    }
    EXPECT_EQ(loadAndCollectMessages(host),
              (std::vector<std::string>{"Korin1.csvファイルを読み込めません。", "ended"}));

    // A link to a device that never ends would grow the program without bound.
    std::filesystem::remove(pipe);
    if (std::filesystem::exists("/dev/zero")) {
        std::filesystem::create_symlink("/dev/zero", pipe);
        EXPECT_EQ(loadAndCollectMessages(host),
                  (std::vector<std::string>{"Korin1.csvファイルを読み込めません。", "ended"}));
    }
}

TEST(DefinitionFileSafety, AFileFarLargerThanAnyDefinitionFileIsRefused) {
    TempFolder folder;
    RecordingHost host(folder.str());
    folder.write("Korin1.csv", HolidayLine);
    std::string large;
    while (large.size() <= MaxDefinitionFileBytes) {
        large += EraLine;
    }
    folder.write("Korin2.csv", large);
    EXPECT_EQ(
        loadAndCollectMessages(host),
        (std::vector<std::string>{"Korin2.csvファイルが大きすぎるため読み込めません。", "ended"}));
    // Just below the limit it is read.
    large.resize(MaxDefinitionFileBytes - MaxDefinitionFileBytes % EraLine.size());
    folder.write("Korin2.csv", large);
    const std::size_t records = large.size() / EraLine.size();
    EXPECT_EQ(loadAndCollectMessages(host),
              (std::vector<std::string>{"Korin2.csvファイルには" + std::to_string(records) +
                                        "件の定義がありますが、読み込めるのは32767件までです。"
                                        "それより後の定義は使われません。"}));
    EXPECT_EQ(EraDefCount, MaxDefinitionRecords);
}

TEST(DefinitionFileSafety, AFileWithTheUtf8MarkIsReadAsUtf8AndWrittenAsCodePage932) {
    TempFolder folder;
    RecordingHost host(folder.str());
    folder.write("Korin1.csv", "\xEF\xBB\xBF元日,1,1,1,,,1948,\r\n");
    folder.write("Korin2.csv", "\xEF\xBB\xBF"
                               "19890108,平成\r\n20190501,令和\xFF\r\n");
    EXPECT_EQ(loadAndCollectMessages(host),
              (std::vector<std::string>{
                  "Korin2.csvファイルの2行目に、UTF-8として読めないバイトがあります。"}));
    ASSERT_EQ(HolidayDefCount, 1);
    EXPECT_EQ(HolidayDefs[0].Name, "元日");
    EXPECT_EQ(HolidayDefs[0].FromYear, 1948);
    ASSERT_EQ(EraDefCount, 2);
    EXPECT_EQ(EraDefs[0].StartDate, "19890108"); // the mark is no part of the first field
    EXPECT_EQ(EraDefs[0].Name, "平成");
    EXPECT_EQ(EraDefs[1].Name, "令和\uFFFD"); // a byte that is not UTF-8
    EXPECT_TRUE(DefinitionFileWasUtf8(DefinitionFile::Holidays));
    EXPECT_TRUE(DefinitionFileWasUtf8(DefinitionFile::Eras));

    ASSERT_EQ(WriteHolidayDefinitions().error, 0);
    EXPECT_EQ(folder.read("Korin1.csv"), HolidayLine);
    // The replacement character has no code page 932 form: the write names the record.
    const WriteResult refused = WriteEraDefinitions();
    EXPECT_EQ(refused.error, EILSEQ);
    EXPECT_EQ(refused.record, 2);
    EraDefs[1].Name = "令和";
    const WriteResult written = WriteEraDefinitions();
    ASSERT_EQ(written.error, 0);
    EXPECT_EQ(written.record, 0);
    EXPECT_TRUE(loadAndCollectMessages(host).empty());
    EXPECT_FALSE(DefinitionFileWasUtf8(DefinitionFile::Eras));
    EXPECT_EQ(EraDefs[1].Name, "令和");
}

TEST(DefinitionFileSafety, TheStampTakenAtLoadShowsAChangeFromOutside) {
    TempFolder folder;
    RecordingHost host(folder.str());
    folder.write("Korin1.csv", HolidayLine);
    folder.write("Korin2.csv", EraLine);
    EXPECT_TRUE(loadAndCollectMessages(host).empty());
    const FileStamp loaded = LoadedDefinitionStamp(DefinitionFile::Holidays);
    EXPECT_TRUE(loaded.exists);
    EXPECT_EQ(loaded.size, HolidayLine.size());
    EXPECT_EQ(CurrentDefinitionStamp(DefinitionFile::Holidays), loaded);
    EXPECT_EQ(CurrentDefinitionStamp(DefinitionFile::Eras),
              LoadedDefinitionStamp(DefinitionFile::Eras));

    // Same size, the same time stamp put back: only the contents tell.
    const auto time = std::filesystem::last_write_time(folder.path() / "Korin1.csv");
    std::string changed = HolidayLine;
    changed[changed.size() - 4] = '9';
    folder.write("Korin1.csv", changed);
    std::filesystem::last_write_time(folder.path() / "Korin1.csv", time);
    EXPECT_NE(CurrentDefinitionStamp(DefinitionFile::Holidays), loaded);

    std::filesystem::remove(folder.path() / "Korin1.csv");
    EXPECT_NE(CurrentDefinitionStamp(DefinitionFile::Holidays), loaded);
    EXPECT_FALSE(CurrentDefinitionStamp(DefinitionFile::Holidays).exists);
}

TEST(DefinitionFileSafety, UnreadableBytesAreReportedOnceWithTheFileAndTheLine) {
    TempFolder folder;
    RecordingHost host(folder.str());
    // 天皇 and two bytes that are no code page 932 character, on line 3 of the file; a line ends
    // in CR LF, LF or CR.
    const std::string bad = "\x93\x56\x8d\x63\x80\xfd,1,2,23,,,2020,\r\n";
    folder.write("Korin1.csv", HolidayLine + "a,1,1,2,,,1948,\n" + bad + "b,1,1,3,,,1948,\r" + bad);
    folder.write("Korin2.csv", EraLine);
    EXPECT_EQ(
        loadAndCollectMessages(host),
        (std::vector<std::string>{
            "Korin1.csvファイルの3行目ほか1行に、シフトJISとして読めないバイトがあります。"}));
    ASSERT_EQ(HolidayDefCount, 5);
    EXPECT_EQ(HolidayDefs[2].Name, "天皇\uFFFD\uFFFD");
    EXPECT_EQ(HolidayDefs[2].Line, 3);
    EXPECT_EQ(HolidayDefs[4].Line, 5);
    EXPECT_EQ(EraDefs[0].Line, 1);

    // The same file loaded again is not reported again; a changed one is.
    EXPECT_TRUE(loadAndCollectMessages(host).empty());
    folder.write("Korin1.csv", HolidayLine + HolidayLine + bad);
    EXPECT_EQ(loadAndCollectMessages(host),
              (std::vector<std::string>{
                  "Korin1.csvファイルの3行目に、シフトJISとして読めないバイトがあります。"}));

    // The write names the record, whose line the table keeps through any reordering.
    std::swap(HolidayDefs[0], HolidayDefs[2]);
    const WriteResult refused = WriteHolidayDefinitions();
    EXPECT_EQ(refused.error, EILSEQ);
    EXPECT_EQ(refused.record, 1);
    EXPECT_EQ(HolidayDefs[0].Line, 3);
    EXPECT_EQ(folder.read("Korin1.csv"), HolidayLine + HolidayLine + bad);
}

TEST(DefinitionFileSafety, AFileWithMoreRecordsThanTheTablesTakeIsReportedAndNeverWritten) {
    TempFolder folder;
    RecordingHost host(folder.str());
    const std::string line = "a,1,1,1,,,1948,\r\n";
    std::string holidays;
    for (int i = 0; i < 33000; ++i) {
        holidays += line;
    }
    folder.write("Korin1.csv", holidays);
    folder.write("Korin2.csv", EraLine);
    EXPECT_EQ(loadAndCollectMessages(host),
              (std::vector<std::string>{"Korin1.csvファイルには33000件の定義がありますが、"
                                        "読み込めるのは32767件までです。"
                                        "それより後の定義は使われません。"}));
    EXPECT_EQ(HolidayDefCount, MaxDefinitionRecords);
    EXPECT_FALSE(DefinitionFileWasReadWhole(DefinitionFile::Holidays));
    EXPECT_TRUE(DefinitionFileWasReadWhole(DefinitionFile::Eras));
    EXPECT_EQ(WriteHolidayDefinitions().error, EFBIG);
    EXPECT_EQ(folder.read("Korin1.csv"), holidays);
    EXPECT_EQ(WriteEraDefinitions().error, 0);

    // Exactly the limit is read whole and written back as it was.
    holidays.resize(line.size() * MaxDefinitionRecords);
    folder.write("Korin1.csv", holidays);
    EXPECT_TRUE(loadAndCollectMessages(host).empty());
    EXPECT_TRUE(DefinitionFileWasReadWhole(DefinitionFile::Holidays));
    EXPECT_EQ(WriteHolidayDefinitions().error, 0);
    EXPECT_EQ(folder.read("Korin1.csv"), holidays);
}
