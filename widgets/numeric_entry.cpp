#include "widgets/numeric_entry.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

NumericEntry::NumericEntry(QLineEdit* box) : QObject(box), box_(box) {
    box->installEventFilter(this);
    setDigitsOnly(true);
}

void NumericEntry::setDigitsOnly(bool on) {
    digitsOnly_ = on;
    if (box_) {
        // Characters typed through an input method would pass by the key filter.
        box_->setAttribute(Qt::WA_InputMethodEnabled, !on);
        box_->setInputMethodHints(on ? Qt::ImhDigitsOnly : Qt::ImhNone);
    }
}

bool NumericEntry::isRefusedCharacter(QChar c) {
    // Control characters (below 32, and DEL) are keys, not text: they pass.
    const char16_t code = c.unicode();
    return code >= 32 && code != 127 && (code < u'0' || code > u'9');
}

bool NumericEntry::eventFilter(QObject* watched, QEvent* event) {
    // A box being destroyed is no longer a line edit; its pointer must not be read as one.
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr || box != box_) {
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        box->selectAll();
        return false;
    }
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && arrowHandler_) {
        arrowHandler_(key->key() == Qt::Key_Up ? -1 : +1);
        if (box_) {
            box_->setCursorPosition(0);
        }
        return true;
    }
    if (digitsOnly_ && !key->text().isEmpty() && isRefusedCharacter(key->text().front()) &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return true;
    }
    return false;
}
