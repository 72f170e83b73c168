#include "widgets/fitted_label.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace {

bool fits(const QFont& font, const QString& text, const QSize& room) {
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(text) <= room.width() && metrics.height() <= room.height();
}

} // namespace

QFont FittedLabel::fittedFont() const {
    const QFont own = font();
    const QSize room = contentsRect().size();
    if (text().isEmpty() || fits(own, text(), room)) {
        return own;
    }
    // Pixel sizes step down from the font's own; the first that fits is the largest.
    QFont smaller = own;
    for (int pixels = QFontInfo(own).pixelSize() - 1; pixels > 1; --pixels) {
        smaller.setPixelSize(pixels);
        if (fits(smaller, text(), room)) {
            return smaller;
        }
    }
    smaller.setPixelSize(1);
    return smaller;
}

void FittedLabel::paintEvent(QPaintEvent* event) {
    const QFont drawn = fittedFont();
    if (drawn == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(drawn);
    style()->drawItemText(&painter, contentsRect(),
                          QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), text(), foregroundRole());
}
