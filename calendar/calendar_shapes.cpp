#include "calendar/calendar_shapes.h"

#include <QPainter>

ShapeOutline::ShapeOutline(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ShapeOutline::setBorderColour(const QColor& colour) {
    if (colour == colour_) {
        return;
    }
    colour_ = colour;
    update();
}

void ShapeOutline::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(colour_);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

LineControl::LineControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::setLineColour(const QColor& colour) {
    if (colour == colour_) {
        return;
    }
    colour_ = colour;
    update();
}

void LineControl::setHorizontal(int x1, int x2, int y) {
    setGeometry(qMin(x1, x2), y, qAbs(x2 - x1), 1);
}

void LineControl::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
}
