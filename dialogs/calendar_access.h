#pragma once

// What the dialogs need from the calendar window in use (CurrentCalendar). The calendar layer
// implements this interface over CurrentCalendar and its in-memory settings, and hands it to the
// dialogs when it opens them; the dialogs know nothing else of the calendar.

#include "dialogs/option_settings.h"

#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

class CalendarAccess {
public:
    virtual ~CalendarAccess() = default;

    // The calendar window in use, or nullptr when none is open.
    [[nodiscard]] virtual QWidget* window() const = 0;

    // Its left and top edge, width and height in twips, as the window system counts them (the
    // frame included). An empty rectangle when no window is open.
    [[nodiscard]] virtual QRect frameTwips() const = 0;

    // The year the calendar shows.
    [[nodiscard]] virtual int yearValue() const = 0;

    // Shows `year` (the month stays): the boxes, the scroll bars and the grid follow.
    virtual void setYearValue(int year) = 0;

    // The texts of the year and month entry boxes.
    [[nodiscard]] virtual QString yearText() const = 0;
    [[nodiscard]] virtual QString monthText() const = 0;

    // The current values of the in-memory settings; the last-read values are not touched.
    [[nodiscard]] virtual OptionValues options() const = 0;
    virtual void setOptions(const OptionValues& values) = 0;

    // Closes the calendar window; its closing sequence saves the position and every changed
    // setting to the settings file. With no window open, the changed settings are saved all the
    // same.
    virtual void closeCalendar() = 0;

    // The frame width and height in twips of a window of the given border style (0 none, 1 fixed
    // single, 2 sizable, 3 fixed dialog, 4 fixed tool window, 5 sizable tool window) and menu
    // state (0 no menu, 1 only hidden commands, 2 a visible menu), by the calendar's frame
    // measure from the system metrics.
    [[nodiscard]] virtual QSize measureFrame(int borderStyle, int menuState) const = 0;

    // Runs the start-up routine again, which opens the calendar window that the settings file
    // asks for.
    virtual void startCalendar() = 0;
};
