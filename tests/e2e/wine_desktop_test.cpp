// The Windows programs from the zip a Windows user downloads, run under Wine on a desktop (Xvfb,
// jwm) and driven with keys through xdotool: the calendar shows the current month in its colours,
// Korinset saves a new holiday, and korin.exe and a restarted calendar show it.
//
// Built with the Linux tests, run by the Windows round (build/windows), which names the zip and
// the Wine wrapper in ZELVAR_WINDOWS_ZIP and ZELVAR_WINE_RUN. With ZELVAR_SCREENSHOT_DIR set it
// also saves pictures of the windows there (windows-*.png).

#include "e2e_support.h"
#include "month_picture.h"
#include "program_steps.h"
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
        // The zip as a Windows user gets it, unpacked: it holds one folder named as itself.
        const fs::path unzipped = scratch_.path() / "unzipped";
        fs::create_directories(unzipped);
        folder_ = unzipped / fs::path(zip_.toStdString()).stem();
        QProcessEnvironment unpackEnvironment = QProcessEnvironment::systemEnvironment();
        const RunResult unpacked =
            RunProgram(QStringLiteral("sh"),
                       {QStringLiteral("-c"), QStringLiteral("cd \"$1\" && cmake -E tar xf \"$2\""),
                        QStringLiteral("sh"), QString::fromStdString(unzipped.string()), zip_},
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
        const auto window = session_->waitForWindow(zelvar->pid(), CalendarTitle, 90s);
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
        return WaitForMonth(*session_, window, expected, 30s);
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
    const int day = WeekdayInJune(year);
    ASSERT_TRUE(holidaysOf(year, 6).empty());
    auto editor = start("Korinset.exe");
    const auto main = session_->waitForWindow(editor->pid(), EditorTitle, 90s);
    ASSERT_TRUE(main.has_value()) << editor->errors().toStdString();
    screenshot(QStringLiteral("korinset"), painted(*main));
    const auto holidays =
        EnterHoliday(*session_, editor->pid(), *main, {QStringLiteral("Wine"), year, 6, day},
                     NameTyping::Again, 60s);
    ASSERT_TRUE(holidays.has_value()) << "no holiday editor";
    screenshot(QStringLiteral("holiday-editor"), session_->grab(*holidays));
    ASSERT_TRUE(SaveHolidays(*session_, editor->pid(), *holidays, 60s))
        << "no confirmation, or the holiday editor stayed open";
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
    const MonthInks june = ExpectedMonth(year, 6, {day});
    const auto read = ShowMonth(*session_, window2, year, 6, june, 30s);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->inks, june) << Describe(read->inks);
    screenshot(QStringLiteral("calendar-new-holiday"), session_->grab(window2));
}

TEST_F(WindowsProgramsUnderWine, AnInstalledCopyStartsAndKeepsTheUsersFilesInAppData) {
    // The installer beside the zip, installed silently into this round's Wine prefix.
    QString setup = zip_;
    setup.replace(QStringLiteral("-win64.zip"), QStringLiteral("-setup.exe"));
    ASSERT_TRUE(fs::exists(setup.toStdString())) << setup.toStdString();
    const RunResult installed = RunProgram(wineRun_, {setup, QStringLiteral("/S")}, environment_);
    ASSERT_EQ(installed.exitCode, 0) << installed.err.toStdString();
    // A folder of the prefix as a path here.
    const auto unixFolder = [&](const char* variable) {
        const QString windows =
            RunProgram(wineRun_,
                       {QStringLiteral("cmd"), QStringLiteral("/c"), QStringLiteral("echo"),
                        QStringLiteral("%%1%").arg(QString::fromLatin1(variable))},
                       environment_)
                .out.trimmed();
        return fs::path(RunProgram(wineRun_,
                                   {QStringLiteral("winepath"), QStringLiteral("-u"), windows},
                                   environment_)
                            .out.trimmed()
                            .toStdString());
    };
    const fs::path program = unixFolder("LOCALAPPDATA") / "Programs" / "Zelvar";
    const fs::path userFiles = unixFolder("APPDATA") / "Zelvar";
    ASSERT_TRUE(fs::exists(program / "Zelvar.exe")) << program;
    const std::string shipped = ReadFile(program / "Korin1.csv");

    // The calendar starts from the folder its Start-menu entry names and finds its files.
    auto zelvar = std::make_unique<RunningProgram>(
        wineRun_, QStringList{QString::fromStdString((program / "Zelvar.exe").string())},
        environment_);
    const auto window = session_->waitForWindow(zelvar->pid(), CalendarTitle, 90s);
    ASSERT_TRUE(window.has_value()) << zelvar->errors().toStdString();
    session_->keys(*window, {QStringLiteral("alt+F4")});
    ASSERT_TRUE(zelvar->waitForEnd(60s));

    // Korinset saves a holiday into %APPDATA%\Zelvar; the installed file stays as shipped.
    const int year = QDate::currentDate().year() + 2;
    const int day = WeekdayInJune(year);
    auto editor = std::make_unique<RunningProgram>(
        wineRun_, QStringList{QString::fromStdString((program / "Korinset.exe").string())},
        environment_);
    const auto main = session_->waitForWindow(editor->pid(), EditorTitle, 90s);
    ASSERT_TRUE(main.has_value()) << editor->errors().toStdString();
    const auto holidays =
        EnterHoliday(*session_, editor->pid(), *main, {QStringLiteral("Setup"), year, 6, day},
                     NameTyping::Again, 60s);
    ASSERT_TRUE(holidays.has_value()) << "no holiday editor";
    ASSERT_TRUE(SaveHolidays(*session_, editor->pid(), *holidays, 60s))
        << "no confirmation, or the holiday editor stayed open";
    session_->keys(*main, {QStringLiteral("alt+x")});
    ASSERT_TRUE(editor->waitForEnd(60s));
    const std::string line =
        "Setup,1,6," + std::to_string(day) + ",,," + std::to_string(year) + ",\r\n";
    EXPECT_NE(ReadFile(userFiles / "Korin1.csv").find(line), std::string::npos);
    EXPECT_EQ(ReadFile(program / "Korin1.csv"), shipped);

    // Removing the program leaves the user's file.
    const std::string saved = ReadFile(userFiles / "Korin1.csv");
    const RunResult removed = RunProgram(
        wineRun_,
        {QString::fromStdString((program / "Uninstall.exe").string()), QStringLiteral("/S")},
        environment_);
    EXPECT_EQ(removed.exitCode, 0) << removed.err.toStdString();
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(program / "Zelvar.exe"); }, 120s));
    EXPECT_EQ(ReadFile(userFiles / "Korin1.csv"), saved);
    std::error_code ignored;
    fs::remove_all(userFiles, ignored);
}

} // namespace
