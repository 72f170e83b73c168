#include "resources/zelvar_icon.h"

#include <QString>

namespace {

constexpr int iconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

} // namespace

QList<QSize> ZelvarIconSizes() {
    QList<QSize> sizes;
    for (int size : iconSizes) {
        sizes.append(QSize(size, size));
    }
    return sizes;
}

QIcon ZelvarIcon() {
    // Built once: every window asks for it, and the PNGs never change while the program runs.
    static const QIcon icon = [] {
        QIcon made;
        for (int size : iconSizes) {
            made.addFile(QStringLiteral(":/zelvar/icons/hicolor/%1x%1/apps/zelvar.png").arg(size),
                         QSize(size, size));
        }
        return made;
    }();
    return icon;
}
