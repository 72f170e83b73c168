#include "platform/ini_file.h"

#include "date/codepage.h"
#include "date/file_read.h"
#include "platform/file_replace.h"

#include <cerrno>
#include <vector>

namespace {

// Blanks as the profile functions skip them (a trail byte is never one of these).
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Position of the first single-byte `c` in `s` at or after `from`, walking whole characters so
// that a trail byte never matches.
std::size_t findChar(std::string_view s, char c, std::size_t from = 0) {
    for (std::size_t i = from; i < s.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(s[i]))) {
            ++i;
            continue;
        }
        if (s[i] == c) {
            return i;
        }
    }
    return std::string_view::npos;
}

// `s` cut to at most `maxBytes` bytes, never between the two bytes of a character.
std::string_view cutBytes(std::string_view s, std::size_t maxBytes) {
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t width =
            IsCp932LeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
        if (i + width > maxBytes) {
            break;
        }
        i += width;
    }
    return s.substr(0, i);
}

QString decode(std::string_view bytes) {
    return QString::fromStdString(Cp932ToUtf8(bytes));
}

std::optional<std::string> encode(const QString& text) {
    return Utf8ToCp932(text.toStdString());
}

bool sameName(std::string_view fileName, const QString& wanted) {
    return decode(fileName).compare(wanted, Qt::CaseInsensitive) == 0;
}

struct Line {
    enum class Kind { Blank, Section, Key };
    Kind kind = Kind::Blank;
    std::size_t begin = 0; // first byte of the line in the file
    std::size_t end = 0;   // one past its last byte, without CR LF
    std::size_t next = 0;  // first byte of the next line
    bool terminated = false;
    std::string_view name;   // section or key name, trimmed
    std::size_t nameEnd = 0; // offset in the file just past the key name
    bool hasValue = false;   // the key line has "="
    std::string_view value;  // trimmed value
};

std::vector<Line> splitLines(std::string_view file) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < file.size()) {
        Line line;
        line.begin = pos;
        const std::size_t lf = file.find('\n', pos);
        line.terminated = lf != std::string_view::npos;
        line.next = line.terminated ? lf + 1 : file.size();
        line.end = line.terminated ? lf : file.size();
        if (line.end > line.begin && file[line.end - 1] == '\r') {
            --line.end;
        }
        const std::string_view raw = file.substr(line.begin, line.end - line.begin);
        const std::string_view text = trimmed(raw);
        if (!text.empty()) {
            const std::size_t textStart =
                line.begin + static_cast<std::size_t>(text.data() - raw.data());
            std::size_t close = std::string_view::npos;
            if (text.front() == '[') {
                close = findChar(text, ']', 1);
            }
            if (close != std::string_view::npos) {
                line.kind = Line::Kind::Section;
                line.name = trimmed(text.substr(1, close - 1));
            } else {
                line.kind = Line::Kind::Key;
                const std::size_t eq = findChar(text, '=');
                line.hasValue = eq != std::string_view::npos;
                const std::string_view keyPart = line.hasValue ? text.substr(0, eq) : text;
                line.name = trimmed(keyPart);
                line.nameEnd = textStart + line.name.size();
                if (line.hasValue) {
                    line.value = trimmed(text.substr(eq + 1));
                }
            }
        }
        lines.push_back(line);
        pos = line.next;
    }
    return lines;
}

struct Location {
    std::optional<std::size_t> sectionLine; // index of the section's header line
    std::optional<std::size_t> keyLine;     // index of the key's line within that section
    std::size_t lastContentLine = 0;        // last non-blank line of the section (or its header)
};

Location locate(const std::vector<Line>& lines, const QString& section, const QString& key) {
    Location where;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (!where.sectionLine) {
            if (line.kind == Line::Kind::Section && sameName(line.name, section)) {
                where.sectionLine = i;
                where.lastContentLine = i;
            }
            continue;
        }
        if (line.kind == Line::Kind::Section) {
            break;
        }
        if (line.kind == Line::Kind::Key) {
            where.lastContentLine = i;
            if (!where.keyLine && sameName(line.name, key)) {
                where.keyLine = i;
            }
        }
    }
    return where;
}

// The value bytes of a key, quotes removed; nullopt when the key is absent or has no "=".
std::optional<std::string_view> findValue(std::string_view file, const QString& section,
                                          const QString& key) {
    const std::vector<Line> lines = splitLines(file);
    const Location where = locate(lines, section.trimmed(), key.trimmed());
    if (!where.keyLine || !lines[*where.keyLine].hasValue) {
        return std::nullopt;
    }
    std::string_view value = lines[*where.keyLine].value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::filesystem::path filePath(const QString& path) {
    return {path.toStdU16String()};
}

// Only a regular file is read: a pipe or a device in the file's place reads like no file,
// at once.
FileReadResult readFile(const QString& path) {
    return ReadWholeFile(filePath(path), MaxIniFileBytes);
}

} // namespace

