#include "date/eras.h"

#include "date/calendar_math.h"
#include "date/definitions.h"
#include "date/serial.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

std::string EraName;
std::string EraYearText;

namespace {

// The numeric value of a start date that is all digits (at least four, so that it has a year),
// or -1. Start dates that are empty or not numeric never put their era in force.
std::int64_t startDateValue(const std::string& startDate) {
    std::size_t n = startDate.size();
    if (n < 4 || n > 18) {
        return -1;
    }
    std::int64_t value = 0;
    for (char c : startDate) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string_view lastFour(std::string_view text) {
    return text.size() > 4 ? text.substr(text.size() - 4) : text;
}

} // namespace

void St_Era(std::string_view date) {
    EraName.clear();
    EraYearText.clear();
    std::int64_t value = calendar_math::leadingNumber(date);
    auto count = static_cast<std::size_t>(std::max<std::int16_t>(EraDefCount, 0));
    for (std::size_t i = std::min(count, EraDefs.size()); i-- > 0;) {
        const EraDef& era = EraDefs[i];
        std::int64_t start = startDateValue(era.StartDate);
        if (start < 0 || value < start) {
            continue;
        }
        // Era years follow calendar years: 1 in the start year, one more each 1 January.
        std::int64_t inputYear = calendar_math::leadingNumber(date.substr(0, 4));
        std::int64_t startYear =
            calendar_math::leadingNumber(std::string_view(era.StartDate).substr(0, 4));
        EraName = era.Name;
        calendar_math::appendPadded(EraYearText, inputYear - startYear + 1, 1);
        EraYearText += lastFour(date);
        return;
    }
}

std::string EraLabel(const std::string& eraName, const std::string& eraYearText) {
    if (eraName.empty()) {
        return {};
    }
    std::string_view digits(eraYearText);
    digits = digits.size() > 4 ? digits.substr(0, digits.size() - 4) : std::string_view();
    std::int64_t n = calendar_math::leadingNumber(digits);
    if (n == 1) {
        return eraName + "元";
    }
    if (n < 100) {
        // Right-aligned in two positions: a one-digit year gets one leading space.
        std::string padded = "  ";
        padded += digits;
        return eraName + padded.substr(padded.size() - 2);
    }
    return eraName + std::string(digits);
}

std::string MonthEraLabel(std::int16_t year, std::int16_t month) {
    St_Era(MakeDateText(year, month, 99));
    const std::string label = EraLabel(EraName, EraYearText);
    return label.empty() ? label : label + "年";
}

std::string EraDateText(std::string_view date) {
    St_Era(date);
    if (EraName.empty() || date.size() < 4) {
        return {};
    }
    const std::string eraYear = EraYearText.substr(0, EraYearText.size() - 4);
    const std::int64_t month = calendar_math::leadingNumber(date.substr(date.size() - 4, 2));
    const std::int64_t day = calendar_math::leadingNumber(date.substr(date.size() - 2));
    return EraName + (eraYear == "1" ? std::string("元") : eraYear) + "年" + std::to_string(month) +
           "月" + std::to_string(day) + "日";
}
