#pragma once

// The month a calendar window shows. The year and month boxes, their scroll bars, the month grid
// and "今月(&T)" all follow this one value; whatever moves the month sets it here.

#include "date/year_month.h"

#include <QObject>

class ShownMonth final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    [[nodiscard]] YearMonth value() const { return value_; }

    // Takes `month` (within January 1 .. December 9999); changed() follows a real change only.
    void set(YearMonth month);

signals:
    void changed();

private:
    YearMonth value_{};
};
