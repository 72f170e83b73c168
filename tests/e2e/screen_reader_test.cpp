// The calendar as a screen reader reads it: the installed Zelvar on a desktop (Xvfb, jwm) with
// the accessibility bus of its own D-Bus session, its tree read over AT-SPI by atspi_probe.py
// while the test types into the calendar with xdotool.

#include "installed_desktop.h"
#include "program_steps.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <sys/stat.h>

using namespace e2e;
namespace fs = std::filesystem;

namespace {

const QString probeScript = QStringLiteral(ZELVAR_SOURCE_DIR "/tests/e2e/atspi_probe.py");
const QString python = QStringLiteral("/usr/bin/python3");
constexpr int ProbeSkipped = 77; // the probe's exit code when AT-SPI cannot be used here

// One object of the accessibility tree.
struct Node {
    QString role;
    QString name;
    QString description;
    QStringList states;
};

// The probe in its own D-Bus session: it starts the program there and reads its tree on request.
class AtspiProbe {
public:
    AtspiProbe(const QString& program, const QProcessEnvironment& environment) {
        process_.setProcessEnvironment(environment);
        process_.start(QStringLiteral("dbus-run-session"),
                       {QStringLiteral("--"), python, probeScript, program});
        const QJsonObject started = readAnswer(60s);
        pid_ = started.value(QStringLiteral("pid")).toInteger(-1);
    }
    ~AtspiProbe() {
        if (process_.state() != QProcess::NotRunning) {
            process_.write("quit\n");
            if (!process_.waitForFinished(20000)) {
                process_.kill();
                process_.waitForFinished(5000);
            }
        }
    }
    AtspiProbe(const AtspiProbe&) = delete;
    AtspiProbe& operator=(const AtspiProbe&) = delete;

    [[nodiscard]] qint64 pid() const { return pid_; }
    // Whether the probe ended because AT-SPI cannot be used here (the reason is in errors()).
    [[nodiscard]] bool skipped() const {
        return process_.state() == QProcess::NotRunning && process_.exitCode() == ProbeSkipped;
    }
    [[nodiscard]] QString errors() {
        return errors_ + QString::fromUtf8(process_.readAllStandardError());
    }

    // The program's whole tree; empty with the reason in errors() when it could not be read.
    std::vector<Node> tree() {
        process_.write("tree\n");
        const QJsonObject answer = readAnswer(120s);
        std::vector<Node> nodes;
        if (answer.contains(QStringLiteral("error"))) {
            errors_ += answer.value(QStringLiteral("error")).toString() + QLatin1Char('\n');
        }
        for (const QJsonValue& value : answer.value(QStringLiteral("tree")).toArray()) {
            const QJsonObject o = value.toObject();
            QStringList states;
            for (const QJsonValue& s : o.value(QStringLiteral("states")).toArray()) {
                states << s.toString();
            }
            nodes.push_back({o.value(QStringLiteral("role")).toString(),
                             o.value(QStringLiteral("name")).toString(),
                             o.value(QStringLiteral("description")).toString(), states});
        }
        return nodes;
    }

    // The changes of names and descriptions announced since the last call, one line each:
    // "<event type>|<role>|<name>|<description>", name and description as they are when the
    // event is delivered.
    QStringList events() {
        process_.write("events\n");
        QStringList lines;
        for (const QJsonValue& value : readAnswer(60s).value(QStringLiteral("events")).toArray()) {
            const QJsonObject o = value.toObject();
            QStringList fields;
            for (const char* key : {"type", "role", "name", "description"}) {
                fields << o.value(QString::fromLatin1(key)).toString();
            }
            lines << fields.join(QLatin1Char('|'));
        }
        return lines;
    }

private:
    // The next answer; the session's own daemons share the probe's output, so lines that are no
    // JSON object are theirs and skipped.
    QJsonObject readAnswer(std::chrono::milliseconds limit) {
        QJsonObject answer;
        WaitUntil(
            [&] {
                process_.waitForReadyRead(50);
                while (process_.canReadLine()) {
                    const QJsonDocument line = QJsonDocument::fromJson(process_.readLine());
                    if (line.isObject()) {
                        answer = line.object();
                        return true;
                    }
                }
                return process_.state() == QProcess::NotRunning;
            },
            limit);
        return answer;
    }

