#pragma once

// The holiday and era definition files ("Korin1.csv", "Korin2.csv" in the program's folder) and
// the in-memory tables that hold them. The reader and the writer of both formats live here.

#include <cstdint>
#include <string>
#include <vector>

// One line of the holiday file.
struct HolidayDef {
    std::string Name;          // UTF-8
    std::int16_t Kind = 0;     // 1 = fixed date, 2 = nth weekday of a month
    std::int16_t Month = 0;    // 1..12
    std::int16_t Day = 0;      // kind 1 only
    std::int16_t Week = 0;     // kind 2: which occurrence, 1 = first
    std::int16_t Weekday = 0;  // kind 2: 0 = Sunday ... 6 = Saturday
    std::int16_t FromYear = 0; // first year in force
    std::int16_t ToYear = 0;   // last year in force; 0 = still in force
};

// One line of the era file.
struct EraDef {
    std::string Name;      // UTF-8
    std::string StartDate; // "yyyymmdd" once loaded
};

// The tables, in file order. Record k of the files is element k - 1; the counts always equal the
// vectors' sizes after a load (at most 32767 each).
extern std::vector<HolidayDef> HolidayDefs;
extern std::int16_t HolidayDefCount;
extern std::vector<EraDef> EraDefs;
extern std::int16_t EraDefCount;

// Replaces both tables with the contents of the two files and forgets the cached holiday year.
// A missing file is reported through the engine host ("Korin1.csv" + "ファイルが見つかりません。")
// and ends the program.
void St_LoadDefinitions();

// Writes the first HolidayDefCount records of HolidayDefs to "Korin1.csv" in the program's folder
// (code page 932, CR LF, zero numbers as empty fields). The old file is replaced only when the
// new one has been written whole. Returns 0, or the error number of the failure (EILSEQ when a
// name has no code page 932 form); on failure the old file is untouched.
int WriteHolidayDefinitions();

// The same for the first EraDefCount records of EraDefs and "Korin2.csv".
int WriteEraDefinitions();
