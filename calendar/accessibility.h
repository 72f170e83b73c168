#pragma once

// What the calendar window offers a listener: the words a screen reader reads for its day cells,
// its era label and the month it shows, the names of its controls, and the keys that open the
// popup menu of the window without title bar.

#include <QString>

class CalendarWindow;

// The weekday in full, for a column of the grid (0 = Sunday ... 6 = Saturday): "日曜日".
QString WeekdayName(int column);

// A day cell as read aloud: date, weekday, the holiday's name when the day is one, and "今日" on
// today: "2026年5月6日 水曜日 振替休日 今日".
QString DayCellName(int year, int month, int day, int column, const QString& holiday, bool today);

// The month shown, as the window's description: "2026年5月 祝日4日", or "… 祝日なし".
QString MonthDescription(int year, int month, int holidays);

// The era label as read aloud: "表示中の月の元号: 令和8年" for the label text "令和 8年" (the
// padding of the era year is dropped), "表示中の月の元号: なし" for an empty label.
QString EraLabelName(const QString& labelText);

// Names the window's entry boxes, scroll bars and panel, and lets Shift+F10 and the menu key open
// the popup menu of a window that has one. Called once the window's controls and commands exist.
void PrepareForScreenReaders(CalendarWindow& window);
