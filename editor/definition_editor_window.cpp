#include "editor/definition_editor_window.h"

#include "editor/window_placement.h"

#include <QFrame>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

void DefinitionEditorWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!centred_) {
        centred_ = true;
        CentreOnScreen(this);
    }
}

DefinitionEditorWindow::Mode DefinitionEditorWindow::mode() const {
    const bool newOn = Command1[0]->isEnabled();
    const bool changeOn = Command1[1]->isEnabled();
    const bool deleteOn = Command1[2]->isEnabled();
    if (newOn && changeOn && deleteOn) {
        return Mode::None;
    }
    if (newOn) {
        return Mode::New;
    }
    return changeOn ? Mode::Change : Mode::Delete;
}

void DefinitionEditorWindow::setMode(Mode mode) {
    Command1[0]->setEnabled(mode == Mode::None || mode == Mode::New);
    Command1[1]->setEnabled(mode == Mode::None || mode == Mode::Change);
    Command1[2]->setEnabled(mode == Mode::None || mode == Mode::Delete);
    Frame1->setVisible(mode != Mode::None);
}

int DefinitionEditorWindow::selectedRow() const {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    return selected.isEmpty() ? -1 : List1->row(selected.first());
}

void DefinitionEditorWindow::clearSelection() {
    List1->setCurrentItem(nullptr);
    List1->clearSelection();
}

void DefinitionEditorWindow::closePanel() {
    setMode(Mode::None);
    List1->setFocus();
}

void DefinitionEditorWindow::listActivated() {
    // A double-click or Enter on the list acts as "変更" while that button is enabled.
    if (Command1[1]->isEnabled()) {
        startChangeOrDelete(Mode::Change);
    }
}

void DefinitionEditorWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (Frame1->isVisible()) {
            closePanel();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool DefinitionEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            if (Frame1->isVisible()) {
                closePanel();
            }
            return true;
        }
        if (watched == List1 && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            listActivated();
            return true;
        }
    }
    if (watched == List1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        listActivated();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
