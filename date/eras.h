#pragma once

// Era conversion over the era table EraDefs.

#include <string>
#include <string_view>

// Results of the last St_Era call: the era's name and the era year followed by the input's last
// four characters (e.g. "60315"); both empty when no era applies.
extern std::string EraName;
extern std::string EraYearText;

// Sets EraName and EraYearText for a date text "yyyymmdd"; the day may be 99 to stand for the end
// of the month. The latest era whose start date is not after the date wins.
void St_Era(std::string_view date);

// The display text of an era result: empty without an era, the name + "元" for the first year,
// the name + the year right-aligned in two positions below 100, the name + all digits above.
std::string EraLabel(const std::string& eraName, const std::string& eraYearText);
