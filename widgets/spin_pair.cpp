#include "widgets/spin_pair.h"

#include "widgets/lenient_number.h"

#include <QEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

SpinPair::SpinPair(QLineEdit* box, QScrollBar* bar)
    : QObject(box), box_(box), bar_(bar), entry_(new NumericEntry(box)) {
    bar->setSingleStep(1);
    entry_->setArrowHandler([this](int step) { stepBy(step); });
    connect(box, &QLineEdit::textChanged, this, &SpinPair::validateText);
    connect(bar, &QScrollBar::valueChanged, this, &SpinPair::barChanged);
    bar->installEventFilter(this);
}

void SpinPair::setRange(int minimum, int maximum) {
    bar_->setRange(minimum, maximum);
}

void SpinPair::setBoxRange(int minimum, int maximum) {
    // A range given backwards would make the box bounce between its limits for ever.
    boxMinimum_ = minimum;
    boxMaximum_ = std::max(minimum, maximum);
}

int SpinPair::boxMinimum() const {
    return boxMinimum_.value_or(bar_->minimum());
}

int SpinPair::boxMaximum() const {
    return boxMaximum_.value_or(bar_->maximum());
}

void SpinPair::setMaxLength(int characters) {
    box_->setMaxLength(characters);
}

int SpinPair::value() const {
    return bar_->value();
}

void SpinPair::setValue(int value) {
    if (value == bar_->value()) {
        return;
    }
    bar_->setValue(value);
}

void SpinPair::setArrowHandler(NumericEntry::ArrowHandler handler) {
    if (!handler) {
        handler = [this](int step) { stepBy(step); };
    }
    entry_->setArrowHandler(std::move(handler));
}

void SpinPair::stepBy(int step) {
    const double number = LeadingNumber(box_->text());
    if (step < 0 && number > boxMinimum()) {
        box_->setText(NumberText(number - 1));
    } else if (step > 0 && number < boxMaximum()) {
        box_->setText(NumberText(number + 1));
    }
}

void SpinPair::validateText() {
    // Setting the text below runs this again for the new text; each run ends with the bar
    // taking the box's number, and a bar that already holds it reports nothing.
    const QString text = box_->text();
    const double number = LeadingNumber(text);
    if (text.trimmed().isEmpty() || number < boxMinimum()) {
        box_->setText(QString::number(boxMinimum()));
    } else if (number > boxMaximum()) {
        box_->setText(QString::number(boxMaximum()));
    } else if (entry_->digitsOnly()) {
        // Pasted text does not pass the key filter: keep only its number.
        const bool onlyDigits = std::all_of(
            text.cbegin(), text.cend(), [](QChar c) { return c.isDigit() && c.unicode() < 128; });
        if (!onlyDigits) {
            box_->setText(QString::number(RoundHalfEven(number)));
        }
    }
    setValue(LeadingWholeNumber(box_->text()));
}

void SpinPair::barChanged(int value) {
    if (mirrorsBar_) {
        const QString text = QString::number(value);
        if (box_->text() != text) {
            box_->setText(text);
        }
    }
    emit valueChanged(value);
}

void SpinPair::wheelTurned(const QWheelEvent& wheel) {
    const QPoint angle = wheel.angleDelta();
    int delta = angle.y() != 0 ? angle.y() : angle.x();
    // The value follows the wheel itself, whatever way the desktop turns its scrolling.
    if (wheel.inverted()) {
        delta = -delta;
    }
    if ((delta > 0 && wheelAngle_ < 0) || (delta < 0 && wheelAngle_ > 0)) {
        wheelAngle_ = 0; // turned back: what was left of the other way is dropped
    }
    wheelAngle_ += delta;
    // Turning the wheel away from the hand is the upper arrow; towards it, the lower arrow.
    while (wheelAngle_ >= WheelNotch && bar_) {
        wheelAngle_ -= WheelNotch;
        bar_->triggerAction(QAbstractSlider::SliderSingleStepSub);
    }
    while (wheelAngle_ <= -WheelNotch && bar_) {
        wheelAngle_ += WheelNotch;
        bar_->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
}

bool SpinPair::eventFilter(QObject* watched, QEvent* event) {
    // A bar being destroyed is no longer a scroll bar; its pointer must not be read as one.
    auto* bar = qobject_cast<QScrollBar*>(watched);
    if (bar == nullptr || bar != bar_) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusIn && barPassesFocus_ && box_) {
        box_->setFocus(Qt::OtherFocusReason);
    }
    if (event->type() == QEvent::Wheel) {
        wheelTurned(*static_cast<QWheelEvent*>(event));
        return true;
    }
    return QObject::eventFilter(watched, event);
}
