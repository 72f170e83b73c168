#pragma once

// The keyboard behaviour of a numeric entry box, attached to a QLineEdit:
// - typed characters other than the digits 0–9 are dropped (control keys such as Backspace,
//   Enter and Escape pass on), and the input method is off;
// - the whole text is selected when the box gets the focus;
// - Up and Down call the arrow handler (step −1 for Up, +1 for Down); the key is then consumed
//   and the caret goes to the start of the box, whether or not the text changed.

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <functional>

class NumericEntry final : public QObject {
    Q_OBJECT
public:
    using ArrowHandler = std::function<void(int step)>;

    // Owned by `box`.
    explicit NumericEntry(QLineEdit* box);

    [[nodiscard]] QLineEdit* box() const { return box_; }

    // Whether characters other than digits are dropped (default true).
    void setDigitsOnly(bool on);
    [[nodiscard]] bool digitsOnly() const { return digitsOnly_; }

    // The handling of Up and Down; without one the box handles these keys as usual.
    void setArrowHandler(ArrowHandler handler) { arrowHandler_ = std::move(handler); }

    // True for a typed character that the digit filter drops.
    static bool isRefusedCharacter(QChar c);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLineEdit> box_;
    ArrowHandler arrowHandler_;
    bool digitsOnly_ = true;
};
