// The Debian package on this machine: built from this build with cpack, installed with dpkg, used
// by two unprivileged users on a desktop (Xvfb), removed again. Installing needs root, so the test
// runs only as root (as CI does) and never touches a zelvar package installed before it.

#include "e2e_support.h"
#include "month_picture.h"
#include "program_steps.h"
#include "tests/support/temp_folder.h"

#include <QDate>
#include <QFileInfo>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <pwd.h>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace e2e;
namespace fs = std::filesystem;

namespace {

const fs::path sourceDir = ZELVAR_SOURCE_DIR;
const fs::path programFolder = "/usr/lib/zelvar";
const QString popupMenuType = QStringLiteral("_NET_WM_WINDOW_TYPE_POPUP_MENU");

QString text(const fs::path& path) {
    return QString::fromStdString(path.string());
}

bool packageInstalled() {
    const RunResult status = RunProgram(
        QStringLiteral("dpkg-query"),
        {QStringLiteral("-W"), QStringLiteral("-f=${db:Status-Status}"), QStringLiteral("zelvar")});
    return status.exitCode == 0 && status.out.trimmed() == QStringLiteral("installed");
}

// Removes the package when the test left it installed, whatever went wrong.
struct RemoveOnExit {
    ~RemoveOnExit() {
        if (armed && packageInstalled()) {
            RunProgram(QStringLiteral("dpkg"), {QStringLiteral("-r"), QStringLiteral("zelvar")});
        }
    }
    bool armed = false;
};

// An unprivileged user with a home and a runtime folder of its own in the scratch folder.
struct User {
    User(const fs::path& scratch, const std::string& name, uid_t id, gid_t group)
        : uid(id), gid(group), home(scratch / (name + "-home")),
          runtime(scratch / (name + "-runtime")) {
        for (const fs::path& folder : {home, runtime}) {
            fs::create_directories(folder);
            EXPECT_EQ(::chown(folder.c_str(), uid, gid), 0);
        }
        fs::permissions(runtime, fs::perms::owner_all);
    }

    // `program` with `arguments` as this user: setpriv replaces itself with the program, so the
    // process id is the program's.
    [[nodiscard]] QStringList as(const QString& program, const QStringList& arguments) const {
        return QStringList{QStringLiteral("--reuid"),
                           QString::number(uid),
                           QStringLiteral("--regid"),
                           QString::number(gid),
                           QStringLiteral("--clear-groups"),
                           QStringLiteral("--"),
                           program} +
               arguments;
    }

    // A login-like environment: the user's HOME and runtime folder, the system's PATH, no XDG
    // folders of the test's own.
    [[nodiscard]] QProcessEnvironment environment(const XSession& session) const {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("HOME"), text(home));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), text(runtime));
        environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        return session.environment(environment);
    }

    uid_t uid;
    gid_t gid;
    fs::path home;
    fs::path runtime;
};

std::unique_ptr<RunningProgram> startAs(const User& user, const XSession& session,
                                        const QString& program) {
    return std::make_unique<RunningProgram>(QStringLiteral("setpriv"), user.as(program, {}),
                                            user.environment(session));
}

RunResult korinAs(const User& user, const XSession& session, const QStringList& arguments) {
    // By name, through PATH, as a user calls it.
    return RunProgram(QStringLiteral("setpriv"), user.as(QStringLiteral("korin"), arguments),
                      user.environment(session));
}

} // namespace

