#pragma once

// The government's published list of national holidays and days off ("syukujitsu.csv"): a header
// line "国民の祝日・休日月日,国民の祝日・休日名称", then one line "yyyy/m/d,name" per day. The list
// comes as code page 932 or as UTF-8 (with or without a byte-order mark), with LF or CR LF line
// ends.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct OfficialDay {
    std::string date; // "yyyymmdd"
    std::string name; // UTF-8
    int line = 0;     // where the list gives it (1 = the header)
};

// Something about the list, tied to one of its lines (0 = the file as a whole).
struct OfficialListProblem {
    int line = 0;
    std::string text; // UTF-8, one sentence
};

struct OfficialList {
    std::vector<OfficialDay> days;             // ascending by date, each date once
    std::vector<OfficialListProblem> warnings; // lines that repeat an earlier line
    std::optional<OfficialListProblem> error;  // set when the text is not such a list
};

// Reads the list from its bytes. A line that repeats an earlier one (same date, same name) is a
// warning and counts once; anything else that is not a header, a blank line or a day of the form
// above is an error: a line that is no "date,name", bytes that are no text of the encoding, a date
// that does not exist, a date given twice with different names, a list without days.
OfficialList ParseOfficialList(std::string_view bytes);

// Reads the list from the file at `path` (UTF-8); a file that is missing, unreadable or far too
// large is an error of line 0.
OfficialList ReadOfficialListFile(const std::string& path);

// A problem as the user reads it: "<fileName> の <n> 行目: <text>", or "<fileName>: <text>" for
// the file as a whole.
std::string OfficialListProblemText(const std::string& fileName,
                                    const OfficialListProblem& problem);
