// The installed programs on a desktop (Xvfb, jwm with its notification area), driven as a user
// drives them with keys and the mouse through xdotool. Every check looks at what the programs did:
// their windows and window properties, the files they wrote, and the colours of the calendar's day
// cells.

#include "installed_desktop.h"
#include "month_picture.h"
#include "program_steps.h"

#include <QDate>
#include <QDir>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <sys/stat.h>

using namespace e2e;
namespace fs = std::filesystem;

namespace {

const QString tooltipType = QStringLiteral("_NET_WM_WINDOW_TYPE_TOOLTIP");
const QString popupMenuType = QStringLiteral("_NET_WM_WINDOW_TYPE_POPUP_MENU");

class ProgramsOnADesktop : public InstalledOnADesktop {
protected:
    std::unique_ptr<RunningProgram> start(const char* program) const {
        return std::make_unique<RunningProgram>(
            QString::fromStdString((copy_->prefix / program).string()), QStringList{},
            environment_);
    }

    // Starts Zelvar and waits for its calendar window.
    std::pair<std::unique_ptr<RunningProgram>, QString> startCalendar() const {
        auto zelvar = start("Zelvar");
        const auto window = session_->waitForWindow(zelvar->pid(), CalendarTitle);
        EXPECT_TRUE(window.has_value()) << zelvar->errors().toStdString();
        return {std::move(zelvar), window.value_or(QString())};
    }

    fs::path settingsFile() const { return copy_->prefix / "Zelvar.ini"; }

    // The icon of process `pid` in the notification area, once it is there: its centre.
    std::optional<QPoint> waitForIcon(qint64 pid) const {
        QStringList icons;
        if (!WaitUntil([&] {
                icons = session_->trayIcons(pid);
                return !icons.isEmpty();
            })) {
            return std::nullopt;
        }
        return session_->geometry(icons.first()).center();
    }

    // A click of the right button at `point` that opens a popup menu of process `pid`. Returns
    // the open menus.
    QStringList openMenuAt(qint64 pid, QPoint point) const {
        session_->click(point.x(), point.y(), 3);
        QStringList menus;
        WaitUntil([&] {
            menus = session_->popupMenus(pid);
            return !menus.isEmpty();
        });
        return menus;
    }

    void writeSettings(const std::string& text) const {
        std::ofstream(settingsFile(), std::ios::binary | std::ios::trunc) << text;
    }

    // The holidays (days) of one month, as the installed korin lists them.
    std::set<int> holidaysOf(int year, int month) const {
        const RunResult listed =
            RunProgram(QString::fromStdString((copy_->prefix / "korin").string()),
                       {QStringLiteral("holidays"), QString::number(year)}, environment_);
        EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
        return HolidayDaysIn(listed.out, year, month);
    }

    // Waits until the calendar window shows `expected`; returns the last picture read.
    std::optional<MonthPicture> waitForMonth(const QString& window,
                                             const MonthInks& expected) const {
        return WaitForMonth(*session_, window, expected, 10s);
    }

