#pragma once

// The system's converter between code page 932 and UTF-8, one implementation per system (iconv,
// or Windows' own code page 932 tables), chosen by the build. The rules that must come out the
// same on every system (which bytes are invalid, what replaces them, which characters round-trip)
// live in codepage.cpp; a converter only maps text it is given.

#include <cstddef>
#include <string>
#include <string_view>

class Cp932Converter {
public:
    enum class Direction { ToUtf8, FromUtf8 };

    explicit Cp932Converter(Direction direction);
    ~Cp932Converter();
    Cp932Converter(const Cp932Converter&) = delete;
    Cp932Converter& operator=(const Cp932Converter&) = delete;

    // False when the system has no such converter.
    [[nodiscard]] bool valid() const;

    // Converts `input` from its start and appends the result to `out`. Stops at the first
    // sequence that has no mapping (or is cut off by the end of `input`) and returns the number
    // of input bytes consumed up to there; input.size() when everything was converted. Whatever
    // was appended for the consumed part stays in `out`.
    std::size_t convert(std::string_view input, std::string& out);

private:
    [[maybe_unused]] Direction direction_; // used by the converters that need it
    void* state_ = nullptr;                // the system's conversion handle, when it has one
};
