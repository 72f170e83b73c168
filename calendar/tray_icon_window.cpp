#include "calendar/tray_icon_window.h"

#include "calendar/calendar_window.h"
#include "calendar/command_menu.h"
#include "calendar/layout.h"
#include "calendar/menu_anchor_window.h"
#include "calendar/program_icon.h"
#include "calendar/start_calendar.h"
#include "calendar/tray_icon_call.h"
#include "platform/services.h"
#include "platform/tray_icon.h"
#include "platform/window_styles.h"

#include <QAction>
#include <QEventLoopLocker>
#include <QGuiApplication>
#include <QMenu>
#include <QTimer>
#include <QWindow>

QPointer<TrayIconWindow> CurrentTrayIconWindow;

namespace {

const QString& hideCaption() {
    static const QString caption = QString::fromUtf8(TrayHideCaption);
    return caption;
}

const QString& restoreCaption() {
    static const QString caption = QString::fromUtf8(TrayRestoreCaption);
    return caption;
}

// Shows `window` in its normal state and brings it to the front. A window hidden while still
// minimized (see hideIntoTray) is shown first and only then taken out of the minimized state:
// showing tells the window system how the window is to be stacked (always on top) as it maps it,
// whereas leaving the minimized state first would map the hidden window bare, and a window kept
// above the others would come back as an ordinary one.
void bringToFront(CalendarWindow& window) {
    window.show();
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.raise();
    window.activateWindow();
}

// The icon could not be added: the message, and the window goes on as without the icon, with a
// taskbar button to be minimized to.
void iconNotAdded(CalendarWindow* window) {
    ShowErrorMessage(QStringLiteral("通知領域にアイコンを登録出来ませんでした。"));
    DestroyTrayIconWindow();
    if (window != nullptr && !Services().windowStyles->hasTaskbarButton(window)) {
        SetAppWindowStyle(*window, -1);
    }
}

// The icon is in place, and `window`, the calendar in use, is minimized.
bool canHideIntoTray(const CalendarWindow& window) {
    return CurrentTrayIconWindow != nullptr && CurrentTrayIconWindow->hasIcon() &&
           &window == CurrentCalendar && window.isMinimized();
}

// Whether taking a window out of the minimized state maps it again even while it is hidden: so on
// X11, where the window would come back unpainted and unknown to Qt as shown.
bool leavingMinimizedShowsWindow() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Hides the minimized window into the notification area, in its normal state for the next show.
// Where that state cannot be set while hidden, bringToFront sets it when the window is shown.
void hideIntoTray(CalendarWindow& window) {
    window.hide();
    CurrentTrayIconWindow->minimizeCommand->setText(restoreCaption());
    if (!leavingMinimizedShowsWindow()) {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    }
}

// On X11 Qt takes the focus leaving the program's last window for the program's deactivation only
// a moment later (unless another of its windows takes the focus), and a popup menu open by then is
// closed by it. That is pending while the focus still rests, for Qt, on a window already hidden
// (the calendar hidden into the notification area a moment ago).
bool deactivationPending() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return false;
    }
    const QWindow* focus = QGuiApplication::focusWindow();
    return focus != nullptr && !focus->isVisible();
}

// How long a menu waits for that deactivation at most.
constexpr int MenuWaitLimitMs = 1000;

} // namespace

TrayIconWindow::TrayIconWindow(CalendarWindow& window)
    : menuNeedsForegroundWindow(PopupMenuNeedsForegroundWindow()), service_(*Services().trayIcon),
      call_(new TrayIconCall(service_, this)), keepRunning_(std::make_unique<QEventLoopLocker>()) {
    setObjectName(QStringLiteral("FRM_TTI"));
    setWindowIcon(ProgramIcon());
    setAttribute(Qt::WA_QuitOnClose, false);
    createMenu(window);
    menuWaitLimit_ = new QTimer(this);
    menuWaitLimit_->setSingleShot(true);
    connect(menuWaitLimit_, &QTimer::timeout, this, &TrayIconWindow::openWaitingMenu);
    connect(call_, &TrayIconCall::finished, this, &TrayIconWindow::addFinished);
    // The clicks are handled once the icon's own mouse handling has returned: a command of the
    // menu may delete the icon, and with it the window system's object that reported the click.
    connect(&service_, &TrayIconService::leftButtonDown, this, &TrayIconWindow::iconLeftButtonDown,
            Qt::QueuedConnection);
    connect(&service_, &TrayIconService::rightButtonDown, this,
            &TrayIconWindow::iconRightButtonDown, Qt::QueuedConnection);
}

TrayIconWindow::~TrayIconWindow() = default;

void TrayIconWindow::createMenu(CalendarWindow& window) {
    minimizeCommand = new QAction(hideCaption(), this);
    minimizeCommand->setObjectName(QStringLiteral("MNU_Hide"));
    connect(minimizeCommand, &QAction::triggered, this, &TrayIconWindow::hideOrRestoreCalendar);
    popupMenu = MakeCommandMenu(this, window, minimizeCommand, QStringLiteral("MNU_P_Pipe"));
}

int TrayIconWindow::addIcon() {
    const int result = call_->start(TrayRequest::Add, Services().program->title(), windowIcon());
    hasIcon_ = result == 0;
    return result;
}

