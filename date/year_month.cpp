#include "date/year_month.h"

YearMonth StepMonths(YearMonth from, std::int32_t months) {
    // Months counted from January of the year 1, so that the carry is one division.
    const std::int64_t index = std::int64_t{from.year - 1} * 12 + (from.month - 1) + months;
    const std::int64_t last = std::int64_t{LastYearMonth.year - 1} * 12 + (LastYearMonth.month - 1);
    if (index < 0 || index > last) {
        return from;
    }
    return {static_cast<std::int32_t>(index / 12 + 1), static_cast<std::int32_t>(index % 12 + 1)};
}
