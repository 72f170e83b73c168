// The government's list of holidays read in its encodings and forms, and compared with the
// shipped definitions and with definitions that miss or add days.

#include "date/codepage.h"
#include "date/definitions.h"
#include "date/holiday_check.h"
#include "date/official_list.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path source = ZELVAR_SOURCE_DIR;

// The fixture's lines as UTF-8, without their line ends; the first is the header.
std::vector<std::string> officialLines() {
    TempFolder scratch;
    std::filesystem::copy_file(source / "tests/data/fixtures/syukujitsu.csv",
                               scratch.path() / "list.csv");
    std::istringstream in(Cp932ToUtf8(scratch.read("list.csv")));
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// The lines as the published file has them: code page 932 with CR LF.
std::string cp932List(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return Utf8ToCp932(text).value();
}

// `lines` without the one equal to `line`.
std::vector<std::string> without(std::vector<std::string> lines, const std::string& line) {
    const auto at = std::find(lines.begin(), lines.end(), line);
    EXPECT_NE(at, lines.end()) << line;
    if (at != lines.end()) {
        lines.erase(at);
    }
    return lines;
}

class HolidayCheckTest : public ::testing::Test {
protected:
    HolidayCheckTest() : host(folder.str()) {
        folder.copyFrom(source / "data");
        St_LoadDefinitions();
    }

    // Parses `bytes`, expects it to be read without warnings and compares it.
    static HolidayCheck checkOf(const std::string& bytes) {
        const OfficialList list = ParseOfficialList(bytes);
        EXPECT_FALSE(list.error) << list.error->text;
        EXPECT_TRUE(list.warnings.empty());
        return CheckHolidays(list.days);
    }

    // Loads the shipped holiday file without the lines `dropped`.
    void loadShippedWithout(const std::vector<std::string>& dropped) {
        std::istringstream in(Cp932ToUtf8(folder.read("Korin1.csv")));
        std::string kept;
        std::string line;
        while (std::getline(in, line)) {
            line.pop_back(); // CR
            if (std::find(dropped.begin(), dropped.end(), line) == dropped.end()) {
                kept += line + "\r\n";
            }
        }
        folder.write("Korin1.csv", Utf8ToCp932(kept).value());
        St_LoadDefinitions();
    }

    TempFolder folder;
    RecordingHost host;
    const std::vector<std::string> lines = officialLines();
};

TEST_F(HolidayCheckTest, TheShippedDefinitionsAgreeWithTheOfficialList) {
    ASSERT_EQ(lines.front(), "国民の祝日・休日月日,国民の祝日・休日名称");
    const HolidayCheck check = checkOf(cp932List(lines));
    EXPECT_EQ(check.firstYear, 1955);
    EXPECT_EQ(check.lastYear, 2027);
    EXPECT_EQ(check.listDays, static_cast<int>(lines.size()) - 1);
    EXPECT_TRUE(check.differences.empty());
    EXPECT_TRUE(check.additions.empty());
    EXPECT_EQ(HolidayCheckDetails(check), "");
    // Every day the list writes in its own way, and no other, is counted apart.
    int ownWay = 0;
    for (const std::string& line : lines) {
        const std::string name = line.substr(line.find(',') + 1);
        ownWay +=
            name == "休日" || name == "休日（祝日扱い）" || name == "体育の日（スポーツの日）";
    }
    EXPECT_GT(ownWay, 50);
    EXPECT_EQ(check.acceptedNames, ownWay);
    EXPECT_EQ(HolidayCheckSummary(check),
              "相違はありません (1955年～2027年、公式の一覧 " + std::to_string(check.listDays) +
                  " 日、表記の違いを認めた日 " + std::to_string(ownWay) + " 日)");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(HolidayCheckTest, EachKindOfDifferenceIsOneLineInDateOrder) {
    std::vector<std::string> changed = without(lines, "2020/7/24,スポーツの日");
    std::replace(changed.begin(), changed.end(), std::string("1966/10/10,体育の日"),
                 std::string("1966/10/10,体育の日の祝日"));
    changed.emplace_back("2025/6/2,臨時の休日");
    const HolidayCheck check = checkOf(cp932List(changed));
    ASSERT_EQ(check.differences.size(), 3U);
    EXPECT_EQ(HolidayCheckSummary(check).rfind("相違 3 件 (", 0), 0U);
    EXPECT_EQ(HolidayCheckDetails(check),
              "1966/10/10\t(月)\t名前が違う\t一覧「体育の日の祝日」、定義「体育の日」\n"
              "2020/07/24\t(金)\t一覧にない\tスポーツの日\n"
              "2025/06/02\t(月)\t定義にない\t臨時の休日\n"
              "\n"
              "Korin1.csv に追加する行 (1年限りの日付指定):\n"
              "臨時の休日,1,6,2,,,2025,2025\n");
}

TEST_F(HolidayCheckTest, AListThatEndsEarlyCoversItsOwnYearsOnly) {
    // Up to the end of 2020: agrees.
    std::vector<std::string> to2020;
    for (const std::string& line : lines) {
        if (line.rfind("2021/", 0) == 0) {
            break;
        }
        to2020.push_back(line);
    }
    const HolidayCheck years = checkOf(cp932List(to2020));
    EXPECT_EQ(years.lastYear, 2020);
    EXPECT_TRUE(years.differences.empty());

    // Cut after 5 May 2027: the rest of that year is only in the definitions.
    const auto cut = std::find(lines.begin(), lines.end(), "2027/5/5,こどもの日") + 1;
    ASSERT_LT(cut, lines.end());
    const std::vector<std::string> head(lines.begin(), cut);
    const HolidayCheck mid = checkOf(cp932List(head));
    ASSERT_EQ(mid.differences.size(), static_cast<std::size_t>(lines.end() - cut));
    for (const HolidayCheckLine& line : mid.differences) {
        EXPECT_EQ(line.kind, HolidayDifference::NotInList) << line.date;
        EXPECT_GT(line.date, "20270505");
    }
    EXPECT_TRUE(mid.additions.empty());
}

TEST_F(HolidayCheckTest, UnicodeCopiesAndLineEndsReadAlike) {
    std::string lf;
    for (const std::string& line : lines) {
        lf += line + "\n";
    }
    for (const std::string& bytes : {"\xEF\xBB\xBF" + lf, lf, Cp932ToUtf8(cp932List(lines))}) {
        const OfficialList list = ParseOfficialList(bytes);
        ASSERT_FALSE(list.error) << list.error->text;
        EXPECT_EQ(list.days.size(), lines.size() - 1);
        EXPECT_EQ(list.days.front().name, "元日");
        EXPECT_TRUE(CheckHolidays(list.days).differences.empty());
    }
    // A byte-order mark before code page 932 bytes makes them UTF-8 that does not read.
    const OfficialList marked = ParseOfficialList("\xEF\xBB\xBF" + cp932List(lines));
    ASSERT_TRUE(marked.error);
    EXPECT_EQ(marked.error->line, 1);
}

TEST_F(HolidayCheckTest, ARepeatedLineIsAWarningAndCountsOnce) {
    std::vector<std::string> repeated = lines;
    const auto at = std::find(repeated.begin(), repeated.end(), "2019/5/1,休日（祝日扱い）");
    ASSERT_NE(at, repeated.end());
    const int first = static_cast<int>(at - repeated.begin()) + 1;
    repeated.insert(at + 1, *at);
    const OfficialList list = ParseOfficialList(cp932List(repeated));
    ASSERT_FALSE(list.error);
    EXPECT_EQ(list.days.size(), lines.size() - 1);
    ASSERT_EQ(list.warnings.size(), 1U);
    EXPECT_EQ(list.warnings[0].line, first + 1);
    EXPECT_EQ(OfficialListProblemText("syukujitsu.csv", list.warnings[0]),
              "syukujitsu.csv の " + std::to_string(first + 1) + " 行目: " + std::to_string(first) +
                  " 行目と同じ行です。一日として数えます: 2019/5/1,休日（祝日扱い）");
    EXPECT_TRUE(CheckHolidays(list.days).differences.empty());
}

TEST_F(HolidayCheckTest, WhatIsNoSuchListIsAnErrorOfItsLine) {
    struct Case {
        std::string bytes;
        int line;
        std::string text;
    };
    const std::string header = Utf8ToCp932("国民の祝日・休日月日,国民の祝日・休日名称\r\n").value();
    const auto cp = [](const std::string& text) { return Utf8ToCp932(text).value(); };
    const std::vector<Case> cases = {
        {"", 1,
         "公式の祝日一覧の見出し「国民の祝日・休日月日,国民の祝日・休日名称」がありません。"},
        {cp("元日,1,1,1,,,1949,\r\n"), 1,
         "公式の祝日一覧の見出し「国民の祝日・休日月日,国民の祝日・休日名称」がありません。"},
        {header, 2, "日付の行がありません。"},
        {header + cp("2019/2/30,休日\r\n"), 2, "存在しない日付です: 2019/2/30"},
        {header + cp("2019/1/1,元日\r\n2019/13/1,元日\r\n"), 3, "存在しない日付です: 2019/13/1"},
        {header + cp("0/1/1,元日\r\n"), 2, "存在しない日付です: 0/1/1"},
        {header + cp("2019-01-01,元日\r\n"), 2,
         "日付が「年/月/日」の形ではありません: 2019-01-01,元日"},
        {header + cp("2019/1/1x,元日\r\n"), 2,
         "日付が「年/月/日」の形ではありません: 2019/1/1x,元日"},
        {header + cp("2019/1/1\r\n"), 2, "「日付,名称」の形ではありません: 2019/1/1"},
        {header + cp("2019/1/1,\r\n"), 2, "名称がありません: 2019/1/1,"},
        {header + cp("2019/1/1,元日,祝日\r\n"), 2,
         "名称に「,」や「\"」は使えません: 2019/1/1,元日,祝日"},
        {header + "2019/1/1,\x82\r\n", 2, "シフトJISの文字として読めないバイトがあります。"},
        {"\xEF\xBB\xBF" + Cp932ToUtf8(header) + "2019/1/1,\xC3\x28\n", 2,
         "UTF-8の文字として読めないバイトがあります。"},
        {header + cp("2019/1/1,元日\r\n\r\n2019/1/1,元旦\r\n"), 4,
         "同じ日付が 2 行目にも「元日」としてあります: 2019/1/1,元旦"},
    };
    for (const Case& c : cases) {
        const OfficialList list = ParseOfficialList(c.bytes);
        ASSERT_TRUE(list.error) << c.text;
        EXPECT_EQ(list.error->line, c.line) << c.text;
        EXPECT_EQ(list.error->text, c.text);
        EXPECT_TRUE(list.days.empty());
    }
    EXPECT_EQ(OfficialListProblemText("a.csv", {3, "x"}), "a.csv の 3 行目: x");
    EXPECT_EQ(ReadOfficialListFile((folder.path() / "none.csv").string()).error->text,
              "ファイルが見つかりません。");
}

TEST_F(HolidayCheckTest, TheMissingOneOffDaysOf2019BecomeOneYearLinesThatMakeTheListAgree) {
    loadShippedWithout({"天皇の即位の日,1,5,1,,,2019,2019", "即位礼正殿の儀,1,10,22,,,2019,2019"});
    const HolidayCheck before = checkOf(cp932List(lines));
    // The days off around 1 May follow from the national-holiday rule once 1 May is a holiday.
    EXPECT_EQ(HolidayCheckDetails(before), "2019/04/30\t(火)\t定義にない\t休日\n"
                                           "2019/05/01\t(水)\t定義にない\t休日（祝日扱い）\n"
                                           "2019/05/02\t(木)\t定義にない\t休日\n"
                                           "2019/10/22\t(火)\t定義にない\t休日（祝日扱い）\n"
                                           "\n"
                                           "Korin1.csv に追加する行 (1年限りの日付指定):\n"
                                           "休日（祝日扱い）,1,5,1,,,2019,2019\n"
                                           "休日（祝日扱い）,1,10,22,,,2019,2019\n");
    // The table is as loaded after the comparison.
    EXPECT_EQ(HolidayDefCount, 34);

    std::string appended = folder.read("Korin1.csv");
    for (const HolidayDef& def : before.additions) {
        appended += Utf8ToCp932(HolidayDefinitionLine(def) + "\r\n").value();
    }
    folder.write("Korin1.csv", appended);
    St_LoadDefinitions();
    const HolidayCheck after = checkOf(cp932List(lines));
    EXPECT_TRUE(after.differences.empty()) << HolidayCheckDetails(after);
}

TEST_F(HolidayCheckTest, ADayOffNoRuleGivesIsAddedUnderTheListsName) {
    // 2 January 2026 (a Friday) as a day off of its own: no rule makes it one.
    std::vector<std::string> extra = lines;
    extra.insert(std::find(extra.begin(), extra.end(), "2026/1/12,成人の日"), "2026/1/2,休日");
    const HolidayCheck check = checkOf(cp932List(extra));
    ASSERT_EQ(check.additions.size(), 1U);
    EXPECT_EQ(HolidayDefinitionLine(check.additions[0]), "休日,1,1,2,,,2026,2026");
}

TEST(HolidayNames, TheListsOwnWaysOfWritingANameAreAcceptedAndNoOthers) {
    EXPECT_TRUE(SameHolidayName("元日", "元日", false));
    EXPECT_TRUE(SameHolidayName("休日", "振替休日", false));
    EXPECT_TRUE(SameHolidayName("休日", "国民の休日", false));
    EXPECT_FALSE(SameHolidayName("休日", "元日", false));
    EXPECT_TRUE(SameHolidayName("休日（祝日扱い）", "即位礼正殿の儀", true));
    EXPECT_FALSE(SameHolidayName("休日（祝日扱い）", "文化の日", false));
    EXPECT_TRUE(SameHolidayName("体育の日（スポーツの日）", "体育の日", false));
    EXPECT_FALSE(SameHolidayName("体育の日（スポーツの日）", "スポーツの日", false));
    EXPECT_FALSE(SameHolidayName("体育の日（）", "体育の日", false));
    EXPECT_FALSE(SameHolidayName("体育（スポーツの日）", "体育の日", false));
    EXPECT_FALSE(SameHolidayName("スポーツの日", "体育の日", false));
}

} // namespace
