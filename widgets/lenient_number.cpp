#include "widgets/lenient_number.h"

#include <QString>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

double LeadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::string number;
    bool wholeDigits = false;  // a digit before the point
    bool nonZeroWhole = false; // a digit other than 0 before the point
    bool anyDigit = false;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        nonZeroWhole = nonZeroWhole || text[i] != u'0';
        number += static_cast<char>(text[i].unicode());
        wholeDigits = anyDigit = true;
        ++i;
    }
    if (i < text.size() && text[i] == u'.') {
        number += '.';
        ++i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            number += static_cast<char>(text[i].unicode());
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit) {
        return 0.0;
    }
    if (!wholeDigits) {
        number.insert(number.begin(), '0');
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        value = nonZeroWhole ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::int32_t RoundHalfEven(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (value <= lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value >= highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
        result = floor + 1.0;
    }
    return static_cast<std::int32_t>(result);
}

std::int32_t LeadingWholeNumber(QStringView text) {
    return RoundHalfEven(LeadingNumber(text));
}

QString NumberText(double value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        return QString::number(static_cast<qint64>(value));
    }
    return QString::number(value, 'g', 15);
}
