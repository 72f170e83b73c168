#pragma once

// CurrentTrayIconWindow: the window that owns the calendar's notification-area icon. It is never
// shown. The calendar window's load sequence creates it when TaskTray is 1 (which adds the icon)
// and the window's closing sequence destroys it (which deletes the icon). A left click on the icon
// brings the calendar window back; a right click opens the popup menu popupMenu with the window's
// commands. Every command acts on the calendar window in use, CurrentCalendar.

#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <memory>

class CalendarWindow;
class QAction;
class QEventLoopLocker;
class QMenu;
class QTimer;
class TrayIconCall;
class TrayIconService;

class TrayIconWindow final : public QWidget {
    Q_OBJECT

public:
    // The icon of `window`, the calendar window in use; its menu shows the window's commands.
    explicit TrayIconWindow(CalendarWindow& window);
    ~TrayIconWindow() override;
    TrayIconWindow(const TrayIconWindow&) = delete;
    TrayIconWindow& operator=(const TrayIconWindow&) = delete;

    // The popup menu: minimizeCommand, then the calendar window's own commands (the check mark of
    // its alwaysOnTopCommand is the window's).
    QMenu* popupMenu = nullptr;
    QAction* minimizeCommand =
        nullptr; // "最小化(&N)" while the calendar is visible, else "元のサイズに戻す(&R)"

    // Show a MenuAnchorWindow (0 × 0) while the menu is open and the calendar window is hidden.
    bool menuNeedsForegroundWindow;

    // Adds the icon (tip: the program's title; picture: this window's icon). Returns 0 when the
    // icon is in place, −1 on failure, TrayIconCall::Waiting while the notification area is not
    // ready; a waiting add ends in iconAddFinished().
    int addIcon();

    // Deletes the icon (one attempt, its answer ignored), drops a waiting add and stops listening
    // to the icon. The form itself stays until it is deleted.
    void removeIcon();

    // The icon is in the notification area.
    [[nodiscard]] bool hasIcon() const { return hasIcon_; }

    // The add and its retry.
    [[nodiscard]] TrayIconCall& iconCall() { return *call_; }

    // The left button went down on the icon: the calendar window is shown and brought to the
    // front (a hidden one is restored, and minimizeCommand reads "最小化(&N)" again).
    void iconLeftButtonDown(const QPoint& globalPos);

    // The right button went down on the icon: a visible calendar window comes to the front; the
    // popup menu opens at `globalPos` and this returns when it has closed. Where the menu would be
    // closed at once by the program's deactivation still to come (see openMenuOnceFocusHasGone),
    // it opens later, and this returns at once.
    void iconRightButtonDown(const QPoint& globalPos);

    // minimizeCommand: hides a visible calendar window into the notification area, or brings a
    // hidden one back, and sets the caption for the next use.
    void hideOrRestoreCalendar();

    // A taskbar button given to `window` while the icon is not there yet; taken back once the
    // icon is in place.
    void lendTaskbarButton(CalendarWindow& window);

signals:
    // A waiting add came to its end: 0 the icon is in place, −1 it could not be added.
    void iconAddFinished(int result);

private:
    void createMenu(CalendarWindow& window);
    void addFinished(int result);
    void openMenuOnceFocusHasGone(const QPoint& globalPos);
    void openWaitingMenu();

    TrayIconService& service_;
    TrayIconCall* call_;
    bool hasIcon_ = false;
    bool menuWaiting_ = false; // a right click's menu waits for the program's deactivation
    QPoint waitingMenuPos_;
    QMetaObject::Connection focusWatch_;
    QTimer* menuWaitLimit_ = nullptr;
    QPointer<CalendarWindow> lentButton_; // the window given a taskbar button while waiting
    // Keeps the program running while this form exists, as any open window does: the calendar
    // window may be hidden while a dialog opened from the icon's menu closes.
    std::unique_ptr<QEventLoopLocker> keepRunning_;
};

// The notification-area form of the calendar window in use; null while there is none.
extern QPointer<TrayIconWindow> CurrentTrayIconWindow;

// The captions of minimizeCommand.
inline constexpr const char* TrayHideCaption = "最小化(&N)";
inline constexpr const char* TrayRestoreCaption = "元のサイズに戻す(&R)";

// Creates CurrentTrayIconWindow for `window` (which adds the icon). When the icon cannot be
// added: the message
// "通知領域にアイコンを登録出来ませんでした。", CurrentTrayIconWindow is destroyed, and the window
// keeps a taskbar button to be minimized to. While the notification area is not ready the window
// has a taskbar button too, until the icon is there.
void CreateTrayIconWindow(CalendarWindow& window);

// Destroys CurrentTrayIconWindow if it exists: the icon is deleted at once; the form itself is
// deleted when control returns to the event loop (a command of its own menu may be running).
void DestroyTrayIconWindow();

// With the icon in place and `window` (the calendar in use) minimized: hides the window into the
// notification area in its normal state and sets minimizeCommand to "元のサイズに戻す(&R)", as soon
// as control returns to the event loop. Returns whether it will; otherwise the window minimizes to
// its taskbar button as usual.
bool MinimizeIntoTray(CalendarWindow& window);