void TrayIconWindow::removeIcon() {
    call_->cancel();
    disconnect(&service_, nullptr, this, nullptr);
    // Deleting cannot be waited for: the form is going. A failure leaves nothing to repair.
    (void)service_.call(TrayRequest::Delete, QString(), QIcon());
    hasIcon_ = false;
    lentButton_ = nullptr;
    keepRunning_.reset();
}

void TrayIconWindow::lendTaskbarButton(CalendarWindow& window) {
    if (Services().windowStyles->hasTaskbarButton(&window)) {
        return;
    }
    SetAppWindowStyle(window, -1);
    lentButton_ = &window;
}

void TrayIconWindow::addFinished(int result) {
    if (result != 0) {
        // The lent taskbar button stays: the window goes on as without the icon.
        lentButton_ = nullptr;
        QPointer<CalendarWindow> window = CurrentCalendar;
        iconNotAdded(window.data());
        emit iconAddFinished(result);
        return;
    }
    hasIcon_ = true;
    // A window minimized to its taskbar button meanwhile goes into the notification area
    // before the button is taken away.
    if (CurrentCalendar != nullptr && canHideIntoTray(*CurrentCalendar)) {
        hideIntoTray(*CurrentCalendar);
    }
    if (lentButton_ != nullptr) {
        SetAppWindowStyle(*lentButton_, 0);
        lentButton_ = nullptr;
    }
    emit iconAddFinished(result);
}

void TrayIconWindow::iconLeftButtonDown(const QPoint& globalPos) {
    (void)globalPos;
    CalendarWindow* window = CurrentCalendar;
    if (window == nullptr) {
        return;
    }
    if (!window->isVisible()) {
        minimizeCommand->setText(hideCaption());
    }
    bringToFront(*window);
}

void TrayIconWindow::iconRightButtonDown(const QPoint& globalPos) {
    CalendarWindow* window = CurrentCalendar;
    std::unique_ptr<MenuAnchorWindow> anchor;
    if (window != nullptr && window->isVisible()) {
        window->raise();
        window->activateWindow();
    } else if (menuNeedsForegroundWindow) {
        anchor = std::make_unique<MenuAnchorWindow>();
        anchor->show();
        anchor->activateWindow();
    } else if (menuWaiting_) {
        return; // another right click while the menu waits to open: that one opens it
    } else if (deactivationPending()) {
        openMenuOnceFocusHasGone(globalPos);
        return;
    }
    // A command of the menu may destroy this form (終了, the options dialog's re-creation); the
    // deletion waits for the event loop, so the menu and this function end normally.
    popupMenu->exec(globalPos);
}

// The menu opens when the focus has left the hidden window, or after MenuWaitLimitMs at most.
void TrayIconWindow::openMenuOnceFocusHasGone(const QPoint& globalPos) {
    menuWaiting_ = true;
    waitingMenuPos_ = globalPos;
    focusWatch_ = connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this] {
        if (!deactivationPending()) {
            // Opened from the event loop, not from within the focus change's handling.
            QMetaObject::invokeMethod(this, &TrayIconWindow::openWaitingMenu, Qt::QueuedConnection);
        }
    });
    menuWaitLimit_->start(MenuWaitLimitMs);
}

void TrayIconWindow::openWaitingMenu() {
    if (!menuWaiting_) {
        return;
    }
    menuWaiting_ = false;
    disconnect(focusWatch_);
    menuWaitLimit_->stop();
    popupMenu->exec(waitingMenuPos_);
}

void TrayIconWindow::hideOrRestoreCalendar() {
    CalendarWindow* window = CurrentCalendar;
    if (window == nullptr) {
        return;
    }
    if (window->isVisible()) {
        minimizeCommand->setText(restoreCaption());
        window->hide();
    } else {
        minimizeCommand->setText(hideCaption());
        bringToFront(*window);
    }
}

void CreateTrayIconWindow(CalendarWindow& window) {
    DestroyTrayIconWindow();
    auto* form = new TrayIconWindow(window);
    CurrentTrayIconWindow = form;
    switch (form->addIcon()) {
    case 0:
        break;
    case TrayIconCall::Waiting:
        // Until the icon is there the window must not vanish when it is minimized.
        form->lendTaskbarButton(window);
        break;
    default:
        iconNotAdded(&window);
        break;
    }
}

void DestroyTrayIconWindow() {
    TrayIconWindow* form = CurrentTrayIconWindow;
    if (form == nullptr) {
        return;
    }
    CurrentTrayIconWindow = nullptr;
    form->removeIcon();
    form->deleteLater();
}

bool MinimizeIntoTray(CalendarWindow& window) {
    if (!canHideIntoTray(window)) {
        return false;
    }
    // Minimizing from the program itself (showMinimized) shows the window after the state
    // change; the window is hidden once that is done.
    QMetaObject::invokeMethod(
        &window,
        [target = QPointer<CalendarWindow>(&window)] {
            if (target != nullptr && canHideIntoTray(*target)) {
                hideIntoTray(*target);
            }
        },
        Qt::QueuedConnection);
    return true;
}
