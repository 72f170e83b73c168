#pragma once

// The calendar window. `Form1` (title bar and menu bar) and `Form5` (no title bar, a popup menu
// on the right mouse button) are thin subclasses; this class holds the controls of both and hands
// every event to the shared routines (FillMonth(window), StepMonth(window, k), ...).

#include "calendar/calendar_shapes.h"

#include <QDate>
#include <QMainWindow>
#include <array>
#include <cstdint>

class QAction;
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

    // True for Form1: title bar, minimize box and menu bar.
    [[nodiscard]] bool hasTitleAndMenu() const { return titleAndMenu_; }

    // Controls, named as on the window's design.
    QWidget* Picture2 = nullptr;           // the calendar panel
    QWidget* Picture1 = nullptr;           // an empty panel on the calendar panel; stays hidden
    std::array<QLabel*, 44> LBL_Day{};     // element 0 by design, 1..43 made by BuildDayGrid
    QLabel* Label1 = nullptr;              // era label (a FittedLabel: always shown whole)
    std::array<QLineEdit*, 2> Text1{};     // year box, month box
    std::array<QScrollBar*, 2> VScroll1{}; // year steps 0..9999, month steps 0..13
    std::array<SpinPair*, 2> spin{};       // Text1[k] with VScroll1[k] as its spin control
    ShapeOutline* Shape1 = nullptr;        // today's mark in the flat look
    QWidget* Picture3 = nullptr;           // clock strip
    LineControl* Line1 = nullptr;          // boundary line at the top of the clock strip
    LineControl* Line2 = nullptr;          // its shadow line, 3D look only
    QLabel* Label2 = nullptr;              // clock text
    QTimer* Timer1 = nullptr;              // 1000 ms clock tick

    // Menu commands. Form1 has MNU_Tool, Form5 has MNU_Popup and MNU_Hide; the others both.
    QAction* MNU_Exit = nullptr;
    QAction* MNU_ThisYM = nullptr;
    QMenu* MNU_Tool = nullptr;
    QMenu* MNU_Popup = nullptr;
    QAction* MNU_Hide = nullptr;
    QAction* MNU_Gengo = nullptr;
    QAction* MNU_Calc_Days = nullptr;
    QAction* MNU_A_Top = nullptr;
    QAction* MNU_Option = nullptr;

    // Outer size of the window in twips, frame and menu included, as the layout sets it.
    std::int32_t windowWidth = 0;
    std::int32_t windowHeight = 0;
    // Calendar panel position on the client area, in twips.
    std::int32_t picture2Left = 0;
    std::int32_t picture2Top = 0;
    static constexpr std::int32_t Picture2DesignWidth = 2415;
    static constexpr std::int32_t Picture2DesignHeight = 2655;
    std::int32_t picture2Width = Picture2DesignWidth; // BuildDayGrid widens it to 2430

    bool gridBuilt = false;  // BuildDayGrid has run
    bool monthStale = false; // the year or month changed while the grid could not be filled
    QDate filledWithToday;   // the system date when the month was last filled
    int fillCount = 0;       // how often FillMonth has run on this window

    // Resizes the Qt window to windowWidth × windowHeight (outer, in twips). A window is kept
    // within the desktop; windowWidth and windowHeight then take the size it really has.
    void applyWindowSize();

    // A day cell made by BuildDayGrid; Form5 lets it drag the window.
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

    bool titleAndMenu_;
};
