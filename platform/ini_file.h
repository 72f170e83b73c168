#pragma once

// Initialization files (the calendar's settings file): sections in [brackets], one "key=value"
// line per setting, read and written with the rules of the Windows profile functions
// GetPrivateProfileIntA, GetPrivateProfileStringA and WritePrivateProfileStringA. The file is
// code page 932 on disk; this interface speaks UTF-8 / QString.
//
// Reading rules:
// - Lines are split at LF (a CR before it is dropped). Leading and trailing blanks of a line are
//   ignored. A line starting with "[" opens a section named by the text up to the first "]"
//   (blanks around the name ignored); any other line with "=" is a key (the text before the first
//   "=", blanks trimmed) and its value (the text after it, blanks trimmed). A line without "=" is
//   a key without value, which reads as absent.
// - Section and key names compare case-insensitively. The first section of a name is searched,
//   and the first key of a name within it.
// - A value enclosed in a matching pair of double or single quotes loses the quotes.

#include "date/write_result.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// GetPrivateProfileIntA over the file's bytes: `defaultValue` when the key is absent or its value
// is empty; otherwise the number at the start of the value (blanks skipped, an optional sign, then
// decimal digits, wrapping modulo 2^32 as the system's conversion does), 0 when the value does
// not start with one. Like the system, only the first 29 characters of the value are looked at.
std::int32_t IniReadInt(std::string_view fileBytes, const QString& section, const QString& key,
                        std::int32_t defaultValue);

// GetPrivateProfileStringA over the file's bytes into a buffer of `bufferSize` bytes: the value,
// or `defaultValue` (without its trailing spaces) when the key is absent, cut to at most
// bufferSize − 1 bytes of code page 932 without splitting a character. bufferSize < 1 gives "".
QString IniReadString(std::string_view fileBytes, const QString& section, const QString& key,
                      const QString& defaultValue, int bufferSize);

// WritePrivateProfileStringA over the file's bytes: returns the new file contents. The key's line
// is replaced by "key=value" (the key spelled as in the file); an absent key is added after the
// last line of its section; an absent section is added at the end with the key. Every other byte
// of the file stays as it was; new lines end with CR LF. nullopt when the section, key or value
// has no code page 932 form, or when the section or key is empty or contains a character that
// would break the line structure (line breaks, "]" in a section, "=" in a key).
std::optional<std::string> IniWriteString(std::string_view fileBytes, const QString& section,
                                          const QString& key, const QString& value);

// Why a settings file that exists is not read.
enum class IniRefusal {
    None,        // read, or absent
    TooLarge,    // larger than a settings file can be (MaxIniFileBytes)
    NotReadable, // no permission, a folder or a device in its place, a read error
};

// The largest settings file that is read; a write that would make the file larger is refused.
inline constexpr std::size_t MaxIniFileBytes = std::size_t{1024} * 1024;

// The profile functions over files.
class IniFileService {
public:
    virtual ~IniFileService() = default;
    // Whether the file at `path` is refused by the readers below (which then read it as empty).
    [[nodiscard]] virtual IniRefusal refusal(const QString& path) const = 0;
    // GetPrivateProfileIntA: a missing or unreadable file reads like an empty one.
    [[nodiscard]] virtual std::int32_t readInt(const QString& path, const QString& section,
                                               const QString& key,
                                               std::int32_t defaultValue) const = 0;
    // GetPrivateProfileStringA with a buffer of `bufferSize` bytes.
    [[nodiscard]] virtual QString readString(const QString& path, const QString& section,
                                             const QString& key, const QString& defaultValue,
                                             int bufferSize) const = 0;
    // WritePrivateProfileStringA: creates the file, the section and the key as needed. Fails
    // when the file could not be written (the file is then left as it was; the failure names it),
    // when it would grow past MaxIniFileBytes (EFBIG), or the text has no code page 932 form
    // (EILSEQ, no path); the caller reports the failure.
    [[nodiscard]] virtual WriteResult writeString(const QString& path, const QString& section,
                                                  const QString& key, const QString& value) = 0;
};

// The real files. Only a regular file of at most MaxIniFileBytes is read (anything else reads like
// an absent file and is never replaced). The file is replaced as a whole through ReplaceFileSafely,
// so a failed write (a full disk, a read-only file) leaves the old file exactly as it was.
class IniFiles final : public IniFileService {
public:
    [[nodiscard]] IniRefusal refusal(const QString& path) const override;
    [[nodiscard]] std::int32_t readInt(const QString& path, const QString& section,
                                       const QString& key,
                                       std::int32_t defaultValue) const override;
    [[nodiscard]] QString readString(const QString& path, const QString& section,
                                     const QString& key, const QString& defaultValue,
                                     int bufferSize) const override;
    [[nodiscard]] WriteResult writeString(const QString& path, const QString& section,
                                          const QString& key, const QString& value) override;
};
