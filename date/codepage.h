#pragma once

// Conversion between the files' code page 932 (Shift_JIS as on Japanese Windows) and UTF-8,
// through the system's converter.

#include <optional>
#include <string>
#include <string_view>

// Code page 932 bytes to UTF-8. Bytes that are not valid code page 932 become U+FFFD.
std::string Cp932ToUtf8(std::string_view bytes);

// UTF-8 text to code page 932 bytes; nullopt when a character has no code page 932 form (or the
// input is not valid UTF-8). The JIS forms of the characters that the code page holds under
// another code point (U+301C wave dash, U+2212 minus, U+2016 double vertical line, U+00A2 cent,
// U+00A3 pound, U+00AC not sign, U+2014 em dash) are written as the code page's own characters
// (U+FF5E, U+FF0D, U+2225, U+FFE0, U+FFE1, U+FFE2, U+2015), which is what reading gives back.
std::optional<std::string> Utf8ToCp932(std::string_view text);

// Whether `c` is the first byte of a two-byte code page 932 character: 0x81..0x9F or 0xE0..0xFC.
bool IsCp932LeadByte(unsigned char c);

// UTF-8 text with every byte that does not belong to a valid UTF-8 sequence replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);
