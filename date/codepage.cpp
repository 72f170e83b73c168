#include "date/codepage.h"

#include <cerrno>
#include <iconv.h>
#include <optional>
#include <string>
#include <string_view>

namespace {

// An iconv conversion descriptor that closes itself.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // iconv_open reports failure as (iconv_t)-1.
    [[nodiscard]] bool valid() const {
        return cd_ != reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr)
    }

    // Converts `input`; on an invalid or incomplete sequence calls onInvalid(out) and skips one
    // input byte when it returns true, or stops with nullopt when it returns false.
    template <typename OnInvalid>
    std::optional<std::string> run(std::string_view input, OnInvalid onInvalid) {
        std::string out;
        out.resize(input.size() * 2 + 16);
        char* in = const_cast<char*>(input.data()); // iconv does not write through it
        std::size_t inLeft = input.size();
        std::size_t used = 0;
        while (inLeft > 0) {
            char* outPtr = out.data() + used;
            std::size_t outLeft = out.size() - used;
            std::size_t r = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            used = out.size() - outLeft;
            if (r != static_cast<std::size_t>(-1)) {
                break;
            }
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            // EILSEQ or EINVAL (a sequence cut off by the end of the input).
            out.resize(used);
            if (!onInvalid(out)) {
                return std::nullopt;
            }
            used = out.size();
            out.resize(used + inLeft * 2 + 16);
            ++in;
            --inLeft;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        }
        out.resize(used);
        return out;
    }

private:
    iconv_t cd_;
};

bool isAscii(std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string Cp932ToUtf8(std::string_view bytes) {
    // Code page 932 agrees with ASCII below 0x80 (0x5C is the backslash, 0x7E the tilde).
    if (isAscii(bytes)) {
        return std::string(bytes);
    }
    Converter converter("UTF-8", "CP932");
    if (!converter.valid()) {
        // No converter on this system: keep ASCII and mark everything else as unreadable.
        std::string out;
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) < 0x80) {
                out.push_back(c);
            } else {
                out += "\xEF\xBF\xBD";
            }
        }
        return out;
    }
    auto result = converter.run(bytes, [](std::string& out) {
        out += "\xEF\xBF\xBD"; // U+FFFD
        return true;
    });
    return result ? *result : std::string();
}

std::optional<std::string> Utf8ToCp932(std::string_view text) {
    if (isAscii(text)) {
        return std::string(text);
    }
    Converter converter("CP932", "UTF-8");
    if (!converter.valid()) {
        return std::nullopt;
    }
    return converter.run(text, [](std::string&) { return false; });
}
