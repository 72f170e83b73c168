#include "calendar/window_commands.h"

#include "calendar/calendar_settings.h"
#include "calendar/calendar_window.h"
#include "calendar/layout.h"
#include "calendar/month_view.h"
#include "calendar/settings_file.h"
#include "calendar/tray_form.h"
#include "platform/services.h"
#include "platform/window_styles.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>

void AlwaysOnTopToggled(CalendarWindow& window) {
    SyncTrayAlwaysOnTop(window);
    Services().windowStyles->setTopmost(&window, window.MNU_A_Top->isChecked());
}

void ClockTick(CalendarWindow& window) {
    const QDateTime now = Services().clock->now();
    const QString text = ClockText(now.time());
    if (window.Label2->text() != text) {
        window.Label2->setText(text);
        // The clock label is as large as its text, growing to the right as the text widens.
        window.Label2->adjustSize();
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
    if (window.MNU_Popup != nullptr) {
        window.MNU_Popup->popup(globalPos);
    }
}

namespace {

void reportUnsavedSettings(const WriteResult& failure) {
    ShowErrorMessage(SettingsNotSavedText(failure));
}

} // namespace

void ClosingSequence(CalendarWindow& window) {
    window.Timer1->stop();
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
    DestroyTrayForm();
}

void SaveOptions() {
    if (const WriteResult options = WriteOptions(); !options.written()) {
        reportUnsavedSettings(options);
    }
}
