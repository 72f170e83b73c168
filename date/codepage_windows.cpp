// Code page 932 through Windows' own conversion tables.

#include "date/codepage.h"
#include "date/codepage_converter.h"

#include <climits>
#include <windows.h>

namespace {

constexpr UINT CodePage932 = 932;

// `input` (code page `from`) to UTF-16; false when some sequence has no mapping.
bool toWide(UINT from, std::string_view input, std::wstring& wide) {
    if (input.empty()) {
        wide.clear();
        return true;
    }
    if (input.size() > static_cast<std::size_t>(INT_MAX / 2)) {
        return false;
    }
    const int inLength = static_cast<int>(input.size());
    wide.resize(input.size());
    const int n = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, input.data(), inLength,
                                      wide.data(), static_cast<int>(wide.size()));
    if (n <= 0) {
        return false;
    }
    wide.resize(static_cast<std::size_t>(n));
    return true;
}

// UTF-16 to code page `to`, appended to `out`; false when some character has no exact form.
bool fromWide(UINT to, const std::wstring& wide, std::string& out) {
    if (wide.empty()) {
        return true;
    }
    const int inLength = static_cast<int>(wide.size());
    const std::size_t start = out.size();
    out.resize(start + wide.size() * 3);
    BOOL usedDefault = FALSE;
    // The UTF-8 conversion takes no default character; code page 932 must not substitute one.
    const bool toUtf8 = to == CP_UTF8;
    const int n =
        WideCharToMultiByte(to, toUtf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, wide.data(),
                            inLength, out.data() + start, static_cast<int>(out.size() - start),
                            nullptr, toUtf8 ? nullptr : &usedDefault);
    if (n <= 0 || usedDefault != FALSE) {
        out.resize(start);
        return false;
    }
    out.resize(start + static_cast<std::size_t>(n));
    return true;
}

// Converts one whole piece, or nothing.
bool convertWhole(Cp932Converter::Direction direction, std::string_view input, std::string& out) {
    const bool toUtf8 = direction == Cp932Converter::Direction::ToUtf8;
    std::wstring wide;
    return toWide(toUtf8 ? CodePage932 : CP_UTF8, input, wide) &&
           fromWide(toUtf8 ? CP_UTF8 : CodePage932, wide, out);
}

// Length of the character at the start of `input`: code page 932 lead bytes and UTF-8 lead bytes
// announce their length; anything malformed counts as one byte (the conversion then refuses it).
std::size_t characterLength(Cp932Converter::Direction direction, std::string_view input) {
    const auto c = static_cast<unsigned char>(input.front());
    std::size_t length = 1;
    if (direction == Cp932Converter::Direction::ToUtf8) {
        length = IsCp932LeadByte(c) ? 2 : 1;
    } else if (c >= 0xF0) {
        length = 4;
    } else if (c >= 0xE0) {
        length = 3;
    } else if (c >= 0xC0) {
        length = 2;
    }
    return length <= input.size() ? length : input.size();
}

} // namespace

Cp932Converter::Cp932Converter(Direction direction) : direction_(direction) {}

Cp932Converter::~Cp932Converter() = default;

bool Cp932Converter::valid() const {
    return IsValidCodePage(CodePage932) != FALSE;
}

std::size_t Cp932Converter::convert(std::string_view input, std::string& out) {
    // The system converts a piece whole or not at all; when the whole piece fails, the
    // characters are taken one by one to find where the first one without a mapping lies.
    if (convertWhole(direction_, input, out)) {
        return input.size();
    }
    std::size_t done = 0;
    while (done < input.size()) {
        const std::size_t length = characterLength(direction_, input.substr(done));
        if (!convertWhole(direction_, input.substr(done, length), out)) {
            break;
        }
        done += length;
    }
    return done;
}
