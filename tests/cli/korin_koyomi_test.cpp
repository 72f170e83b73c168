// korin koyomi, sekki, moon and ics --koyomi: run the built program and check what it prints.

#include "cli/koyomi_commands.h"
#include "tests/support/run_program.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string korin = std::string(ZELVAR_BIN_DIR) + "/korin";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string::npos;
         tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

ProgramResult korinRun(const std::string& arguments) {
    return runProgram("'" + korin + "' " + arguments + " 2>&1");
}

std::string lineStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const std::string& line : lines) {
        if (line.rfind(prefix, 0) == 0) {
            return line;
        }
    }
    return {};
}

} // namespace

TEST(KorinKoyomi, KoyomiPrintsOneLineOfSixFieldsForEveryDay) {
    const ProgramResult run = korinRun("koyomi 2019 2020");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::vector<std::string> lines = linesOf(run.output);
    ASSERT_EQ(lines.size(), 365U + 366U);
    EXPECT_EQ(lines.front().substr(0, 16), "2019/01/01\t(火)");
    EXPECT_EQ(lines.back().substr(0, 16), "2020/12/31\t(木)");
    for (const std::string& line : lines) {
        ASSERT_EQ(fieldsOf(line).size(), 6U) << line;
    }
    // The day before the lunar New Year of 2019 (5 February), with 立春.
    const std::vector<std::string> risshun = fieldsOf(lineStartingWith(lines, "2019/02/04"));
    EXPECT_EQ(risshun[1], "(月)");
    EXPECT_EQ(risshun[2], "旧12月30日");
    EXPECT_EQ(risshun[3], "大安");
    EXPECT_EQ(risshun[4], "立春");
    const std::vector<std::string> newYear = fieldsOf(lineStartingWith(lines, "2019/02/05"));
    EXPECT_EQ(newYear[2], "旧1月1日");
    EXPECT_EQ(newYear[3], "先勝");
    EXPECT_EQ(newYear[4], "");
    // The new moon came at 06:04 that day: before noon, so the age at noon is a few tenths.
    EXPECT_EQ(newYear[5].size(), 3U);
    EXPECT_EQ(newYear[5].substr(0, 2), "0.");
    EXPECT_EQ(fieldsOf(lineStartingWith(lines, "2020/05/23"))[2], "旧閏4月1日");
}

TEST(KorinKoyomi, SekkiPrintsTheTwentyFourTermsOfEachYearToTheMinute) {
    const ProgramResult run = korinRun("sekki 2019");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::vector<std::string> lines = linesOf(run.output);
    ASSERT_EQ(lines.size(), 24U);
    EXPECT_EQ(lines.front(), "2019/01/06 00:39\t小寒");
    EXPECT_EQ(lines[5], "2019/03/21 06:58\t春分");
    EXPECT_EQ(lines.back(), "2019/12/22 13:19\t冬至");
    EXPECT_EQ(linesOf(korinRun("sekki 2019 2021").output).size(), 72U);
}

TEST(KorinKoyomi, MoonPrintsThePhasesInTheirTurn) {
    const ProgramResult run = korinRun("moon 2017");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::vector<std::string> lines = linesOf(run.output);
    ASSERT_GE(lines.size(), 48U);
    const std::vector<std::string> names = {"朔", "上弦", "望", "下弦"};
    std::size_t next = 0;
    while (fieldsOf(lines.front())[1] != names[next]) {
        ++next;
    }
    for (const std::string& line : lines) {
        const std::vector<std::string> fields = fieldsOf(line);
        ASSERT_EQ(fields.size(), 2U) << line;
        ASSERT_EQ(fields[0].size(), 16U) << line;
        ASSERT_EQ(fields[1], names[next % 4]) << line;
        ++next;
    }
    EXPECT_NE(lineStartingWith(lines, "2017/02/26 23:5"), "");
}

TEST(KorinKoyomi, YearsOutsideTheKoyomiAreRefusedWithTheRange) {
    for (const char* arguments : {"koyomi 1872", "sekki 2199 2200", "moon 1800 1900"}) {
        const ProgramResult run = korinRun(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_NE(run.output.find("1873 年から 2199 年まで"), std::string::npos) << run.output;
    }
}

TEST(KorinKoyomi, IcsWithKoyomiAddsTheTermsAndZassetsuBesideTheHolidays) {
    const ProgramResult plain = korinRun("ics 2019");
    ASSERT_EQ(plain.exitCode, 0) << plain.output;
    EXPECT_EQ(plain.output.find("SUMMARY:春分\r\n"), std::string::npos);
    const ProgramResult run = korinRun("ics --koyomi 2019");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("SUMMARY:春分の日\r\n"), std::string::npos);
    EXPECT_NE(run.output.find("SUMMARY:春分\r\n"), std::string::npos);
    EXPECT_NE(run.output.find("DTSTART;VALUE=DATE:20190321\r\n"), std::string::npos);
    EXPECT_NE(run.output.find("DESCRIPTION:2019/03/21 06:58 (日本標準時)\r\n"), std::string::npos);
    EXPECT_NE(run.output.find("SUMMARY:八十八夜\r\n"), std::string::npos);
    EXPECT_EQ(run.output.rfind("END:VCALENDAR\r\n"), run.output.size() - 15);
}

// Past 2100 the times are uncertain by minutes, and the events say so.
TEST(KoyomiEventsToICalendar, EventsPast2100CarryTheirUncertainty) {
    const std::string later = KoyomiEventsToICalendar(2150, "20260101T000000Z");
    EXPECT_NE(later.find("誤差"), std::string::npos);
    const std::string now = KoyomiEventsToICalendar(2026, "20260101T000000Z");
    EXPECT_EQ(now.find("誤差"), std::string::npos);
    EXPECT_TRUE(KoyomiEventsToICalendar(1872, "20260101T000000Z").empty());
}
