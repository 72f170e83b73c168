#include "calendar/window_commands.h"

#include "calendar/calendar_settings.h"
#include "calendar/calendar_window.h"
#include "calendar/layout.h"
#include "calendar/month_view.h"
#include "calendar/settings_file.h"
#include "calendar/tray_icon_window.h"
#include "platform/services.h"
#include "platform/window_styles.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>

void AlwaysOnTopToggled(CalendarWindow& window) {
    Services().windowStyles->setTopmost(&window, window.alwaysOnTopCommand->isChecked());
}

void ClockTick(CalendarWindow& window) {
    const QDateTime now = Services().clock->now();
    const QString text = ClockText(now.time());
    if (window.clockLabel->text() != text) {
        window.clockLabel->setText(text);
        // The clock label is as large as its text, growing to the right as the text widens.
        window.clockLabel->adjustSize();
    }
    if (window.gridBuilt && now.date() != window.filledWithToday) {
        if (window.isVisible()) {
            FillMonth(window);
        } else {
            window.monthStale = true;
        }
    }
}

void WindowResized(CalendarWindow& window) {
    // With the notification-area icon in place a minimized window hides into it; otherwise it
    // minimizes to its taskbar button, so that it can always be brought back.
    MinimizeIntoTray(window);
}

void WindowShown(CalendarWindow& window) {
    if (window.gridBuilt && window.monthStale) {
        FillMonth(window);
    }
}

void OpenPopupMenu(CalendarWindow& window, const QPoint& globalPos) {
    if (window.popupMenu != nullptr) {
        window.popupMenu->popup(globalPos);
    }
}

namespace {

void reportUnsavedSettings(const WriteResult& failure) {
    ShowErrorMessage(SettingsNotSavedText(failure));
}

} // namespace

void ClosingSequence(CalendarWindow& window) {
    window.clockTimer->stop();
    // A window hidden in the notification area may still be minimized (on X11 the state is
    // cleared only when it is shown again, as clearing it maps the window); it stays hidden and
    // its position is saved as that of a normal window.
    if (window.isVisible()) {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    }
    const WriteResult position = WritePosition(window);
    const WriteResult options = WriteOptions();
    if (!options.written() || !position.written()) {
        reportUnsavedSettings(options.written() ? position : options);
    }
    DestroyTrayIconWindow();
}

void SaveOptions() {
    if (const WriteResult options = WriteOptions(); !options.written()) {
        reportUnsavedSettings(options);
    }
}
