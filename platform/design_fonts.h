#pragma once

// The fonts of the dialogs' designs: the Japanese desktop's gothic faces (the platform layer
// substitutes installed fonts where these are missing) at a size in points.

#include <QFont>
#include <QString>

inline const QString Gothic = QStringLiteral("ＭＳ ゴシック");    // fixed pitch
inline const QString PGothic = QStringLiteral("ＭＳ Ｐゴシック"); // proportional

inline QFont DesignFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
