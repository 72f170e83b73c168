#include "calendar/month_stepping.h"

#include "calendar/calendar_window.h"
#include "calendar/month_view.h"
#include "calendar/shown_month.h"
#include "platform/services.h"
#include "widgets/spin_pair.h"

#include <QLineEdit>
#include <QScrollBar>

namespace {

// The month bar's steps beyond December and before January.
constexpr int MonthBarBeforeJanuary = 0;
constexpr int MonthBarAfterDecember = 13;

// Setting the text a box holds changes nothing (and keeps the caret where it is).
void setBoxNumber(QLineEdit* box, int number) {
    const QString text = QString::number(number);
    if (box->text() != text) {
        box->setText(text);
    }
}

// The boxes and the bars show the month (a bar left on a step beyond the range returns too).
void showInControls(const CalendarWindow& window) {
    const YearMonth shown = window.shownMonth->value();
    window.yearSpin->setValue(shown.year);
    window.monthSpin->setValue(shown.month);
    setBoxNumber(window.yearBox, shown.year);
    setBoxNumber(window.monthBox, shown.month);
}

void monthBarMoved(CalendarWindow& window, int value) {
    const YearMonth shown = window.shownMonth->value();
    if (value == MonthBarBeforeJanuary) {
        ShowMonth(window, StepMonths(shown, -1));
    } else if (value == MonthBarAfterDecember) {
        ShowMonth(window, StepMonths(shown, 1));
    } else {
        ShowMonth(window, {shown.year, value});
    }
}

} // namespace

void ConnectMonthControls(CalendarWindow& window) {
    CalendarWindow* w = &window;
    QObject::connect(window.shownMonth, &ShownMonth::changed, &window, [w] {
        if (w->isVisible()) {
            FillMonth(*w);
        } else {
            w->monthStale = true;
        }
    });
    // A typed number reaches the bar through the box's validation (blank or 0 becomes 1, more than
    // 12 months becomes 12); the bar reports only a real change.
    QObject::connect(window.yearSpin, &SpinPair::valueChanged, &window, [w](int year) {
        ShowMonth(*w, {year, w->shownMonth->value().month});
    });
    QObject::connect(window.monthSpin, &SpinPair::valueChanged, &window,
                     [w](int value) { monthBarMoved(*w, value); });
    // Up (−1) and Down (+1): a year, or a month crossing into the year before or after.
    window.yearSpin->setArrowHandler(
        [w](int step) { ShowMonth(*w, StepMonths(w->shownMonth->value(), 12 * step)); });
    window.monthSpin->setArrowHandler(
        [w](int step) { ShowMonth(*w, StepMonths(w->shownMonth->value(), step)); });
}

void SetMonthRanges(CalendarWindow& window) {
    window.yearSpin->setRange(0, LastYearMonth.year);
    window.yearSpin->setBoxRange(FirstYearMonth.year, LastYearMonth.year);
    window.monthSpin->setRange(MonthBarBeforeJanuary, MonthBarAfterDecember);
    window.monthSpin->setBoxRange(1, 12);
}

void ShowMonth(CalendarWindow& window, YearMonth month) {
    window.shownMonth->set(month);
    showInControls(window);
}

void ShowThisMonth(CalendarWindow& window) {
    const QDate today = Today();
    ShowMonth(window, {today.year(), today.month()});
}
