#pragma once

// The era editor "元号の設定". The list is the working copy: one row per era
// ("1989年 1月 8日 | 平成"), kept in text order, which is date order. EraDefs and Korin2.csv change
// only through "更新", which rebuilds the table from the rows, writes the file and closes.

#include "date/definitions.h"
#include "editor/definition_editor_window.h"

#include <array>

class QLineEdit;
class QListWidgetItem;
class QPushButton;
class QScrollBar;
class SpinPair;

class EraEditorWindow final : public DefinitionEditorWindow {
    Q_OBJECT

public:
    explicit EraEditorWindow(QWidget* parent = nullptr);

private:
    void buildControls();
    [[nodiscard]] QStringList rows() const;
    // Adds `row` at its place in the order and returns its index.
    int addRow(const QString& row);
    // Adds the row of a loaded era. A start date that the panel cannot hold gets a marked row
    // that keeps the file's text (item data EraStartRole and EraNameRole) and its place right
    // after `previous`, the row of the record before it (nullptr: the first place). `previous`
    // becomes the new row.
    void addLoadedRow(const EraDef& era, QListWidgetItem*& previous);
    void setInputsEnabled(bool on);
    void setSpinValue(int box, int value);

    void startNew() override;
    void startChangeOrDelete(Mode mode) override;
    void confirm();
    void writeDefinitions() override;

    std::array<QLineEdit*, 3> dateBoxes{}; // year, month, day
    std::array<QScrollBar*, 3> dateScrollBars{};
    std::array<SpinPair*, 3> spins_{};
    QLineEdit* nameBox = nullptr;               // name
    std::array<QPushButton*, 2> panelButtons{}; // "決定", "取消"
    FileStamp loadedStamp_;                     // the era file as it was when the table was loaded
    bool conversionTold_ = false; // the user was told that a UTF-8 file becomes code page 932
};
