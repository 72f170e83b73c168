#include "date/definitions.h"

#include "date/codepage.h"
#include "date/definitions_internal.h"
#include "date/holidays.h"
#include "date/host.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
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

std::filesystem::path definitionPathToRead(const char* fileName) {
    return CurrentEngineHost().definitionFileToRead(fileName);
}

std::filesystem::path definitionPathToWrite(const char* fileName) {
    return CurrentEngineHost().definitionFileToWrite(fileName);
}

// The whole file as UTF-8. A missing file, and one that exists but cannot be read (no
// permission, a folder of that name, a device error), are reported and end the program, so that
// no program runs on, or lets an editor save, a table that silently lost the file's contents.
std::string readDefinitionFile(const char* fileName) {
    EngineHost& host = CurrentEngineHost();
    std::filesystem::path path = definitionPathToRead(fileName);
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status) || std::filesystem::is_directory(status)) {
        host.showError(std::string(fileName) + "ファイルが見つかりません。");
        host.endProgram();
    }
    std::string bytes;
    bool readable = false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        char buffer[65536];
        while (true) {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                readable = n == 0;
                break;
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(fd);
    }
    if (!readable) {
        host.showError(std::string(fileName) + "ファイルを読み込めません。");
        host.endProgram();
    }
    return Cp932ToUtf8(bytes);
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

// Writes `bytes` to `path` through a temporary file in the same folder that is flushed to the
// disk and then renamed over the old file, so that a failure at any point leaves the old file
// whole. Returns 0 or the error number.
int replaceFile(const std::filesystem::path& path, const std::string& bytes) {
    std::string target = path.string();
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return errno;
        }
    }
    if (fd < 0) {
        return EEXIST;
    }
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return error;
    };
    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0) {
        return fail(errno);
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(errno);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        return fail(errno);
    }
    if (::close(fd) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        return error;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        return error;
    }
    // Make the rename itself durable; the new file is in place even if this fails.
    std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return 0;
}

// Converts the lines to code page 932 and replaces the file.
int writeDefinitionFile(const char* fileName, const std::string& utf8) {
    std::optional<std::string> bytes = Utf8ToCp932(utf8);
    if (!bytes) {
        return EILSEQ;
    }
    return replaceFile(definitionPathToWrite(fileName), *bytes);
}

std::size_t recordsToWrite(std::int16_t count, std::size_t available) {
    return count <= 0 ? 0 : std::min(static_cast<std::size_t>(count), available);
}

} // namespace

std::optional<std::string> FieldStream::next() {
    if (atEnd()) {
        return std::nullopt;
    }
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
        std::string text = readDefinitionFile(HolidayFileName);
        FieldStream stream(text);
        // Records past the 32767th do not fit the 16-bit count and are ignored.
        while (!stream.atEnd() && i < MaxDefinitionRecords) {
            ++i;
            makeRoom(table, i, capacity);
            HolidayDef& def = table[static_cast<std::size_t>(i - 1)];
            readText(stream, def.Name);
            readNumber(stream, def.Kind);
            readNumber(stream, def.Month);
            readNumber(stream, def.Day);
            readNumber(stream, def.Week);
            readNumber(stream, def.Weekday);
            readNumber(stream, def.FromYear);
            readNumber(stream, def.ToYear);
        }
        table.resize(static_cast<std::size_t>(i));
        table.shrink_to_fit();
        lastHolidayCapacity = capacity;
        HolidayDefs = std::move(table);
        HolidayDefCount = static_cast<std::int16_t>(i);
        // The cached year was computed from the old definitions.
        CachedYear = 0;
        YearHolidays.clear();
        YearHolidayCount = 0;
    }
    // Eras.
    {
        std::vector<EraDef> table(EraInitialCapacity);
        std::int32_t capacity = EraInitialCapacity;
        std::int32_t i = 0;
        std::string text = readDefinitionFile(EraFileName);
        FieldStream stream(text);
        while (!stream.atEnd() && i < MaxDefinitionRecords) {
            ++i;
            makeRoom(table, i, capacity);
            EraDef& def = table[static_cast<std::size_t>(i - 1)];
            readText(stream, def.StartDate);
            readText(stream, def.Name);
            def.StartDate = formatStartDate(def.StartDate);
        }
        table.resize(static_cast<std::size_t>(i));
        table.shrink_to_fit();
        lastEraCapacity = capacity;
        EraDefs = std::move(table);
        EraDefCount = static_cast<std::int16_t>(i);
    }
    CachedYear = 0;
}

int WriteHolidayDefinitions() {
    std::string lines;
    std::size_t n = recordsToWrite(HolidayDefCount, HolidayDefs.size());
    for (std::size_t k = 0; k < n; ++k) {
        const HolidayDef& def = HolidayDefs[k];
        std::optional<std::string> name = EncodeTextField(def.Name);
        if (!name) {
            return EINVAL;
        }
        lines += *name;
        for (std::int16_t value :
             {def.Kind, def.Month, def.Day, def.Week, def.Weekday, def.FromYear, def.ToYear}) {
            lines += ',';
            lines += numberField(value);
        }
        lines += "\r\n";
    }
    return writeDefinitionFile(HolidayFileName, lines);
}

int WriteEraDefinitions() {
    std::string lines;
    std::size_t n = recordsToWrite(EraDefCount, EraDefs.size());
    for (std::size_t k = 0; k < n; ++k) {
        const EraDef& def = EraDefs[k];
        std::optional<std::string> start = EncodeTextField(def.StartDate);
        std::optional<std::string> name = EncodeTextField(def.Name);
        if (!start || !name) {
            return EINVAL;
        }
        lines += *start;
        lines += ',';
        lines += *name;
        lines += "\r\n";
    }
    return writeDefinitionFile(EraFileName, lines);
}
