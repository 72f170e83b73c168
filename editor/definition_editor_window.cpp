#include "editor/definition_editor_window.h"

#include "editor/window_placement.h"
#include "platform/design_fonts.h"
#include "widgets/spin_pair.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// A row of buttons named <name>_<i>, after a stretch when `right` is set.
template <std::size_t N>
QHBoxLayout* buttonRow(QWidget* parent, std::array<QPushButton*, N>& buttons, const char* name,
                       const std::array<QString, N>& texts, bool right) {
    auto* row = new QHBoxLayout;
    if (right) {
        row->addStretch(1);
    }
    for (std::size_t i = 0; i < N; ++i) {
        buttons[i] = new QPushButton(texts[i], parent);
        buttons[i]->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        row->addWidget(buttons[i]);
    }
    return row;
}

} // namespace

void DefinitionEditorWindow::buildSkeleton(QSize listMinimum) {
    definitionList = new QListWidget(this);
    definitionList->setObjectName(QStringLiteral("List1"));
    definitionList->setFont(QFont(Gothic, 9));
    definitionList->setSelectionMode(QAbstractItemView::SingleSelection);
    definitionList->setMinimumSize(listMinimum);
    definitionList->viewport()->installEventFilter(this);

    commandRow_ = buttonRow<3>(
        this, listButtons, "Command1",
        {QStringLiteral("新規(&N)"), QStringLiteral("変更(&R)"), QStringLiteral("削除(&D)")},
        false);
    connect(listButtons[0], &QPushButton::clicked, this, [this] { startNew(); });
    connect(listButtons[1], &QPushButton::clicked, this,
            [this] { startChangeOrDelete(Mode::Change); });
    connect(listButtons[2], &QPushButton::clicked, this,
            [this] { startChangeOrDelete(Mode::Delete); });

    editPanel = new QFrame(this);
    editPanel->setObjectName(QStringLiteral("Frame1"));
    editPanel->setFrameShape(QFrame::StyledPanel);
    // The window keeps its size while the panel is hidden.
    QSizePolicy keepSpace = editPanel->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    editPanel->setSizePolicy(keepSpace);
}

void DefinitionEditorWindow::finishSkeleton(std::initializer_list<QWidget*> above) {
    QHBoxLayout* finalRow =
        buttonRow<2>(this, saveButtons, "Command3",
                     {QStringLiteral("更新"), QStringLiteral("キャンセル")}, true);
    connect(saveButtons[0], &QPushButton::clicked, this, [this] { writeDefinitions(); });
    connect(saveButtons[1], &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* widget : above) {
        widget->setParent(this);
        layout->addWidget(widget);
    }
    layout->addWidget(definitionList, 1);
    layout->addLayout(commandRow_);
    layout->addWidget(editPanel);
    layout->addLayout(finalRow);

    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

SpinPair* DefinitionEditorWindow::makeSpin(QLineEdit*& box, QScrollBar*& bar, std::size_t i,
                                           int length) {
    box = new QLineEdit(editPanel);
    box->setObjectName(QStringLiteral("Text1_%1").arg(i));
    bar = new QScrollBar(Qt::Vertical, editPanel);
    bar->setObjectName(QStringLiteral("VScroll1_%1").arg(i));
    auto* spin = new SpinPair(box, bar);
    spin->setMaxLength(length);
    spin->setBarPassesFocus(true);
    return spin;
}

void DefinitionEditorWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!centred_) {
        centred_ = true;
        CentreOnScreen(this);
    }
}

DefinitionEditorWindow::Mode DefinitionEditorWindow::mode() const {
    const bool newOn = listButtons[0]->isEnabled();
    const bool changeOn = listButtons[1]->isEnabled();
    const bool deleteOn = listButtons[2]->isEnabled();
    if (newOn && changeOn && deleteOn) {
        return Mode::None;
    }
    if (newOn) {
        return Mode::New;
    }
    return changeOn ? Mode::Change : Mode::Delete;
}

void DefinitionEditorWindow::setMode(Mode mode) {
    listButtons[0]->setEnabled(mode == Mode::None || mode == Mode::New);
    listButtons[1]->setEnabled(mode == Mode::None || mode == Mode::Change);
    listButtons[2]->setEnabled(mode == Mode::None || mode == Mode::Delete);
    editPanel->setVisible(mode != Mode::None);
}

int DefinitionEditorWindow::selectedRow() const {
    const QList<QListWidgetItem*> selected = definitionList->selectedItems();
    return selected.isEmpty() ? -1 : definitionList->row(selected.first());
}

void DefinitionEditorWindow::clearSelection() {
    definitionList->setCurrentItem(nullptr);
    definitionList->clearSelection();
}

void DefinitionEditorWindow::closePanel() {
    setMode(Mode::None);
    definitionList->setFocus();
}

void DefinitionEditorWindow::listActivated() {
    // A double-click or Enter on the list acts as "変更" while that button is enabled.
    if (listButtons[1]->isEnabled()) {
        startChangeOrDelete(Mode::Change);
    }
}

void DefinitionEditorWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (editPanel->isVisible()) {
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
            if (editPanel->isVisible()) {
                closePanel();
            }
            return true;
        }
        if (watched == definitionList &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            listActivated();
            return true;
        }
    }
    if (watched == definitionList->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        listActivated();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
