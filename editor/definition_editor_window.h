#pragma once

// What the holiday and the era editor share: a list of rows, the three listButtons buttons "新規",
// "変更", "削除" whose enabled state records the edit mode (all enabled in mode none, with the
// panel editPanel hidden; only the current mode's button otherwise), Escape closing the panel,
// double-click and Enter on the list acting as "変更", the saveButtons row "更新", "キャンセル",
// and centring on the first show.

#include <QDialog>
#include <QSize>
#include <array>
#include <initializer_list>

class QFrame;
class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class SpinPair;

class DefinitionEditorWindow : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

protected:
    enum class Mode { None, New, Change, Delete };

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

    [[nodiscard]] Mode mode() const;
    void setMode(Mode mode);
    // The selected row, or -1.
    [[nodiscard]] int selectedRow() const;
    void clearSelection();
    void closePanel();
    // Opens the panel empty for a new row.
    virtual void startNew() = 0;
    // Opens the panel on the selected row for a change or a deletion.
    virtual void startChangeOrDelete(Mode mode) = 0;
    // "更新": writes the definition file and closes the window.
    virtual void writeDefinitions() = 0;
    void listActivated();

    // The common skeleton, in two parts around the editor's own panel so that the tab order
    // follows the window from top to bottom. First the list definitionList (at least
    // `listMinimum`), the listButtons row and the panel editPanel, which keeps its room while
    // hidden.
    void buildSkeleton(QSize listMinimum);
    // Then, once the editor has filled editPanel: the saveButtons row, and the window's layout with
    // the widgets `above` over the list. No button acts on Enter by itself, and the window sees
    // every key of its controls first (Escape, Enter on the list; see keyPressEvent).
    void finishSkeleton(std::initializer_list<QWidget*> above = {});
    // One entry box of the panel with its spin scroll bar: Text1_<i> and VScroll1_<i>, holding at
    // most `length` characters.
    SpinPair* makeSpin(QLineEdit*& box, QScrollBar*& bar, std::size_t i, int length);

    QListWidget* definitionList = nullptr;
    std::array<QPushButton*, 3> listButtons{}; // "新規", "変更", "削除"
    QFrame* editPanel = nullptr;
    std::array<QPushButton*, 2> saveButtons{}; // "更新", "キャンセル"

private:
    bool centred_ = false;
    QHBoxLayout* commandRow_ = nullptr; // between buildSkeleton and finishSkeleton
};
