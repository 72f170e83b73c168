#pragma once

// The holidays of the loaded definitions (HolidayDefs with the rules of holiday resolution)
// against the government's list of holidays, over the years the list covers, and the one-year
// definition lines that would add the days the list has and no rule explains.

#include "date/definitions.h"
#include "date/official_list.h"

#include <string>
#include <vector>

enum class HolidayDifference {
    NotInDefinitions, // the list has the day, the definitions do not
    NotInList,        // the definitions give the day, the list does not
    NamesDiffer,
};

struct HolidayCheckLine {
    std::string date; // "yyyymmdd"
    HolidayDifference kind = HolidayDifference::NamesDiffer;
    std::string listName;       // empty for NotInList
    std::string definitionName; // empty for NotInDefinitions
};

struct HolidayCheck {
    int firstYear = 0; // the years the list covers
    int lastYear = 0;
    int listDays = 0;
    // Days on which the list writes the definitions' holiday in its own way: "休日" for a
    // substitute holiday or a national holiday between two holidays, "休日（祝日扱い）" for a
    // single day made a holiday by its own law, "X（Y）" for X.
    int acceptedNames = 0;
    std::vector<HolidayCheckLine> differences; // in date order
    // One-year kind 1 definitions, named as the list names them, for the days only the list has
    // that no rule gives once these are added; in date order.
    std::vector<HolidayDef> additions;
};

// Compares `list` (ascending dates, as ParseOfficialList gives them, at least one day) with the
// holidays the loaded definitions give. Leaves no year cached.
HolidayCheck CheckHolidays(const std::vector<OfficialDay>& list);

// Whether the list's `listName` stands for the definitions' `definitionName` on a day;
// `oneYearDefinition` says that the definitions' holiday is a one-year line of its own.
bool SameHolidayName(const std::string& listName, const std::string& definitionName,
                     bool oneYearDefinition);

// One line of the definition file as the holiday editor writes it, without the line end:
// "元日,1,1,1,,,1949,".
std::string HolidayDefinitionLine(const HolidayDef& def);

// "相違 3 件 (…)" or, when nothing differs, the agreement, with the years and counts.
std::string HolidayCheckSummary(const HolidayCheck& check);

// One line per difference ("2019/05/01\t(水)\t定義にない\t休日（祝日扱い）"), then, when there are
// additions, an empty line, the line AdditionsHeading() and one definition line per addition.
// Every line ends in LF; empty when nothing differs.
std::string HolidayCheckDetails(const HolidayCheck& check);

// The line that introduces the definition lines to add.
std::string AdditionsHeading();
