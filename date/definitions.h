#pragma once

// The holiday and era definition files ("Korin1.csv", "Korin2.csv" in the program's folder) and
// the in-memory tables that hold them. The reader and the writer of both formats live here.

#include "date/file_read.h"
#include "date/write_result.h"

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
    std::int32_t Line = 0;     // the file's line the record began on; 0 = not read from the file
};

// One line of the era file.
struct EraDef {
    std::string Name;      // UTF-8
    std::string StartDate; // "yyyymmdd" once loaded
    std::int32_t Line = 0; // the file's line the record began on; 0 = not read from the file
};

// The most records either file contributes; further records are not loaded (the counts are
// 16-bit).
inline constexpr std::int32_t MaxDefinitionRecords = 32767;

// The tables, in file order. Record k of the files is element k - 1; the counts always equal the
// vectors' sizes after a load (at most 32767 each).
extern std::vector<HolidayDef> HolidayDefs;
extern std::int16_t HolidayDefCount;
extern std::vector<EraDef> EraDefs;
extern std::int16_t EraDefCount;

// Replaces both tables with the contents of the two files and forgets the cached holiday year.
// A missing file is reported through the engine host ("Korin1.csv" + "ファイルが見つかりません。")
// and ends the program; so does a file that cannot be read ("ファイルを読み込めません。": no
// permission, a pipe or a device in its place) or is far too large for a definition file
// ("ファイルが大きすぎるため読み込めません。"). A file that starts with the UTF-8 byte-order mark
// is read as UTF-8 (invalid sequences become U+FFFD); every other file as code page 932.
// Two faults are reported through the engine host without ending the program, each once for a
// file as it stands (loading the same file again says nothing more): bytes that are no character
// of the file's encoding (read as U+FFFD), with the file's name and the line; and more records
// than the tables take (MaxDefinitionRecords), with the file's name and the count. The records
// past the limit are not loaded, and DefinitionFileWasReadWhole() tells the editors not to write
// the shortened table back.
void St_LoadDefinitions();

// Writes the first HolidayDefCount records of HolidayDefs to "Korin1.csv" in the program's folder
// (code page 932, CR LF, zero numbers as empty fields) through the engine host's replaceFile:
// the old file is replaced only when the new one has been written whole. On failure the old file
// is untouched and the result holds the error number: EILSEQ when a text has no code page 932
// form and EINVAL when a text field cannot be written so that it reads back unchanged, both with
// the record (1-based; its Line says where it stood in the file); EACCES for a read-only file
// and the host's other failures with their path and words. A file that the last load did not
// read whole is never written (EFBIG): its records past the limit would be lost.
WriteResult WriteHolidayDefinitions();

// The same for the first EraDefCount records of EraDefs and "Korin2.csv".
WriteResult WriteEraDefinitions();

enum class DefinitionFile { Holidays, Eras };

// What the last St_LoadDefinitions read of `file` (size, time and a hash of its bytes).
FileStamp LoadedDefinitionStamp(DefinitionFile file);

// The same for the file as it is on the disk now; differs from the loaded stamp when another
// program changed, replaced or removed the file since.
FileStamp CurrentDefinitionStamp(DefinitionFile file);

// True when the last St_LoadDefinitions read `file` as UTF-8 (it started with the byte-order
// mark); the writer always writes code page 932.
bool DefinitionFileWasUtf8(DefinitionFile file);

// False when the last St_LoadDefinitions left records of `file` out because it held more than
// the tables take; such a table must not be written back.
bool DefinitionFileWasReadWhole(DefinitionFile file);
