#include "date/definitions.h"

#include "date/codepage.h"
#include "date/definitions_internal.h"
#include "date/file_read.h"
#include "date/holidays.h"
#include "date/host.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::vector<HolidayDef> HolidayDefs;
std::int16_t HolidayDefCount = 0;
std::vector<EraDef> EraDefs;
std::int16_t EraDefCount = 0;

namespace {

constexpr const char* HolidayFileName = "Korin1.csv";
constexpr const char* EraFileName = "Korin2.csv";
constexpr std::int32_t HolidayInitialCapacity = 25;
constexpr std::int32_t EraInitialCapacity = 255;
constexpr std::int32_t CapacityStep = 10;

std::int32_t lastHolidayCapacity = 0;
std::int32_t lastEraCapacity = 0;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
// Whether the character at `k` ends a line: LF, or CR not followed by LF (CR LF ends one line).
bool endsLine(std::string_view text, std::size_t k) {
    return text[k] == '\n' || (text[k] == '\r' && (k + 1 >= text.size() || text[k + 1] != '\n'));
}

const char* fileNameOf(DefinitionFile file) {
    return file == DefinitionFile::Holidays ? HolidayFileName : EraFileName;
}

// What the last St_LoadDefinitions read of each file, by DefinitionFile.
std::array<FileStamp, 2> loadedStamps;
std::array<bool, 2> loadedAsUtf8 = {false, false};
std::array<bool, 2> loadedWhole = {true, true};
// The lines with unreadable bytes found by the last read of each file.
std::array<std::vector<std::int32_t>, 2> unreadableLines;

// A file whose faults were reported: the same file as it stands is not reported again.
struct ReportedFile {
    std::string path;
    FileStamp stamp;
    bool operator==(const ReportedFile&) const = default;
};
std::array<ReportedFile, 2> reportedFiles;

std::size_t indexOf(DefinitionFile file) {
    return file == DefinitionFile::Holidays ? 0 : 1;
}

// The file's path as UTF-8 text: the one the definitions are read from (and whose changes are
// watched), and the one a save writes. The host decides both; they differ when the user's own
// copy is written beside a shared, read-only original.
std::string definitionPathToRead(DefinitionFile file) {
    return CurrentEngineHost().definitionFileToRead(fileNameOf(file));
}

std::string definitionPathToWrite(DefinitionFile file) {
    return CurrentEngineHost().definitionFileToWrite(fileNameOf(file));
}

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Replacement = "\xEF\xBF\xBD"; // U+FFFD

// The whole file as UTF-8. A missing file, and one that exists but cannot be read (no
// permission, a folder of that name, a pipe or a device, a device error, far too large), are
// reported and end the program, so that no program runs on, or lets an editor save, a table
// that silently lost the file's contents.
std::string readDefinitionFile(DefinitionFile file) {
    EngineHost& host = CurrentEngineHost();
    const std::string name = fileNameOf(file);
    FileReadResult read =
        ReadWholeFile(PathFromUtf8(definitionPathToRead(file)), MaxDefinitionFileBytes);
    if (read.status != FileReadStatus::Read) {
        const char* reason = read.status == FileReadStatus::Missing ? "ファイルが見つかりません。"
                             : read.status == FileReadStatus::TooLarge
                                 ? "ファイルが大きすぎるため読み込めません。"
                                 : "ファイルを読み込めません。";
        host.showError(name + reason);
        host.endProgram();
    }
    loadedStamps[indexOf(file)] = read.stamp;
    // Other editors save these files as UTF-8 with a byte-order mark; code page 932 never starts
    // with those three bytes.
    const std::string_view bytes = read.bytes;
    const bool utf8 = bytes.substr(0, Utf8Mark.size()) == Utf8Mark;
    loadedAsUtf8[indexOf(file)] = utf8;
    std::string text = utf8 ? ValidUtf8(bytes.substr(Utf8Mark.size())) : Cp932ToUtf8(bytes);
    unreadableLines[indexOf(file)] = LinesWithUnreadableBytes(text);
    return text;
}

// Says, once for the file as it stands, which of its lines hold bytes that are no character of
// its encoding, and that it holds more records (`records`) than the tables take.
void reportLoadFaults(DefinitionFile file, std::int32_t records) {
    const std::size_t index = indexOf(file);
    const std::vector<std::int32_t>& lines = unreadableLines[index];
    if (lines.empty() && records <= MaxDefinitionRecords) {
        return;
    }
    const ReportedFile loaded{definitionPathToRead(file), loadedStamps[index]};
    if (reportedFiles[index] == loaded) {
        return;
    }
    reportedFiles[index] = loaded;
    EngineHost& host = CurrentEngineHost();
    const std::string name = fileNameOf(file);
    if (!lines.empty()) {
        std::string message = name + "ファイルの" + std::to_string(lines.front()) + "行目";
        if (lines.size() > 1) {
            message += "ほか" + std::to_string(lines.size() - 1) + "行";
        }
        message += loadedAsUtf8[index] ? "に、UTF-8として読めないバイトがあります。"
                                       : "に、シフトJISとして読めないバイトがあります。";
        host.showError(message);
    }
    if (records > MaxDefinitionRecords) {
        host.showError(name + "ファイルには" + std::to_string(records) +
                       "件の定義がありますが、読み込めるのは" +
                       std::to_string(MaxDefinitionRecords) +
                       "件までです。それより後の定義は使われません。");
    }
}

// Reads past the records that the table does not take, `fields` fields each, and returns the
// file's whole count of records given the `taken` ones.
std::int32_t countAllRecords(FieldStream& stream, std::int32_t taken, int fields) {
    std::int32_t records = taken;
    while (!stream.atEnd()) {
        ++records;
        for (int f = 0; f < fields; ++f) {
            stream.next();
        }
    }
    return records;
}

void readText(FieldStream& stream, std::string& target) {
    if (auto field = stream.next()) {
        target = std::move(*field);
    }
}

void readNumber(FieldStream& stream, std::int16_t& target) {
    if (auto field = stream.next()) {
        if (auto value = ParseInt16Field(*field)) {
            target = *value;
        }
    }
}

// Grows `table` by the fixed step when record `index` (1-based) lies beyond its capacity.
template <typename Record>
void makeRoom(std::vector<Record>& table, std::int32_t index, std::int32_t& capacity) {
    if (index > capacity) {
        capacity += CapacityStep;
        table.resize(static_cast<std::size_t>(capacity));
    }
}

// The numeric format "00000000" applied to a start date that holds a whole number; other texts
// stay as they are.
std::string formatStartDate(const std::string& text) {
    std::string_view digits(text);
    while (!digits.empty() && isBlank(digits.back())) {
        digits.remove_suffix(1);
    }
    if (digits.empty() || digits.size() > 18 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return text;
    }
    std::size_t firstNonZero = digits.find_first_not_of('0');
    std::string_view value = firstNonZero == std::string_view::npos ? std::string_view("0")
                                                                    : digits.substr(firstNonZero);
    std::string formatted;
    if (value.size() < 8) {
        formatted.assign(8 - value.size(), '0');
    }
    formatted += value;
    return formatted;
}

std::string numberField(std::int16_t value) {
    // Numeric format "#": zero is written as an empty field.
    return value == 0 ? std::string() : std::to_string(value);
}

// Converts the lines to code page 932 and replaces the file through the engine's host. Each
// line is converted on its own, so that a failure names its record.
// The failure of record k (0-based) with `error`.
WriteResult recordFailure(int error, std::size_t k) {
    WriteResult result;
    result.error = error;
    result.record = static_cast<std::int32_t>(k + 1);
    return result;
}

WriteResult writeDefinitionFile(DefinitionFile file, const std::vector<std::string>& lines) {
    std::string bytes;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        std::optional<std::string> line = Utf8ToCp932(lines[k]);
        if (!line) {
            return recordFailure(EILSEQ, k);
        }
        bytes += *line;
    }
    return CurrentEngineHost().replaceFile(definitionPathToWrite(file), bytes);
}

