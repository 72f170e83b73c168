#include "editor/enter_presses_button.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace {

// Watches one button (its parent) for Enter.
class EnterClicks final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            return false;
        }
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button == nullptr || !button->isEnabled()) {
            return false;
        }
        button->click();
        return true;
    }
};

} // namespace

void EnterPressesFocusedButton(QWidget* window) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        button->installEventFilter(new EnterClicks(button));
    }
}
