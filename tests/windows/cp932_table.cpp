// Writes the engine's code page 932 conversion of every single byte and every two-byte sequence
// with a high first byte, one line each, to the file named by the first argument:
//   <bytes in hex> <UTF-8 in hex> <the UTF-8 converted back, in hex, or "-" when it has no form>
// The Windows round compares the table written on Windows with the one written on Linux.

#include "date/codepage.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace {

std::string hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.push_back(digits[b >> 4]);
        text.push_back(digits[b & 0xF]);
    }
    return text.empty() ? "-" : text;
}

void writeLine(std::ofstream& out, const std::string& bytes) {
    const std::string utf8 = Cp932ToUtf8(bytes);
    const std::optional<std::string> back = Utf8ToCp932(utf8);
    out << hex(bytes) << ' ' << hex(utf8) << ' ' << (back ? hex(*back) : "-") << '\n';
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: cp932_table OUTPUT\n", stderr);
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    for (int first = 0; first < 0x100; ++first) {
        writeLine(out, std::string(1, static_cast<char>(first)));
    }
    for (int first = 0x80; first < 0x100; ++first) {
        for (int second = 0; second < 0x100; ++second) {
            writeLine(out, std::string{static_cast<char>(first), static_cast<char>(second)});
        }
    }
    out.close();
    return out ? 0 : 1;
}
