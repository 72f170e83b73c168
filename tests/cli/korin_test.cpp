// korin end to end: runs the built program and checks its standard output, standard error and
// exit status.

#include "date/eras.h"
#include "date/serial.h"
#include "platform/program_environment.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

const std::string fixtures = ZELVAR_TEST_FIXTURES;
const std::string korin = std::string(ZELVAR_BIN_DIR) + "/korin";

struct KorinRun {
    std::string out;
    std::string err;
    int status = -1;
};

// Runs `program` with `arguments` (already quoted for the shell where needed).
KorinRun runProgram(const std::string& program, const std::string& arguments) {
    TempFolder scratch;
    const std::string errPath = (scratch.path() / "stderr").string();
    const ProgramResult result =
        ::runProgram("'" + program + "' " + arguments + " 2>'" + errPath + "'");
    return {result.output, scratch.read("stderr"), result.exitCode};
}

KorinRun korinWith(const std::string& folder, const std::string& arguments) {
    return runProgram(korin, "--dir '" + fixtures + "/" + folder + "' " + arguments);
}

KorinRun korinBasic(const std::string& arguments) {
    return korinWith("basic", arguments);
}

// Expects korin over the basic definitions to answer `arguments` with `status` and `out`.
void expectAnswer(const std::string& arguments, int status, const std::string& out) {
    const KorinRun run = korinBasic(arguments);
    EXPECT_EQ(run.status, status) << arguments;
    EXPECT_EQ(run.out, out) << arguments;
}

} // namespace

TEST(Korin, HolidaysListsEveryHolidayOfTheYearInCalendarOrder) {
    const KorinRun run = korinBasic("holidays 2024");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "2024/01/01\t(月)\t元日\n"
                       "2024/01/08\t(月)\t成人の日\n"
                       "2024/02/11\t(日)\t建国記念の日\n"
                       "2024/02/12\t(月)\t振替休日\n"
                       "2024/02/23\t(金)\t天皇誕生日\n"
                       "2024/03/20\t(水)\t春分の日\n"
                       "2024/04/29\t(月)\t昭和の日\n"
                       "2024/05/03\t(金)\t憲法記念日\n"
                       "2024/05/04\t(土)\tみどりの日\n"
                       "2024/05/05\t(日)\tこどもの日\n"
                       "2024/05/06\t(月)\t振替休日\n"
                       "2024/09/16\t(月)\t敬老の日\n"
                       "2024/09/22\t(日)\t秋分の日\n"
                       "2024/09/23\t(月)\t振替休日\n");
}

TEST(Korin, HolidaysOverSeveralYearsHasNoHeadingsOrBlankLines) {
    const KorinRun run = korinBasic("holidays 2008 2009");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.find("\n\n"), std::string::npos);
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    EXPECT_EQ(run.out.rfind("2008/01/01\t(火)\t元日\n", 0), 0U);
    EXPECT_NE(run.out.find("2009/09/21\t(月)\t敬老の日\n2009/09/22\t(火)\t国民の休日\n"
                           "2009/09/23\t(水)\t秋分の日\n"),
              std::string::npos);
    // The year without any holiday adds nothing; so does the first year.
    const KorinRun empty = korinBasic("holidays 1900");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
    const KorinRun one = korinBasic("holidays 1948 1948");
    EXPECT_EQ(one.out, "1948/01/01\t(木)\t元日\n1948/01/15\t(木)\t成人の日\n"
                       "1948/04/29\t(木)\t天皇誕生日\n1948/05/03\t(月)\t憲法記念日\n"
                       "1948/05/05\t(水)\tこどもの日\n1948/09/23\t(木)\t秋分の日\n");
    // Years are written without leading zeros.
    TempFolder folder;
    folder.write("Korin1.csv", "Old,1,3,3,,,1,5\r\n");
    folder.write("Korin2.csv", "");
    const char* weekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
    const int weekday = St_Weekday(St_YMD_to_Days("00050303"));
    const KorinRun early = runProgram(korin, "--dir '" + folder.str() + "' holidays 5");
    EXPECT_EQ(early.status, 0);
    EXPECT_EQ(early.out, std::string("5/03/03\t(") + weekdays[weekday - 1] + ")\tOld\n");
}

TEST(Korin, NameAnswersWithTheExitStatus) {
    expectAnswer("name 20240923", 0, "振替休日\n");
    expectAnswer("name 2024-09-22", 0, "秋分の日\n");
    const KorinRun none = korinBasic("name 2024-09-24");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "");
}

