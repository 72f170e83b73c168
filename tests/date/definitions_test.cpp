#include "date/codepage.h"
#include "date/definitions.h"
#include "date/definitions_internal.h"
#include "date/holidays.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_folder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const std::string fixtures = ZELVAR_TEST_FIXTURES;

std::string cp932(const std::string& utf8) {
    auto bytes = Utf8ToCp932(utf8);
    EXPECT_TRUE(bytes.has_value()) << utf8;
    return bytes.value_or("");
}

// `count` lines of a holiday file, each naming its line number.
std::string holidayLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "H" + std::to_string(i) + ",1,1," + std::to_string(i % 28 + 1) + ",,,1948,\r\n";
    }
    return text;
}

// Writes the holiday file and the era file into `folder`, byte for byte, and loads them.
void load(const TempFolder& folder, const std::string& holidays, const std::string& eras) {
    folder.write("Korin1.csv", holidays);
    folder.write("Korin2.csv", eras);
    St_LoadDefinitions();
}

std::string eraLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += std::to_string(10000000 + i) + ",E" + std::to_string(i) + "\r\n";
    }
    return text;
}

void expectHoliday(const HolidayDef& def, const std::string& name,
                   std::initializer_list<int> numbers) {
    EXPECT_EQ(def.Name, name);
    const std::int16_t actual[] = {def.Kind,    def.Month,    def.Day,   def.Week,
                                   def.Weekday, def.FromYear, def.ToYear};
    int k = 0;
    for (int expected : numbers) {
        EXPECT_EQ(actual[k], expected) << name << " field " << k + 2;
        ++k;
    }
}

} // namespace

TEST(LoadDefinitions, ReadsBothFilesOfTheStandardFixture) {
    RecordingHost host(fixtures + "/standard");
    CachedYear = 2024;
    St_LoadDefinitions();
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(HolidayDefCount, 14);
    ASSERT_EQ(HolidayDefs.size(), 14U);
    expectHoliday(HolidayDefs[0], "元日", {1, 1, 1, 0, 0, 1948, 0});
    expectHoliday(HolidayDefs[2], "成人の日", {2, 1, 0, 2, 1, 2000, 0});
    expectHoliday(HolidayDefs[13], "天皇誕生日", {1, 2, 23, 0, 0, 2020, 0});
    ASSERT_EQ(EraDefCount, 2);
    EXPECT_EQ(EraDefs[0].StartDate, "19890108");
    EXPECT_EQ(EraDefs[0].Name, "平成");
    EXPECT_EQ(EraDefs[1].StartDate, "20190501");
    EXPECT_EQ(EraDefs[1].Name, "令和");
    EXPECT_EQ(CachedYear, 0);
}

TEST(LoadDefinitions, FollowsTheFieldStreamRules) {
    RecordingHost host(fixtures + "/stream_rules");
    St_LoadDefinitions();
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(HolidayDefCount, 8);
    // A quoted field keeps its comma; leading blanks and tabs are skipped.
    expectHoliday(HolidayDefs[0], "海の日, 旧", {1, 7, 20, 0, 0, 1996, 2002});
    expectHoliday(HolidayDefs[1], "山の日", {1, 8, 11, 0, 0, 2016, 0});
    // A short line takes its missing fields from the next line ...
    expectHoliday(HolidayDefs[2], "短い行", {1, 3, 1, 0, 0, 1990, 0});
    // ... and a long line gives its surplus to the next record.
    expectHoliday(HolidayDefs[3], "長い行", {1, 6, 1, 0, 0, 2001, 2002});
    expectHoliday(HolidayDefs[4], "余り", {1, 6, 2, 0, 0, 0, 0});
    // Numbers that are not 16-bit decimal integers load as 0.
    expectHoliday(HolidayDefs[5], "悪い数", {0, 13, 0, 0, 0, 7, -3});
    expectHoliday(HolidayDefs[6], "範囲外", {1, 0, -32768, 32767, 0, 0, 0});
    // Text after a closing quote is dropped; a quoted number is a number.
    expectHoliday(HolidayDefs[7], "閉じた", {2, 10, 0, 2, 1, 2000, 0});

    ASSERT_EQ(EraDefCount, 5);
    EXPECT_EQ(EraDefs[0].StartDate, "08680908");
    EXPECT_EQ(EraDefs[0].Name, "明治");
    EXPECT_EQ(EraDefs[1].StartDate, "19120730");
    EXPECT_EQ(EraDefs[2].StartDate, "19261225");
    EXPECT_EQ(EraDefs[2].Name, "昭和");
    EXPECT_EQ(EraDefs[3].StartDate, "");
    EXPECT_EQ(EraDefs[3].Name, "空の開始日");
    EXPECT_EQ(EraDefs[4].StartDate, "1989/01/08");
}

