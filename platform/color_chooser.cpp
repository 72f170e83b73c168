#include "platform/color_chooser.h"

#include "platform/colors.h"

#include <QColorDialog>

std::int32_t ColorChooser::choose(QWidget* owner, std::int32_t initial) {
    // A fresh table of custom colours on every call.
    for (int i = 0; i < QColorDialog::customCount(); ++i) {
        QColorDialog::setCustomColor(i, QColor(0, 0, 0));
    }
    QColorDialog dialog(ResolveColor(initial), owner);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    const QColor color = dialog.selectedColor();
    for (int i = 0; i < QColorDialog::customCount(); ++i) {
        QColorDialog::setCustomColor(i, QColor(0, 0, 0));
    }
    if (!chosen || !color.isValid()) {
        return -1;
    }
    return ColorValue(color);
}
