#pragma once

// What the holiday and the era editor share: a list of rows, the three Command1 buttons "新規",
// "変更", "削除" whose enabled state records the edit mode (all enabled in mode none, with the
// panel Frame1 hidden; only the current mode's button otherwise), Escape closing the panel,
// double-click and Enter on the list acting as "変更", and centring on the first show.

#include <QDialog>
#include <array>

class QFrame;
class QListWidget;
class QPushButton;

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
    // Opens the panel on the selected row for a change or a deletion.
    virtual void startChangeOrDelete(Mode mode) = 0;
    void listActivated();

    QListWidget* List1 = nullptr;
    std::array<QPushButton*, 3> Command1{}; // "新規", "変更", "削除"
    QFrame* Frame1 = nullptr;

private:
    bool centred_ = false;
};
