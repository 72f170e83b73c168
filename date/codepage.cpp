#include "date/codepage.h"

#include "date/codepage_converter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD"; // U+FFFD

// The longest piece handed to the system converter at once, and the piece after a failure. A
// converter that can only say "this piece failed" searches the whole piece for the failing
// character; starting small after each failure and doubling after each success keeps the work
// linear in the input even when failures are dense.
constexpr std::size_t MaxPiece = 4096;
constexpr std::size_t PieceAfterFailure = 16;

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Length of the code page 932 character at `pos` by its shape alone (1 or 2), or 0 for a byte
// that starts no character: 0x80, 0xA0, 0xFD to 0xFF, and a lead byte without its trail byte.
// These are refused here, before any system converter sees them, so that every system reports
// the same bytes as invalid.
std::size_t characterLength(std::string_view bytes, std::size_t pos) {
    const auto c = static_cast<unsigned char>(bytes[pos]);
    if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) {
        return 1;
    }
    if (IsCp932LeadByte(c) && pos + 1 < bytes.size() &&
        isTrailByte(static_cast<unsigned char>(bytes[pos + 1]))) {
        return 2;
    }
    return 0;
}

// Keeps ASCII and marks everything else as unreadable, for a system without a converter.
std::string asciiOnly(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80) {
            out.push_back(c);
        } else {
            out += Replacement;
        }
    }
    return out;
}

// Characters that code page 932 holds under another code point than the JIS tables give them,
// with the code point it holds them under: the JIS form (what input methods on most systems
// give) and the code page's own form are one character of the file.
struct CodePage932Kin {
    std::string_view jis;      // UTF-8
    std::string_view codePage; // UTF-8
};
constexpr std::array<CodePage932Kin, 7> Kin = {{
    {"\u301C", "\uFF5E"}, // wave dash, fullwidth tilde: 0x8160
    {"\u2212", "\uFF0D"}, // minus sign, fullwidth hyphen-minus: 0x817C
    {"\u2016", "\u2225"}, // double vertical line, parallel to: 0x8161
    {"\u00A2", "\uFFE0"}, // cent sign: 0x8191
    {"\u00A3", "\uFFE1"}, // pound sign: 0x8192
    {"\u00AC", "\uFFE2"}, // not sign: 0x81CA
    {"\u2014", "\u2015"}, // em dash, horizontal bar: 0x815C
}};

// `text` with every JIS form of Kin replaced by the code page's own form.
std::string withCodePageForms(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto kin = std::find_if(Kin.begin(), Kin.end(), [&](const CodePage932Kin& k) {
            return text.substr(pos, k.jis.size()) == k.jis;
        });
        if (kin != Kin.end()) {
            out += kin->codePage;
            pos += kin->jis.size();
        } else {
            out.push_back(text[pos]);
            ++pos;
        }
    }
    return out;
}

} // namespace

bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::string Cp932ToUtf8(std::string_view bytes) {
    // Code page 932 agrees with ASCII below 0x80 (0x5C is the backslash, 0x7E the tilde).
    if (isAscii(bytes)) {
        return std::string(bytes);
    }
    Cp932Converter converter(Cp932Converter::Direction::ToUtf8);
    if (!converter.valid()) {
        return asciiOnly(bytes);
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    std::size_t pos = 0;
    std::size_t pieceLimit = MaxPiece;
    while (pos < bytes.size()) {
        // The longest piece of well-shaped characters from here, up to pieceLimit bytes.
        std::size_t end = pos;
        while (end < bytes.size() && end - pos < pieceLimit) {
            const std::size_t length = characterLength(bytes, end);
            if (length == 0) {
                break;
            }
            end += length;
        }
        if (end > pos) {
            const std::size_t consumed = converter.convert(bytes.substr(pos, end - pos), out);
            pos += consumed;
            if (pos == end) {
                pieceLimit = std::min(MaxPiece, pieceLimit * 2);
                continue;
            }
        }
        pieceLimit = PieceAfterFailure;
        // A byte that starts no character, or a character without a mapping: one replacement
        // character for its first byte; reading goes on with the next byte.
        out += Replacement;
        ++pos;
    }
    return out;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    if (isAscii(utf8)) {
        return std::string(utf8);
    }
    // Every system's converter is handed the code page's own forms, so that all of them write the
    // same bytes for the JIS forms (some map them one way only, some not at all).
    const std::string text = withCodePageForms(utf8);
    Cp932Converter converter(Cp932Converter::Direction::FromUtf8);
    if (!converter.valid()) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(text.size());
    if (converter.convert(text, out) != text.size()) {
        return std::nullopt;
    }
    // Only a form that reads back as the same text counts: a converter may map a character to
    // a look-alike (the yen sign to the backslash), which would change the text behind the
    // user's back.
    if (Cp932ToUtf8(out) != text) {
        return std::nullopt;
    }
    return out;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto c = static_cast<unsigned char>(text[pos]);
        std::size_t length = 0;
        std::uint32_t minimum = 0;
        std::uint32_t code = 0;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++pos;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            minimum = 0x80;
            code = c & 0x1FU;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            minimum = 0x800;
            code = c & 0x0FU;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            minimum = 0x10000;
            code = c & 0x07U;
        }
        bool valid = length > 0 && pos + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[pos + k]);
            valid = (next & 0xC0U) == 0x80U;
            code = (code << 6U) | (next & 0x3FU);
        }
        // Overlong forms, surrogates and code points above U+10FFFF are not UTF-8.
        valid = valid && code >= minimum && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (valid) {
            out.append(text.substr(pos, length));
            pos += length;
        } else {
            out += Replacement;
            ++pos;
        }
    }
    return out;
}