std::size_t recordsToWrite(std::int16_t count, std::size_t available) {
    return count <= 0 ? 0 : std::min(static_cast<std::size_t>(count), available);
}

} // namespace

std::optional<std::string> FieldStream::next() {
    if (atEnd()) {
        return std::nullopt;
    }
    const std::size_t begin = pos_;
    std::string value = nextValue();
    for (std::size_t k = begin; k < pos_; ++k) {
        if (endsLine(text_, k)) {
            ++line_;
        }
    }
    return value;
}

std::string FieldStream::nextValue() {
    while (pos_ < text_.size() && isBlank(text_[pos_])) {
        ++pos_;
    }
    std::string value;
    if (pos_ < text_.size() && text_[pos_] == '"') {
        std::size_t close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos) {
            value = text_.substr(pos_ + 1);
            pos_ = text_.size();
            return value;
        }
        value = text_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        // Whatever follows the closing quote up to the end of the field is dropped.
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) {
            ++pos_;
        }
    } else {
        std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) {
            ++pos_;
        }
        value = text_.substr(start, pos_ - start);
    }
    // Consume the delimiter: a comma, or a line end of CR LF, CR or LF.
    if (pos_ < text_.size()) {
        const bool carriageReturn = text_[pos_] == '\r';
        ++pos_;
        if (carriageReturn && pos_ < text_.size() && text_[pos_] == '\n') {
            ++pos_;
        }
    }
    return value;
}