TEST(LoadDefinitions, FieldStreamEdgesOfTheFileEnd) {
    FieldStream empty("");
    EXPECT_TRUE(empty.atEnd());
    EXPECT_FALSE(empty.next().has_value());

    FieldStream stream("a,\"b,c\nd\",x\r\ne");
    EXPECT_EQ(stream.next(), "a");
    EXPECT_EQ(stream.next(), "b,c\nd"); // a quoted field runs over a line end to its quote
    EXPECT_EQ(stream.next(), "x");
    EXPECT_FALSE(stream.atEnd());
    EXPECT_EQ(stream.next(), "e");
    EXPECT_TRUE(stream.atEnd());
    EXPECT_FALSE(stream.next().has_value());

    FieldStream unclosed("\"abc");
    EXPECT_EQ(unclosed.next(), "abc");
    EXPECT_TRUE(unclosed.atEnd());

    EXPECT_EQ(ParseInt16Field(""), 0);
    EXPECT_EQ(ParseInt16Field(" 12 "), 12);
    EXPECT_EQ(ParseInt16Field("-32768"), -32768);
    EXPECT_EQ(ParseInt16Field("32767"), 32767);
    EXPECT_FALSE(ParseInt16Field("32768").has_value());
    EXPECT_FALSE(ParseInt16Field("99999999999999999999").has_value());
    EXPECT_FALSE(ParseInt16Field("-").has_value());
    EXPECT_FALSE(ParseInt16Field("1 2").has_value());
}

TEST(LoadDefinitions, LinesEndingInCrLfLfOrCrAllEndAField) {
    TempFolder folder;
    RecordingHost host(folder.str());
    load(folder, "A,1,1,1,,,1948,\nB,1,2,2,,,1948,\rC,1,3,3,,,1948,", "19890108,X\r\n");
    ASSERT_EQ(HolidayDefCount, 3);
    expectHoliday(HolidayDefs[1], "B", {1, 2, 2, 0, 0, 1948, 0});
    expectHoliday(HolidayDefs[2], "C", {1, 3, 3, 0, 0, 1948, 0});
    EXPECT_EQ(EraDefCount, 1);
}

