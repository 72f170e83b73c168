#include "e2e_support.h"

#include <QByteArray>
#include <QDir>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <set>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace e2e {

namespace {

QString path(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

// Starts Xvfb on the first free display and returns its pid and display number; the server
// writes the number into a pipe once it accepts connections (-displayfd), so nobody guesses.
std::optional<std::pair<int, QString>> startServer() {
    int fds[2];
    if (pipe(fds) != 0) {
        return std::nullopt;
    }
    const std::string fd = std::to_string(fds[1]);
    std::vector<std::string> words = {"Xvfb",         "-displayfd", fd,    "-screen", "0",
                                      "1280x1024x24", "-nolisten",  "tcp", "-noreset"};
    std::vector<char*> argv;
    for (std::string& w : words) {
        argv.push_back(w.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    // The server's own messages would only clutter the test output.
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (failed != 0) {
        close(fds[0]);
        return std::nullopt;
    }
    std::string number;
    pollfd wait{fds[0], POLLIN, 0};
    while (poll(&wait, 1, 20000) > 0) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n') {
            break;
        }
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return std::nullopt;
    }
    return std::make_pair(static_cast<int>(pid),
                          QStringLiteral(":") + QString::fromStdString(number));
}

// A window manager with focus on click, Alt+F4 closing the active window, and a notification
// area at the bottom right. The notification area is the window manager's own, as a desktop's
// panel is: a click on an icon goes to the icon's program and leaves the focus where it is. (A
// notification area of another program, a window the manager gives the focus to on a click,
// would take the focus a moment after the click and so close the menu the click has opened.)
constexpr const char* windowManagerConfig = R"(<?xml version="1.0"?>
<JWM>
  <FocusModel>click</FocusModel>
  <Key mask="A" key="F4">close</Key>
  <Tray x="-1" y="-1" height="24" autohide="off"><Dock/></Tray>
</JWM>
)";

} // namespace

RunResult RunProgram(const QString& program, const QStringList& arguments,
                     const QProcessEnvironment& environment, std::chrono::milliseconds limit) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    RunResult result;
    if (!process.waitForStarted(10000)) {
        result.err = QStringLiteral("cannot start ") + program;
        return result;
    }
    result.finished = process.waitForFinished(static_cast<int>(limit.count()));
    if (!result.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (true) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        QThread::msleep(50);
    }
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool HaveProgram(const QString& name) {
    return !QStandardPaths::findExecutable(name).isEmpty();
}

std::string DesktopEntryValue(const std::string& entry, const std::string& key) {
    std::istringstream lines(entry);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(key + "=", 0) == 0) {
            return line.substr(key.size() + 1);
        }
    }
    return {};
}

InstalledCopy::InstalledCopy(const std::filesystem::path& scratch, std::filesystem::path folder)
    : root(scratch), prefix(folder.empty() ? scratch / "opt" / "zelvar" : std::move(folder)),
      home(scratch / "home") {
    std::filesystem::create_directories(home);
}

QProcessEnvironment InstalledCopy::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), path(home));
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("DESTDIR"));
    env.remove(QStringLiteral("ZELVAR_DESKTOP_INTEGRATION"));
    env.insert(QStringLiteral("PATH"), path(home / ".local" / "bin") + QStringLiteral(":") +
                                           env.value(QStringLiteral("PATH")));
    return env;
}

bool InstalledCopy::install() {
    const RunResult result =
        RunProgram(QStringLiteral(ZELVAR_CMAKE_COMMAND),
                   {QStringLiteral("--install"), QStringLiteral(ZELVAR_BUILD_DIR),
                    QStringLiteral("--prefix"), path(prefix)},
                   environment());
    log = result.out + result.err;
    return result.finished && result.exitCode == 0;
}

RunResult InstalledCopy::uninstall(bool purge) const {
    QStringList arguments = {path(prefix / "uninstall.sh")};
    if (purge) {
        arguments << QStringLiteral("--purge");
    }
    return RunProgram(QStringLiteral("sh"), arguments, environment());
}

