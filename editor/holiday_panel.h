#pragma once

// The values of the holiday editor's panel and the record they stand for.

#include "date/definitions.h"

#include <QString>

// Ranges of the panel's inputs.
inline constexpr int HolidayNameLength = 20; // UTF-16 code units
inline constexpr int HolidayYearMaximum = 9999;
inline constexpr int HolidayWeekMaximum = 4;

struct HolidayPanelValues {
    QString name;
    int kind = 1;         // 1 = "日指定", 2 = "週指定"
    int month = 1;        // 1..12
    int day = 1;          // 1..31 (kind 1)
    int week = 1;         // 1..4 (kind 2)
    int weekdayIndex = 0; // position in the weekday list, 0 = Monday ... 5 = Saturday
    int fromYear = 0;     // 0..9999
    int toYear = 0;       // 0..9999, 0 = no end

    bool operator==(const HolidayPanelValues&) const = default;
};

// The panel's values for a loaded record. Values the panel cannot hold (a kind other than 1 and
// 2, a fifth week, Sunday, a month of 13, a name longer than the name box, ...) are replaced by
// the nearest ones it can; `adjusted` then becomes true. For kind 1 the week and weekday show
// their defaults (1, Monday), for kind 2 the day shows 1.
HolidayPanelValues PanelValuesOf(const HolidayDef& def, bool& adjusted);

// The record the panel's values make: kind 1 keeps only its day, kind 2 its week and weekday
// (Monday = 1). `name` is used as given.
HolidayDef RecordOf(const HolidayPanelValues& values);