    // The tool tip of the process that shows after the mouse came to rest at a point of the
    // screen: where it is, and its picture.
    std::optional<std::pair<QRect, QImage>> toolTipAt(qint64 pid, QPoint point) const {
        session_->moveMouse(point.x() - 3, point.y() - 2);
        session_->moveMouse(point.x(), point.y());
        QStringList tips;
        WaitUntil(
            [&] {
                tips = session_->windowsOfType(pid, tooltipType);
                return !tips.isEmpty();
            },
            15s);
        if (tips.isEmpty()) {
            return std::nullopt;
        }
        return std::make_pair(session_->geometry(tips.last()), session_->grab(tips.last()));
    }
};

TEST_F(ProgramsOnADesktop, CalendarOpensTitledAtTheSizeOfItsSettingsInTheMiddleOfTheScreen) {
    writeSettings("[Option]\r\nMainWidth=240\r\nMainHeight=200\r\n");
    auto [zelvar, window] = startCalendar();
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(session_->title(window), CalendarTitle);
    const QRect small = session_->geometry(window);
    // The width counts the window's frame of 3 pixels a side, as on the desktop it was made for.
    EXPECT_EQ(small.width(), 240 - 2 * 3);
    EXPECT_NEAR(small.center().x(), 1280 / 2, 8);
    EXPECT_NEAR(small.center().y(), 1024 / 2, 24);
    session_->keys(window, {QStringLiteral("alt+x")});
    ASSERT_TRUE(zelvar->waitForEnd());

    writeSettings("[Option]\r\nMainWidth=280\r\nMainHeight=230\r\n");
    auto [larger, largerWindow] = startCalendar();
    ASSERT_FALSE(largerWindow.isEmpty());
    const QRect large = session_->geometry(largerWindow);
    EXPECT_EQ(large.width() - small.width(), 40);
    EXPECT_EQ(large.height() - small.height(), 30);
}

TEST_F(ProgramsOnADesktop, KeysTypedIntoTheYearAndMonthBoxesChangeTheMonthShown) {
    auto [zelvar, window] = startCalendar();
    ASSERT_FALSE(window.isEmpty());
    // Today's month first: the picture can be read at all.
    ASSERT_TRUE(ReadMonth(session_->grab(window)).has_value());

    // The panel has the focus; Tab reaches the year box, then the month box (selected on entry).
    TypeMonth(*session_, window, 2025, 1);
    const MonthInks january2025 = ExpectedMonth(2025, 1, holidaysOf(2025, 1));
    ASSERT_EQ(holidaysOf(2025, 1), (std::set<int>{1, 13}));
    auto read = waitForMonth(window, january2025);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->inks, january2025) << Describe(read->inks);

    // Back to the year box: a new year typed over the selection, then Down for the year after.
    session_->keys(window, {QStringLiteral("shift+Tab")});
    session_->type(window, QStringLiteral("2026"));
    const MonthInks january2026 = ExpectedMonth(2026, 1, holidaysOf(2026, 1));
    read = waitForMonth(window, january2026);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->inks, january2026) << Describe(read->inks);
    EXPECT_NE(january2025, january2026);

    session_->keys(window, {QStringLiteral("Down")});
    const MonthInks january2027 = ExpectedMonth(2027, 1, holidaysOf(2027, 1));
    read = waitForMonth(window, january2027);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->inks, january2027) << Describe(read->inks);
}

TEST_F(ProgramsOnADesktop, ASecondCalendarIsRefusedWithItsMessageAndTheFirstStays) {
    auto [first, window] = startCalendar();
    ASSERT_FALSE(window.isEmpty());
    auto second = start("Zelvar");
    // Its message box carries the program's title; it never opens a calendar window.
    const auto message = session_->waitForWindow(second->pid(), QStringLiteral("Zelvar"));
    ASSERT_TRUE(message.has_value()) << second->errors().toStdString();
    EXPECT_TRUE(session_->windows(second->pid(), CalendarTitle).isEmpty());
    const QRect box = session_->geometry(*message);
    EXPECT_GT(box.width(), 100);
    EXPECT_LT(box.height(), 200);

    session_->keys(*message, {QStringLiteral("Return")});
    ASSERT_TRUE(second->waitForEnd());
    EXPECT_TRUE(first->running());
    EXPECT_TRUE(session_->windowVisible(window));
    EXPECT_EQ(session_->windows(first->pid(), CalendarTitle), QStringList{window});
}