TEST(Package, InstallsForEveryUserKeepsEachUsersFilesApartAndRemovesCleanly) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "installing a package with dpkg needs root";
    }
    for (const char* tool : {"dpkg", "dpkg-query", "setpriv"}) {
        if (!HaveProgram(QString::fromLatin1(tool))) {
            GTEST_SKIP() << tool << " is not installed";
        }
    }
    if (packageInstalled()) {
        GTEST_SKIP() << "a zelvar package is installed on this machine: left as it is";
    }
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr) {
        GTEST_SKIP() << "there is no user nobody";
    }
    TempFolder scratch;
    fs::permissions(scratch.path(),
                    fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    XSession session(scratch.path() / "x");
    if (!session.ready()) {
        GTEST_SKIP() << session.skipReason().toStdString();
    }

    // The package, made from this build.
    const fs::path cpack = fs::path(ZELVAR_CMAKE_COMMAND).parent_path() / "cpack";
    const RunResult made = RunProgram(text(cpack),
                                      {QStringLiteral("--config"),
                                       text(fs::path(ZELVAR_BUILD_DIR) / "CPackConfig.cmake"),
                                       QStringLiteral("-B"), text(scratch.path() / "package")},
                                      QProcessEnvironment::systemEnvironment(), 600s);
    ASSERT_EQ(made.exitCode, 0) << made.out.toStdString() << made.err.toStdString();
    fs::path deb;
    for (const auto& item : fs::directory_iterator(scratch.path() / "package")) {
        if (item.path().extension() == ".deb") {
            deb = item.path();
        }
    }
    ASSERT_FALSE(deb.empty()) << made.out.toStdString();

    RemoveOnExit removal;
    removal.armed = true;
    const RunResult installed =
        RunProgram(QStringLiteral("dpkg"), {QStringLiteral("-i"), text(deb)},
                   QProcessEnvironment::systemEnvironment(), 300s);
    ASSERT_EQ(installed.exitCode, 0) << installed.out.toStdString() << installed.err.toStdString();
    const QStringList packaged =
        RunProgram(QStringLiteral("dpkg"), {QStringLiteral("-L"), QStringLiteral("zelvar")})
            .out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_TRUE(packaged.contains(QStringLiteral("/usr/bin/korin")));
    ASSERT_TRUE(packaged.contains(QStringLiteral("/usr/lib/zelvar/Zelvar")));
    const std::string shippedHolidays = ReadFile(programFolder / "Korin1.csv");
    ASSERT_EQ(shippedHolidays, ReadFile(sourceDir / "data" / "Korin1.csv"));

    const User first(scratch.path(), "first", nobody->pw_uid, nobody->pw_gid);
    uid_t otherId = 64999;
    while (::getpwuid(otherId) != nullptr) {
        --otherId;
    }
    const User second(scratch.path(), "second", otherId, otherId);

    // korin by name from PATH.
    const RunResult listed =
        korinAs(first, session, {QStringLiteral("holidays"), QStringLiteral("2026")});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_TRUE(listed.out.startsWith(QStringLiteral("2026/01/01\t(木)\t元日\n")))
        << listed.out.toStdString();

    // Zelvar from the desktop entry: a changed setting lands in the user's configuration folder.
    const std::string entry = ReadFile("/usr/share/applications/zelvar.desktop");
    const QString exec = QString::fromStdString(DesktopEntryValue(entry, "Exec"));
    ASSERT_EQ(exec, QStringLiteral("/usr/lib/zelvar/Zelvar"));
    {
        auto zelvar = startAs(first, session, exec);
        const auto window = session.waitForWindow(zelvar->pid(), CalendarTitle);
        ASSERT_TRUE(window.has_value()) << zelvar->errors().toStdString();
        // "今月(&T)" and "ツール(&T)" share their key: Alt+T until the tool menu is open.
        bool menuOpen = false;
        for (int press = 0; press < 3 && !menuOpen; ++press) {
            session.keys(*window, {QStringLiteral("alt+t")});
            menuOpen = WaitUntil(
                [&] { return !session.windowsOfType(zelvar->pid(), popupMenuType).isEmpty(); },
                1500ms);
        }
        ASSERT_TRUE(menuOpen);
        session.press({QStringLiteral("a")}); // "常に手前に表示(&A)"
        QString above;
        ASSERT_TRUE(WaitUntil([&] {
            above = WindowKeptAbove(session, zelvar->pid(), CalendarTitle);
            return !above.isEmpty();
        }));
        session.keys(above, {QStringLiteral("alt+x")}); // "終了(&X)"
        ASSERT_TRUE(zelvar->waitForEnd());
    }
    EXPECT_EQ(ReadFile(first.home / ".config" / "zelvar" / "Zelvar.ini"),
              "[MainForm]\r\nAlwaysOnTop=1\r\n");
    EXPECT_FALSE(fs::exists(programFolder / "Zelvar.ini"));

    // Korinset saves a new holiday into the user's data folder; the shipped file stays.
    const int year = QDate::currentDate().year() + 1;
    const int day = WeekdayInJune(year);
    {
        auto editor = startAs(first, session, QStringLiteral("/usr/lib/zelvar/Korinset"));
        const auto main = session.waitForWindow(editor->pid(), EditorTitle);
        ASSERT_TRUE(main.has_value()) << editor->errors().toStdString();
        const auto holidays =
            EnterHoliday(session, editor->pid(), *main, {QStringLiteral("山の日"), year, 6, day},
                         NameTyping::Once, 20s);
        ASSERT_TRUE(holidays.has_value()) << "no holiday editor";
        ASSERT_TRUE(SaveHolidays(session, editor->pid(), *holidays, 20s))
            << "no confirmation, or the holiday editor stayed open";
        session.keys(*main, {QStringLiteral("alt+x")});
        ASSERT_TRUE(editor->waitForEnd());
    }
    const fs::path saved = first.home / ".local" / "share" / "zelvar" / "Korin1.csv";
    const std::string line = "\x8e\x52\x82\xcc\x93\xfa,1,6," + std::to_string(day) + ",,," +
                             std::to_string(year) + ",\r\n";
    EXPECT_NE(ReadFile(saved).find(line), std::string::npos);
    EXPECT_EQ(ReadFile(programFolder / "Korin1.csv"), shippedHolidays);
    EXPECT_FALSE(fs::exists(first.home / ".local" / "share" / "zelvar" / "Korin2.csv"));

    // The calendar of `user`, started again, shows June of that year with `holidays` in the
    // holiday colour, and ends with "終了(&X)".
    auto expectJuneAs = [&](const User& user, const std::set<int>& holidays) {
        auto zelvar = startAs(user, session, exec);
        const auto window = session.waitForWindow(zelvar->pid(), CalendarTitle);
        ASSERT_TRUE(window.has_value()) << zelvar->errors().toStdString();
        const MonthInks june = ExpectedMonth(year, 6, holidays);
        const auto read = ShowMonth(session, *window, year, 6, june, 15s);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->inks, june) << Describe(read->inks);
        session.keys(*window, {QStringLiteral("alt+x")});
        ASSERT_TRUE(zelvar->waitForEnd());
    };

    // A calendar started again shows it; korin knows it too.
    const QString date = QStringLiteral("%1%2").arg(year).arg(600 + day, 4, 10, QLatin1Char('0'));
    EXPECT_EQ(korinAs(first, session, {QStringLiteral("name"), date}).out,
              QStringLiteral("山の日\n"));
    ASSERT_NO_FATAL_FAILURE(expectJuneAs(first, {day}));

    // Another user sees the shipped holidays, not the first user's.
    EXPECT_EQ(korinAs(second, session, {QStringLiteral("name"), date}).exitCode, 1);
    ASSERT_NO_FATAL_FAILURE(expectJuneAs(second, {}));

    // Removing it leaves nothing of the package behind (the users' own files are theirs).
    const RunResult removed =
        RunProgram(QStringLiteral("dpkg"), {QStringLiteral("-r"), QStringLiteral("zelvar")},
                   QProcessEnvironment::systemEnvironment(), 300s);
    ASSERT_EQ(removed.exitCode, 0) << removed.err.toStdString();
    EXPECT_FALSE(packageInstalled());
    for (const QString& path : packaged) {
        const fs::path file = path.toStdString();
        if (!fs::is_directory(fs::symlink_status(file))) {
            EXPECT_FALSE(fs::exists(fs::symlink_status(file))) << path.toStdString();
        }
    }
    EXPECT_FALSE(fs::exists(programFolder));
    EXPECT_TRUE(fs::exists(saved));
}
