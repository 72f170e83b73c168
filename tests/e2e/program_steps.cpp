#include "program_steps.h"

#include <QDate>

namespace e2e {

int WeekdayInJune(int year) {
    int day = 8;
    while (QDate(year, 6, day).dayOfWeek() > 5) {
        ++day;
    }
    return day;
}

void TypeMonth(const XSession& session, const QString& window, int year, int month) {
    session.keys(window, {QStringLiteral("Tab"), QStringLiteral("ctrl+a")});
    session.type(window, QString::number(year));
    session.keys(window, {QStringLiteral("Tab")});
    session.type(window, QString::number(month));
}

std::optional<MonthPicture> WaitForMonth(const XSession& session, const QString& window,
                                         const MonthInks& expected,
                                         std::chrono::milliseconds limit) {
    std::optional<MonthPicture> read;
    WaitUntil(
        [&] {
            read = ReadMonth(session.grab(window));
            return read && read->inks == expected;
        },
        limit);
    return read;
}

std::optional<MonthPicture> ShowMonth(const XSession& session, const QString& window, int year,
                                      int month, const MonthInks& expected,
                                      std::chrono::milliseconds limit) {
    TypeMonth(session, window, year, month);
    return WaitForMonth(session, window, expected, limit);
}

std::optional<QString> EnterHoliday(const XSession& session, qint64 editorPid, const QString& main,
                                    const FixedHoliday& holiday, NameTyping typing,
                                    std::chrono::milliseconds limit) {
    session.keys(main, {QStringLiteral("space")}); // "祝日の設定", the first button
    const auto holidays = session.waitForWindow(editorPid, HolidayEditorTitle, limit);
    if (!holidays) {
        return std::nullopt;
    }
    session.keys(*holidays, {QStringLiteral("alt+n")}); // "新規(&N)": the name box has the focus
    session.type(*holidays, holiday.name);
    if (typing == NameTyping::Again) {
        session.keys(*holidays, {QStringLiteral("ctrl+a")});
        session.type(*holidays, holiday.name);
    }
    // Name, kind, start year, month, day: each box selected when Tab enters it.
    session.keys(*holidays, {QStringLiteral("Tab"), QStringLiteral("Tab")});
    session.type(*holidays, QString::number(holiday.year));
    session.keys(*holidays, {QStringLiteral("Tab")});
    session.type(*holidays, QString::number(holiday.month));
    session.keys(*holidays, {QStringLiteral("Tab")});
    session.type(*holidays, QString::number(holiday.day));
    session.keys(*holidays, {QStringLiteral("alt+o")}); // "決定(&O)": the list has the focus
    return holidays;
}

bool SaveHolidays(const XSession& session, qint64 editorPid, const QString& holidays,
                  std::chrono::milliseconds limit) {
    // List, 新規, 変更, 削除, then "更新".
    session.keys(holidays, {QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"),
                            QStringLiteral("Tab"), QStringLiteral("space")});
    const auto confirm = session.waitForWindow(editorPid, QStringLiteral("確認"), limit);
    if (!confirm) {
        return false;
    }
    session.keys(*confirm, {QStringLiteral("alt+y")});
    return WaitUntil([&] { return session.windows(editorPid, HolidayEditorTitle).isEmpty(); },
                     limit);
}

QString WindowKeptAbove(const XSession& session, qint64 pid, const QString& title) {
    for (const QString& id : session.windows(pid, title)) {
        if (session.states(id).contains(QStringLiteral("_NET_WM_STATE_ABOVE"))) {
            return id;
        }
    }
    return {};
}

} // namespace e2e
