#pragma once

// The rows of the holiday editor's list and the order of the holiday table.
//
// Widths are counted in UTF-16 code units, as the list box counts characters; a full-width
// character takes two half-width columns in the list's fixed-pitch font, so the columns line up.

#include "date/definitions.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

// Number of list rows above the first definition: five notes on the computed holidays and the
// separator. List row r >= HolidayFixedRowCount shows table element r - HolidayFixedRowCount.
inline constexpr int HolidayFixedRowCount = 6;

// The five notes and the separator, in list order.
QStringList HolidayFixedRows();

// `name` padded with U+3000 or cut to exactly 8 UTF-16 code units.
QString PadHolidayName(const QString& name);

// `value` in decimal, right-aligned in `width` columns by spaces on the left; a value of 0 gives
// `width` spaces. A value wider than `width` is shown whole.
QString RightAlignedOrBlank(int value, int width);

// `value` in decimal, right-aligned in `width` columns by spaces on the left (0 shows as "0").
QString RightAligned(int value, int width);

// The list row of one definition, e.g. "元日　　　　　　 | 1949～     |  1月 1日".
QString HolidayRowText(const HolidayDef& def);

// The 8-character ordering key: month "00", then the day (kind 1) or (week - 1) * 7 + weekday
// (kind 2) as "00", then the first year as "0000". Compared by character code.
std::string HolidaySortKey(const HolidayDef& def);

// Sorts the first `count` records of `defs` by HolidaySortKey with the table's own exchange
// procedure (for every i, for every j: exchange i and j when key(i) < key(j)). The procedure is
// not stable, and the file is written in the order it leaves, so it is kept exactly. `follow`
// is a 0-based index into `defs`; the result is the index at which that record ends up.
std::optional<int> SortHolidayDefs(std::vector<HolidayDef>& defs, int count,
                                   std::optional<int> follow = std::nullopt);

// The whole list: the fixed rows, then one row per definition of the first `count` records.
QStringList HolidayListRows(const std::vector<HolidayDef>& defs, int count);
