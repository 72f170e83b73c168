// The shipped definition files as the engine loads them, and as the editors would write them.

#include "date/codepage.h"
#include "date/definitions.h"
#include "date/eras.h"
#include "date/holidays.h"
#include "date/serial.h"
#include "tests/support/recording_host.h"
#include "tests/support/run_program.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

const std::string dataFolder = std::string(ZELVAR_SOURCE_DIR) + "/data";

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The lines of a file whose every line must end with CR LF.
std::vector<std::string> crlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "the last line has no CR LF";
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << lines.back();
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

std::string twoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10)) +
           static_cast<char>('0' + value % 10);
}

// The holiday editor's sort key: month, day or weekday slot, first year.
std::string editorKey(const HolidayDef& def) {
    const int slot = def.Kind == 1 ? def.Day : (def.Week - 1) * 7 + def.Weekday;
    std::string year = std::to_string(def.FromYear);
    return twoDigits(def.Month) + twoDigits(slot) + std::string(4 - year.size(), '0') + year;
}

std::vector<std::pair<std::string, std::string>> holidaysOf(int year) {
    St_HolidayName(static_cast<std::int16_t>(year), 1, 1);
    std::vector<std::pair<std::string, std::string>> list;
    list.reserve(YearHolidays.size());
    for (const YearHoliday& holiday : YearHolidays) {
        list.emplace_back(holiday.MonthDay, holiday.Name);
    }
    std::sort(list.begin(), list.end());
    return list;
}

TEST(ShippedFiles, HolidayFileIsWrittenAsTheEditorWritesIt) {
    const auto lines = crlfLines(readBytes(dataFolder + "/Korin1.csv"));
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines) {
        const auto fields = splitFields(line);
        ASSERT_EQ(fields.size(), 8U) << line;
        EXPECT_FALSE(fields[0].empty()) << line;
        for (std::size_t i = 1; i < fields.size(); ++i) {
            const std::string& number = fields[i];
            // Plain digits, no leading zero, and 0 only as an empty field.
            EXPECT_EQ(number.find_first_not_of("0123456789"), std::string::npos) << line;
            EXPECT_TRUE(number.empty() || number[0] != '0') << line;
        }
    }

    RecordingHost host(dataFolder);
    St_LoadDefinitions();
    ASSERT_EQ(HolidayDefCount, static_cast<std::int16_t>(lines.size()));
    std::set<std::pair<std::string, int>> namesInForce;
    for (std::int16_t i = 0; i < HolidayDefCount; ++i) {
        const HolidayDef& def = HolidayDefs[static_cast<std::size_t>(i)];
        EXPECT_TRUE(def.Kind == 1 || def.Kind == 2) << def.Name;
        EXPECT_TRUE(def.Month >= 1 && def.Month <= 12) << def.Name;
        if (def.Kind == 1) {
            EXPECT_TRUE(def.Day >= 1 && def.Day <= 31 && def.Week == 0 && def.Weekday == 0)
                << def.Name;
        } else {
            EXPECT_TRUE(def.Day == 0 && def.Week >= 1 && def.Week <= 4 && def.Weekday >= 0 &&
                        def.Weekday <= 6)
                << def.Name;
        }
        EXPECT_GE(def.FromYear, 1948) << def.Name;
        EXPECT_TRUE(def.ToYear == 0 || def.ToYear >= def.FromYear) << def.Name;
        if (i > 0) {
            // Opening the file in the holiday editor must not reorder it.
            EXPECT_LT(editorKey(HolidayDefs[static_cast<std::size_t>(i - 1)]), editorKey(def))
                << def.Name;
        }
        // One holiday name has at most one rule in force in any year.
        const int last = def.ToYear == 0 ? 2200 : def.ToYear;
        for (int year = def.FromYear; year <= last; ++year) {
            EXPECT_TRUE(namesInForce.emplace(def.Name, year).second)
                << def.Name << " has two rules in " << year;
        }
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST(ShippedFiles, HolidaysBeginWithTheLawOf1948) {
    RecordingHost host(dataFolder);
    St_LoadDefinitions();
    EXPECT_TRUE(holidaysOf(1947).empty());
    EXPECT_TRUE(holidaysOf(1900).empty());
    const std::vector<std::pair<std::string, std::string>> in1948 = {
        {"0923", "秋分の日"}, {"1103", "文化の日"}, {"1123", "勤労感謝の日"}};
    EXPECT_EQ(holidaysOf(1948), in1948);
    const auto in1949 = holidaysOf(1949);
    ASSERT_EQ(in1949.size(), 9U);
    EXPECT_EQ(in1949.front(), std::make_pair(std::string("0101"), std::string("元日")));
    // The rules in force today continue after the official list ends.
    const std::vector<std::pair<std::string, std::string>> in2030 = {
        {"0101", "元日"},         {"0114", "成人の日"},   {"0211", "建国記念の日"},
        {"0223", "天皇誕生日"},   {"0320", "春分の日"},   {"0429", "昭和の日"},
        {"0503", "憲法記念日"},   {"0504", "みどりの日"}, {"0505", "こどもの日"},
        {"0506", "振替休日"},     {"0715", "海の日"},     {"0811", "山の日"},
        {"0812", "振替休日"},     {"0916", "敬老の日"},   {"0923", "秋分の日"},
        {"1014", "スポーツの日"}, {"1103", "文化の日"},   {"1104", "振替休日"},
        {"1123", "勤労感謝の日"}};
    EXPECT_EQ(holidaysOf(2030), in2030);
    EXPECT_TRUE(host.messages.empty());
}

TEST(ShippedFiles, EraFileIsChronologicalFromTaikaToReiwa) {
    const auto lines = crlfLines(readBytes(dataFolder + "/Korin2.csv"));
    RecordingHost host(dataFolder);
    St_LoadDefinitions();
    ASSERT_EQ(EraDefCount, static_cast<std::int16_t>(lines.size()));
    ASSERT_EQ(EraDefCount, 237);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const EraDef& era = EraDefs[i];
        // Written as loaded: eight digits, a comma, the name.
        EXPECT_EQ(Cp932ToUtf8(lines[i]), era.StartDate + "," + era.Name);
        EXPECT_EQ(era.StartDate.size(), 8U);
        EXPECT_EQ(era.StartDate.find_first_not_of("0123456789"), std::string::npos);
        EXPECT_FALSE(era.Name.empty());
        if (i > 0) {
            EXPECT_LT(EraDefs[i - 1].StartDate, era.StartDate) << era.Name;
        }
    }
    EXPECT_EQ(EraDefs.front().StartDate + EraDefs.front().Name, "06450619大化");
    const std::vector<std::string> modern = {"18680125明治", "19120730大正", "19261225昭和",
                                             "19890108平成", "20190501令和"};
    for (std::size_t k = 0; k < modern.size(); ++k) {
        const EraDef& era = EraDefs[EraDefs.size() - modern.size() + k];
        EXPECT_EQ(era.StartDate + era.Name, modern[k]);
    }
}

