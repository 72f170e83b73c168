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

namespace {

// What every day cell of one fill shares.
struct MonthFill {
    int year = 0;
    int month = 0;
    QDate today;
    bool currentMonth = false;
    bool showKoyomi = false;
    std::int16_t appearance = 0;
    QColor ordinary, saturday, holiday, todayColour, background;
};

// The spoken name of a day: its colours and the today mark in words, and the 暦 as the tool tip
// says it.
QString spokenDay(const MonthFill& fill, int day, int column, const QString& holidayName,
                  const QString& koyomi) {
    const bool isToday = fill.currentMonth && fill.today.day() == day;
    QString spoken = DayCellName(fill.year, fill.month, day, column, holidayName, isToday);
    if (!koyomi.isEmpty()) {
        spoken += QLatin1Char(' ') + QString(koyomi).replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return spoken;
}

// Today's look: the background in the 3D look, the frame around the cell in the flat one.
void markToday(CalendarWindow& window, const MonthFill& fill, int i, bool isToday) {
    QLabel* cell = window.dayCells[i];
    if (fill.appearance == 1) {
        setBackground(cell, isToday ? fill.todayColour : fill.background);
    } else if (fill.appearance == 0) {
        if (isToday) {
            window.todayMark->setGeometry(
                TwipsRect(month_grid::cellLeftTwips(i) - 30, month_grid::cellTopTwips(i) - 45,
                          month_grid::CellWidthTwips + 15, month_grid::CellHeightTwips + 15));
            window.todayMark->show();
        } else if (!window.todayMark->isHidden() && !fill.currentMonth) {
            window.todayMark->hide();
        }
    }
}

// Cell i shows `day` (0: no day); returns whether the day is a holiday.
bool fillDayCell(CalendarWindow& window, const MonthFill& fill, int i, int day) {
    QLabel* cell = window.dayCells[i];
    if (day == 0) {
        setCellText(cell, QString());
        setAccessibleNameOf(cell, QString());
        cell->hide();
        return false;
    }
    setCellText(cell, QString::number(day));
    cell->show();
    const int column = month_grid::columnOf(i);
    // A holiday takes the holiday colour whatever its weekday, Saturday included.
    const QString holidayName = QString::fromStdString(
        St_HolidayName(static_cast<std::int16_t>(fill.year), static_cast<std::int16_t>(fill.month),
                       static_cast<std::int16_t>(day)));
    const bool isHoliday = !holidayName.isEmpty();
    setTextColour(cell, isHoliday || column == 0 ? fill.holiday
                        : column == 6            ? fill.saturday
                                                 : fill.ordinary);
    const QString koyomi = fill.showKoyomi ? KoyomiDayText(fill.year, fill.month, day) : QString();
    setCellToolTip(cell, KoyomiToolTip(holidayName, koyomi));
    setAccessibleNameOf(cell, spokenDay(fill, day, column, holidayName, koyomi));
    markToday(window, fill, i, fill.currentMonth && fill.today.day() == day);
    return isHoliday;
}

} // namespace

void FillMonth(CalendarWindow& window) {
    const OptionValues& s = CalendarOptions().current;
    MonthFill fill;
    fill.year = window.shownMonth->value().year;
    fill.month = window.shownMonth->value().month;
    fill.today = Today();
    fill.currentMonth = fill.today.year() == fill.year && fill.today.month() == fill.month;
    fill.showKoyomi = s.ShowKoyomi != 0;
    fill.appearance = s.Appearance;
    fill.ordinary = ResolveColor(s.Color[ColorSlot::Text]);
    fill.saturday = ResolveColor(s.Color[ColorSlot::Saturday]);
    fill.holiday = ResolveColor(s.Color[ColorSlot::Holiday]);
    fill.todayColour = ResolveColor(s.Color[ColorSlot::Today]);
    fill.background = backgroundOf(&window);

    const month_grid::MonthLayout layout = month_grid::layoutMonth(fill.year, fill.month);
    int holidays = 0;
    for (int i = month_grid::FirstDayCell; i < month_grid::CellCount; ++i) {
        holidays += fillDayCell(window, fill, i, layout.day[i]) ? 1 : 0;
    }

    window.eraLabel->setText(QString::fromStdString(MonthEraLabel(
        static_cast<std::int16_t>(fill.year), static_cast<std::int16_t>(fill.month))));
    setAccessibleNameOf(window.eraLabel, EraLabelName(window.eraLabel->text()));
    // The window's description is the month shown, so that a screen reader reports its change.
    const QString shown = MonthDescription(fill.year, fill.month, holidays);
    if (window.accessibleDescription() != shown) {
        window.setAccessibleDescription(shown);
    }

    window.filledWithToday = fill.today;
    window.monthStale = false;
    ++window.fillCount;
}
