#include "editor/holiday_panel.h"

#include <algorithm>

namespace {

int clampNoting(int value, int low, int high, bool& adjusted) {
    const int clamped = std::clamp(value, low, high);
    adjusted = adjusted || clamped != value;
    return clamped;
}

} // namespace

HolidayPanelValues PanelValuesOf(const HolidayDef& def, bool& adjusted) {
    adjusted = false;
    HolidayPanelValues values;
    values.name = QString::fromStdString(def.Name);
    if (values.name.size() > HolidayNameLength) {
        values.name.truncate(HolidayNameLength);
        adjusted = true;
    }
    values.kind = clampNoting(def.Kind, 1, 2, adjusted);
    values.month = clampNoting(def.Month, 1, 12, adjusted);
    values.fromYear = clampNoting(def.FromYear, 0, HolidayYearMaximum, adjusted);
    values.toYear = clampNoting(def.ToYear, 0, HolidayYearMaximum, adjusted);
    if (values.kind == 1) {
        values.day = clampNoting(def.Day, 1, 31, adjusted);
    } else {
        values.week = clampNoting(def.Week, 1, HolidayWeekMaximum, adjusted);
        values.weekdayIndex = clampNoting(def.Weekday, 1, 6, adjusted) - 1;
    }
    return values;
}

HolidayDef RecordOf(const HolidayPanelValues& values) {
    HolidayDef def;
    def.Name = values.name.toStdString();
    def.Month = static_cast<std::int16_t>(values.month);
    def.FromYear = static_cast<std::int16_t>(values.fromYear);
    def.ToYear = static_cast<std::int16_t>(values.toYear);
    if (values.kind == 1) {
        def.Kind = 1;
        def.Day = static_cast<std::int16_t>(values.day);
    } else {
        def.Kind = 2;
        def.Week = static_cast<std::int16_t>(values.week);
        def.Weekday = static_cast<std::int16_t>(values.weekdayIndex + 1);
    }
    return def;
}
