#include "koyomi/lunisolar.h"

#include <algorithm>

namespace {

bool holdsChuki(std::int32_t start, std::int32_t nextStart,
                const std::vector<std::int32_t>& chukiDays) {
    return std::any_of(chukiDays.begin(), chukiDays.end(),
                       [&](std::int32_t day) { return day >= start && day < nextStart; });
}

} // namespace

std::vector<LunarMonth> NumberLunarMonths(const std::vector<std::int32_t>& starts,
                                          const std::vector<std::int32_t>& chukiDays) {
    std::vector<LunarMonth> months;
    if (starts.size() < 2) {
        return months;
    }
    const std::size_t count = starts.size() - 1; // 12 or 13
    std::size_t leapIndex = count;               // none
    if (count == 13) {
        for (std::size_t i = 1; i < count; ++i) {
            if (!holdsChuki(starts[i], starts[i + 1], chukiDays)) {
                leapIndex = i;
                break;
            }
        }
    }
    int number = 11;
    for (std::size_t i = 0; i < count; ++i) {
        const bool leap = i == leapIndex;
        if (i > 0 && !leap) {
            number = number % 12 + 1;
        }
        months.push_back({starts[i], static_cast<std::int16_t>(number), leap});
    }
    return months;
}
