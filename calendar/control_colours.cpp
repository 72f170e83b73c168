#include "calendar/control_colours.h"

#include <QLineEdit>
#include <QWidget>

namespace {
const char* const FlatProperty = "flatLook";

void setRole(QWidget* control, QPalette::ColorRole role, const QColor& colour) {
    if (control->palette().color(role) == colour && control->testAttribute(Qt::WA_SetPalette)) {
        return;
    }
    QPalette palette = control->palette();
    palette.setColor(role, colour);
    control->setPalette(palette);
}

void updateFlatOutline(QLineEdit* box) {
    if (!box->property(FlatProperty).toBool()) {
        box->setStyleSheet(QString());
        return;
    }
    // A style sheet draws the box's inside itself, in its own colour unless told.
    const QColor text = box->palette().color(QPalette::Text);
    const QColor base = box->palette().color(QPalette::Base);
    box->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid %1; background: %2; }")
                           .arg(text.name(), base.name()));
}
} // namespace

void setBackground(QWidget* control, const QColor& colour) {
    control->setAutoFillBackground(true);
    setRole(control, QPalette::Window, colour);
}

QColor backgroundOf(const QWidget* control) {
    return control->palette().color(QPalette::Window);
}

void setTextColour(QWidget* control, const QColor& colour) {
    setRole(control, QPalette::WindowText, colour);
}

QColor textColourOf(const QWidget* control) {
    return control->palette().color(QPalette::WindowText);
}

void setBoxColours(QLineEdit* box, const QColor& background, const QColor& text) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    box->setPalette(palette);
    updateFlatOutline(box);
}

void setBoxFlat(QLineEdit* box, bool flat) {
    box->setProperty(FlatProperty, flat);
    box->setFrame(!flat);
    updateFlatOutline(box);
}

bool isBoxFlat(const QLineEdit* box) {
    return box->property(FlatProperty).toBool();
}
