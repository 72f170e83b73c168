#include "editor/main_window.h"

#include "date/definitions.h"
#include "editor/accessibility.h"
#include "editor/enter_presses_button.h"
#include "editor/era_editor.h"
#include "editor/holiday_editor.h"
#include "editor/holiday_list_window.h"
#include "editor/official_check_window.h"
#include "editor/window_placement.h"
#include "platform/design_fonts.h"
#include "platform/folder_text.h"
#include "platform/services.h"

#include <QAction>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

EditorMainWindow::EditorMainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("EditorMainWindow"));
    setWindowTitle(QStringLiteral("日付操作モジュールのパラメータ設定"));
    setFont(QFont(UiGothic, 9));

    exitCommand = menuBar()->addAction(QStringLiteral("終了(&X)"));
    exitCommand->setObjectName(QStringLiteral("Menu_Exit"));
    connect(exitCommand, &QAction::triggered, this, &QWidget::close);
    holidayListCommand = menuBar()->addAction(QStringLiteral("祝日一覧(&H)"));
    holidayListCommand->setObjectName(QStringLiteral("MNU_Holiday"));
    connect(holidayListCommand, &QAction::triggered, this, &EditorMainWindow::openHolidayList);
    officialCheckCommand = menuBar()->addAction(QStringLiteral("公式の一覧と照合(&C)..."));
    officialCheckCommand->setObjectName(QStringLiteral("MNU_Check"));
    connect(officialCheckCommand, &QAction::triggered, this, &EditorMainWindow::openOfficialCheck);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    const std::array<QString, 2> captions = {QStringLiteral("祝日の設定"),
                                             QStringLiteral("元号の設定")};
    for (std::size_t i = 0; i < editorButtons.size(); ++i) {
        editorButtons[i] = new QPushButton(captions[i], central);
        editorButtons[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        editorButtons[i]->setFont(QFont(PGothic, 9));
        editorButtons[i]->setMinimumSize(340, 48);
        layout->addWidget(editorButtons[i]);
    }
    connect(editorButtons[0], &QPushButton::clicked, this, &EditorMainWindow::openHolidayEditor);
    connect(editorButtons[1], &QPushButton::clicked, this, &EditorMainWindow::openEraEditor);
    setCentralWidget(central);
    showSaveFolder();
    setFixedSize(sizeHint());
    EnterPressesFocusedButton(this);
    NameForScreenReaders(*this);
}

void EditorMainWindow::showSaveFolder() {
    // In a folder shared by all users, "更新" saves into the user's own data folder: say which.
    const FileLocations& locations = ProgramFileLocations();
    if (locations.besideProgram) {
        return;
    }
    if (locations.userDataFolder.empty()) {
        auto* label = new QLabel(QStringLiteral("保存先: なし"), this);
        label->setObjectName(QStringLiteral("SaveFolder"));
        label->setToolTip(NoUserFolderText());
        statusBar()->addWidget(label, 1);
        return;
    }
    const QString folder = QDir::toNativeSeparators(PathText(locations.userDataFolder));
    const QString shown = FolderAsUsersWriteIt(locations.userDataFolder, CurrentUserEnvironment());
    auto* label = new QLabel(QStringLiteral("保存先: ") + shown, this);
    label->setObjectName(QStringLiteral("SaveFolder"));
    label->setToolTip(folder);
    statusBar()->addWidget(label, 1);
}

void EditorMainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!centred_) {
        centred_ = true;
        CentreOnScreen(this);
    }
}

void EditorMainWindow::openHolidayEditor() {
    St_LoadDefinitions();
    HolidayEditorWindow editor(this);
    editor.exec();
}

void EditorMainWindow::openEraEditor() {
    St_LoadDefinitions();
    EraEditorWindow editor(this);
    editor.exec();
}

void EditorMainWindow::openHolidayList() {
    HolidayListWindow list(this);
    list.exec();
}

void EditorMainWindow::openOfficialCheck() {
    const QString path = AskOfficialListFile(this);
    if (path.isEmpty()) {
        return;
    }
    OfficialCheckWindow window(path, this);
    if (window.compare()) {
        window.exec();
    }
}