    QProcess process_;
    qint64 pid_ = -1;
    QString errors_;
};

// The day cells of one month in a tree: day → what is read for it.
std::map<int, QString> dayCellsOf(const std::vector<Node>& tree, int year, int month) {
    const QRegularExpression date(QStringLiteral("^%1年%2月(\\d+)日 ").arg(year).arg(month));
    std::map<int, QString> cells;
    for (const Node& node : tree) {
        const QRegularExpressionMatch m = date.match(node.name);
        if (m.hasMatch() && node.states.contains(QStringLiteral("showing"))) {
            cells[m.captured(1).toInt()] = node.name;
        }
    }
    return cells;
}

class ScreenReaderOnADesktop : public InstalledOnADesktop {
protected:
    void SetUp() override {
        for (const char* tool : {"dbus-run-session", "/usr/bin/python3"}) {
            if (!HaveProgram(QString::fromLatin1(tool)) && !fs::exists(tool)) {
                GTEST_SKIP() << tool << " is not installed (sh scripts/setup.sh installs it)";
            }
        }
        InstalledOnADesktop::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        // The probe's own D-Bus session, not the test's.
        environment_.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    }
};

TEST_F(ScreenReaderOnADesktop, DayCellsBoxesAndScrollBarsOfTheCalendarAreReadInWords) {
    AtspiProbe probe(QString::fromStdString((copy_->prefix / "Zelvar").string()), environment_);
    if (probe.skipped()) {
        GTEST_SKIP() << probe.errors().toStdString();
    }
    ASSERT_GT(probe.pid(), 0) << probe.errors().toStdString();
    const auto window = session_->waitForWindow(probe.pid(), CalendarTitle);
    ASSERT_TRUE(window.has_value()) << probe.errors().toStdString();

    // The current month: every day with its full date, today's cell saying so.
    const QDate today = QDate::currentDate();
    std::vector<Node> tree = probe.tree();
    ASSERT_FALSE(tree.empty()) << probe.errors().toStdString();
    const std::map<int, QString> current = dayCellsOf(tree, today.year(), today.month());
    EXPECT_EQ(static_cast<int>(current.size()), today.daysInMonth());
    ASSERT_TRUE(current.count(today.day()) == 1) << "no cell reads today's date";
    EXPECT_TRUE(current.at(today.day()).endsWith(QStringLiteral(" 今日")))
        << current.at(today.day()).toStdString();
    for (const auto& [day, name] : current) {
        EXPECT_EQ(day == today.day(), name.endsWith(QStringLiteral(" 今日"))) << name.toStdString();
    }

    // No entry box or scroll bar goes unnamed.
    QStringList boxesAndBars;
    for (const Node& node : tree) {
        if (node.role == QStringLiteral("text") || node.role == QStringLiteral("scroll bar")) {
            EXPECT_FALSE(node.name.trimmed().isEmpty()) << "an unnamed " << node.role.toStdString();
            boxesAndBars << node.name;
        }
    }
    for (const char* name : {"年", "月", "年の増減", "月の増減"}) {
        EXPECT_TRUE(boxesAndBars.contains(QString::fromUtf8(name))) << name;
    }

    // Typed as a user types: Tab to the year box, 2026 over its text, Tab to the month box, 5.
    probe.events();
    TypeMonth(*session_, *window, 2026, 5);
    std::map<int, QString> may;
    ASSERT_TRUE(WaitUntil(
        [&] {
            tree = probe.tree();
            may = dayCellsOf(tree, 2026, 5);
            return may.size() == 31;
        },
        90s))
        << probe.errors().toStdString();
    EXPECT_EQ(may[3], QStringLiteral("2026年5月3日 日曜日 憲法記念日"));
    EXPECT_EQ(may[4], QStringLiteral("2026年5月4日 月曜日 みどりの日"));
    EXPECT_EQ(may[5], QStringLiteral("2026年5月5日 火曜日 こどもの日"));
    EXPECT_TRUE(may[6].startsWith(QStringLiteral("2026年5月6日 水曜日 振替休日")))
        << may[6].toStdString();
    EXPECT_EQ(may[7], QStringLiteral("2026年5月7日 木曜日"));

    // The month and its era as the window and the era label tell them.
    bool monthTold = false;
    bool eraTold = false;
    for (const Node& node : tree) {
        monthTold = monthTold || (node.name == CalendarTitle &&
                                  node.description == QStringLiteral("2026年5月 祝日4日"));
        eraTold = eraTold || node.name == QStringLiteral("表示中の月の元号: 令和8年");
    }
    EXPECT_TRUE(monthTold);
    EXPECT_TRUE(eraTold);

    // Each month shown on the way was announced once as the window's new description: the years
    // 2, 20, 202 and 2026 as typed, then May; the last one read is May 2026.
    const QStringList announced = probe.events();
    const QString descriptionChange =
        QStringLiteral("object:property-change:accessible-description");
    QStringList months;
    for (const QString& line : announced) {
        const QStringList f = line.split(QLatin1Char('|'));
        if (f.size() == 4 && f[0] == descriptionChange && f[2] == CalendarTitle) {
            months << f[3];
        }
    }
    EXPECT_EQ(months.size(), 5) << announced.join(u'\n').toStdString();
    ASSERT_FALSE(months.isEmpty());
    EXPECT_EQ(months.last(), QStringLiteral("2026年5月 祝日4日"));
}

} // namespace
