#pragma once

// The era jump dialog "元号指定": the year of the calendar window chosen as a year, or as an era
// and a year of that era; the two stay in step while either is edited. Opened modally over the
// calendar window; confirming sets the calendar's year scroll bar.

#include <QDialog>
#include <array>

class CalendarAccess;
class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollBar;
class SpinPair;

class EraJumpDialog final : public QDialog {
    Q_OBJECT

public:
    // Reads the calendar's position, width and year; the era table is EraDefs as loaded.
    explicit EraJumpDialog(CalendarAccess& calendar, QWidget* parent = nullptr);

    // Controls, named as on the window's design.
    QWidget* panel = nullptr;                    // borderless inner panel holding every control
    QComboBox* eraList = nullptr;                // era names, newest first, then a blank entry
    std::array<QLineEdit*, 2> yearBoxes{};       // year box, era year box
    std::array<QScrollBar*, 2> yearScrollBars{}; // year 0..9999, era year 0..99
    QPushButton* confirmButton = nullptr;        // "決定(&G)"

    // The era list's selection and the era year of `year`: the era in force on 31 December.
    void SetEraFromYear(int year);
    // The year of an era name and an era year; nothing for the blank entry or an unknown name.
    void SetYearFromEra(const QString& eraName, int eraYear);

    // The year scroll bar's value, which the dialog hands to the calendar on confirmation.
    [[nodiscard]] int year() const;
    [[nodiscard]] int eraYear() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void placeWindow();
    void fillEraList();
    void eraListChanged();
    void spinChanged(int element);
    void confirm();

    CalendarAccess& calendar_;
    std::array<SpinPair*, 2> spins_{};
    bool syncing_ = false; // SetEraFromYear is running: the era list's changes are its own
};
