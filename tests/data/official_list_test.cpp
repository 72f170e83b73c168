// The shipped holiday file against the Cabinet Office's list of national holidays: `korin
// holidays` over every year of the list must give the same days with the same names.

#include "date/codepage.h"
#include "date/serial.h"
#include "tests/support/run_program.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// "yyyymmdd" -> name, in date order.
using HolidayMap = std::map<std::string, std::string>;

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// The official list: a header line, then "yyyy/m/d,name" per day, code page 932.
HolidayMap readOfficialList() {
    std::ifstream in(std::string(ZELVAR_TEST_FIXTURES) + "/syukujitsu.csv", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    HolidayMap days;
    const auto lines = splitLines(Cp932ToUtf8(bytes));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        int year = 0;
        int month = 0;
        int day = 0;
        int used = 0;
        if (std::sscanf(lines[i].c_str(), "%d/%d/%d,%n", &year, &month, &day, &used) != 3 ||
            used == 0) {
            ADD_FAILURE() << "unreadable line of the official list: " << lines[i];
            continue;
        }
        days[MakeDateText(year, month, day)] = lines[i].substr(static_cast<std::size_t>(used));
    }
    return days;
}

const char* const weekdayNames[] = {"日", "月", "火", "水", "木", "金", "土"};

// The lines of `korin holidays`: "yyyy/mm/dd<TAB>(曜)<TAB>name". The weekday is checked here
// against the calendar of the standard library.
HolidayMap parseListing(const std::string& output) {
    HolidayMap days;
    for (const std::string& line : splitLines(output)) {
        int year = 0;
        int month = 0;
        int day = 0;
        int used = 0;
        if (std::sscanf(line.c_str(), "%d/%d/%d\t%n", &year, &month, &day, &used) != 3 ||
            used == 0) {
            ADD_FAILURE() << "unreadable line of korin holidays: " << line;
            continue;
        }
        const std::string rest = line.substr(static_cast<std::size_t>(used));
        const auto tab = rest.find('\t');
        if (tab == std::string::npos) {
            ADD_FAILURE() << "no name in: " << line;
            continue;
        }
        const std::chrono::weekday weekday{std::chrono::sys_days{
            std::chrono::year{year} / std::chrono::month(static_cast<unsigned>(month)) /
            std::chrono::day(static_cast<unsigned>(day))}};
        EXPECT_EQ(rest.substr(0, tab), std::string("(") + weekdayNames[weekday.c_encoding()] + ")")
            << line;
        const std::string key = MakeDateText(year, month, day);
        EXPECT_EQ(days.count(key), 0U) << "listed twice: " << line;
        days[key] = rest.substr(tab + 1);
    }
    return days;
}

// Whether the engine's name stands for the official list's name. The list calls the substitute
// holiday and the day between two holidays both "休日", the two one-off days of 2019
// "休日（祝日扱い）", and notes the coming rename on 体育の日 of 2019.
bool sameHoliday(const std::string& official, const std::string& engine) {
    static const std::multimap<std::string, std::string> aliases = {
        {"休日", "振替休日"},
        {"休日", "国民の休日"},
        {"休日（祝日扱い）", "天皇の即位の日"},
        {"休日（祝日扱い）", "即位礼正殿の儀"},
        {"体育の日（スポーツの日）", "体育の日"},
    };
    if (official == engine) {
        return true;
    }
    const auto [begin, end] = aliases.equal_range(official);
    for (auto it = begin; it != end; ++it) {
        if (it->second == engine) {
            return true;
        }
    }
    return false;
}

TEST(OfficialList, HolidayFileMatchesOfficialList) {
    const HolidayMap official = readOfficialList();
    ASSERT_GT(official.size(), 1000U);
    const std::string firstYear = official.begin()->first.substr(0, 4);
    const std::string lastYear = official.rbegin()->first.substr(0, 4);
    EXPECT_EQ(firstYear, "1955");
    EXPECT_GE(lastYear, "2026");

    const ProgramResult run =
        runProgram(korinCommand() + " holidays " + firstYear + " " + lastYear);
    ASSERT_EQ(run.exitCode, 0);
    const HolidayMap engine = parseListing(run.output);

    for (const auto& [date, name] : official) {
        const auto found = engine.find(date);
        if (found == engine.end()) {
            ADD_FAILURE() << date << " " << name << " is missing from korin holidays";
        } else if (!sameHoliday(name, found->second)) {
            ADD_FAILURE() << date << ": official " << name << ", korin " << found->second;
        }
    }
    for (const auto& [date, name] : engine) {
        EXPECT_EQ(official.count(date), 1U) << date << " " << name << " is not in the list";
    }
    EXPECT_EQ(engine.size(), official.size());
}

// The days that the list settles and that the file's rules had to get right, named the way the
// engine names them.
TEST(OfficialList, SpecialYearsGiveTheirOwnDays) {
    const ProgramResult run = runProgram(korinCommand() + " holidays 2019 2021");
    ASSERT_EQ(run.exitCode, 0);
    const HolidayMap days = parseListing(run.output);
    const std::map<std::string, std::string> expected = {
        {"20190430", "国民の休日"},   {"20190501", "天皇の即位の日"},
        {"20190502", "国民の休日"},   {"20191022", "即位礼正殿の儀"},
        {"20200723", "海の日"},       {"20200724", "スポーツの日"},
        {"20200810", "山の日"},       {"20210722", "海の日"},
        {"20210723", "スポーツの日"}, {"20210808", "山の日"},
        {"20210809", "振替休日"},
    };
    for (const auto& [date, name] : expected) {
        const auto found = days.find(date);
        ASSERT_NE(found, days.end()) << date;
        EXPECT_EQ(found->second, name) << date;
    }
    // No Emperor's birthday in 2019, and the normal dates of the moved holidays stay workdays.
    for (const char* date :
         {"20191223", "20200720", "20201012", "20200811", "20210719", "20211011", "20210811"}) {
        EXPECT_EQ(days.count(date), 0U) << date;
    }
}

} // namespace
