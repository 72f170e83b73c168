// The Windows programs from the zip a Windows user downloads, run under Wine on a desktop (Xvfb,
// jwm) and driven with keys through xdotool: the calendar shows the current month in its colours,
// Korinset saves a new holiday, and korin.exe and a restarted calendar show it.
//
// Built with the Linux tests, run by the Windows round (build/windows), which names the zip and
// the Wine wrapper in ZELVAR_WINDOWS_ZIP and ZELVAR_WINE_RUN. With ZELVAR_SCREENSHOT_DIR set it
// also saves pictures of the windows there (windows-*.png).

#include "e2e_support.h"
#include "month_picture.h"
#include "tests/support/temp_folder.h"

#include <QDate>
#include <QImage>
#include <QProcessEnvironment>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <set>

using namespace e2e;
namespace fs = std::filesystem;

namespace {

const QString calendarTitle = QStringLiteral("カレンダー");
const QString editorTitle = QStringLiteral("日付操作モジュールのパラメータ設定");
const QString holidayEditorTitle = QStringLiteral("祝日の設定");

QString environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? QString() : QString::fromLocal8Bit(value);
}

class WindowsProgramsUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        zip_ = environmentValue("ZELVAR_WINDOWS_ZIP");
        wineRun_ = environmentValue("ZELVAR_WINE_RUN");
        if (zip_.isEmpty() || wineRun_.isEmpty() || !fs::exists(zip_.toStdString())) {
            GTEST_SKIP() << "no Windows build to run (ZELVAR_WINDOWS_ZIP, ZELVAR_WINE_RUN)";
        }
        session_ = std::make_unique<XSession>(scratch_.path() / "x");
        if (!session_->ready()) {
            GTEST_SKIP() << session_->skipReason().toStdString();
        }
        // The zip as a Windows user gets it, unpacked into a folder of its own.
        folder_ = scratch_.path() / "Zelvar";
        fs::create_directories(folder_);
        QProcessEnvironment unpackEnvironment = QProcessEnvironment::systemEnvironment();
        const RunResult unpacked =
            RunProgram(QStringLiteral("sh"),
                       {QStringLiteral("-c"), QStringLiteral("cd \"$1\" && cmake -E tar xf \"$2\""),
                        QStringLiteral("sh"), QString::fromStdString(folder_.string()), zip_},
                       unpackEnvironment);
        ASSERT_EQ(unpacked.exitCode, 0) << unpacked.err.toStdString();
        ASSERT_TRUE(fs::exists(folder_ / "Zelvar.exe"));

        // Wine in Japanese, with only the zip's own DLLs and plugins (ZELVAR_WINE_PLAIN).
        environment_ = session_->environment(QProcessEnvironment::systemEnvironment());
        environment_.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment_.insert(QStringLiteral("LANG"), QStringLiteral("ja_JP.UTF-8"));
        environment_.insert(QStringLiteral("LC_ALL"), QStringLiteral("ja_JP.UTF-8"));
        environment_.insert(QStringLiteral("ZELVAR_WINE_PLAIN"), QStringLiteral("1"));
    }

    std::unique_ptr<RunningProgram> start(const char* program) const {
        return std::make_unique<RunningProgram>(
            wineRun_, QStringList{QString::fromStdString((folder_ / program).string())},
            environment_);
    }

    // Starts Zelvar.exe and waits for its calendar window (Wine's first start is slow).
    std::pair<std::unique_ptr<RunningProgram>, QString> startCalendar() const {
        auto zelvar = start("Zelvar.exe");
        const auto window = session_->waitForWindow(zelvar->pid(), calendarTitle, 90s);
        EXPECT_TRUE(window.has_value()) << zelvar->errors().toStdString();
        return {std::move(zelvar), window.value_or(QString())};
    }

    RunResult korin(const QStringList& arguments) const {
        return RunProgram(wineRun_,
                          QStringList{QString::fromStdString((folder_ / "korin.exe").string())} +
                              arguments,
                          environment_);
    }

    // The holidays (days) of one month, as korin.exe lists them.
    std::set<int> holidaysOf(int year, int month) const {
        const RunResult listed = korin({QStringLiteral("holidays"), QString::number(year)});
        EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
        EXPECT_FALSE(listed.out.contains(QLatin1Char('\r'))) << "korin.exe wrote CR LF";
        return HolidayDaysIn(listed.out, year, month);
    }

    std::optional<MonthPicture> waitForMonth(const QString& window,
                                             const MonthInks& expected) const {
        std::optional<MonthPicture> read;
        WaitUntil(
            [&] {
                read = ReadMonth(session_->grab(window));
                return read && read->inks == expected;
            },
            30s);
        return read;
    }

    // A picture of the window once it shows more than its background.
    QImage painted(const QString& window) const {
        QImage picture;
        WaitUntil(
            [&] {
                picture = session_->grab(window);
                if (picture.isNull()) {
                    return false;
                }
                const QRgb first = picture.pixel(0, 0);
                for (int y = 0; y < picture.height(); y += 2) {
                    for (int x = 0; x < picture.width(); x += 2) {
                        if (picture.pixel(x, y) != first) {
                            return true;
                        }
                    }
                }
                return false;
            },
            30s);
        return picture;
    }

    void screenshot(const QString& name, const QImage& picture) const {
        const QString folder = environmentValue("ZELVAR_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            picture.save(folder + QStringLiteral("/windows-") + name + QStringLiteral(".png"));
        }
    }

    TempFolder scratch_;
    QString zip_;
    QString wineRun_;
    fs::path folder_;
    std::unique_ptr<XSession> session_;
    QProcessEnvironment environment_;
};