TEST(ShippedFiles, EveryYearFrom645HasAnEra) {
    RecordingHost host(dataFolder);
    St_LoadDefinitions();
    St_Era("06450599"); // May 645, before 大化 began
    EXPECT_EQ(EraName, "");
    for (int year = 645; year <= 9999; ++year) {
        St_Era(MakeDateText(year, 12, 99));
        ASSERT_FALSE(EraName.empty()) << year;
        ASSERT_FALSE(EraLabel(EraName, EraYearText).empty()) << year;
    }
    const std::vector<std::pair<std::string, std::string>> labels = {
        {"20190599", "令和元"}, {"20190499", "平成31"}, {"19890199", "平成元"},
        {"19261299", "昭和元"}, {"19120799", "大正元"}, {"18681299", "明治元"},
        {"19120699", "明治45"}, {"18670199", "慶応 3"}, {"06451299", "大化元"}};
    for (const auto& [date, label] : labels) {
        St_Era(date);
        EXPECT_EQ(EraLabel(EraName, EraYearText), label) << date;
    }
}

TEST(ShippedFiles, GeneratorsReproduceTheCommittedFiles) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("zelvar_data_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string holidays = (folder / "Korin1.csv").string();
    const std::string eras = (folder / "Korin2.csv").string();
    EXPECT_EQ(runProgram(std::string(ZELVAR_PYTHON3) + " '" + ZELVAR_SOURCE_DIR +
                         "/tools/make_holidays.py' '" + holidays + "' >/dev/null")
                  .exitCode,
              0);
    EXPECT_EQ(
        runProgram(std::string("'") + ZELVAR_MAKE_ERAS + "' '" + eras + "' >/dev/null").exitCode,
        0);
    EXPECT_EQ(readBytes(holidays), readBytes(dataFolder + "/Korin1.csv"));
    EXPECT_EQ(readBytes(eras), readBytes(dataFolder + "/Korin2.csv"));
    std::filesystem::remove_all(folder);
}

} // namespace
