#include "widgets/color_swatch_accessible.h"

#include "widgets/color_swatch.h"

#include <QAccessibleWidget>

namespace {

class ColorSwatchAccessible final : public QAccessibleWidget {
public:
    explicit ColorSwatchAccessible(QWidget* swatch)
        : QAccessibleWidget(swatch, QAccessible::Button) {}

    [[nodiscard]] QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == pressAction() && widget()->isEnabled()) {
            emit static_cast<ColorSwatch*>(widget())->clicked();
            return;
        }
        QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* swatchInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("ColorSwatch") && object != nullptr && object->isWidgetType()) {
        return new ColorSwatchAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

} // namespace

void InstallColorSwatchAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&swatchInterface);
        return true;
    }();
    (void)installed;
}
