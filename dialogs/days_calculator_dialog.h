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

class Form3 final : public QDialog {
    Q_OBJECT

public:
    // Reads the calendar's position, size, year box and month box and today's date, and shows
    // the distance between the two dates it builds from them.
    Form3(const CalendarAccess& calendar, QWidget* parent = nullptr);

    // Controls, named as on the window's design.
    QWidget* Picture1 = nullptr;            // the inner panel holding every control
    std::array<QLabel*, 2> Label1{};        // era labels of the two dates
    std::array<QLineEdit*, 9> Text1{};      // see CalculatorTexts::fields
    std::array<QPushButton*, 3> Command1{}; // "日後", "日前", "日間"
    std::array<QLabel*, 5> Label2{};        // years, months, days, weeks, remaining days
    QMenuBar* menuBar = nullptr;            // holds MNU_Return
    QAction* MNU_Return = nullptr;          // "戻る(&R)"

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
