#pragma once

// The holiday editor "祝日の設定". It edits the engine's HolidayDefs in place: the list shows five
// notes on the computed holidays, a separator and one row per definition in key order; new,
// change and delete go through the panel editPanel; "更新" writes Korin1.csv and closes.

#include "date/definitions.h"
#include "editor/definition_editor_window.h"
#include "editor/holiday_panel.h"

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class SpinPair;

class HolidayEditorWindow final : public DefinitionEditorWindow {
    Q_OBJECT

public:
    explicit HolidayEditorWindow(QWidget* parent = nullptr);

private:
    void buildControls();
    void layOutPanel(const std::array<QWidget*, 5>& pieces);
    // Sorts the table and refills the list; returns where the followed record ended up.
    std::optional<int> rebuildList(std::optional<int> follow = std::nullopt);
    void selectRow(int row);
    // The definition index of the selected row, or nullopt after telling the user why not.
    std::optional<int> selectedDefinition();

    void startNew() override;
    void startChangeOrDelete(Mode mode) override;
    void confirm();
    void writeDefinitions() override;
    void setSpinValue(int box, int value);
    void showValues(const HolidayPanelValues& values);
    [[nodiscard]] HolidayPanelValues panelValues() const;
    void setInputsEnabled(bool on);
    void showKindControls();

    std::array<QLabel*, 7> panelLabels{}; // 0 "廃止", 1 "開始", 2 "第", 3 "週", 4/5 notes, 6 "月"
    QLineEdit* nameBox = nullptr;         // name
    std::array<QRadioButton*, 2> kindButtons{}; // "日指定", "週指定"
    std::array<QLineEdit*, 5> numberBoxes{};    // FromYear, Month, Day, Week, ToYear
    std::array<QScrollBar*, 5> numberScrollBars{};
    std::array<SpinPair*, 5> spins_{};
    QComboBox* weekdayList = nullptr;           // Monday .. Saturday
    std::array<QPushButton*, 2> panelButtons{}; // "決定", "取消"
    FileStamp loadedStamp_;       // the holiday file as it was when the table was loaded
    bool conversionTold_ = false; // the user was told that a UTF-8 file becomes code page 932
};