TEST_F(ProgramsOnADesktop, ClosingWithoutChangesLeavesNoSettingsFile) {
    auto [zelvar, window] = startCalendar();
    ASSERT_FALSE(window.isEmpty());
    // Closed by the window manager (its close key), as by the close box.
    session_->keys(window, {QStringLiteral("alt+F4")});
    ASSERT_TRUE(zelvar->waitForEnd());
    EXPECT_EQ(zelvar->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(zelvar->exitCode(), 0);
    EXPECT_FALSE(fs::exists(settingsFile()));
}

TEST_F(ProgramsOnADesktop, AlwaysOnTopFromTheMenuKeepsTheWindowAboveAndIsWrittenOnClosing) {
    auto [zelvar, window] = startCalendar();
    ASSERT_FALSE(window.isEmpty());
    EXPECT_FALSE(session_->states(window).contains(QStringLiteral("_NET_WM_STATE_ABOVE")));
    // "今月(&T)" and "ツール(&T)" share their key: each press of Alt+T goes to the next of them,
    // until the tool menu is open. A press that opens no menu can only be told by waiting: the
    // wait gives a loaded machine time to open the menu before the next press is sent.
    bool menuOpen = false;
    for (int press = 0; press < 3 && !menuOpen; ++press) {
        session_->keys(window, {QStringLiteral("alt+t")});
        menuOpen = WaitUntil(
            [&] { return !session_->windowsOfType(zelvar->pid(), popupMenuType).isEmpty(); }, 5s);
    }
    ASSERT_TRUE(menuOpen);
    session_->press({QStringLiteral("a")}); // "常に手前に表示(&A)" in the open menu

    // The window system re-creates the window to change its stacking: find it again.
    QString above;
    ASSERT_TRUE(WaitUntil([&] {
        above = WindowKeptAbove(*session_, zelvar->pid(), CalendarTitle);
        return !above.isEmpty();
    }));
    session_->keys(above, {QStringLiteral("alt+x")}); // "終了(&X)"
    ASSERT_TRUE(zelvar->waitForEnd());
    EXPECT_EQ(ReadFile(settingsFile()), "[MainForm]\r\nAlwaysOnTop=1\r\n");
}

TEST_F(ProgramsOnADesktop, AHolidayAddedInKorinsetShowsInANewCalendarInColourWithItsToolTip) {
    // A second 山の日, on a weekday of June (a month without holidays) next year.
    const int year = QDate::currentDate().year() + 1;
    const int day = WeekdayInJune(year);
    ASSERT_TRUE(holidaysOf(year, 6).empty());

    auto editor = start("Korinset");
    const auto main = session_->waitForWindow(editor->pid(), EditorTitle);
    ASSERT_TRUE(main.has_value()) << editor->errors().toStdString();
    const auto holidays =
        EnterHoliday(*session_, editor->pid(), *main, {QStringLiteral("山の日"), year, 6, day},
                     NameTyping::Once, 20s);
    ASSERT_TRUE(holidays.has_value()) << "no holiday editor";
    ASSERT_TRUE(SaveHolidays(*session_, editor->pid(), *holidays, 20s))
        << "no confirmation, or the holiday editor stayed open";
    session_->keys(*main, {QStringLiteral("alt+x")});
    ASSERT_TRUE(editor->waitForEnd());

    // The file holds the new line in the editor's format, in code page 932.
    const std::string line = "\x8e\x52\x82\xcc\x93\xfa,1,6," + std::to_string(day) + ",,," +
                             std::to_string(year) + ",\r\n";
    EXPECT_NE(ReadFile(copy_->prefix / "Korin1.csv").find(line), std::string::npos);

    // korin answers from the same files.
    const QString date = QStringLiteral("%1%2").arg(year).arg(600 + day, 4, 10, QLatin1Char('0'));
    const RunResult name = RunProgram(QString::fromStdString((copy_->prefix / "korin").string()),
                                      {QStringLiteral("name"), date}, environment_);
    EXPECT_EQ(name.exitCode, 0);
    EXPECT_EQ(name.out, QStringLiteral("山の日\n"));
    EXPECT_EQ(holidaysOf(year, 6), std::set<int>{day});

    // A new calendar shows June of that year with the day in the holiday colour.
    auto [zelvar, window] = startCalendar();
    ASSERT_FALSE(window.isEmpty());
    const MonthInks june = ExpectedMonth(year, 6, {day});
    const auto read = ShowMonth(*session_, window, year, 6, june, 10s);
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->inks, june) << Describe(read->inks);

    // Its tool tip appears over that day and over no ordinary day, and it is the very picture of
    // the tool tip over the 11th of August, the shipped 山の日.
    const QPoint origin = session_->geometry(window).topLeft();
    const std::size_t cell = 7 + static_cast<std::size_t>(QDate(year, 6, 1).dayOfWeek() % 7) +
                             static_cast<std::size_t>(day) - 1;
    ASSERT_EQ(june[cell], Ink::Holiday);
    const auto tip = toolTipAt(zelvar->pid(), origin + read->centres[cell]);
    ASSERT_TRUE(tip.has_value());
    const QImage added = tip->second;
    ASSERT_FALSE(added.isNull());
    session_->moveMouse(origin.x() + read->centres[cell + 1].x(),
                        origin.y() + read->centres[cell + 1].y());
    EXPECT_TRUE(
        WaitUntil([&] { return session_->windowsOfType(zelvar->pid(), tooltipType).isEmpty(); }));

    session_->keys(window, {QStringLiteral("ctrl+a")});
    session_->type(window, QStringLiteral("8"));
    const MonthInks august = ExpectedMonth(year, 8, holidaysOf(year, 8));
    const auto readAugust = waitForMonth(window, august);
    ASSERT_TRUE(readAugust.has_value());
    ASSERT_EQ(readAugust->inks, august) << Describe(readAugust->inks);
    const std::size_t eleventh =
        7 + static_cast<std::size_t>(QDate(year, 8, 1).dayOfWeek() % 7) + 10;
    const auto shipped = toolTipAt(zelvar->pid(), origin + readAugust->centres[eleventh]);
    ASSERT_TRUE(shipped.has_value());
    EXPECT_EQ(added, shipped->second);
}

