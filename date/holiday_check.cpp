#include "date/holiday_check.h"

#include "date/definitions.h"
#include "date/definitions_internal.h"
#include "date/holidays.h"
#include "date/serial.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Ymd {
    int year;
    int month;
    int day;
};

Ymd fieldsOf(const std::string& date) {
    return {std::stoi(date.substr(0, 4)), std::stoi(date.substr(4, 2)),
            std::stoi(date.substr(6, 2))};
}

// The holidays the definitions give in the years first..last: date text -> the name that a lookup
// of the day answers. A list entry whose month and day is no real date of its year is no holiday.
std::map<std::string, std::string> definitionHolidays(int first, int last) {
    std::map<std::string, std::string> days;
    for (int y = first; y <= last; ++y) {
        const auto year = static_cast<std::int16_t>(y);
        St_HolidayName(year, 1, 1);
        const std::vector<YearHoliday> entries = YearHolidays;
        for (const YearHoliday& entry : entries) {
            const std::string& md = entry.MonthDay;
            if (md.size() != 4 ||
                !std::all_of(md.begin(), md.end(), [](char c) { return c >= '0' && c <= '9'; })) {
                continue;
            }
            const auto month = static_cast<std::int16_t>(std::stoi(md.substr(0, 2)));
            const auto day = static_cast<std::int16_t>(std::stoi(md.substr(2, 2)));
            if (day < 1 || day > St_DaysInMonth(year, month)) {
                continue;
            }
            days.try_emplace(MakeDateText(y, month, day), St_HolidayName(year, month, day));
        }
    }
    return days;
}

// Whether `name` on `date` comes from a kind 1 definition of that one year.
bool fromOneYearDefinition(const std::string& date, const std::string& name) {
    const Ymd d = fieldsOf(date);
    const std::size_t n = std::min(
        HolidayDefs.size(), static_cast<std::size_t>(std::max<std::int16_t>(HolidayDefCount, 0)));
    return std::any_of(HolidayDefs.begin(), HolidayDefs.begin() + static_cast<std::ptrdiff_t>(n),
                       [&](const HolidayDef& def) {
                           return def.Kind == 1 && def.Month == d.month && def.Day == d.day &&
                                  def.FromYear == d.year && def.ToYear == d.year &&
                                  def.Name == name;
                       });
}

struct Comparison {
    std::vector<HolidayCheckLine> differences;
    int acceptedNames = 0;
};

Comparison compare(const std::vector<OfficialDay>& list, int first, int last) {
    Comparison result;
    std::map<std::string, std::string> defined = definitionHolidays(first, last);
    for (const OfficialDay& day : list) {
        const auto found = defined.find(day.date);
        if (found == defined.end()) {
            result.differences.push_back(
                {day.date, HolidayDifference::NotInDefinitions, day.name, std::string()});
            continue;
        }
        if (found->second != day.name) {
            if (SameHolidayName(day.name, found->second,
                                fromOneYearDefinition(day.date, found->second))) {
                ++result.acceptedNames;
            } else {
                result.differences.push_back(
                    {day.date, HolidayDifference::NamesDiffer, day.name, found->second});
            }
        }
        defined.erase(found);
    }
    for (const auto& [date, name] : defined) {
        result.differences.push_back({date, HolidayDifference::NotInList, std::string(), name});
    }
    std::stable_sort(
        result.differences.begin(), result.differences.end(),
        [](const HolidayCheckLine& a, const HolidayCheckLine& b) { return a.date < b.date; });
    return result;
}

// The loaded definitions with `extra` appended while `run` runs; the table, its count and the
// cached year are restored afterwards, also when the engine ends the program on the way.
template <typename Run> auto withExtraDefinitions(const std::vector<HolidayDef>& extra, Run run) {
    struct Restore {
        std::vector<HolidayDef> defs = HolidayDefs;
        std::int16_t count = HolidayDefCount;
        Restore() = default;
        Restore(const Restore&) = delete;
        Restore& operator=(const Restore&) = delete;
        ~Restore() {
            HolidayDefs = std::move(defs);
            HolidayDefCount = count;
            CachedYear = 0;
        }
    } restore;
    HolidayDefs.resize(static_cast<std::size_t>(std::max<std::int16_t>(HolidayDefCount, 0)));
    HolidayDefs.insert(HolidayDefs.end(), extra.begin(), extra.end());
    HolidayDefCount = static_cast<std::int16_t>(HolidayDefs.size());
    CachedYear = 0;
    return run();
}

HolidayDef oneYearDefinition(const HolidayCheckLine& line) {
    const Ymd d = fieldsOf(line.date);
    HolidayDef def;
    def.Name = line.listName;
    def.Kind = 1;
    def.Month = static_cast<std::int16_t>(d.month);
    def.Day = static_cast<std::int16_t>(d.day);
    def.FromYear = static_cast<std::int16_t>(d.year);
    def.ToYear = static_cast<std::int16_t>(d.year);
    return def;
}

