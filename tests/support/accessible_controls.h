#pragma once

// What a screen reader gets from a window's controls, read through Qt's accessibility interfaces
// as an assistive technology reads them (no bus needed).

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QScrollBar>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <utility>

inline QString AccessibleText(QWidget* widget, QAccessible::Text which) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(which) : QStringLiteral("<no interface>");
}

inline QString AccessibleName(QWidget* widget) {
    return AccessibleText(widget, QAccessible::Name);
}

inline QString AccessibleDescription(QWidget* widget) {
    return AccessibleText(widget, QAccessible::Description);
}

// The accessible name and description of the control `objectName` of `window` ("<missing>" as
// the name when there is no such control).
inline std::pair<QString, QString> AccessibleWords(QWidget& window, const char* objectName) {
    auto* control = window.findChild<QWidget*>(QString::fromLatin1(objectName));
    if (control == nullptr) {
        return {QStringLiteral("<missing>"), QString()};
    }
    return {AccessibleName(control), AccessibleDescription(control)};
}

// The objectNames of the controls that Tab visits from `first`, which is given the focus, until
// it comes back to `first` (40 at the most).
inline QStringList TabChain(QWidget* first) {
    QStringList chain;
    if (first == nullptr) {
        return chain;
    }
    first->setFocus();
    for (int i = 0; i < 40 && QApplication::focusWidget() != nullptr; ++i) {
        chain << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == first) {
            break;
        }
    }
    return chain;
}

// The controls of `window` that a listener works with: everything that takes the focus from the
// keyboard, and every scroll bar that is a control of its own (not the one of a list or a text
// area). Hidden controls count too: they show with a mode or an option.
inline QList<QWidget*> OperableControls(QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->window() != &window) {
            continue; // a drop-down list's popup, a menu
        }
        const QString parentName = w->parentWidget()->objectName();
        const bool ownScrollBar = qobject_cast<QScrollBar*>(w) != nullptr &&
                                  !parentName.startsWith(QStringLiteral("qt_scrollarea"));
        const bool takesTab = (w->focusPolicy() & Qt::TabFocus) != 0 && w->focusProxy() == nullptr;
        if (ownScrollBar || takesTab) {
            controls << w;
        }
    }
    return controls;
}

// The object names (class names for unnamed objects) of those controls that have no accessible
// name.
inline QStringList UnnamedControls(QWidget& window) {
    QStringList unnamed;
    for (QWidget* w : OperableControls(window)) {
        if (AccessibleName(w).trimmed().isEmpty()) {
            unnamed << (w->objectName().isEmpty()
                            ? QString::fromLatin1(w->metaObject()->className())
                            : w->objectName());
        }
    }
    return unnamed;
}
