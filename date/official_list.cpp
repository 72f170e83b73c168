#include "date/official_list.h"

#include "date/codepage.h"
#include "date/file_read.h"
#include "date/serial.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view Header = "国民の祝日・休日月日,国民の祝日・休日名称";
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Replacement = "\xEF\xBF\xBD"; // U+FFFD

// The published list is some 20 KB; a file a hundred times larger is no such list.
constexpr std::uintmax_t MaxListBytes = std::uintmax_t{2} * 1024 * 1024;

// The lines of `text`, each without its LF or CR LF.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

// A line as UTF-8 text, or nullopt when its bytes are no text of the list's encoding.
std::optional<std::string> decodeLine(std::string_view bytes, bool utf8) {
    std::string text = utf8 ? ValidUtf8(bytes) : Cp932ToUtf8(bytes);
    // Neither encoding gives U+FFFD for a character of its own: it marks bytes it could not read.
    if (utf8 ? text != bytes : text.find(Replacement) != std::string::npos) {
        return std::nullopt;
    }
    return text;
}

// The number of a run of 1..maxDigits digits, or -1.
int number(std::string_view digits, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) {
        return -1;
    }
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

struct DayLine {
    std::string date;
    std::string name;
};

// One "yyyy/m/d,name" line, or the problem with it.
std::pair<std::optional<DayLine>, std::string> parseDayLine(const std::string& line) {
    const std::size_t comma = line.find(',');
    if (comma == std::string::npos) {
        return {std::nullopt, "「日付,名称」の形ではありません: " + line};
    }
    const std::string_view dateText = std::string_view(line).substr(0, comma);
    std::string name = line.substr(comma + 1);
    const std::size_t slash1 = dateText.find('/');
    const std::size_t slash2 =
        slash1 == std::string_view::npos ? slash1 : dateText.find('/', slash1 + 1);
    if (slash2 == std::string_view::npos) {
        return {std::nullopt, "日付が「年/月/日」の形ではありません: " + line};
    }
    const int year = number(dateText.substr(0, slash1), 4);
    const int month = number(dateText.substr(slash1 + 1, slash2 - slash1 - 1), 2);
    const int day = number(dateText.substr(slash2 + 1), 2);
    if (year < 0 || month < 0 || day < 0) {
        return {std::nullopt, "日付が「年/月/日」の形ではありません: " + line};
    }
    if (year < 1 || month < 1 || month > 12 || day < 1 ||
        day > St_DaysInMonth(static_cast<std::int16_t>(year), static_cast<std::int16_t>(month))) {
        return {std::nullopt, "存在しない日付です: " + std::string(dateText)};
    }
    if (name.empty()) {
        return {std::nullopt, "名称がありません: " + line};
    }
    // Names are plain text fields: a further comma is a further field, a double quote belongs to
    // no name, and neither could be written back into a definition file as it stands.
    if (name.find_first_of(",\"") != std::string::npos) {
        return {std::nullopt, "名称に「,」や「\"」は使えません: " + line};
    }
    return {DayLine{MakeDateText(year, month, day), std::move(name)}, std::string()};
}

std::string lineRef(int line) {
    return std::to_string(line) + " 行目";
}

} // namespace

OfficialList ParseOfficialList(std::string_view bytes) {
    OfficialList list;
    bool utf8 = bytes.substr(0, Utf8Mark.size()) == Utf8Mark;
    if (utf8) {
        bytes.remove_prefix(Utf8Mark.size());
    }
    const std::vector<std::string_view> lines = splitLines(bytes);
    // Without a byte-order mark the header tells the encoding: its UTF-8 bytes are no code page
    // 932 text of the same words.
    if (!utf8 && !lines.empty() && lines.front() == Header) {
        utf8 = true;
    }
    const auto fail = [&list](int line, std::string text) {
        list.days.clear();
        list.warnings.clear();
        list.error = OfficialListProblem{line, std::move(text)};
        return list;
    };
    if (lines.empty() || decodeLine(lines.front(), utf8) != std::string(Header)) {
        return fail(1, "公式の祝日一覧の見出し「" + std::string(Header) + "」がありません。");
    }
    std::map<std::string, OfficialDay> byDate;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i + 1);
        if (lines[i].empty()) {
            continue;
        }
        const std::optional<std::string> text = decodeLine(lines[i], utf8);
        if (!text) {
            return fail(lineNumber, std::string(utf8 ? "UTF-8" : "シフトJIS") +
                                        "の文字として読めないバイトがあります。");
        }
        auto [day, problem] = parseDayLine(*text);
        if (!day) {
            return fail(lineNumber, problem);
        }
        const auto [at, added] =
            byDate.try_emplace(day->date, OfficialDay{day->date, day->name, lineNumber});
        if (added) {
            continue;
        }
        if (at->second.name != day->name) {
            return fail(lineNumber, "同じ日付が " + lineRef(at->second.line) + "にも「" +
                                        at->second.name + "」としてあります: " + *text);
        }
        list.warnings.push_back(
            {lineNumber, lineRef(at->second.line) + "と同じ行です。一日として数えます: " + *text});
    }
    if (byDate.empty()) {
        return fail(static_cast<int>(lines.size()) + 1, "日付の行がありません。");
    }
    list.days.reserve(byDate.size());
    for (auto& [date, day] : byDate) {
        list.days.push_back(std::move(day));
    }
    return list;
}

OfficialList ReadOfficialListFile(const std::string& path) {
    const FileReadResult read = ReadWholeFile(PathFromUtf8(path), MaxListBytes);
    if (read.status == FileReadStatus::Read) {
        return ParseOfficialList(read.bytes);
    }
    OfficialList list;
    list.error = OfficialListProblem{
        0, read.status == FileReadStatus::Missing ? "ファイルが見つかりません。"
           : read.status == FileReadStatus::TooLarge ? "公式の祝日一覧にしては大きすぎます。"
                                                     : "ファイルを読み込めません。"};
    return list;
}

std::string OfficialListProblemText(const std::string& fileName,
                                    const OfficialListProblem& problem) {
    if (problem.line == 0) {
        return fileName + ": " + problem.text;
    }
    return fileName + " の " + lineRef(problem.line) + ": " + problem.text;
}
