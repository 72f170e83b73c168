#pragma once

// The words of the 暦 for a day cell of the month view, when the option "暦を表示" is on.

#include <QString>

// "旧M月D日 六曜", then the day's 節気 and 雑節 on a line of their own when it has them; for the
// years after 2100 a note that the terms' days rest on an extrapolation. Empty outside the years
// of the 暦 (koyomi/koyomi.h).
QString KoyomiDayText(int year, int month, int day);

// The tool tip of a day cell: the holiday's name when there is one, then the 暦 of the day.
QString KoyomiToolTip(const QString& holiday, const QString& koyomi);
