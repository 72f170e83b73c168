#pragma once

// Two drawing controls of the calendar window that Qt has no widget for: a rectangle outline
// (today's mark in the flat look) and a straight horizontal line (the clock strip's boundary).
// Both let mouse events through to what lies below them.

#include <QColor>
#include <QWidget>

// A one-pixel rectangle outline filling the control's rectangle.
class ShapeOutline final : public QWidget {
public:
    explicit ShapeOutline(QWidget* parent);
    void setBorderColour(const QColor& colour);
    [[nodiscard]] QColor borderColour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_{Qt::black};
};

// A horizontal line one pixel thick, from x1 to x2 at height y of its parent (pixels).
class LineControl final : public QWidget {
public:
    explicit LineControl(QWidget* parent);
    void setLineColour(const QColor& colour);
    [[nodiscard]] QColor lineColour() const { return colour_; }
    void setHorizontal(int x1, int x2, int y);
    [[nodiscard]] int borderWidth() const { return 1; } // line thickness in pixels

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_{Qt::black};
};
