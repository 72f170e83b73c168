#include "calendar/keyed_entry_style.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOption>

KeyedEntryStyle::KeyedEntryStyle(const QString& baseStyle, QColor key, QColor window, QColor base)
    : QProxyStyle(baseStyle), key_(key.toRgb()), window_(window.toRgb()), base_(base.toRgb()) {}

void KeyedEntryStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element != PE_PanelLineEdit || frame == nullptr || option->rect.isEmpty()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    QStyleOptionFrame opaque(*frame);
    opaque.rect = QRect(QPoint(), option->rect.size());
    opaque.palette.setColor(QPalette::Window, window_);
    opaque.palette.setColor(QPalette::Base, base_);

    const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1;
    QImage image(option->rect.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(window_);
    {
        QPainter opaquePainter(&image);
        QProxyStyle::drawPrimitive(element, &opaque, &opaquePainter, widget);
    }
    const QRgb window = window_.rgb();
    const QRgb base = base_.rgb();
    const QRgb key = key_.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == window || line[x] == base) {
                line[x] = key;
            }
        }
    }
    painter->drawImage(option->rect.topLeft(), image);
}

void KeyEntryBox(QLineEdit* box, QColor key, QColor window, QColor base) {
    auto* style = new KeyedEntryStyle(box->style()->name(), key, window, base);
    style->setParent(box);
    box->setStyle(style);
}