std::int32_t IniReadInt(std::string_view fileBytes, const QString& section, const QString& key,
                        std::int32_t defaultValue) {
    const std::optional<std::string_view> value = findValue(fileBytes, section, key);
    if (!value || value->empty()) {
        return defaultValue;
    }
    // The system reads the value into a buffer of 30 characters before converting it.
    const QString text = decode(*value).left(29);
    qsizetype i = 0;
    while (i < text.size() && text[i].unicode() <= ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::uint32_t number = 0; // wraps like the system's conversion
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        number = number * 10U + static_cast<std::uint32_t>(text[i].unicode() - u'0');
        ++i;
    }
    if (negative) {
        number = 0U - number;
    }
    return static_cast<std::int32_t>(number);
}

QString IniReadString(std::string_view fileBytes, const QString& section, const QString& key,
                      const QString& defaultValue, int bufferSize) {
    if (bufferSize < 1) {
        return {};
    }
    const auto maxBytes = static_cast<std::size_t>(bufferSize - 1);
    if (const std::optional<std::string_view> value = findValue(fileBytes, section, key)) {
        return decode(cutBytes(*value, maxBytes));
    }
    QString fallback = defaultValue;
    while (fallback.endsWith(u' ')) {
        fallback.chop(1);
    }
    if (const std::optional<std::string> bytes = encode(fallback)) {
        return decode(cutBytes(*bytes, maxBytes));
    }
    return fallback.left(bufferSize - 1);
}

std::optional<std::string> IniWriteString(std::string_view fileBytes, const QString& section,
                                          const QString& key, const QString& value) {
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    auto breaksLines = [](const QString& s) {
        return s.contains(u'\n') || s.contains(u'\r') || s.contains(QChar(0));
    };
    if (sectionName.isEmpty() || keyName.isEmpty() || breaksLines(sectionName) ||
        breaksLines(keyName) || breaksLines(value) || sectionName.contains(u']') ||
        keyName.contains(u'=') || keyName.startsWith(u'[')) {
        return std::nullopt;
    }
    const std::optional<std::string> sectionBytes = encode(sectionName);
    const std::optional<std::string> keyBytes = encode(keyName);
    const std::optional<std::string> valueBytes = encode(value);
    if (!sectionBytes || !keyBytes || !valueBytes) {
        return std::nullopt;
    }

    const std::vector<Line> lines = splitLines(fileBytes);
    const Location where = locate(lines, sectionName, keyName);
    std::string out;
    out.reserve(fileBytes.size() + sectionBytes->size() + keyBytes->size() + valueBytes->size() +
                8);
    if (!where.sectionLine) {
        out.append(fileBytes);
        if (!out.empty() && out.back() != '\n') {
            out.append("\r\n");
        }
        out.append("[").append(*sectionBytes).append("]\r\n");
        out.append(*keyBytes).append("=").append(*valueBytes).append("\r\n");
        return out;
    }
    if (where.keyLine) {
        // The key keeps its place, its indentation and its spelling; only its value changes.
        const Line& line = lines[*where.keyLine];
        out.append(fileBytes.substr(0, line.nameEnd));
        out.append("=").append(*valueBytes);
        out.append(fileBytes.substr(line.end));
        return out;
    }
    const Line& last = lines[where.lastContentLine];
    out.append(fileBytes.substr(0, last.next));
    if (!last.terminated) {
        out.append("\r\n");
    }
    out.append(*keyBytes).append("=").append(*valueBytes).append("\r\n");
    out.append(fileBytes.substr(last.next));
    return out;
}

std::int32_t IniFiles::readInt(const QString& path, const QString& section, const QString& key,
                               std::int32_t defaultValue) const {
    return IniReadInt(readFile(path).bytes, section, key, defaultValue);
}

QString IniFiles::readString(const QString& path, const QString& section, const QString& key,
                             const QString& defaultValue, int bufferSize) const {
    return IniReadString(readFile(path).bytes, section, key, defaultValue, bufferSize);
}

WriteResult IniFiles::writeString(const QString& path, const QString& section, const QString& key,
                                  const QString& value) {
    const FileReadResult old = readFile(path);
    if (old.status != FileReadStatus::Read && old.status != FileReadStatus::Missing) {
        // Never replace a file that could not be read.
        return FailedWrite(filePath(path), old.status == FileReadStatus::TooLarge ? EFBIG : EACCES);
    }
    const std::optional<std::string> updated = IniWriteString(old.bytes, section, key, value);
    if (!updated) {
        return WriteResult::failed(EILSEQ);
    }
    if (old.status == FileReadStatus::Read && old.bytes == *updated) {
        return {};
    }
    // A file the readers would refuse is never written: every setting in it would be lost.
    if (updated->size() > MaxIniFileBytes) {
        return FailedWrite(filePath(path), EFBIG);
    }
    return ReplaceFileSafely(filePath(path), *updated);
}

IniRefusal IniFiles::refusal(const QString& path) const {
    switch (readFile(path).status) {
    case FileReadStatus::TooLarge:
        return IniRefusal::TooLarge;
    case FileReadStatus::NotReadable:
        return IniRefusal::NotReadable;
    case FileReadStatus::Read:
    case FileReadStatus::Missing:
        break;
    }
    return IniRefusal::None;
}