std::vector<std::int32_t> LinesWithUnreadableBytes(std::string_view text) {
    std::vector<std::int32_t> lines;
    std::int32_t line = 1;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (endsLine(text, k)) {
            ++line;
        } else if (text.substr(k, Replacement.size()) == Replacement &&
                   (lines.empty() || lines.back() != line)) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::optional<std::int16_t> ParseInt16Field(std::string_view field) {
    while (!field.empty() && isBlank(field.front())) {
        field.remove_prefix(1);
    }
    while (!field.empty() && isBlank(field.back())) {
        field.remove_suffix(1);
    }
    if (field.empty()) {
        return 0;
    }
    bool negative = false;
    if (field.front() == '+' || field.front() == '-') {
        negative = field.front() == '-';
        field.remove_prefix(1);
    }
    if (field.empty()) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > 32768) {
            return std::nullopt;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > 32767) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

std::optional<std::string> EncodeTextField(std::string_view text) {
    bool needsQuotes = text.find_first_of(",\r\n") != std::string_view::npos ||
                       (!text.empty() && (isBlank(text.front()) || text.front() == '"'));
    if (!needsQuotes) {
        return std::string(text);
    }
    if (text.find('"') != std::string_view::npos) {
        return std::nullopt;
    }
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    return quoted;
}

std::int32_t LastHolidayTableCapacity() {
    return lastHolidayCapacity;
}
std::int32_t LastEraTableCapacity() {
    return lastEraCapacity;
}

void St_LoadDefinitions() {
    // Holidays.
    {
        std::vector<HolidayDef> table(HolidayInitialCapacity);
        std::int32_t capacity = HolidayInitialCapacity;
        std::int32_t i = 0;
        std::string text = readDefinitionFile(DefinitionFile::Holidays);
        FieldStream stream(text);
        // Records past the 32767th do not fit the 16-bit count and are ignored.
        while (!stream.atEnd() && i < MaxDefinitionRecords) {
            ++i;
            makeRoom(table, i, capacity);
            HolidayDef& def = table[static_cast<std::size_t>(i - 1)];
            def.Line = stream.line();
            readText(stream, def.Name);
            readNumber(stream, def.Kind);
            readNumber(stream, def.Month);
            readNumber(stream, def.Day);
            readNumber(stream, def.Week);
            readNumber(stream, def.Weekday);
            readNumber(stream, def.FromYear);
            readNumber(stream, def.ToYear);
        }
        const std::int32_t records = countAllRecords(stream, i, 8);
        loadedWhole[indexOf(DefinitionFile::Holidays)] = records <= MaxDefinitionRecords;
        table.resize(static_cast<std::size_t>(i));
        table.shrink_to_fit();
        lastHolidayCapacity = capacity;
        HolidayDefs = std::move(table);
        HolidayDefCount = static_cast<std::int16_t>(i);
        // The cached year was computed from the old definitions.
        CachedYear = 0;
        YearHolidays.clear();
        YearHolidayCount = 0;
        reportLoadFaults(DefinitionFile::Holidays, records);
    }
    // Eras.
    {
        std::vector<EraDef> table(EraInitialCapacity);
        std::int32_t capacity = EraInitialCapacity;
        std::int32_t i = 0;
        std::string text = readDefinitionFile(DefinitionFile::Eras);
        FieldStream stream(text);
        while (!stream.atEnd() && i < MaxDefinitionRecords) {
            ++i;
            makeRoom(table, i, capacity);
            EraDef& def = table[static_cast<std::size_t>(i - 1)];
            def.Line = stream.line();
            readText(stream, def.StartDate);
            readText(stream, def.Name);
            def.StartDate = formatStartDate(def.StartDate);
        }
        const std::int32_t records = countAllRecords(stream, i, 2);
        loadedWhole[indexOf(DefinitionFile::Eras)] = records <= MaxDefinitionRecords;
        table.resize(static_cast<std::size_t>(i));
        table.shrink_to_fit();
        lastEraCapacity = capacity;
        EraDefs = std::move(table);
        EraDefCount = static_cast<std::int16_t>(i);
        reportLoadFaults(DefinitionFile::Eras, records);
    }
    CachedYear = 0;
}

WriteResult WriteHolidayDefinitions() {
    if (!DefinitionFileWasReadWhole(DefinitionFile::Holidays)) {
        return WriteResult::failed(EFBIG);
    }
    std::vector<std::string> lines;
    std::size_t n = recordsToWrite(HolidayDefCount, HolidayDefs.size());
    for (std::size_t k = 0; k < n; ++k) {
        const HolidayDef& def = HolidayDefs[k];
        std::optional<std::string> name = EncodeTextField(def.Name);
        if (!name) {
            return recordFailure(EINVAL, k);
        }
        std::string line = *name;
        for (std::int16_t value :
             {def.Kind, def.Month, def.Day, def.Week, def.Weekday, def.FromYear, def.ToYear}) {
            line += ',';
            line += numberField(value);
        }
        line += "\r\n";
        lines.push_back(std::move(line));
    }
    return writeDefinitionFile(DefinitionFile::Holidays, lines);
}

WriteResult WriteEraDefinitions() {
    if (!DefinitionFileWasReadWhole(DefinitionFile::Eras)) {
        return WriteResult::failed(EFBIG);
    }
    std::vector<std::string> lines;
    std::size_t n = recordsToWrite(EraDefCount, EraDefs.size());
    for (std::size_t k = 0; k < n; ++k) {
        const EraDef& def = EraDefs[k];
        std::optional<std::string> start = EncodeTextField(def.StartDate);
        std::optional<std::string> name = EncodeTextField(def.Name);
        if (!start || !name) {
            return recordFailure(EINVAL, k);
        }
        lines.push_back(*start + ',' + *name + "\r\n");
    }
    return writeDefinitionFile(DefinitionFile::Eras, lines);
}

FileStamp LoadedDefinitionStamp(DefinitionFile file) {
    return loadedStamps[indexOf(file)];
}

FileStamp CurrentDefinitionStamp(DefinitionFile file) {
    return CurrentFileStamp(PathFromUtf8(definitionPathToRead(file)), MaxDefinitionFileBytes);
}

bool DefinitionFileWasUtf8(DefinitionFile file) {
    return loadedAsUtf8[indexOf(file)];
}

bool DefinitionFileWasReadWhole(DefinitionFile file) {
    return loadedWhole[indexOf(file)];
}