XSession::XSession(const std::filesystem::path& scratch) {
    if (!HaveProgram(QStringLiteral("Xvfb"))) {
        skipReason_ = QStringLiteral("Xvfb is not installed (sh scripts/setup.sh installs it)");
        return;
    }
    for (const char* tool : {"xdotool", "xprop", "xwininfo", "import", "jwm"}) {
        if (!HaveProgram(QString::fromLatin1(tool))) {
            skipReason_ = QStringLiteral("%1 is not installed (sh scripts/setup.sh installs it)")
                              .arg(QString::fromLatin1(tool));
            return;
        }
    }
    const auto server = startServer();
    if (!server) {
        skipReason_ = QStringLiteral("Xvfb did not start");
        return;
    }
    serverPid_ = server->first;
    display_ = server->second;

    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("DISPLAY"), display_);
    environment_.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    environment_.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment_.remove(QStringLiteral("QT_QPA_PLATFORM"));

    std::filesystem::create_directories(scratch);
    const std::filesystem::path config = scratch / "jwmrc";
    std::ofstream(config) << windowManagerConfig;
    windowManager_ = std::make_unique<QProcess>();
    windowManager_->setProcessEnvironment(environment_);
    windowManager_->setStandardOutputFile(QProcess::nullDevice());
    windowManager_->setStandardErrorFile(QProcess::nullDevice());
    windowManager_->start(QStringLiteral("jwm"), {QStringLiteral("-f"), path(config)});
    // jwm is ready when it owns the window-manager selection.
    WaitUntil(
        [this] {
            return x(QStringLiteral("xprop"),
                     {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .out.contains(QStringLiteral("window id"));
        },
        10s);
    // The icons are taken once the notification area owns its selection and shows its window.
    WaitUntil([this] { return !notificationAreas().isEmpty(); }, 10s);
}

XSession::~XSession() {
    for (auto* helper : {windowManager_.get()}) {
        if (helper != nullptr && helper->state() != QProcess::NotRunning) {
            helper->terminate();
            if (!helper->waitForFinished(3000)) {
                helper->kill();
                helper->waitForFinished(3000);
            }
        }
    }
    if (serverPid_ > 0) {
        kill(serverPid_, SIGTERM);
        waitpid(serverPid_, nullptr, 0);
    }
}

QProcessEnvironment XSession::environment(QProcessEnvironment base) const {
    for (const QString& key :
         {QStringLiteral("DISPLAY"), QStringLiteral("LANG"), QStringLiteral("LC_ALL")}) {
        base.insert(key, environment_.value(key));
    }
    base.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return base;
}

RunResult XSession::x(const QString& program, const QStringList& arguments) const {
    return RunProgram(program, arguments, environment_, 20s);
}

QStringList XSession::visibleWindows(qint64 pid) const {
    return x(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                         QStringLiteral("--pid"), QString::number(pid)})
        .out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList XSession::windows(qint64 pid, const QString& title) const {
    QStringList matching;
    for (const QString& id : visibleWindows(pid)) {
        if (this->title(id) == title) {
            matching << id;
        }
    }
    return matching;
}

std::optional<QString> XSession::waitForWindow(qint64 pid, const QString& title,
                                               std::chrono::milliseconds limit) const {
    QStringList found;
    WaitUntil(
        [&] {
            found = windows(pid, title);
            return !found.isEmpty();
        },
        limit);
    if (found.isEmpty()) {
        return std::nullopt;
    }
    return found.last();
}

bool XSession::windowVisible(const QString& id) const {
    return x(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id})
        .out.contains(QStringLiteral("Map State: IsViewable"));
}

