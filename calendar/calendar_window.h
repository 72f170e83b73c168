#pragma once

// The calendar window. `TitledCalendarWindow` (title bar and menu bar) and
// `FramelessCalendarWindow` (no title bar, a popup menu on the right mouse button) are thin
// subclasses; this class holds the controls of both and hands every event to the shared routines
// (FillMonth(window), ShowMonth(window, month), ...).

#include "calendar/calendar_shapes.h"

#include <QDate>
#include <QMainWindow>
#include <array>
#include <cstdint>

class QAction;
class ShownMonth;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QTimer;
class SpinPair;

class CalendarWindow : public QMainWindow {
    Q_OBJECT

public:
    ~CalendarWindow() override;
    CalendarWindow(const CalendarWindow&) = delete;
    CalendarWindow& operator=(const CalendarWindow&) = delete;

    // True for TitledCalendarWindow: title bar, minimize box and menu bar.
    [[nodiscard]] bool hasTitleAndMenu() const { return titleAndMenu_; }

    // The month shown: the boxes, the bars and the grid follow it (calendar/month_stepping.h).
    ShownMonth* shownMonth = nullptr;

    // Controls (each one's object name is the name the settings, the tests and accessibility know
    // it by).
    QWidget* calendarPanel = nullptr;     // the calendar panel
    QWidget* emptyPanel = nullptr;        // an empty panel on the calendar panel; stays hidden
    std::array<QLabel*, 44> dayCells{};   // element 0 by design, 1..43 made by BuildDayGrid
    QLabel* eraLabel = nullptr;           // era label (a FittedLabel: always shown whole)
    QLineEdit* yearBox = nullptr;         // 1..9999
    QLineEdit* monthBox = nullptr;        // 1..12
    QScrollBar* yearScrollBar = nullptr;  // 0..9999
    QScrollBar* monthScrollBar = nullptr; // 0..13: 0 and 13 step into the year before and after
    SpinPair* yearSpin = nullptr;         // yearBox with yearScrollBar as its spin control
    SpinPair* monthSpin = nullptr;        // monthBox with monthScrollBar
    [[nodiscard]] std::array<QLineEdit*, 2> entryBoxes() const { return {yearBox, monthBox}; }
    [[nodiscard]] std::array<QScrollBar*, 2> scrollBars() const {
        return {yearScrollBar, monthScrollBar};
    }
    ShapeOutline* todayMark = nullptr;      // today's mark in the flat look
    QWidget* clockStrip = nullptr;          // clock strip
    LineControl* clockLine = nullptr;       // boundary line at the top of the clock strip
    LineControl* clockShadowLine = nullptr; // its shadow line, 3D look only
    QLabel* clockLabel = nullptr;           // clock text
    QTimer* clockTimer = nullptr;           // 1000 ms clock tick

    // Menu commands. TitledCalendarWindow has toolMenu, FramelessCalendarWindow has popupMenu and
    // minimizeCommand; the others both.
    QAction* exitCommand = nullptr;
    QAction* thisMonthCommand = nullptr;
    QMenu* toolMenu = nullptr;
    QMenu* popupMenu = nullptr;
    QAction* minimizeCommand = nullptr;
    QAction* eraJumpCommand = nullptr;
    QAction* daysCalculatorCommand = nullptr;
    QAction* alwaysOnTopCommand = nullptr;
    QAction* optionsCommand = nullptr;

    // Outer size of the window in twips, frame and menu included, as the layout sets it.
    std::int32_t windowWidth = 0;
    std::int32_t windowHeight = 0;
    // Calendar panel position on the client area, in twips.
    std::int32_t panelLeft = 0;
    std::int32_t panelTop = 0;
    static constexpr std::int32_t PanelDesignWidth = 2415;
    static constexpr std::int32_t PanelDesignHeight = 2655;
    std::int32_t panelWidth = PanelDesignWidth; // BuildDayGrid widens it to 2430

    bool gridBuilt = false;  // BuildDayGrid has run
    bool monthStale = false; // the year or month changed while the grid could not be filled
    QDate filledWithToday;   // the system date when the month was last filled
    int fillCount = 0;       // how often FillMonth has run on this window

    // Resizes the Qt window to windowWidth × windowHeight (outer, in twips). A window is kept
    // within the desktop; windowWidth and windowHeight then take the size it really has.
    void applyWindowSize();

    // A day cell made by BuildDayGrid; FramelessCalendarWindow lets it drag the window.
    virtual void cellCreated(QWidget* cell) { (void)cell; }

protected:
    explicit CalendarWindow(bool titleAndMenu);

    // The commands, each made once; the subclasses arrange them into their menus.
    void createCommands();
    QAction* makeSeparator(const char* name);

    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    void createMonthControls(); // the year and month boxes with their scroll bars
    void createClock(QWidget* client);

    bool titleAndMenu_;
};
