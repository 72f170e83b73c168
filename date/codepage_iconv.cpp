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
    // A byte of either side becomes at most 3 bytes of the other (a single-byte katakana becomes
    // three UTF-8 bytes), so one reservation suffices and the output never moves.
    const std::size_t start = out.size();
    out.resize(start + input.size() * 3 + 4);
    char* in = const_cast<char*>(input.data()); // iconv does not write through it
    std::size_t inLeft = input.size();
    char* outPtr = out.data() + start;
    std::size_t outLeft = out.size() - start;
    while (inLeft > 0) {
        const std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        if (r != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno != EINTR) {
            break; // EILSEQ or EINVAL: `in` points at the sequence without a mapping
        }
    }
    out.resize(out.size() - outLeft);
    return input.size() - inLeft;
}