QRect XSession::geometry(const QString& id) const {
    // xwininfo gives the inside's absolute position also under a reparenting window manager.
    const RunResult info = x(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
    QRect rect;
    for (const QString& line : info.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString key = line.section(QLatin1Char(':'), 0, 0).trimmed();
        const int value = line.section(QLatin1Char(':'), 1).trimmed().toInt();
        if (key == QStringLiteral("Absolute upper-left X")) {
            rect.moveLeft(value);
        } else if (key == QStringLiteral("Absolute upper-left Y")) {
            rect.moveTop(value);
        } else if (key == QStringLiteral("Width")) {
            rect.setWidth(value);
        } else if (key == QStringLiteral("Height")) {
            rect.setHeight(value);
        }
    }
    return rect;
}

QString XSession::title(const QString& id) const {
    return x(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), id}).out.trimmed();
}

namespace {

// A window id as xdotool (decimal) or xwininfo (hexadecimal) writes it; 0 for none.
unsigned long long windowNumber(const QString& id) {
    return id.trimmed().toULongLong(nullptr, 0);
}

// The atoms of an xprop line "NAME(ATOM) = A, B, C".
QStringList atomList(const QString& line) {
    QStringList result;
    if (!line.contains(QLatin1Char('='))) {
        return result;
    }
    for (const QString& atom :
         line.section(QLatin1Char('='), 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        result << atom.trimmed();
    }
    return result;
}

} // namespace

QStringList XSession::windowTypes(const QString& id) const {
    return atomList(x(QStringLiteral("xprop"),
                      {QStringLiteral("-id"), id, QStringLiteral("_NET_WM_WINDOW_TYPE")})
                        .out.trimmed());
}

QStringList XSession::states(const QString& id) const {
    return atomList(
        x(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_WM_STATE")})
            .out.trimmed());
}

QStringList XSession::notificationAreas() const {
    QStringList areas;
    const QString tree =
        x(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-children")}).out;
    for (const QString& line : tree.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString id = line.trimmed().section(QLatin1Char(' '), 0, 0);
        if (id.startsWith(QStringLiteral("0x")) &&
            windowTypes(id).contains(QStringLiteral("_NET_WM_WINDOW_TYPE_DOCK"))) {
            areas << id;
        }
    }
    return areas;
}

QStringList XSession::windowsOfType(qint64 pid, const QString& type) const {
    QStringList matching;
    for (const QString& id : visibleWindows(pid)) {
        const QStringList types = windowTypes(id);
        if (types.contains(type)) {
            matching << id;
        }
    }
    return matching;
}

QStringList XSession::popupMenus(qint64 pid) const {
    QStringList menus;
    for (const QString& id : visibleWindows(pid)) {
        if (!parent(id).isEmpty() ||
            !x(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id})
                 .out.contains(QStringLiteral("Override Redirect State: yes"))) {
            continue;
        }
        const QStringList types = windowTypes(id);
        if (!types.contains(QStringLiteral("_NET_WM_WINDOW_TYPE_TOOLTIP"))) {
            menus << id;
        }
    }
    return menus;
}

QStringList XSession::trayIcons(qint64 pid) const {
    std::set<unsigned long long> hosts;
    for (const QString& id : notificationAreas()) {
        hosts.insert(windowNumber(id));
    }
    QStringList icons;
    for (const QString& id : visibleWindows(pid)) {
        const QStringList up = ancestors(id);
        if (std::any_of(up.begin(), up.end(),
                        [&](const QString& window) { return hosts.count(windowNumber(window)); })) {
            icons << id;
        }
    }
    return icons;
}

QString XSession::activeWindow() const {
    return x(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}).out.trimmed();
}

bool XSession::stackedAbove(const QString& upper, const QString& lower) const {
    auto topLevel = [this](const QString& id) {
        const QStringList up = ancestors(id);
        return windowNumber(up.isEmpty() ? id : up.last());
    };
    const unsigned long long upperFrame = topLevel(upper);
    const unsigned long long lowerFrame = topLevel(lower);
    // xwininfo lists the root's children topmost first.
    const RunResult tree =
        x(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-children")});
    for (const QString& line : tree.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString text = line.trimmed();
        if (!text.startsWith(QStringLiteral("0x"))) {
            continue;
        }
        const unsigned long long window = windowNumber(text.section(QLatin1Char(' '), 0, 0));
        if (window == upperFrame) {
            return true;
        }
        if (window == lowerFrame) {
            return false;
        }
    }
    return false;
}

std::string XSession::describe(const QStringList& ids) const {
    QStringList order;
    const RunResult tree =
        x(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-children")});
    for (const QString& line : tree.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString text = line.trimmed();
        if (text.startsWith(QStringLiteral("0x"))) {
            order << QString::number(windowNumber(text.section(QLatin1Char(' '), 0, 0)));
        }
    }
    QString report =
        QStringLiteral("active %1, focus %2")
            .arg(activeWindow(),
                 x(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")}).out.trimmed());
    for (const QString& id : ids) {
        const QStringList up = ancestors(id);
        const QString frame = QString::number(windowNumber(up.isEmpty() ? id : up.last()));
        report +=
            QStringLiteral("; %1: frame %2, %3 from the top, %4")
                .arg(id, frame, QString::number(order.indexOf(frame)),
                     windowVisible(id) ? QStringLiteral("mapped") : QStringLiteral("not mapped"));
    }
    return report.toStdString();
}

QString XSession::parent(const QString& id) const {
    const RunResult info =
        x(QStringLiteral("xwininfo"), {QStringLiteral("-children"), QStringLiteral("-id"), id});
    for (const QString& line : info.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString text = line.trimmed();
        if (text.startsWith(QStringLiteral("Parent window id:"))) {
            if (text.contains(QStringLiteral("(the root window)"))) {
                return {};
            }
            const QString number = text.section(QLatin1Char(' '), 3, 3);
            return windowNumber(number) == 0 ? QString() : number;
        }
    }
    return {};
}

QStringList XSession::ancestors(const QString& id) const {
    QStringList up;
    // A window sits a few levels deep at most (client, frame or socket, panel).
    for (QString window = parent(id); !window.isEmpty() && up.size() < 16;
         window = parent(window)) {
        up << window;
    }
    return up;
}

void XSession::activate(const QString& id) const {
    x(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"), id});
    x(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), id});
}

void XSession::keys(const QString& id, const QStringList& keys) const {
    activate(id);
    x(QStringLiteral("xdotool"),
      QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")} + keys);
}

void XSession::press(const QStringList& keys) const {
    x(QStringLiteral("xdotool"),
      QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")} + keys);
}

void XSession::bindKeysFor(const QString& text) const {
    // xdotool types a character the keyboard map lacks by binding it to one spare key for the
    // moment of the key press and rebinding that key for the next such character; a program that
    // reads the press after the rebinding gets the next character ("山の日" arrives as "山日日").
    // Each character gets a key of its own before the typing starts instead.
    QStringList missing;
    for (const uint code : text.toUcs4()) {
        const QString keysym = QStringLiteral("U%1").arg(code, 4, 16, QLatin1Char('0')).toUpper();
        if (code > 0x7e && !boundKeysyms_.contains(keysym) && !missing.contains(keysym)) {
            missing.append(keysym);
        }
    }
    if (missing.isEmpty()) {
        return;
    }
    QStringList freeKeys;
    const QString map = x(QStringLiteral("xmodmap"), {QStringLiteral("-pke")}).out;
    for (const QString& line : map.split(QLatin1Char('\n'))) {
        const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        // "keycode 200 =" with nothing after it: a key without symbols.
        if (parts.size() == 3 && parts[0] == QStringLiteral("keycode") &&
            parts[2] == QStringLiteral("=")) {
            freeKeys.append(parts[1]);
        }
    }
    QStringList expressions;
    // Leave the last free keys to xdotool for anything else.
    while (!missing.isEmpty() && freeKeys.size() > 4) {
        const QString keysym = missing.takeFirst();
        expressions << QStringLiteral("-e")
                    << QStringLiteral("keycode %1 = %2").arg(freeKeys.takeFirst(), keysym);
        boundKeysyms_.append(keysym);
    }
    if (!expressions.isEmpty()) {
        x(QStringLiteral("xmodmap"), expressions);
    }
}

void XSession::type(const QString& id, const QString& text) const {
    bindKeysFor(text);
    activate(id);
    x(QStringLiteral("xdotool"),
      {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("80"), text});
}

void XSession::click(int xPos, int yPos, int button) const {
    // Qt takes a second press of the same button within 400 ms (its double-click interval where
    // no desktop settings give another) and a few pixels of the first for a double click. The
    // first press happened before this clock was read, so the X server's gap is the longer one.
    constexpr auto interval = 400ms + 100ms;
    const auto sinceLast = std::chrono::steady_clock::now() - lastClick_.at;
    if (button == lastClick_.button && std::abs(xPos - lastClick_.x) <= 8 &&
        std::abs(yPos - lastClick_.y) <= 8 && sinceLast < interval) {
        std::this_thread::sleep_for(interval - sinceLast);
    }
    moveMouse(xPos, yPos);
    x(QStringLiteral("xdotool"), {QStringLiteral("click"), QString::number(button)});
    lastClick_ = {xPos, yPos, button, std::chrono::steady_clock::now()};
}

void XSession::moveMouse(int xPos, int yPos) const {
    // xdotool's --sync waits for the pointer to move, which it never does when it is there.
    const QString location =
        x(QStringLiteral("xdotool"), {QStringLiteral("getmouselocation")}).out.trimmed();
    if (location.startsWith(QStringLiteral("x:%1 y:%2 ").arg(xPos).arg(yPos))) {
        return;
    }
    x(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--sync"),
                                  QString::number(xPos), QString::number(yPos)});
}

void XSession::minimize(const QString& id) const {
    x(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), QStringLiteral("--sync"), id});
}

void XSession::moveWindow(const QString& id, int xPos, int yPos) const {
    x(QStringLiteral("xdotool"), {QStringLiteral("windowmove"), QStringLiteral("--sync"), id,
                                  QString::number(xPos), QString::number(yPos)});
}

QImage XSession::grab(const QString& id) const {
    QProcess process;
    process.setProcessEnvironment(environment_);
    process.start(QStringLiteral("import"), {QStringLiteral("-silent"), QStringLiteral("-window"),
                                             id, QStringLiteral("png:-")});
    process.waitForFinished(20000);
    return QImage::fromData(process.readAllStandardOutput(), "PNG");
}

QImage XSession::grabScreen() const {
    return grab(QStringLiteral("root"));
}

RunningProgram::RunningProgram(const QString& program, const QStringList& arguments,
                               const QProcessEnvironment& environment) {
    process_.setProcessEnvironment(environment);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.start(program, arguments);
    process_.waitForStarted(10000);
}

RunningProgram::~RunningProgram() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool RunningProgram::running() const {
    if (process_.state() == QProcess::NotRunning) {
        return false;
    }
    process_.waitForFinished(0); // lets QProcess notice an end that has happened
    return process_.state() != QProcess::NotRunning;
}

bool RunningProgram::waitForEnd(std::chrono::milliseconds limit) {
    if (process_.state() == QProcess::NotRunning) {
        return true;
    }
    return process_.waitForFinished(static_cast<int>(limit.count()));
}

QString RunningProgram::errors() {
    errors_ += QString::fromUtf8(process_.readAllStandardError());
    return errors_;
}

QProcessEnvironment DesktopEnvironment(const XSession& session, const InstalledCopy& copy,
                                       const std::filesystem::path& runtime) {
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    QProcessEnvironment environment = session.environment(copy.environment());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.string()));
    return environment;
}

} // namespace e2e
