#pragma once

// Conversion between the files' code page 932 (Shift_JIS as on Japanese Windows) and UTF-8,
// through the system's converter.

#include <optional>
#include <string>
#include <string_view>

// Code page 932 bytes to UTF-8. Bytes that are not valid code page 932 become U+FFFD.
std::string Cp932ToUtf8(std::string_view bytes);

// UTF-8 text to code page 932 bytes; nullopt when a character has no code page 932 form (or the
// input is not valid UTF-8).
std::optional<std::string> Utf8ToCp932(std::string_view text);

// UTF-8 text with every byte that does not belong to a valid UTF-8 sequence replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);
