#include "widgets/color_swatch.h"

#include "platform/colors.h"
#include "widgets/color_swatch_accessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    InstallColorSwatchAccessibility();
}

void ColorSwatch::setColor(std::int32_t value) {
    if (value == color_) {
        return;
    }
    color_ = value;
    update();
    emit colorChanged(value);
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), ResolveColor(color_, palette()));
    }
    QFrame::paintEvent(event);
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    QFrame::mousePressEvent(event);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        event->accept();
        if (rect().contains(event->position().toPoint())) {
            emit clicked();
        }
        return;
    }
    QFrame::mouseReleaseEvent(event);
}

void ColorSwatch::keyPressEvent(QKeyEvent* event) {
    // From the keyboard as with a button: Space, Enter or Return.
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
            event->key() == Qt::Key_Enter) {
            event->accept();
            emit clicked();
            return;
        }
    }
    QFrame::keyPressEvent(event);
}

void ColorSwatch::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        update(); // system colours follow the palette
    }
    QFrame::changeEvent(event);
}
