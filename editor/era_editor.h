#pragma once

// The era editor "元号の設定". The list is the working copy: one row per era
// ("1989年 1月 8日 | 平成"), kept in text order, which is date order. EraDefs and Korin2.csv change
// only through "更新", which rebuilds the table from the rows, writes the file and closes.
//
// As in the holiday editor, the enabled state of the three Command1 buttons records the mode.

#include <QDialog>
#include <array>

class QFrame;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class SpinPair;

class EraEditorWindow : public QDialog {
    Q_OBJECT

public:
    explicit EraEditorWindow(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class Mode { None, New, Change, Delete };

    void buildControls();
    [[nodiscard]] QStringList rows() const;
    // Adds `row` at its place in the order and returns its index.
    int addRow(const QString& row);
    [[nodiscard]] Mode mode() const;
    void setMode(Mode mode);
    [[nodiscard]] int selectedRow() const;
    void clearSelection();
    void setInputsEnabled(bool on);
    void setSpinValue(int box, int value);

    void startNew();
    void startChangeOrDelete(Mode mode);
    void confirm();
    void closePanel();
    void update();
    void listActivated();

    QListWidget* List1 = nullptr;
    std::array<QPushButton*, 3> Command1{}; // "新規", "変更", "削除"
    QFrame* Frame1 = nullptr;
    std::array<QLineEdit*, 3> Text1{}; // year, month, day
    std::array<QScrollBar*, 3> VScroll1{};
    std::array<SpinPair*, 3> spins_{};
    QLineEdit* Text2 = nullptr;             // name
    std::array<QPushButton*, 2> Command2{}; // "決定", "取消"
    std::array<QPushButton*, 2> Command3{}; // "更新", "キャンセル"
    bool centred_ = false;
};
