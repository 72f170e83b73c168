#include "calendar/month_view.h"

#include "calendar/accessibility.h"
#include "calendar/calendar_settings.h"
#include "calendar/calendar_window.h"
#include "calendar/control_colours.h"
#include "calendar/koyomi_tips.h"
#include "calendar/layout.h"
#include "calendar/month_grid.h"
#include "calendar/shown_month.h"
#include "date/eras.h"
#include "date/holidays.h"
#include "platform/colors.h"
#include "platform/services.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QLineEdit>

namespace {

void setCellText(QLabel* cell, const QString& text) {
    if (cell->text() != text) {
        cell->setText(text);
    }
}

void setCellToolTip(QLabel* cell, const QString& tip) {
    if (cell->toolTip() != tip) {
        cell->setToolTip(tip);
    }
}

// What a screen reader reads for a control. Only a real change is set: each one is announced
// (the widget sends the accessibility event of the change).
void setAccessibleNameOf(QWidget* control, const QString& name) {
    if (control->accessibleName() != name) {
        control->setAccessibleName(name);
    }
}

// Cell i of the grid as a copy of cell 0: same size, font, border, colours and alignment.
QLabel* copyOfFirstCell(CalendarWindow& window, int i) {
    const QLabel* first = window.dayCells[0];
    auto* cell = new QLabel(window.calendarPanel);
    cell->setObjectName(QStringLiteral("LBL_Day_%1").arg(i));
    cell->setFont(first->font());
    cell->setAlignment(first->alignment());
    cell->setFrameStyle(first->frameStyle());
    cell->setPalette(first->palette());
    cell->setAutoFillBackground(first->autoFillBackground());
    cell->resize(first->size());
    cell->hide();
    return cell;
}

} // namespace

void BuildDayGrid(CalendarWindow& window) {
    const OptionValues& s = CalendarOptions().current;
    window.panelWidth = 2430;
    window.calendarPanel->setGeometry(TwipsRect(
        window.panelLeft, window.panelTop, window.panelWidth, CalendarWindow::PanelDesignHeight));
    for (int i = 0; i < month_grid::CellCount; ++i) {
        if (i > 0) {
            window.dayCells[i] = copyOfFirstCell(window, i);
            window.cellCreated(window.dayCells[i]);
        }
        QLabel* cell = window.dayCells[i];
        cell->setGeometry(TwipsRect(month_grid::cellLeftTwips(i), month_grid::cellTopTwips(i),
                                    month_grid::CellWidthTwips, month_grid::CellHeightTwips));
        if (i < month_grid::FirstDayCell) {
            cell->setText(month_grid::headerText(i));
            cell->setAccessibleName(WeekdayName(i));
            const std::int32_t colour =
                i == 0 ? s.Color[ColorSlot::Holiday]
                       : (i == 6 ? s.Color[ColorSlot::Saturday] : s.Color[ColorSlot::Text]);
            setTextColour(cell, ResolveColor(colour));
            cell->show();
        } else {
            cell->setText(QString());
        }
    }
    window.todayMark->raise();
    window.gridBuilt = true;
}

void FillMonth(CalendarWindow& window) {
    const OptionValues& s = CalendarOptions().current;
    const int year = window.shownMonth->value().year;
    const int month = window.shownMonth->value().month;
    const month_grid::MonthLayout layout = month_grid::layoutMonth(year, month);
    const QDate today = Today();
    const bool currentMonth = today.year() == year && today.month() == month;

    const QColor ordinary = ResolveColor(s.Color[ColorSlot::Text]);
    const QColor saturday = ResolveColor(s.Color[ColorSlot::Saturday]);
    const QColor holiday = ResolveColor(s.Color[ColorSlot::Holiday]);
    const QColor todayColour = ResolveColor(s.Color[ColorSlot::Today]);
    const QColor background = backgroundOf(&window);
    const std::int16_t appearance = s.Appearance;
    int holidays = 0;

    for (int i = month_grid::FirstDayCell; i < month_grid::CellCount; ++i) {
        QLabel* cell = window.dayCells[i];
        const int day = layout.day[i];
        if (day == 0) {
            setCellText(cell, QString());
            setAccessibleNameOf(cell, QString());
            cell->hide();
            continue;
        }
        setCellText(cell, QString::number(day));
        cell->show();
        const int column = month_grid::columnOf(i);
        QColor colour = column == 0 ? holiday : (column == 6 ? saturday : ordinary);

        // A holiday takes the holiday colour whatever its weekday, Saturday included.
        const std::string name =
            St_HolidayName(static_cast<std::int16_t>(year), static_cast<std::int16_t>(month),
                           static_cast<std::int16_t>(day));
        if (!name.empty()) {
            colour = holiday;
            ++holidays;
        }
        const QString holidayName = QString::fromStdString(name);
        const QString koyomi = s.ShowKoyomi != 0 ? KoyomiDayText(year, month, day) : QString();
        setCellToolTip(cell, KoyomiToolTip(holidayName, koyomi));
        setTextColour(cell, colour);

        // The colours and the today mark in words, for a listener; the 暦 as the tool tip says it.
        const bool isToday = currentMonth && today.day() == day;
        QString spoken = DayCellName(year, month, day, column, holidayName, isToday);
        if (!koyomi.isEmpty()) {
            spoken +=
                QLatin1Char(' ') + QString(koyomi).replace(QLatin1Char('\n'), QLatin1Char(' '));
        }
        setAccessibleNameOf(cell, spoken);
        if (appearance == 1) {
            setBackground(cell, isToday ? todayColour : background);
        } else if (appearance == 0) {
            if (isToday) {
                window.todayMark->setGeometry(
                    TwipsRect(month_grid::cellLeftTwips(i) - 30, month_grid::cellTopTwips(i) - 45,
                              month_grid::CellWidthTwips + 15, month_grid::CellHeightTwips + 15));
                window.todayMark->show();
            } else if (!window.todayMark->isHidden() && !currentMonth) {
                window.todayMark->hide();
            }
        }
    }

    window.eraLabel->setText(QString::fromStdString(
        MonthEraLabel(static_cast<std::int16_t>(year), static_cast<std::int16_t>(month))));
    setAccessibleNameOf(window.eraLabel, EraLabelName(window.eraLabel->text()));
    // The window's description is the month shown, so that a screen reader reports its change.
    const QString shown = MonthDescription(year, month, holidays);
    if (window.accessibleDescription() != shown) {
        window.setAccessibleDescription(shown);
    }

    window.filledWithToday = today;
    window.monthStale = false;
    ++window.fillCount;
}
