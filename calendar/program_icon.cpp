#include "calendar/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace {

// A calendar page: a red binding strip over a white sheet with a grid of day dots.
QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    const QRectF sheet(unit, unit * 2, unit * 14, unit * 13);
    painter.setPen(QPen(QColor(64, 64, 64), unit * 0.5));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    painter.fillRect(QRectF(sheet.left(), sheet.top(), sheet.width(), unit * 3.5),
                     QColor(200, 32, 32));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            const QColor dot = column == 0 ? QColor(200, 32, 32) : QColor(48, 48, 48);
            painter.fillRect(
                QRectF(unit * (2.5 + 3 * column), unit * (7 + 2.6 * row), unit * 2, unit * 1.6),
                dot);
        }
    }
    return pixmap;
}

} // namespace

QIcon ProgramIcon() {
    static const QIcon icon = [] {
        QIcon made;
        for (int size : {16, 32, 48}) {
            made.addPixmap(drawIcon(size));
        }
        return made;
    }();
    return icon;
}
