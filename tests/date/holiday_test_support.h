#pragma once

// Helpers for the holiday tests: definition files written on the fly and the resolved list of a
// year as (MonthDay, Name) pairs.

#include "date/codepage.h"
#include "date/definitions.h"
#include "date/holidays.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_folder.h"

#include <string>
#include <utility>
#include <vector>

using Entries = std::vector<std::pair<std::string, std::string>>;

// Writes the holiday lines (UTF-8, one definition each) and an empty era file, and loads them.
inline void loadHolidayLines(const TempFolder& folder, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    folder.write("Korin1.csv", Utf8ToCp932(text).value());
    folder.write("Korin2.csv", "");
    St_LoadDefinitions();
}

// The whole resolved list of `year`, in list order.
inline Entries yearList(int year) {
    St_HolidayName(static_cast<std::int16_t>(year), 1, 1);
    Entries entries;
    for (const YearHoliday& h : YearHolidays) {
        entries.emplace_back(h.MonthDay, h.Name);
    }
    return entries;
}

// The list of `year` without the two equinox days.
inline Entries withoutEquinoxes(int year) {
    Entries entries;
    for (auto& entry : yearList(year)) {
        if (entry.second != "春分の日" && entry.second != "秋分の日") {
            entries.push_back(entry);
        }
    }
    return entries;
}

// The entries that the rules add (equinoxes, national and substitute holidays), in list order.
inline Entries computedEntries(int year) {
    Entries computed;
    for (auto& entry : yearList(year)) {
        if (entry.second == "春分の日" || entry.second == "秋分の日" ||
            entry.second == "国民の休日" || entry.second == "振替休日") {
            computed.push_back(entry);
        }
    }
    return computed;
}
