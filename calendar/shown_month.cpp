#include "calendar/shown_month.h"

#include <algorithm>

void ShownMonth::set(YearMonth month) {
    month.year = std::clamp(month.year, FirstYearMonth.year, LastYearMonth.year);
    month.month = std::clamp(month.month, 1, 12);
    if (month == value_) {
        return;
    }
    value_ = month;
    emit changed();
}