TEST(Korin, EraAndLabel) {
    // Each command with korin's exit status and output. Before the first era there is no era
    // date (exit status 1) and an empty label (exit status 0).
    const std::tuple<const char*, int, const char*> answers[] = {
        {"era 20240315", 0, "令和6年3月15日\n"},
        {"era 2019-05-01", 0, "令和元年5月1日\n"},
        {"era 2019-04-30", 0, "平成31年4月30日\n"},
        {"era 1868-09-08", 0, "明治元年9月8日\n"},
        {"era 18680907", 1, ""},
        {"label 2019 5", 0, "令和元年\n"},
        {"label 2019 4", 0, "平成31年\n"},
        {"label 1989 1", 0, "平成元年\n"},
        {"label 2024 3", 0, "令和 6年\n"},
        {"label 2118 1", 0, "令和100年\n"},
        {"label 1868 8", 0, ""},
    };
    for (const auto& [arguments, status, out] : answers) {
        expectAnswer(arguments, status, out);
    }
}

TEST(Korin, DateOmittedMeansToday) {
    const std::tm local = LocalTimeOf(std::time(nullptr));
    const std::string today = MakeDateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    EXPECT_EQ(korinBasic("era").out, korinBasic("era " + today).out);
    const KorinRun name = korinBasic("name");
    const KorinRun named = korinBasic("name " + today);
    EXPECT_EQ(name.out, named.out);
    EXPECT_EQ(name.status, named.status);
}

TEST(Korin, DayArithmetic) {
    KorinRun run = runProgram(korin, "add 20231231 1");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "20240101\n");
    EXPECT_EQ(runProgram(korin, "add 2024-03-01 -1").out, "20240229\n");
    EXPECT_EQ(runProgram(korin, "add 00010101 3652058").out, "99991231\n");
    run = runProgram(korin, "add 99991231 1");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "日数が大き過ぎます。 西暦9999年12月31日まで 0日\n");
    run = runProgram(korin, "add 00010101 -99999999999");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "日数が大き過ぎます。 西暦1年1月1日まで 0日\n");

    EXPECT_EQ(runProgram(korin, "between 20240301 20240229").out, "-1\n");
    EXPECT_EQ(runProgram(korin, "between 0001-01-01 9999-12-31").out, "3652058\n");
    EXPECT_EQ(runProgram(korin, "span 20230315 20240310").out, "00001126\n");
    EXPECT_EQ(runProgram(korin, "span 20240301 20240131").out, "00000101\n");
}

TEST(Korin, CommandsWithoutDefinitionsReadNoFile) {
    const KorinRun run = runProgram(korin, "--dir /nonexistent/folder add 20240101 1");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "20240102\n");
    EXPECT_EQ(run.err, "");
}

TEST(Korin, DefinitionFileFaultsPrintTheEngineMessageAndExitTwo) {
    KorinRun run = runProgram(korin, "--dir /nonexistent/folder name 20240101");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "Korin1.csvファイルが見つかりません。\n");
    run = korinWith("holidays_only", "era 20240101");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "Korin2.csvファイルが見つかりません。\n");
    // The faulty definition is in force from 2030: earlier years are listed, 2030 is not, and
    // no partial listing is printed.
    run = korinWith("faulty", "holidays 2029");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "2029/01/01\t(月)\t元日\n2029/03/20\t(火)\t春分の日\n"
                       "2029/09/23\t(日)\t秋分の日\n2029/09/24\t(月)\t振替休日\n");
    run = korinWith("faulty", "holidays 2029 2030");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "「Korin1.csv」ファイルの設定が間違っています。\n");
}

TEST(Korin, MalformedArgumentsShowTheUsageAndExitTwo) {
    for (const char* arguments :
         {"", "bogus", "--dir", "name 20240230", "name 2024-2-3", "name abc", "name 20240101 x",
          "era 00000101", "label 2024", "label 2024 13", "label 0 1", "holidays",
          "holidays 2025 2024", "holidays 10000", "add 20240101", "add 20240101 1x",
          "between 20240101", "span a b"}) {
        const KorinRun run = korinBasic(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_NE(run.err.find("使い方: korin"), std::string::npos) << arguments;
    }
}

TEST(Korin, HelpListsEveryCommand) {
    const KorinRun run = runProgram(korin, "--help");
    EXPECT_EQ(run.status, 0);
    for (const char* synopsis : {"holidays FIRST [LAST]", "name [DATE]", "era [DATE]",
                                 "label YEAR MONTH", "add DATE N", "between A B", "span A B"}) {
        EXPECT_NE(run.out.find(synopsis), std::string::npos) << synopsis;
    }
    // Where the text goes decides its form: a console gets characters, a file or pipe UTF-8.
    EXPECT_NE(run.out.find("ファイルやパイプへは UTF-8"), std::string::npos);
}

TEST(Korin, ReadsTheDefinitionsBesideItself) {
    TempFolder folder;
    folder.copyFrom(fixtures + "/basic");
    std::filesystem::copy_file(korin, folder.path() / "korin");
    const KorinRun run = runProgram((folder.path() / "korin").string(), "name 20240101");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "元日\n");
}

