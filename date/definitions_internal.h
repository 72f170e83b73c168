#pragma once

// Pieces of the definition-file reader and writer that the engine's tests and tools look at
// directly (not used by the programs).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The capacity each table reached during the last St_LoadDefinitions, before it was trimmed to
// its count (25 + 10·k for holidays, 255 + 10·k for eras).
std::int32_t LastHolidayTableCapacity();
std::int32_t LastEraTableCapacity();

// The largest definition file that is read: far above 32767 records of any sensible length.
inline constexpr std::uintmax_t MaxDefinitionFileBytes = 4U * 1024U * 1024U;

// Reads the definition files as a stream of fields: a field ends at a comma or a line end,
// leading spaces and tabs are skipped, a field that begins with a double quote runs to the next
// double quote. Works on text already converted to UTF-8.
class FieldStream {
public:
    explicit FieldStream(std::string_view text) : text_(text) {}

    // True when nothing is left; checked only before each record.
    [[nodiscard]] bool atEnd() const { return pos_ >= text_.size(); }

    // The line (1-based) on which the next field begins; CR LF, CR and LF each end a line.
    [[nodiscard]] std::int32_t line() const { return line_; }

    // The next field, or nullopt when the stream is already exhausted (a read past the end).
    std::optional<std::string> next();

private:
    std::string nextValue(); // the next field's value, with pos_ past its delimiter

    std::string_view text_;
    std::size_t pos_ = 0;
    std::int32_t line_ = 1;
};

// The lines (1-based, ascending) of `text` that hold U+FFFD, the character that reading puts in
// place of bytes that are no character of the file's encoding.
std::vector<std::int32_t> LinesWithUnreadableBytes(std::string_view text);

// A field's 16-bit decimal value: optional sign and digits, blanks around them allowed;
// nullopt for anything else or a value outside -32768..32767. The empty field is 0.
std::optional<std::int16_t> ParseInt16Field(std::string_view field);

// A text field as the writer puts it into a line: as it stands when the reader gives it back
// unchanged, otherwise between double quotes; nullopt when no form reads back unchanged (a
// double quote in a field that needs quoting).
std::optional<std::string> EncodeTextField(std::string_view text);
