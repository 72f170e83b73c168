#pragma once

// The fonts of the windows' designs: the Japanese desktop's gothic faces at a size in points.
// Where a face is missing, the platform substitutes an installed one (InstallRealServices).

#include <QFont>
#include <QString>

inline const QString Gothic = QStringLiteral("ＭＳ ゴシック");    // fixed pitch
inline const QString PGothic = QStringLiteral("ＭＳ Ｐゴシック"); // proportional
inline const QString UiGothic = QStringLiteral("MS UI Gothic");   // menus, tool tips, messages

inline QFont DesignFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
