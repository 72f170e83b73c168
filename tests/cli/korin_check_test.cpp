// korin check FILE end to end: what it prints on standard output and standard error, and its exit
// status, for the government's list and for copies of it that differ or do not read.

#include "date/codepage.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

const std::filesystem::path source = ZELVAR_SOURCE_DIR;

struct CheckRun {
    std::string out;
    std::string err;
    int status = -1;
};

// A folder with the shipped definition files and a copy of the list (UTF-8 lines `edit` applied
// to it as text).
class KorinCheck : public ::testing::Test {
protected:
    KorinCheck() {
        folder.copyFrom(source / "data");
        std::filesystem::copy_file(source / "tests/data/fixtures/syukujitsu.csv",
                                   folder.path() / "syukujitsu.csv");
        list = Cp932ToUtf8(folder.read("syukujitsu.csv"));
    }

    // Writes `text` (UTF-8) as the list in code page 932.
    void writeList(const std::string& text) const {
        folder.write("syukujitsu.csv", Utf8ToCp932(text).value());
    }

    // `list` with `from` replaced by `to`.
    [[nodiscard]] std::string edited(const std::string& from, const std::string& to) const {
        std::string text = list;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    }

    [[nodiscard]] CheckRun check(const std::string& file = "syukujitsu.csv") const {
        const std::string errPath = (scratch.path() / "stderr").string();
        const ProgramResult result =
            runProgram(korinCommand() + " --dir '" + folder.str() + "' check '" +
                       (folder.path() / file).string() + "' 2>'" + errPath + "'");
        return {result.output, scratch.read("stderr"), result.exitCode};
    }

    [[nodiscard]] std::string listPath() const {
        return (folder.path() / "syukujitsu.csv").string();
    }

    TempFolder folder;
    TempFolder scratch;
    std::string list; // UTF-8, CR LF
};

TEST_F(KorinCheck, TheShippedDefinitionsAgreeSilently) {
    const CheckRun run = check();
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

TEST_F(KorinCheck, DifferencesArePrintedWithExitStatusOne) {
    writeList(edited("2020/7/24,スポーツの日\r\n", ""));
    const CheckRun run = check();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.rfind("相違 1 件 (1955年～2027年", 0), 0U) << run.out;
    EXPECT_NE(run.out.find("\n2020/07/24\t(金)\t一覧にない\tスポーツの日\n"), std::string::npos);
    EXPECT_EQ(run.out.find("Korin1.csv"), std::string::npos);
    EXPECT_EQ(run.err, "");

    writeList(edited("2020/7/24,スポーツの日", "2020/7/24,体育の日"));
    EXPECT_EQ(check().status, 1);
}

TEST_F(KorinCheck, ARepeatedLineIsAWarningNamingTheLine) {
    writeList(edited("1955/1/15,成人の日\r\n", "1955/1/15,成人の日\r\n1955/1/15,成人の日\r\n"));
    const CheckRun run = check();
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "korin: 警告: " + listPath() +
                  " の 4 行目: 3 行目と同じ行です。一日として数えます: 1955/1/15,成人の日\n");
}

TEST_F(KorinCheck, AUnicodeCopyWithAByteOrderMarkAgrees) {
    folder.write("syukujitsu.csv", "\xEF\xBB\xBF" + list);
    EXPECT_EQ(check().status, 0);
}

TEST_F(KorinCheck, AFileThatDoesNotReadIsExitStatusTwoNamingFileAndLine) {
    writeList(edited("2019/2/11,建国記念の日", "2019/2/29,建国記念の日"));
    CheckRun run = check();
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    const std::size_t line =
        1 + std::count(list.begin(), list.begin() + list.find("2019/2/11"), '\n');
    EXPECT_EQ(run.err, "korin: " + listPath() + " の " + std::to_string(line) +
                           " 行目: 存在しない日付です: 2019/2/29\n");

    run = check("none.csv");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "korin: " + (folder.path() / "none.csv").string() + ": ファイルが見つかりません。\n");

    const ProgramResult usage = runProgram(korinCommand() + " check 2>/dev/null");
    EXPECT_EQ(usage.exitCode, 2);
}

// Definitions without the single days of 2019, the lines korin suggests appended to them as a
// user appends them (code page 932, CR LF), and the list agrees.
TEST_F(KorinCheck, AppendingTheSuggestedLinesMakesTheListAgree) {
    std::string holidays = Cp932ToUtf8(folder.read("Korin1.csv"));
    for (const std::string line :
         {"天皇の即位の日,1,5,1,,,2019,2019\r\n", "即位礼正殿の儀,1,10,22,,,2019,2019\r\n"}) {
        const std::size_t at = holidays.find(line);
        ASSERT_NE(at, std::string::npos) << line;
        holidays.erase(at, line.size());
    }
    folder.write("Korin1.csv", Utf8ToCp932(holidays).value());
    const CheckRun before = check();
    ASSERT_EQ(before.status, 1);
    const std::string heading = "\nKorin1.csv に追加する行 (1年限りの日付指定):\n";
    const std::size_t at = before.out.find(heading);
    ASSERT_NE(at, std::string::npos) << before.out;
    std::string suggested = before.out.substr(at + heading.size());
    EXPECT_EQ(suggested,
              "休日（祝日扱い）,1,5,1,,,2019,2019\n休日（祝日扱い）,1,10,22,,,2019,2019\n");
    for (std::size_t end = suggested.find('\n'); end != std::string::npos;
         end = suggested.find('\n', end + 2)) {
        suggested.insert(end, "\r");
    }
    folder.write("Korin1.csv", Utf8ToCp932(holidays + suggested).value());
    const CheckRun after = check();
    EXPECT_EQ(after.status, 0) << after.out;
    EXPECT_EQ(after.out, "");
}

} // namespace
