#include "widgets/accessible_names.h"

#include <QWidget>

void NameControls(QWidget& window, std::initializer_list<ControlName> names) {
    for (const ControlName& entry : names) {
        const QString objectName = QString::fromLatin1(entry.objectName);
        QWidget* control =
            window.objectName() == objectName ? &window : window.findChild<QWidget*>(objectName);
        if (control == nullptr) {
            continue;
        }
        control->setAccessibleName(QString::fromUtf8(entry.name));
        if (*entry.description != '\0') {
            control->setAccessibleDescription(QString::fromUtf8(entry.description));
        }
    }
}
