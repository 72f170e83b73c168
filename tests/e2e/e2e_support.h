#pragma once

// What the end-to-end tests need around the real programs: running a program to its end,
// installing the build into a scratch folder, and an X session (Xvfb with a window manager and a
// notification-area host) in which windows are found, driven with xdotool and photographed.
// Every wait polls for what the program did, up to a time limit that only bounds a failure.

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace e2e {

using namespace std::chrono_literals;

// A program run to its end.
struct RunResult {
    bool finished = false; // false: still running at the time limit (it was killed)
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs `program` with `arguments` in `environment` and waits for its end, at most `limit`.
RunResult
RunProgram(const QString& program, const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
           std::chrono::milliseconds limit = 120s);

// Polls `condition` every 50 ms until it holds or `limit` has passed; returns its last answer.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 15s);

// The whole contents of a file ("" when it cannot be read).
std::string ReadFile(const std::filesystem::path& path);

// Whether a program of that name is on PATH.
bool HaveProgram(const QString& name);

// The value of `key` in the text of a desktop entry ("" when absent).
std::string DesktopEntryValue(const std::string& entry, const std::string& key);

// The build installed with `cmake --install` into `<root>/opt/zelvar` (or `prefix`), with HOME
// set to `<root>/home` so that the desktop entries, icons and the korin link land there too.
class InstalledCopy {
public:
    explicit InstalledCopy(const std::filesystem::path& root, std::filesystem::path prefix = {});

    // Runs the installation (again); false with the output in `log` when it failed.
    bool install();
    // The folder's uninstall.sh, with --purge when asked.
    RunResult uninstall(bool purge = false) const;

    // HOME, XDG_DATA_HOME unset, PATH with the user's ~/.local/bin first.
    [[nodiscard]] QProcessEnvironment environment() const;

    std::filesystem::path root;
    std::filesystem::path prefix;
    std::filesystem::path home;
    QString log;
};

class XSession;

// The session's environment for the installed copy, with a runtime folder of the test's own
// (made, mode 0700) as XDG_RUNTIME_DIR: the single-instance lock lives there.
QProcessEnvironment DesktopEnvironment(const XSession& session, const InstalledCopy& copy,
                                       const std::filesystem::path& runtime);

// An X server of 1280 x 1024 pixels with jwm and its notification area, ended with the object.
class XSession {
public:
    // Starts the session; ready() tells whether it came up (Xvfb may be missing: see skipReason).
    explicit XSession(const std::filesystem::path& scratch);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    [[nodiscard]] bool ready() const { return !display_.isEmpty(); }
    [[nodiscard]] const QString& skipReason() const { return skipReason_; }
    [[nodiscard]] const QString& display() const { return display_; }

    // `base` with this display, Qt on X11 and a UTF-8 locale for xdotool's typing.
    [[nodiscard]] QProcessEnvironment environment(QProcessEnvironment base) const;

    // The visible windows of process `pid` whose title is `title`, newest last.
    [[nodiscard]] QStringList windows(qint64 pid, const QString& title) const;
    // Waits for such a window and returns its id.
    std::optional<QString> waitForWindow(qint64 pid, const QString& title,
                                         std::chrono::milliseconds limit = 20s) const;
    // Whether the window still exists and is mapped.
    [[nodiscard]] bool windowVisible(const QString& id) const;

    // The window's inside (without the frame of the window manager), in screen pixels.
    [[nodiscard]] QRect geometry(const QString& id) const;
    // The window's title (_NET_WM_NAME).
    [[nodiscard]] QString title(const QString& id) const;
    // The atoms of the window's _NET_WM_STATE ("_NET_WM_STATE_ABOVE", ...).
    [[nodiscard]] QStringList states(const QString& id) const;
    // The visible windows of process `pid` whose _NET_WM_WINDOW_TYPE includes `type`
    // ("_NET_WM_WINDOW_TYPE_TOOLTIP", "_NET_WM_WINDOW_TYPE_POPUP_MENU").
    [[nodiscard]] QStringList windowsOfType(qint64 pid, const QString& type) const;
    // The open popup menus of process `pid`: its visible override-redirect windows straight under
    // the root, tool tips left out. Qt gives a menu's re-created window no menu type, so the
    // type alone does not find every menu.
    [[nodiscard]] QStringList popupMenus(qint64 pid) const;
    // The windows of process `pid` embedded into the notification area: its icons there.
    [[nodiscard]] QStringList trayIcons(qint64 pid) const;
    // The window that has the focus (_NET_ACTIVE_WINDOW), "" when none has it.
    [[nodiscard]] QString activeWindow() const;
    // Whether window `upper` is stacked above window `lower`, both with their frames.
    [[nodiscard]] bool stackedAbove(const QString& upper, const QString& lower) const;
    // For a failure's message: the active window, the window with the keyboard focus, and for
    // each of `ids` its frame, its place from the top among the root's children and whether it
    // is mapped.
    [[nodiscard]] std::string describe(const QStringList& ids) const;

    // Raises and focuses the window, then sends keys ("ctrl+a", "Down", "alt+x") or types text
    // to the focused control.
    void activate(const QString& id) const;
    void keys(const QString& id, const QStringList& keys) const;
    // Keys to whatever has the focus now (an open menu), without activating a window first.
    void press(const QStringList& keys) const;
    void type(const QString& id, const QString& text) const;
    // A click of mouse button `button` (1 left, 3 right) at a point of the screen. A click of the
    // same button at the same point as the one before is made only once the double-click interval
    // has passed since that one, so every click reaches the program as a click of its own: the
    // programs ignore double clicks on the notification-area icon, as the system's icons do.
    void click(int x, int y, int button = 1) const;
    void moveMouse(int x, int y) const;
    // Asks the window manager to minimize the window, as its minimize button does.
    void minimize(const QString& id) const;
    // Moves the window (its frame's top left corner) to a point of the screen.
    void moveWindow(const QString& id, int x, int y) const;

    // A picture of the window's inside, or of the whole screen.
    [[nodiscard]] QImage grab(const QString& id) const;
    [[nodiscard]] QImage grabScreen() const;

private:
    RunResult x(const QString& program, const QStringList& arguments) const;
    // Gives every character of `text` outside ASCII a key of its own in the keyboard map.
    void bindKeysFor(const QString& text) const;
    // The windows that hold notification-area icons (children of the root of the dock type).
    [[nodiscard]] QStringList notificationAreas() const;
    // The ids of the visible windows of process `pid`.
    [[nodiscard]] QStringList visibleWindows(qint64 pid) const;
    // The atoms of the window's _NET_WM_WINDOW_TYPE.
    [[nodiscard]] QStringList windowTypes(const QString& id) const;
    // The window's parent, "" when it is the root (or the window is gone).
    [[nodiscard]] QString parent(const QString& id) const;
    // The window's parent, its parent's parent and so on, up to a child of the root.
    [[nodiscard]] QStringList ancestors(const QString& id) const;

    struct LastClick {
        int x = -1;
        int y = -1;
        int button = 0;
        std::chrono::steady_clock::time_point at;
    };

    QString display_;
    QString skipReason_;
    mutable LastClick lastClick_;
    mutable QStringList boundKeysyms_; // keysyms given a key of their own by bindKeysFor
    int serverPid_ = -1;
    std::unique_ptr<QProcess> windowManager_;
    QProcessEnvironment environment_;
};

// A running program that is ended (killed) with the object if it is still running.
class RunningProgram {
public:
    RunningProgram(const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& environment);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    [[nodiscard]] qint64 pid() const { return process_.processId(); }
    [[nodiscard]] bool running() const;
    // Waits for the end; false when it is still running at the limit.
    bool waitForEnd(std::chrono::milliseconds limit = 15s);
    [[nodiscard]] int exitCode() const { return process_.exitCode(); }
    [[nodiscard]] QProcess::ExitStatus exitStatus() const { return process_.exitStatus(); }
    [[nodiscard]] QString errors();

private:
    mutable QProcess process_;
    QString errors_;
};

} // namespace e2e
