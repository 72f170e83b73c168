#pragma once

// The rows of the era editor's list: "1989年 1月 8日 | 平成". The year takes columns 1-4, the
// month 6-7 and the day 9-10 (right-aligned, space-padded), the date part is the first 11
// characters and the name starts at column 15. Because the date part has a fixed width and a
// space sorts before every digit, the text order of the rows is the order of their dates.

#include "date/definitions.h"

#include <QString>
#include <QStringList>
#include <string>

// Length of a row's date part ("1989年 1月 8日").
inline constexpr int EraDatePartLength = 11;
// 0-based position of the name in a row.
inline constexpr int EraNamePosition = 14;

struct EraRowFields {
    int year = 0;
    int month = 0;
    int day = 0;
    QString name; // without surrounding spaces
};

// "yyyy年mm月dd日" with the numbers right-aligned by spaces (year 4, month and day 2 columns).
QString EraDatePart(int year, int month, int day);

// The date part followed by " | " and the name.
QString EraRowText(int year, int month, int day, const QString& name);

// The row of a loaded era: year, month and day are the leading numbers of characters 1-4, 5-6
// and 7-8 of its start date.
QString EraRowFromDef(const EraDef& era);

// Item data of a row that keeps its record as the file had it: the start date and the name.
inline constexpr int EraStartRole = 0x0100 + 1; // Qt::UserRole + 1
inline constexpr int EraNameRole = 0x0100 + 2;
// Item data of a row read from the file: the file's line it was read from.
inline constexpr int EraLineRole = 0x0100 + 3;

// True when `startDate` is eight digits "yyyymmdd" that the panel can hold: year 1 to 9999, month
// 1 to 12, day 1 to 31. Such a start is an ordinary row, whether or not the month has that day
// (the old calendar's dates of the eras before the calendar reform are kept as they stand), and
// its row reads back as the same eight digits.
bool IsEditableEraStart(const std::string& startDate);

// The marked row of an era whose start date is no such date: "※", the start date as it stands,
// " | " and the name.
QString EraMarkedRowText(const QString& startDate, const QString& name);

// Whether `row` is a marked row.
bool IsMarkedEraRow(const QString& row);

// Reads a row back: the numbers at columns 1-4, 6-7 and 9-10 and the name from column 15 on.
EraRowFields ParseEraRow(const QString& row);

// The era record of a row: the start date as "yyyymmdd" (year "0000", month and day "00").
EraDef EraDefFromRow(const QString& row);

// Where the ordinary `row` goes among `count` rows (`rowAt(i)` the text of row i) so that the
// ordinary rows stay in text order: after the last ordinary row that sorts before it or equals
// it, and after the marked rows that follow that row. Marked rows are never moved: each stays
// behind the row it followed in the file. Searched from the end, where a file in date order puts
// each next row, so that loading such a file takes a step per row.
template <typename RowAt> int EraInsertPosition(int count, const RowAt& rowAt, const QString& row) {
    // Plain code-unit order: a space sorts before every digit, so the fixed-width date parts
    // order by date, and rows of one date by name.
    int at = count;
    while (at > 0) {
        const QString before = rowAt(at - 1);
        if (!IsMarkedEraRow(before) && QString::compare(before, row, Qt::CaseSensitive) <= 0) {
            break;
        }
        --at;
    }
    while (at < count && IsMarkedEraRow(rowAt(at))) {
        ++at;
    }
    return at;
}

// The same among `rows`.
int EraInsertPosition(const QStringList& rows, const QString& row);

// Whether any row of `rows` begins with the date part `datePart`.
bool HasEraDate(const QStringList& rows, const QString& datePart);