TEST_F(ProgramsOnADesktop, TheNotificationAreaIconBringsTheHiddenCalendarBackAndOpensItsMenu) {
    writeSettings("[Option]\r\nTaskTray=1\r\n");
    auto [zelvar, window] = startCalendar();
    ASSERT_FALSE(window.isEmpty());
    const qint64 pid = zelvar->pid();

    // The icon: one window of the program embedded into the notification area, with a picture.
    QStringList icons;
    ASSERT_TRUE(WaitUntil([&] {
        icons = session_->trayIcons(pid);
        return !icons.isEmpty();
    })) << zelvar->errors().toStdString();
    EXPECT_EQ(icons.size(), 1);
    const QRect icon = session_->geometry(icons.first());
    EXPECT_GT(icon.width(), 0);
    EXPECT_GT(icon.height(), 0);
    EXPECT_LE(icon.height(), 24) << "inside the notification area's 24 pixels";
    const QImage picture = session_->grab(icons.first());
    ASSERT_FALSE(picture.isNull());
    std::set<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            colours.insert(picture.pixel(x, y));
        }
    }
    EXPECT_GT(colours.size(), 4U) << "the program's icon, not an empty window";
    const QPoint centre = icon.center();

    // A menu of the program that opens after a right click on the icon, where the pointer is.
    auto openMenu = [&]() -> std::optional<QRect> {
        const QStringList menus = openMenuAt(pid, centre);
        EXPECT_EQ(menus.size(), 1) << menus.join(QLatin1Char(' ')).toStdString();
        if (menus.size() != 1) {
            return std::nullopt;
        }
        return session_->geometry(menus.first());
    };

    // Minimizing hides the window into the icon, and the program goes on.
    session_->minimize(window);
    ASSERT_TRUE(WaitUntil([&] { return !session_->windowVisible(window); }));
    EXPECT_TRUE(zelvar->running());

    // The icon's menu opens also while the window is hidden; Escape closes it, and the window
    // stays hidden.
    const auto hiddenMenu = openMenu();
    ASSERT_TRUE(hiddenMenu.has_value());
    EXPECT_TRUE(hiddenMenu->adjusted(-3, -3, 3, 3).contains(centre))
        << "menu at " << hiddenMenu->x() << "," << hiddenMenu->y() << " " << hiddenMenu->width()
        << "x" << hiddenMenu->height();
    EXPECT_GT(hiddenMenu->height(), hiddenMenu->width() / 2) << "a column of commands";
    session_->press({QStringLiteral("Escape")});
    EXPECT_TRUE(WaitUntil([&] { return session_->popupMenus(pid).isEmpty(); }));
    EXPECT_FALSE(session_->windowVisible(window));
    EXPECT_TRUE(session_->windows(pid, CalendarTitle).isEmpty());

    // A left click shows the calendar again, painted, in its normal state and with the focus.
    session_->click(centre.x(), centre.y());
    const auto shown = session_->waitForWindow(pid, CalendarTitle, 10s);
    ASSERT_TRUE(shown.has_value());
    EXPECT_TRUE(WaitUntil([&] { return ReadMonth(session_->grab(*shown)).has_value(); }, 10s));
    EXPECT_FALSE(session_->states(*shown).contains(QStringLiteral("_NET_WM_STATE_HIDDEN")));
    EXPECT_TRUE(WaitUntil([&] { return session_->activeWindow() == *shown; }));

    // Covered by another program's window, the calendar comes to the front on a left click.
    auto editor = start("Korinset");
    const auto other = session_->waitForWindow(editor->pid(), EditorTitle);
    ASSERT_TRUE(other.has_value()) << editor->errors().toStdString();
    session_->activate(*other);
    ASSERT_TRUE(WaitUntil([&] {
        return session_->activeWindow() == *other && session_->stackedAbove(*other, *shown);
    }));
    // The icon shows the calendar on every single click; the session's clicks never make a
    // double click of this one and the one that showed the calendar.
    session_->click(centre.x(), centre.y());
    const bool cameToFront = WaitUntil([&] {
        return session_->activeWindow() == *shown && session_->stackedAbove(*shown, *other);
    });
    EXPECT_TRUE(cameToFront) << session_->describe({*shown, *other});
    session_->keys(*other, {QStringLiteral("alt+x")});
    EXPECT_TRUE(editor->waitForEnd());

    // With the window shown the menu opens just the same, and Escape leaves the window as it was.
    const auto shownMenu = openMenu();
    ASSERT_TRUE(shownMenu.has_value());
    EXPECT_TRUE(shownMenu->adjusted(-3, -3, 3, 3).contains(centre));
    session_->press({QStringLiteral("Escape")});
    EXPECT_TRUE(WaitUntil([&] { return session_->popupMenus(pid).isEmpty(); }));
    EXPECT_TRUE(session_->windowVisible(*shown));

    session_->keys(*shown, {QStringLiteral("alt+x")});
    ASSERT_TRUE(zelvar->waitForEnd());
    EXPECT_EQ(zelvar->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(zelvar->exitCode(), 0);
}

