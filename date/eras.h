#pragma once

// Era conversion over the era table EraDefs.

#include <cstdint>
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

// The era label of a month as the calendar shows it under the month: the label of the era in
// force when the month ends (an era beginning on any day of it is shown) and "年" ("令和 8年",
// "平成元年"); empty when no era applies.
std::string MonthEraLabel(std::int16_t year, std::int16_t month);

// A date in era form, "令和8年12月8日" ("元" for the first year, no padding); empty when no era
// applies. Sets EraName and EraYearText as St_Era does.
std::string EraDateText(std::string_view date);
