#include "calendar/accessibility.h"

#include "calendar/calendar_window.h"
#include "calendar/window_commands.h"
#include "date/serial.h"
#include "widgets/accessible_names.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

QString WeekdayName(int column) {
    return QString::fromUtf8(WeekdayLetter(column + 1)) + QStringLiteral("曜日");
}

QString DayCellName(int year, int month, int day, int column, const QString& holiday, bool today) {
    QString name =
        QStringLiteral("%1年%2月%3日 %4").arg(year).arg(month).arg(day).arg(WeekdayName(column));
    if (!holiday.isEmpty()) {
        name += QLatin1Char(' ') + holiday;
    }
    if (today) {
        name += QStringLiteral(" 今日");
    }
    return name;
}

QString MonthDescription(int year, int month, int holidays) {
    const QString count =
        holidays == 0 ? QStringLiteral("祝日なし") : QStringLiteral("祝日%1日").arg(holidays);
    return QStringLiteral("%1年%2月 %3").arg(year).arg(month).arg(count);
}

QString EraLabelName(const QString& labelText) {
    QString era = labelText;
    era.remove(QLatin1Char(' '));
    if (era.isEmpty()) {
        era = QStringLiteral("なし");
    }
    return QStringLiteral("表示中の月の元号: ") + era;
}

void PrepareForScreenReaders(CalendarWindow& window) {
    // The window without title bar has no title to be read by: it gets the one of the other.
    NameControls(window, {
                             {"Form5", "カレンダー"},
                             {"Picture2", "カレンダー"},
                             {"Text1_0", "年", "1〜9999"},
                             {"VScroll1_0", "年の増減", "1〜9999"},
                             {"Text1_1", "月", "1〜12"},
                             {"VScroll1_1", "月の増減", "1〜12"},
                         });

    if (window.popupMenu != nullptr) {
        // The popup menu of the window without title bar, from the keyboard: where the focus is.
        auto* keys = new QAction(&window);
        keys->setObjectName(QStringLiteral("popupMenuKeys"));
        keys->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
        keys->setShortcutContext(Qt::WindowShortcut);
        window.addAction(keys);
        QObject::connect(keys, &QAction::triggered, &window, [&window] {
            QWidget* focus = QApplication::focusWidget();
            if (focus == nullptr || focus->window() != &window) {
                focus = &window;
            }
            OpenPopupMenu(window, focus->mapToGlobal(focus->rect().center()));
        });
    }
}
