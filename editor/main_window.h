#pragma once

// The editor's main window "日付操作モジュールのパラメータ設定": two buttons that load the
// definition files and open the holiday or the era editor, and a menu bar with the holiday list and
// "終了". When the definition files are saved into the user's own folder, a status line names it.

#include <QMainWindow>
#include <array>

class QAction;
class QPushButton;

class EditorMainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit EditorMainWindow(QWidget* parent = nullptr);

    // Loads both definition files, then opens the holiday editor modally.
    void openHolidayEditor();
    // Loads both definition files, then opens the era editor modally.
    void openEraEditor();
    // Opens the holiday list modally; the list loads the files itself.
    void openHolidayList();
    // Asks for the government's list of holidays and shows the comparison with the definitions.
    void openOfficialCheck();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // A status line with the folder "更新" saves into, when it is the user's and not the program's.
    void showSaveFolder();

    std::array<QPushButton*, 2> editorButtons{}; // 0: "祝日の設定", 1: "元号の設定"
    QAction* exitCommand = nullptr;
    QAction* holidayListCommand = nullptr;
    QAction* officialCheckCommand = nullptr;
    bool centred_ = false;
};