TEST(Korin, InASharedFolderReadsTheUsersSavedDefinitionsFirstAndTellsWhere) {
    TempFolder folder;
    folder.copyFrom(fixtures + "/basic");
    std::filesystem::copy_file(korin, folder.path() / "korin");
    folder.write("per-user-files", "");
    TempFolder home;
    const std::string program = (folder.path() / "korin").string();
    const std::string environment =
        "env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME='" + home.str() + "' '" + program + "' ";

    // Nothing of the user's yet: the shipped files.
    KorinRun run = runProgram("/bin/sh", "-c \"" + environment + "name 20240101\"");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "元日\n");
    run = runProgram("/bin/sh", "-c \"" + environment + "--where\"");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string data = home.str() + "/.local/share/zelvar";
    EXPECT_EQ(run.out, "プログラムのフォルダ: " + folder.str() +
                           " (共用: 利用者ごとのフォルダを使います)\n"
                           "設定ファイル: " +
                           home.str() + "/.config/zelvar/Zelvar.ini\n" + "Korin1.csv: " +
                           folder.str() + "/Korin1.csv\nKorin2.csv: " + folder.str() +
                           "/Korin2.csv\n定義ファイルの保存先: " + data + "\n");

    // The user's own holiday file (only 1 January, renamed) wins; the eras stay shipped.
    std::filesystem::create_directories(data);
    std::ofstream(data + "/Korin1.csv", std::ios::binary) << "\x90\x56\x94\x4e,1,1,1,,,1948,\r\n";
    run = runProgram("/bin/sh", "-c \"" + environment + "name 20240101\"");
    EXPECT_EQ(run.out, "新年\n");
    run = runProgram("/bin/sh", "-c \"" + environment + "era 20240101\"");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("令和", 0), 0U) << run.out;
    run = runProgram("/bin/sh", "-c \"" + environment + "--where\"");
    EXPECT_NE(run.out.find("Korin1.csv: " + data + "/Korin1.csv\n"), std::string::npos) << run.out;

    // Without any folder of the user's nothing would be saved, and --where says so.
    run = runProgram("/bin/sh", "-c \"env -u HOME -u XDG_CONFIG_HOME -u XDG_DATA_HOME '" + program +
                                    "' --where\"");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("設定ファイル: なし (利用者のフォルダが見つかりません)\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("定義ファイルの保存先: なし (利用者のフォルダが見つかりません)\n"),
              std::string::npos)
        << run.out;

    // A folder named with --dir is read as it is.
    run = runProgram("/bin/sh",
                     "-c \"" + environment + "--dir '" + folder.str() + "' name 20240101\"");
    EXPECT_EQ(run.out, "元日\n");
}

TEST(Korin, WhereInTheUsersOwnFolderNamesOnlyThatFolder) {
    const KorinRun run = runProgram(korin, "--where");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string bin = ZELVAR_BIN_DIR;
    EXPECT_EQ(run.out, "プログラムのフォルダ: " + bin + "\n設定ファイル: " + bin +
                           "/Zelvar.ini\nKorin1.csv: " + bin + "/Korin1.csv\nKorin2.csv: " + bin +
                           "/Korin2.csv\n定義ファイルの保存先: " + bin + "\n");
    EXPECT_EQ(runProgram(korin, "--where x").status, 2);
}

TEST(Korin, OutputThatCannotBeWrittenIsAFailure) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    // Larger than any output buffer, and smaller than one; the help and the folders too.
    for (const char* arguments : {"--dir '" ZELVAR_TEST_FIXTURES "/basic' ics 2026 2030 >/dev/full",
                                  "--dir '" ZELVAR_TEST_FIXTURES "/basic' name 20240101 >/dev/full",
                                  "--help >/dev/full", "--where >/dev/full"}) {
        const KorinRun run = runProgram(korin, arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.err.find("korin: 出力を書き込めません。"), std::string::npos) << run.err;
    }
}

TEST(Korin, APipeInPlaceOfADefinitionFileIsRefusedWithoutWaiting) {
    TempFolder folder;
    folder.copyFrom(fixtures + "/basic");
    const std::string pipe = (folder.path() / "Korin1.csv").string();
    std::filesystem::remove(pipe);
    if (std::system(("mkfifo '" + pipe + "' 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "no named pipes here";
    }
    const KorinRun run = runProgram(korin, "--dir '" + folder.str() + "' holidays 2024");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "Korin1.csvファイルを読み込めません。\n");
}