TEST_F(WindowsProgramsUnderWine, CalendarInColourKorinsetSavesAHolidayKorinAndTheCalendarShowIt) {
    // The current month, Sundays and holidays in red, Saturdays in blue.
    const QDate today = QDate::currentDate();
    auto [zelvar, window] = startCalendar();
    ASSERT_FALSE(window.isEmpty());
    const MonthInks thisMonth =
        ExpectedMonth(today.year(), today.month(), holidaysOf(today.year(), today.month()));
    const auto shown = waitForMonth(window, thisMonth);
    ASSERT_TRUE(shown.has_value()) << "no month found in the calendar window";
    EXPECT_EQ(shown->inks, thisMonth) << Describe(shown->inks);
    screenshot(QStringLiteral("calendar"), session_->grab(window));
    session_->keys(window, {QStringLiteral("alt+F4")});
    ASSERT_TRUE(zelvar->waitForEnd(60s));

    // A new holiday on a weekday of June (a month without holidays) next year.
    const int year = today.year() + 1;
    int day = 8;
    while (QDate(year, 6, day).dayOfWeek() > 5) {
        ++day;
    }
    ASSERT_TRUE(holidaysOf(year, 6).empty());
    auto editor = start("Korinset.exe");
    const auto main = session_->waitForWindow(editor->pid(), editorTitle, 90s);
    ASSERT_TRUE(main.has_value()) << editor->errors().toStdString();
    screenshot(QStringLiteral("korinset"), painted(*main));
    session_->keys(*main, {QStringLiteral("space")}); // "祝日の設定", the first button
    const auto holidays = session_->waitForWindow(editor->pid(), holidayEditorTitle, 60s);
    ASSERT_TRUE(holidays.has_value());
    session_->keys(*holidays, {QStringLiteral("alt+n")}); // "新規(&N)": the name box has the focus
    // Under Wine the first letters can arrive before the box has the focus: the name is typed
    // again over everything the box then holds.
    session_->type(*holidays, QStringLiteral("Wine"));
    session_->keys(*holidays, {QStringLiteral("ctrl+a")});
    session_->type(*holidays, QStringLiteral("Wine"));
    session_->keys(*holidays, {QStringLiteral("Tab"), QStringLiteral("Tab")});
    session_->type(*holidays, QString::number(year));
    session_->keys(*holidays, {QStringLiteral("Tab")});
    session_->type(*holidays, QStringLiteral("6"));
    session_->keys(*holidays, {QStringLiteral("Tab")});
    session_->type(*holidays, QString::number(day));
    session_->keys(*holidays, {QStringLiteral("alt+o")}); // "決定(&O)"
    screenshot(QStringLiteral("holiday-editor"), session_->grab(*holidays));
    // List, 新規, 変更, 削除, then "更新", confirmed with "はい(&Y)".
    session_->keys(*holidays, {QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"),
                               QStringLiteral("Tab"), QStringLiteral("space")});
    const auto confirm = session_->waitForWindow(editor->pid(), QStringLiteral("確認"), 60s);
    ASSERT_TRUE(confirm.has_value());
    session_->keys(*confirm, {QStringLiteral("alt+y")});
    ASSERT_TRUE(WaitUntil(
        [&] { return session_->windows(editor->pid(), holidayEditorTitle).isEmpty(); }, 60s));
    session_->keys(*main, {QStringLiteral("alt+x")});
    ASSERT_TRUE(editor->waitForEnd(60s));

    // The file holds the new line, over the shipped one it replaced.
    const std::string line =
        "Wine,1,6," + std::to_string(day) + ",,," + std::to_string(year) + ",\r\n";
    EXPECT_NE(ReadFile(folder_ / "Korin1.csv").find(line), std::string::npos);

    // korin.exe answers from it.
    const QString date = QStringLiteral("%1%2").arg(year).arg(600 + day, 4, 10, QLatin1Char('0'));
    const RunResult name = korin({QStringLiteral("name"), date});
    EXPECT_EQ(name.exitCode, 0) << name.err.toStdString();
    EXPECT_EQ(name.out, QStringLiteral("Wine\n"));
    EXPECT_EQ(holidaysOf(year, 6), std::set<int>{day});

    // A restarted calendar shows June of that year with the day in the holiday colour.
    auto [again, window2] = startCalendar();
    ASSERT_FALSE(window2.isEmpty());
    session_->keys(window2, {QStringLiteral("Tab"), QStringLiteral("ctrl+a")});
    session_->type(window2, QString::number(year));
    session_->keys(window2, {QStringLiteral("Tab")});
    session_->type(window2, QStringLiteral("6"));
    const MonthInks june = ExpectedMonth(year, 6, {day});
    const auto read = waitForMonth(window2, june);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->inks, june) << Describe(read->inks);
    screenshot(QStringLiteral("calendar-new-holiday"), session_->grab(window2));
}

} // namespace