// One-year lines for the days of `differences` only the list has, those named "休日" left out
// when `skipDaysOff` is set (they may follow from the rules once the others are added).
std::vector<HolidayDef> oneYearLines(const std::vector<HolidayCheckLine>& differences,
                                     bool skipDaysOff, std::size_t room) {
    std::vector<HolidayDef> lines;
    for (const HolidayCheckLine& line : differences) {
        if (line.kind == HolidayDifference::NotInDefinitions && lines.size() < room &&
            !(skipDaysOff && line.listName == "休日")) {
            lines.push_back(oneYearDefinition(line));
        }
    }
    return lines;
}

std::string slashDate(const std::string& date) {
    return date.substr(0, 4) + "/" + date.substr(4, 2) + "/" + date.substr(6, 2);
}

std::string weekdayOf(const std::string& date) {
    return std::string(WeekdayLetter(St_Weekday(St_YMD_to_Days(date))));
}

std::string numberField(std::int16_t value) {
    return value == 0 ? std::string() : std::to_string(value);
}

} // namespace

bool SameHolidayName(const std::string& listName, const std::string& definitionName,
                     bool oneYearDefinition) {
    if (listName == definitionName) {
        return true;
    }
    if (listName == "休日") {
        return definitionName == "振替休日" || definitionName == "国民の休日";
    }
    if (listName == "休日（祝日扱い）") {
        return oneYearDefinition;
    }
    // "体育の日（スポーツの日）": the name of the day, and in brackets a note on it.
    const std::string open = "（";
    const std::string close = "）";
    const std::size_t at = listName.find(open);
    return at != std::string::npos && at > 0 && listName.size() > at + open.size() + close.size() &&
           listName.compare(listName.size() - close.size(), close.size(), close) == 0 &&
           listName.compare(0, at, definitionName) == 0 && at == definitionName.size();
}

HolidayCheck CheckHolidays(const std::vector<OfficialDay>& list) {
    HolidayCheck check;
    if (list.empty()) {
        return check;
    }
    check.firstYear = std::stoi(list.front().date.substr(0, 4));
    check.lastYear = std::stoi(list.back().date.substr(0, 4));
    check.listDays = static_cast<int>(list.size());
    Comparison now = compare(list, check.firstYear, check.lastYear);
    CachedYear = 0;
    check.differences = now.differences;
    check.acceptedNames = now.acceptedNames;

    // First the days the list names as holidays of their own; then whatever the rules still leave
    // out once those are in (a day off that no rule gives).
    const std::size_t room =
        static_cast<std::size_t>(MaxDefinitionRecords - std::max<std::int16_t>(HolidayDefCount, 0));
    check.additions = oneYearLines(now.differences, true, room);
    const Comparison after = withExtraDefinitions(
        check.additions, [&] { return compare(list, check.firstYear, check.lastYear); });
    std::vector<HolidayDef> more =
        oneYearLines(after.differences, false, room - check.additions.size());
    check.additions.insert(check.additions.end(), more.begin(), more.end());
    std::sort(check.additions.begin(), check.additions.end(),
              [](const HolidayDef& a, const HolidayDef& b) {
                  return std::tie(a.FromYear, a.Month, a.Day) <
                         std::tie(b.FromYear, b.Month, b.Day);
              });
    return check;
}

std::string HolidayDefinitionLine(const HolidayDef& def) {
    std::string line = EncodeTextField(def.Name).value_or(def.Name);
    for (std::int16_t value :
         {def.Kind, def.Month, def.Day, def.Week, def.Weekday, def.FromYear, def.ToYear}) {
        line += ',';
        line += numberField(value);
    }
    return line;
}

std::string HolidayCheckSummary(const HolidayCheck& check) {
    const std::string counts = " (" + std::to_string(check.firstYear) + "年～" +
                               std::to_string(check.lastYear) + "年、公式の一覧 " +
                               std::to_string(check.listDays) + " 日、表記の違いを認めた日 " +
                               std::to_string(check.acceptedNames) + " 日)";
    if (check.differences.empty()) {
        return "相違はありません" + counts;
    }
    return "相違 " + std::to_string(check.differences.size()) + " 件" + counts;
}

std::string AdditionsHeading() {
    return "Korin1.csv に追加する行 (1年限りの日付指定):";
}

std::string HolidayCheckDetails(const HolidayCheck& check) {
    std::string text;
    for (const HolidayCheckLine& line : check.differences) {
        text += slashDate(line.date) + "\t(" + weekdayOf(line.date) + ")\t";
        switch (line.kind) {
        case HolidayDifference::NotInDefinitions:
            text += "定義にない\t" + line.listName;
            break;
        case HolidayDifference::NotInList:
            text += "一覧にない\t" + line.definitionName;
            break;
        case HolidayDifference::NamesDiffer:
            text +=
                "名前が違う\t一覧「" + line.listName + "」、定義「" + line.definitionName + "」";
            break;
        }
        text += "\n";
    }
    if (!check.additions.empty()) {
        text += "\n" + AdditionsHeading() + "\n";
        for (const HolidayDef& def : check.additions) {
            text += HolidayDefinitionLine(def) + "\n";
        }
    }
    return text;
}
