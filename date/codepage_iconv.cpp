// Code page 932 through iconv (glibc's "CP932", the Windows variant of Shift_JIS).

#include "date/codepage_converter.h"

#include <cerrno>
#include <iconv.h>

namespace {

// iconv_open reports failure as (iconv_t)-1.
const auto invalidHandle = reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr)

iconv_t handleOf(void* state) {
    return static_cast<iconv_t>(state);
}

} // namespace

Cp932Converter::Cp932Converter(Direction direction) : direction_(direction) {
    iconv_t cd = direction == Direction::ToUtf8 ? iconv_open("UTF-8", "CP932")
                                                : iconv_open("CP932", "UTF-8");
    state_ = cd == invalidHandle ? nullptr : cd;
}

Cp932Converter::~Cp932Converter() {
    if (state_ != nullptr) {
        iconv_close(handleOf(state_));
    }
}

bool Cp932Converter::valid() const {
    return state_ != nullptr;
}

std::size_t Cp932Converter::convert(std::string_view input, std::string& out) {
    if (state_ == nullptr) {
        return 0;
    }
    iconv_t cd = handleOf(state_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // the initial state
    // The output goes through a fixed buffer, so a call costs what it converts and nothing more
    // (a call that fails at its first byte must not touch kilobytes of output).
    char buffer[8192];
    char* in = const_cast<char*>(input.data()); // iconv does not write through it
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        out.append(buffer, sizeof buffer - outLeft);
        if (r != static_cast<std::size_t>(-1)) {
            break;
        }
        if (error != E2BIG && error != EINTR) {
            break; // EILSEQ or EINVAL: `in` points at the sequence without a mapping
        }
    }
    return input.size() - inLeft;
}
