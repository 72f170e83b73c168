#pragma once

// The look of an entry box on a background that a key colour makes see-through. Every pixel of
// the box's frame must be drawn in a colour of its own: a frame blended into the key colour (its
// smoothed corners, its shadow over the box's inside) would show as a fringe in the key's shades
// once the key colour is cut out. The frame is drawn as on an opaque calendar, over the colours
// the window and the box have there, and what is left of those two takes the key colour.

#include <QColor>
#include <QProxyStyle>

class QLineEdit;

class KeyedEntryStyle final : public QProxyStyle {
    Q_OBJECT
public:
    // Draws as style `baseStyle` (a style factory's key) does; `window` and `base` are the
    // background colours of the window and of the box on an opaque calendar.
    KeyedEntryStyle(const QString& baseStyle, QColor key, QColor window, QColor base);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

private:
    QColor key_;
    QColor window_;
    QColor base_;
};

// Gives `box` a KeyedEntryStyle of its own (owned by the box) over the style it has.
void KeyEntryBox(QLineEdit* box, QColor key, QColor window, QColor base);