TEST_F(ProgramsOnADesktop, ExitEndsTheProgramWithAndWithoutTitleBarAndIcon) {
    for (const int showMenu : {1, 0}) {
        for (const int taskTray : {1, 0}) {
            const std::string combination =
                "ShowMenu=" + std::to_string(showMenu) + " TaskTray=" + std::to_string(taskTray);
            SCOPED_TRACE(combination);
            writeSettings("[Option]\r\nShowMenu=" + std::to_string(showMenu) +
                          "\r\nTaskTray=" + std::to_string(taskTray) + "\r\n");
            auto zelvar = start("Zelvar");
            const qint64 pid = zelvar->pid();
            if (showMenu == 1) {
                const auto window = session_->waitForWindow(pid, CalendarTitle);
                ASSERT_TRUE(window.has_value()) << zelvar->errors().toStdString();
                session_->keys(*window, {QStringLiteral("alt+x")}); // "終了(&X)"
            } else {
                // The window without title bar carries the program's name, as the icon does.
                QString window;
                ASSERT_TRUE(WaitUntil([&] {
                    const QStringList icons = session_->trayIcons(pid);
                    for (const QString& id : session_->windows(pid, QStringLiteral("Zelvar"))) {
                        if (!icons.contains(id) && session_->geometry(id).width() > 100) {
                            window = id;
                            return true;
                        }
                    }
                    return false;
                })) << zelvar->errors().toStdString();
                // Its own popup menu on the right button, "終了(&X)" by its key.
                const QStringList menus = openMenuAt(pid, session_->geometry(window).center());
                ASSERT_EQ(menus.size(), 1);
                session_->press({QStringLiteral("x")});
            }
            EXPECT_TRUE(zelvar->waitForEnd(20s)) << "the program goes on without a window";
            EXPECT_EQ(zelvar->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(zelvar->exitCode(), 0);
        }
    }
}

TEST_F(ProgramsOnADesktop, AlwaysOnTopStaysAfterTheCalendarWasMinimizedIntoTheIconAndClickedBack) {
    writeSettings("[Option]\r\nTaskTray=1\r\n[MainForm]\r\nAlwaysOnTop=1\r\n");
    auto zelvar = start("Zelvar");
    const qint64 pid = zelvar->pid();
    const QString above = QStringLiteral("_NET_WM_STATE_ABOVE");
    QString window;
    ASSERT_TRUE(WaitUntil([&] {
        window = WindowKeptAbove(*session_, pid, CalendarTitle);
        return !window.isEmpty();
    })) << zelvar->errors().toStdString();
    const auto icon = waitForIcon(pid);
    ASSERT_TRUE(icon.has_value());

    // The title bar's minimize button hides the calendar into the icon; a click brings it back.
    session_->minimize(window);
    ASSERT_TRUE(WaitUntil([&] { return session_->windows(pid, CalendarTitle).isEmpty(); }));
    session_->click(icon->x(), icon->y());
    const auto shown = session_->waitForWindow(pid, CalendarTitle);
    ASSERT_TRUE(shown.has_value());
    EXPECT_TRUE(WaitUntil([&] { return session_->states(*shown).contains(above); }))
        << session_->states(*shown).join(QLatin1Char(' ')).toStdString();

    // Another program's window that takes the focus stays below it.
    auto editor = start("Korinset");
    const auto other = session_->waitForWindow(editor->pid(), EditorTitle);
    ASSERT_TRUE(other.has_value()) << editor->errors().toStdString();
    session_->activate(*other);
    ASSERT_TRUE(WaitUntil([&] { return session_->activeWindow() == *other; }));
    EXPECT_TRUE(WaitUntil([&] { return session_->stackedAbove(*shown, *other); }));
    session_->keys(*other, {QStringLiteral("alt+x")});
    EXPECT_TRUE(editor->waitForEnd());

    session_->keys(*shown, {QStringLiteral("alt+x")});
    ASSERT_TRUE(zelvar->waitForEnd());
    EXPECT_EQ(ReadFile(settingsFile()).find("AlwaysOnTop=0"), std::string::npos);
}

TEST_F(ProgramsOnADesktop, WithATransparentBackgroundTheMenuBarTakesAClickBesideItsCommands) {
    writeSettings("[Option]\r\nTransparent=1\r\n");
    auto [zelvar, window] = startCalendar();
    ASSERT_FALSE(window.isEmpty());
    // Another program's window, away from the calendar, has the focus.
    auto editor = start("Korinset");
    const auto other = session_->waitForWindow(editor->pid(), EditorTitle);
    ASSERT_TRUE(other.has_value()) << editor->errors().toStdString();
    session_->moveWindow(*other, 0, 0);
    session_->activate(*other);
    const QRect calendar = session_->geometry(window);
    ASSERT_TRUE(WaitUntil([&] {
        return session_->activeWindow() == *other &&
               !session_->geometry(*other).intersects(calendar.adjusted(-8, -30, 8, 8));
    }));

    // The right end of the menu bar, beside its commands: the click lands on the calendar,
    // which takes the focus, and not on the desktop behind it.
    session_->click(calendar.right() - 3, calendar.top() + 4);
    EXPECT_TRUE(WaitUntil([&] { return session_->activeWindow() == window; }));

    session_->keys(*other, {QStringLiteral("alt+x")});
    EXPECT_TRUE(editor->waitForEnd());
    session_->keys(window, {QStringLiteral("alt+x")});
    ASSERT_TRUE(zelvar->waitForEnd());
}

} // namespace
