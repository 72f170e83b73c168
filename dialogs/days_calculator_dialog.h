#pragma once

// The days calculator "日数計算": two dates, the date some days after the first or before the
// second, and the distance between the two in days, weeks and years, months and days. Opened
// modally over the calendar window; it changes nothing in the calendar.

#include "dialogs/days_calculation.h"

#include <QDialog>
#include <array>

class CalendarAccess;
class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;

class DaysCalculatorDialog final : public QDialog {
    Q_OBJECT

public:
    // Reads the calendar's position, size, year box and month box and today's date, and shows
    // the distance between the two dates it builds from them.
    DaysCalculatorDialog(const CalendarAccess& calendar, QWidget* parent = nullptr);

    // Controls, named as on the window's design.
    QWidget* panel = nullptr;                       // the inner panel holding every control
    std::array<QLabel*, 2> eraLabels{};             // era labels of the two dates
    std::array<QLineEdit*, 9> fields{};             // see CalculatorTexts::fields
    std::array<QPushButton*, 3> calculateButtons{}; // "日後", "日前", "日間"
    std::array<QLabel*, 5> resultLabels{};          // years, months, days, weeks, remaining days
    QMenuBar* menuBar = nullptr;                    // holds returnCommand
    QAction* returnCommand = nullptr;               // "戻る(&R)"

    // Runs the calculation of button `element` (0, 1 or 2), as a press of that button does.
    void calculate(int element);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void placeWindow(const CalendarAccess& calendar);
    void centrePanel();
    [[nodiscard]] CalculatorTexts texts() const;
    void showTexts(const CalculatorTexts& texts);
    [[nodiscard]] int fieldIndex(const QObject* object) const;
    bool fieldKeyPress(int element, QKeyEvent* event);
    void moveFocusOn(int element);

    int designHeightTwips_ = 0; // outer height of the window as designed
};
