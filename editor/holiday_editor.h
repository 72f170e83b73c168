#pragma once

// The holiday editor "祝日の設定". It edits the engine's HolidayDefs in place: the list shows five
// notes on the computed holidays, a separator and one row per definition in key order; new,
// change and delete go through the panel Frame1; "更新" writes Korin1.csv and closes.
//
// The edit mode is recorded by the enabled state of the three Command1 buttons: all enabled in
// mode none (panel hidden), only the current mode's button otherwise.

#include "editor/holiday_panel.h"

#include <QDialog>
#include <array>
#include <optional>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class SpinPair;

class HolidayEditorWindow : public QDialog {
    Q_OBJECT

public:
    explicit HolidayEditorWindow(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class Mode { None, New, Change, Delete };

    void buildControls();
    // Sorts the table and refills the list; returns where the followed record ended up.
    std::optional<int> rebuildList(std::optional<int> follow = std::nullopt);
    [[nodiscard]] Mode mode() const;
    void setMode(Mode mode);
    [[nodiscard]] int selectedRow() const;
    void selectRow(int row);
    void clearSelection();
    // The definition index of the selected row, or nullopt after telling the user why not.
    std::optional<int> selectedDefinition();

    void startNew();
    void startChangeOrDelete(Mode mode);
    void confirm();
    void closePanel();
    void update();
    void setSpinValue(int box, int value);
    void showValues(const HolidayPanelValues& values);
    [[nodiscard]] HolidayPanelValues panelValues() const;
    void setInputsEnabled(bool on);
    void showKindControls();
    void listActivated();

    std::array<QLabel*, 7> Label1{}; // 0 "廃止", 1 "開始", 2 "第", 3 "週", 4/5 notes, 6 "月"
    QListWidget* List1 = nullptr;
    std::array<QPushButton*, 3> Command1{}; // "新規", "変更", "削除"
    QFrame* Frame1 = nullptr;
    QLineEdit* Text2 = nullptr;             // name
    std::array<QRadioButton*, 2> Option1{}; // "日指定", "週指定"
    std::array<QLineEdit*, 5> Text1{};      // FromYear, Month, Day, Week, ToYear
    std::array<QScrollBar*, 5> VScroll1{};
    std::array<SpinPair*, 5> spins_{};
    QComboBox* Combo1 = nullptr;            // Monday .. Saturday
    std::array<QPushButton*, 2> Command2{}; // "決定", "取消"
    std::array<QPushButton*, 2> Command3{}; // "更新", "キャンセル"
    bool centred_ = false;
};
