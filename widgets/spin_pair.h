#pragma once

// An entry box paired with a vertical scroll bar used as its spin control. The scroll bar holds
// the value; the box mirrors it and is kept within its range as it is typed:
// - When the box's text changes (typed, pasted or set by code): a blank text or a number below
//   the box's minimum becomes the minimum, a number above its maximum becomes the maximum; in a
//   digits-only box any other character (pasted text) is repaired away, leaving the number; then
//   the scroll bar takes the text's number, rounded halves to even.
// - When the scroll bar's value changes, the box shows it (unless mirroring is off, for a window
//   that handles the bar's changes itself) and valueChanged() is emitted. The bar reports only
//   real changes: setting the value it holds runs no handler.
// - Up lowers and Down raises the box's number by one within the box's range (the scroll bar's
//   upper arrow lowers it too); a window can replace this with its own arrow handler.
// - One notch of the mouse wheel over the scroll bar is one step, as a click on its arrow: away
//   from the hand the upper arrow, towards it the lower one.
// The box's range is the bar's range unless set apart (a month box keeps 1..12 while its bar
// runs 0..13 for the steps beyond the year's ends).

#include "widgets/numeric_entry.h"

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QScrollBar>
#include <optional>

class QWheelEvent;

class SpinPair final : public QObject {
    Q_OBJECT
public:
    // Attaches to `box` and `bar` (both stay owned by their window); the pair is owned by `box`.
    SpinPair(QLineEdit* box, QScrollBar* bar);

    [[nodiscard]] QLineEdit* box() const { return box_; }
    [[nodiscard]] QScrollBar* bar() const { return bar_; }
    [[nodiscard]] NumericEntry* entry() const { return entry_; }

    // The scroll bar's range (step 1).
    void setRange(int minimum, int maximum);
    // The lowest and highest number the box keeps; by default the bar's range. A maximum below
    // the minimum counts as the minimum.
    void setBoxRange(int minimum, int maximum);
    [[nodiscard]] int boxMinimum() const;
    [[nodiscard]] int boxMaximum() const;

    // The box's maximum number of characters.
    void setMaxLength(int characters);

    // The scroll bar's value; setting the value it holds does nothing.
    [[nodiscard]] int value() const;
    void setValue(int value);

    // Whether a change of the bar is copied into the box (default true).
    void setMirrorsBar(bool on) { mirrorsBar_ = on; }
    // Whether the scroll bar hands the keyboard focus on to the box (default false).
    void setBarPassesFocus(bool on) { barPassesFocus_ = on; }
    // Whether characters other than digits are refused and repaired away (default true).
    void setDigitsOnly(bool on) { entry_->setDigitsOnly(on); }
    // Replaces the Up/Down handling (step −1 Up, +1 Down); an empty handler restores stepBy().
    void setArrowHandler(NumericEntry::ArrowHandler handler);

    // The default arrow handling: the box's number − 1 (step < 0) if above the box's minimum, or
    // + 1 (step > 0) if below its maximum.
    void stepBy(int step);

signals:
    // The scroll bar's value changed (after the box has been updated).
    void valueChanged(int value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void validateText();
    void barChanged(int value);
    void wheelTurned(const QWheelEvent& wheel);

    // The angle of one notch of a mouse wheel, in eighths of a degree.
    static constexpr int WheelNotch = 120;

    QPointer<QLineEdit> box_;
    QPointer<QScrollBar> bar_;
    NumericEntry* entry_ = nullptr;
    std::optional<int> boxMinimum_;
    std::optional<int> boxMaximum_;
    bool mirrorsBar_ = true;
    bool barPassesFocus_ = false;
    int wheelAngle_ = 0; // wheel turned over the bar and not yet a whole notch, signed
};
