#pragma once

// Steps that several end-to-end tests take with the programs, on whichever copy they run (the
// installed build, the Debian package, the Windows build under Wine): the programs' window
// titles, typing a month into the calendar and waiting until it shows it, adding a holiday in
// Korinset, and finding the calendar window that is kept above the others.

#include "e2e_support.h"
#include "month_picture.h"

#include <QString>
#include <chrono>
#include <optional>

namespace e2e {

inline const QString CalendarTitle = QStringLiteral("カレンダー");
inline const QString EditorTitle = QStringLiteral("日付操作モジュールのパラメータ設定");
inline const QString HolidayEditorTitle = QStringLiteral("祝日の設定");

// The first weekday of June of `year` from the 8th on: June has no holidays, so a holiday added
// there is the only one of the month.
int WeekdayInJune(int year);

// Types `year` and `month` into the calendar window as a user does: Tab to the year box, the year
// over its text, Tab to the month box (selected on entry), the month.
void TypeMonth(const XSession& session, const QString& window, int year, int month);

// Waits until the calendar window shows `expected`, at most `limit`; returns the last picture
// read (nullopt when none could be read).
std::optional<MonthPicture> WaitForMonth(const XSession& session, const QString& window,
                                         const MonthInks& expected,
                                         std::chrono::milliseconds limit);

// Types the month into the calendar window (TypeMonth) and waits until the window shows
// `expected` (WaitForMonth).
std::optional<MonthPicture> ShowMonth(const XSession& session, const QString& window, int year,
                                      int month, const MonthInks& expected,
                                      std::chrono::milliseconds limit);

// A new fixed-date holiday as Korinset's holiday editor takes it.
struct FixedHoliday {
    QString name;
    int year = 0; // the first year it is kept
    int month = 0;
    int day = 0;
};

// How the name is typed. Under Wine the first letters can arrive before the name box has the
// focus: `Again` types the name a second time over everything the box then holds.
enum class NameTyping { Once, Again };

// From Korinset's main window `main` (of process `editorPid`): opens the holiday editor with the
// first button, "祝日の設定", and enters `holiday` with "新規(&N)", the name, start year, month
// and day, and "決定(&O)". Returns the holiday editor's window, nullopt when it did not open
// within `limit`.
std::optional<QString> EnterHoliday(const XSession& session, qint64 editorPid, const QString& main,
                                    const FixedHoliday& holiday, NameTyping typing,
                                    std::chrono::milliseconds limit);

// Saves the holiday editor's table with "更新" (the fifth control from the list) confirmed by
// "はい(&Y)"; true once the holiday editor has closed. Each wait takes at most `limit`.
bool SaveHolidays(const XSession& session, qint64 editorPid, const QString& holidays,
                  std::chrono::milliseconds limit);

// The window of process `pid` titled `title` that is kept above the others
// (_NET_WM_STATE_ABOVE), "" when there is none.
QString WindowKeptAbove(const XSession& session, qint64 pid, const QString& title);

} // namespace e2e