TEST(LoadDefinitions, TablesGrowByTenAndAreTrimmedToTheirCount) {
    TempFolder folder;
    RecordingHost host(folder.str());
    load(folder, holidayLines(25), eraLines(255));
    EXPECT_EQ(HolidayDefCount, 25);
    EXPECT_EQ(LastHolidayTableCapacity(), 25);
    EXPECT_EQ(EraDefCount, 255);
    EXPECT_EQ(LastEraTableCapacity(), 255);

    load(folder, holidayLines(26), eraLines(256));
    EXPECT_EQ(HolidayDefCount, 26);
    EXPECT_EQ(HolidayDefs.size(), 26U);
    EXPECT_EQ(LastHolidayTableCapacity(), 35);
    EXPECT_EQ(HolidayDefs[25].Name, "H26");
    EXPECT_EQ(EraDefCount, 256);
    EXPECT_EQ(EraDefs.size(), 256U);
    EXPECT_EQ(LastEraTableCapacity(), 265);
    EXPECT_EQ(EraDefs[255].Name, "E256");

    load(folder, "", "");
    EXPECT_EQ(HolidayDefCount, 0);
    EXPECT_TRUE(HolidayDefs.empty());
    EXPECT_EQ(EraDefCount, 0);
    EXPECT_TRUE(EraDefs.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST(LoadDefinitions, MoreThan32767RecordsLoadTheFirst32767AndSaySo) {
    TempFolder folder;
    RecordingHost host(folder.str());
    load(folder, holidayLines(32770), eraLines(40000));
    EXPECT_EQ(HolidayDefCount, 32767);
    ASSERT_EQ(HolidayDefs.size(), 32767U);
    EXPECT_EQ(HolidayDefs.back().Name, "H32767");
    EXPECT_EQ(EraDefCount, 32767);
    ASSERT_EQ(EraDefs.size(), 32767U);
    EXPECT_EQ(EraDefs.back().Name, "E32767");
    // Never silently: each file says how many records it holds.
    EXPECT_EQ(host.messages,
              (std::vector<std::string>{"Korin1.csvファイルには32770件の定義がありますが、"
                                        "読み込めるのは32767件までです。"
                                        "それより後の定義は使われません。",
                                        "Korin2.csvファイルには40000件の定義がありますが、"
                                        "読み込めるのは32767件までです。"
                                        "それより後の定義は使われません。"}));
}

TEST(LoadDefinitions, AMissingFileIsReportedAndEndsTheProgram) {
    TempFolder folder;
    RecordingHost host(folder.str());
    // Loading ends the program after the one message `message`.
    auto expectEndWith = [&host](const std::string& message) {
        host.messages.clear();
        EXPECT_THROW(St_LoadDefinitions(), ProgramEnded);
        ASSERT_EQ(host.messages.size(), 1U);
        EXPECT_EQ(host.messages[0], message);
    };
    folder.write("Korin2.csv", "19890108,平成\r\n");
    expectEndWith("Korin1.csvファイルが見つかりません。");

    std::filesystem::remove(folder.path() / "Korin2.csv");
    folder.write("Korin1.csv", cp932("元日,1,1,1,,,1948,\r\n"));
    expectEndWith("Korin2.csvファイルが見つかりません。");

    // A folder in place of the file is no file either.
    std::filesystem::create_directory(folder.path() / "Korin2.csv");
    expectEndWith("Korin2.csvファイルが見つかりません。");
}

TEST(LoadDefinitions, BytesThatAreNotCodePage932BecomeReplacementCharacters) {
    RecordingHost host(fixtures + "/invalid_bytes");
    St_LoadDefinitions();
    ASSERT_EQ(HolidayDefCount, 3);
    expectHoliday(HolidayDefs[0], "\uFFFD", {1, 1, 1, 0, 0, 1948, 0});
    expectHoliday(HolidayDefs[1], "祝\uFFFD\uFFFD", {1, 2, 2, 0, 0, 1948, 0});
    expectHoliday(HolidayDefs[2], "end\uFFFD", {1, 3, 3, 0, 0, 1948, 0});
    EXPECT_EQ(EraDefs[0].Name, "平成");
    // Said at load, once for the file, with the first line that holds such bytes.
    EXPECT_EQ(host.messages,
              std::vector<std::string>{
                  "Korin1.csvファイルの1行目ほか2行に、シフトJISとして読めないバイトがあります。"});
}

TEST(LoadDefinitions, ABlankLastLineBecomesARecordOfKindZero) {
    TempFolder folder;
    RecordingHost host(folder.str());
    load(folder, cp932("元日,1,1,1,,,1948,\r\n\r\n"), "");
    ASSERT_EQ(HolidayDefCount, 2);
    expectHoliday(HolidayDefs[1], "", {0, 0, 0, 0, 0, 0, 0});
    EXPECT_THROW(St_HolidayName(2024, 1, 1), ProgramEnded);
    ASSERT_EQ(host.messages.size(), 1U);
    EXPECT_EQ(host.messages[0], "「Korin1.csv」ファイルの設定が間違っています。");
}

TEST(WriteDefinitions, WritesCodePage932WithCrLfAndEmptyZeros) {
    TempFolder folder;
    RecordingHost host(folder.str());
    HolidayDefs = {HolidayDef{"元日", 1, 1, 1, 0, 0, 1949, 0},
                   HolidayDef{"成人の日", 2, 1, 0, 2, 1, 2000, 0},
                   HolidayDef{"負", 1, 3, 4, 0, 0, -5, 2001}};
    HolidayDefCount = 3;
    EraDefs = {EraDef{"平成", "19890108"}, EraDef{"令和", "20190501"}};
    EraDefCount = 2;
    ASSERT_EQ(WriteHolidayDefinitions().error, 0);
    ASSERT_EQ(WriteEraDefinitions().error, 0);
    EXPECT_EQ(folder.read("Korin1.csv"), cp932("元日,1,1,1,,,1949,\r\n"
                                               "成人の日,2,1,,2,1,2000,\r\n"
                                               "負,1,3,4,,,-5,2001\r\n"));
    EXPECT_EQ(folder.read("Korin2.csv"), cp932("19890108,平成\r\n20190501,令和\r\n"));
    // Only the counted records are written.
    HolidayDefCount = 1;
    ASSERT_EQ(WriteHolidayDefinitions().error, 0);
    EXPECT_EQ(folder.read("Korin1.csv"), cp932("元日,1,1,1,,,1949,\r\n"));
    // Nothing leftover beside the two files.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++files;
    }
    EXPECT_EQ(files, 2);
}

TEST(WriteDefinitions, AWrittenTableReadsBackTheSame) {
    TempFolder folder;
    RecordingHost host(folder.str());
    const std::vector<HolidayDef> holidays = {
        HolidayDef{"元日", 1, 1, 1, 0, 0, 1948, 0},
        HolidayDef{"海の日, 旧", 1, 7, 20, 0, 0, 1996, 2002},  // a comma needs quotes
        HolidayDef{" 空白で始まる", 2, 9, 0, 3, 1, 2003, 0},   // so do leading blanks
        HolidayDef{"途中の\"引用符", 1, 8, 11, 0, 0, 2016, 0}, // an inner quote does not
        HolidayDef{"", 1, 12, 31, 0, 0, -32768, 32767},
    };
    const std::vector<EraDef> eras = {EraDef{"明治", "08680908"}, EraDef{"令和, 新", "20190501"}};
    HolidayDefs = holidays;
    HolidayDefCount = static_cast<std::int16_t>(holidays.size());
    EraDefs = eras;
    EraDefCount = static_cast<std::int16_t>(eras.size());
    ASSERT_EQ(WriteHolidayDefinitions().error, 0);
    ASSERT_EQ(WriteEraDefinitions().error, 0);
    HolidayDefs.clear();
    EraDefs.clear();
    St_LoadDefinitions();
    ASSERT_EQ(HolidayDefs.size(), holidays.size());
    for (std::size_t k = 0; k < holidays.size(); ++k) {
        const HolidayDef& h = holidays[k];
        expectHoliday(HolidayDefs[k], h.Name,
                      {h.Kind, h.Month, h.Day, h.Week, h.Weekday, h.FromYear, h.ToYear});
    }
    ASSERT_EQ(EraDefs.size(), eras.size());
    EXPECT_EQ(EraDefs[0].StartDate, "08680908");
    EXPECT_EQ(EraDefs[1].Name, "令和, 新");
    EXPECT_TRUE(host.messages.empty());
}

TEST(WriteDefinitions, AFailureLeavesTheOldFileWhole) {
    TempFolder folder;
    RecordingHost host(folder.str());
    const std::string old = cp932("元日,1,1,1,,,1948,\r\n");
    folder.write("Korin1.csv", old);
    ::chmod((folder.path() / "Korin1.csv").c_str(), 0640);

    // A name without a code page 932 form.
    HolidayDefs = {HolidayDef{"絵文字\U0001F600", 1, 1, 1, 0, 0, 1948, 0}};
    HolidayDefCount = 1;
    EXPECT_EQ(WriteHolidayDefinitions().error, EILSEQ);
    EXPECT_EQ(folder.read("Korin1.csv"), old);

    // A name that no form of the file reads back unchanged.
    HolidayDefs = {HolidayDef{"\"引用, 符", 1, 1, 1, 0, 0, 1948, 0}};
    EXPECT_EQ(WriteHolidayDefinitions().error, EINVAL);
    EXPECT_EQ(folder.read("Korin1.csv"), old);

    // The disk refusing the data half way (a file size limit also binds the superuser).
    HolidayDefs.assign(200, HolidayDef{"長い祝日の名前", 1, 1, 1, 0, 0, 1948, 0});
    HolidayDefCount = 200;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int error = WriteHolidayDefinitions().error;
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(folder.read("Korin1.csv"), old);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1) << "the temporary file must be removed";

    // A successful write keeps the permissions of the file it replaces.
    HolidayDefCount = 1;
    ASSERT_EQ(WriteHolidayDefinitions().error, 0);
    struct stat st {};
    ASSERT_EQ(::stat((folder.path() / "Korin1.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640U);

    // A folder that does not exist.
    host.setFolder((folder.path() / "missing").string());
    EXPECT_EQ(WriteHolidayDefinitions().error, ENOENT);
    EXPECT_EQ(WriteEraDefinitions().error, ENOENT);
}

TEST(WriteDefinitions, TextFieldsAreQuotedOnlyWhenTheReaderNeedsIt) {
    EXPECT_EQ(EncodeTextField("元日"), "元日");
    EXPECT_EQ(EncodeTextField("a\"b"), "a\"b");
    EXPECT_EQ(EncodeTextField("a,b"), "\"a,b\"");
    EXPECT_EQ(EncodeTextField("\tx"), "\"\tx\"");
    EXPECT_EQ(EncodeTextField("a\r\nb"), "\"a\r\nb\"");
    EXPECT_FALSE(EncodeTextField("\"x").has_value());
    EXPECT_FALSE(EncodeTextField("a,\"b").has_value());
    EXPECT_EQ(EncodeTextField(""), "");
}
