#include "calendar/month_stepping.h"

#include "calendar/calendar_window.h"
#include "calendar/month_view.h"
#include "platform/services.h"
#include "widgets/spin_pair.h"

#include <QLineEdit>
#include <QScrollBar>

namespace {

constexpr int LastYear = 9999;
constexpr int LastMonth = 12;

int boxNumber(const QLineEdit* box) {
    return box->text().toInt();
}

// Setting the text a box holds changes nothing (and keeps the caret where it is).
void setBoxNumber(QLineEdit* box, int number) {
    const QString text = QString::number(number);
    if (box->text() != text) {
        box->setText(text);
    }
}

} // namespace

void SetMonthRanges(CalendarWindow& window) {
    window.yearSpin->setRange(0, LastYear);
    window.yearSpin->setBoxRange(1, LastYear);
    window.monthSpin->setRange(0, LastMonth + 1);
    window.monthSpin->setBoxRange(1, LastMonth);
}

void BoxArrowKey(CalendarWindow& window, int k, int step) {
    QLineEdit* yearBox = window.yearBox;
    QLineEdit* monthBox = window.monthBox;
    const int year = boxNumber(yearBox);
    const int month = boxNumber(monthBox);
    QLineEdit* box = k == 0 ? yearBox : monthBox;
    if (step < 0) {
        if (boxNumber(box) > 1) {
            setBoxNumber(box, boxNumber(box) - 1);
        } else if (k == 1 && month == 1 && year > 1) {
            setBoxNumber(yearBox, year - 1);
            setBoxNumber(monthBox, LastMonth);
        }
    } else if (k == 0) {
        if (year < LastYear) {
            setBoxNumber(yearBox, year + 1);
        }
    } else if (month < LastMonth) {
        setBoxNumber(monthBox, month + 1);
    } else if (year < LastYear) {
        setBoxNumber(yearBox, year + 1);
        setBoxNumber(monthBox, 1);
    }
}

void StepMonth(CalendarWindow& window, int k) {
    QScrollBar* yearBar = window.yearScrollBar;
    QScrollBar* monthBar = window.monthScrollBar;
    if (k == 1) {
        if (monthBar->value() == 0) {
            if (yearBar->value() <= 1) {
                return;
            }
            yearBar->setValue(yearBar->value() - 1);
            monthBar->setValue(LastMonth);
        } else if (monthBar->value() == LastMonth + 1) {
            // At December 9999 the 13 goes into the box, whose validation makes it 12.
            if (boxNumber(window.yearBox) < yearBar->maximum()) {
                yearBar->setValue(yearBar->value() + 1);
                monthBar->setValue(1);
            }
        }
    }
    setBoxNumber(k == 0 ? window.yearBox : window.monthBox, (k == 0 ? yearBar : monthBar)->value());
    if (window.isVisible()) {
        FillMonth(window);
    } else {
        window.monthStale = true;
    }
}

void ShowThisMonth(CalendarWindow& window) {
    const QDate today = Today();
    window.yearScrollBar->setValue(today.year());
    window.monthScrollBar->setValue(today.month());
}
