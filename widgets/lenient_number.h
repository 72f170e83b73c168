#pragma once

// The lenient reading of numbers typed into entry boxes.

#include <QStringView>
#include <cstdint>

// The number at the start of `text`: leading blanks skipped, then an optional sign, digits and an
// optional decimal point with more digits ("12abc" → 12, "-3.7" → −3.7, ".5" → 0.5). 0 when the
// text does not start with a number. A number beyond the range of double gives ±infinity.
double LeadingNumber(QStringView text);

// The whole number nearest to `value`, halves to the even neighbour (2.5 → 2, 3.5 → 4,
// −2.5 → −2). Saturates at the limits of 32 bits instead of overflowing.
std::int32_t RoundHalfEven(double value);

// RoundHalfEven(LeadingNumber(text)).
std::int32_t LeadingWholeNumber(QStringView text);

// The text of a number as the boxes show it: whole numbers without a decimal point ("12"),
// others in their shortest form ("2.5").
QString NumberText(double value);
