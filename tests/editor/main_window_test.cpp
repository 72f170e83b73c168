#include "date/definitions.h"
#include "editor/definition_save.h"
#include "editor/era_editor.h"
#include "editor/holiday_editor.h"
#include "editor/holiday_list_window.h"
#include "editor/listing_box.h"
#include "editor/main_window.h"
#include "platform/file_replace.h"
#include "platform/services.h"
#include "tests/editor/editor_test_support.h"
#include "tests/support/scoped_environment.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <functional>

namespace {

class MainWindowTest : public EditorWindowTest {
protected:
    // Runs `inside` on the modal window that `open` brings up, then closes that window.
    static void whileModal(const std::function<void()>& open,
                           const std::function<void(QWidget*)>& inside) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            inside(modal);
            ran = true;
            if (modal->isVisible()) {
                modal->close();
            }
        });
        open();
        EXPECT_TRUE(ran);
    }

    // Opening with a click on the main window's button `name`.
    std::function<void()> clickOn(const char* name) {
        return
            [this, name] { QTest::mouseClick(child<QPushButton>(&window, name), Qt::LeftButton); };
    }

    EditorMainWindow window;
};

TEST_F(MainWindowTest, ControlsAndNothingLoadedAtStart) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("日付操作モジュールのパラメータ設定"));
    EXPECT_EQ(child<QPushButton>(&window, "Command1_0")->text(), QStringLiteral("祝日の設定"));
    EXPECT_EQ(child<QPushButton>(&window, "Command1_1")->text(), QStringLiteral("元号の設定"));
    QList<QString> menu;
    for (QAction* action : window.menuBar()->actions()) {
        menu.append(action->objectName() + QLatin1Char('=') + action->text());
    }
    EXPECT_EQ(menu, (QList<QString>{QStringLiteral("Menu_Exit=終了(&X)"),
                                    QStringLiteral("MNU_Holiday=祝日一覧(&H)"),
                                    QStringLiteral("MNU_Check=公式の一覧と照合(&C)...")}));
    // A window made and shown reads no file.
    HolidayDefs.clear();
    HolidayDefCount = 0;
    EraDefs.clear();
    EraDefCount = 0;
    EditorMainWindow fresh;
    fresh.show();
    EXPECT_EQ(HolidayDefCount, 0);
    EXPECT_EQ(EraDefCount, 0);
}

TEST_F(MainWindowTest, EachButtonLoadsTheFilesThenOpensItsEditorModally) {
    window.show();
    whileModal(clickOn("Command1_0"), [&](QWidget* modal) {
        EXPECT_NE(qobject_cast<HolidayEditorWindow*>(modal), nullptr);
        EXPECT_EQ(HolidayDefCount, 14);
        EXPECT_EQ(EraDefCount, 5);
    });
    HolidayDefCount = 0;
    HolidayDefs.clear();
    whileModal(clickOn("Command1_1"), [&](QWidget* modal) {
        EXPECT_NE(qobject_cast<EraEditorWindow*>(modal), nullptr);
        EXPECT_EQ(HolidayDefCount, 14);
    });
    whileModal(
        [&] { child<QAction>(&window, "MNU_Holiday")->trigger(); },
        [&](QWidget* modal) { EXPECT_NE(qobject_cast<HolidayListWindow*>(modal), nullptr); });
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, SavedHolidaysReachTheEraEditorAndTheListing) {
    window.show();
    doubles.messageBox.answers = {MessageResult::Yes};
    whileModal([&] { window.openHolidayEditor(); },
               [&](QWidget* modal) {
                   QTest::mouseClick(child<QPushButton>(modal, "Command1_0"), Qt::LeftButton);
                   type(child<QLineEdit>(modal, "Text2"), QStringLiteral("記念日"));
                   retype(child<QLineEdit>(modal, "Text1_1"), QStringLiteral("6"));
                   retype(child<QLineEdit>(modal, "Text1_2"), QStringLiteral("3"));
                   QTest::mouseClick(child<QPushButton>(modal, "Command2_0"), Qt::LeftButton);
                   QTest::mouseClick(child<QPushButton>(modal, "Command3_0"), Qt::LeftButton);
                   EXPECT_FALSE(modal->isVisible());
               });
    HolidayDefs.clear();
    HolidayDefCount = 0;
    whileModal([&] { window.openEraEditor(); },
               [&](QWidget*) {
                   ASSERT_EQ(HolidayDefCount, 15);
                   EXPECT_TRUE(std::any_of(HolidayDefs.begin(), HolidayDefs.end(),
                                           [](const HolidayDef& d) { return d.Name == "記念日"; }));
               });
    whileModal([&] { window.openHolidayList(); },
               [&](QWidget* modal) {
                   child<QLineEdit>(modal, "Text1_0")->setText(QStringLiteral("2024"));
                   child<QLineEdit>(modal, "Text1_1")->setText(QStringLiteral("2024"));
                   QTest::mouseClick(child<QPushButton>(modal, "Command1"), Qt::LeftButton);
                   EXPECT_TRUE(child<ListingBox>(modal, "Text2")
                                   ->listingText()
                                   .contains(QStringLiteral("2024/06/03\t(月)\t記念日\r\n")));
               });
}

TEST_F(MainWindowTest, MissingFileIsReportedAndEndsTheProgram) {
    QFile::remove(doubles.file(QStringLiteral("Korin2.csv")));
    EXPECT_THROW(window.openEraEditor(), ProgramEndedWithStatus);
    expectLastError(QStringLiteral("Korin2.csvファイルが見つかりません。"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MainWindowTest, ExitClosesTheWindow) {
    window.show();
    ASSERT_TRUE(window.isVisible());
    child<QAction>(&window, "Menu_Exit")->trigger();
    EXPECT_FALSE(window.isVisible());
}

} // namespace

TEST_F(EditorWindowTest, InASharedProgramFolderSavesGoToTheUsersDataFolderWhichTheWindowNames) {
    // Beside the program by default: no status line.
    {
        EditorMainWindow window;
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("SaveFolder")), nullptr);
    }

    ASSERT_TRUE(doubles.shareProgramFolder());
    const QTemporaryDir data;
    const ScopedEnvironment dataHome("XDG_DATA_HOME", data.path().toUtf8());
    doubles.findFileLocations();
    const QString userFolder = data.path() + QStringLiteral("/zelvar");

    EditorMainWindow window;
    const auto* label = window.findChild<QLabel*>(QStringLiteral("SaveFolder"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->text().startsWith(QStringLiteral("保存先: ")));
    EXPECT_EQ(label->toolTip(), QDir::toNativeSeparators(userFolder));

    // The shipped holidays are read; saving makes the user's folder and file, the shipped one
    // stays; from then on the user's file is read.
    const QByteArray shipped = fileBytes(QStringLiteral("Korin1.csv"));
    St_LoadDefinitions();
    ASSERT_EQ(HolidayDefCount, 14);
    HolidayDefCount = 13;
    HolidayDefs.resize(13);
    ASSERT_EQ(WriteHolidayDefinitions().error, 0);
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), shipped);
    EXPECT_TRUE(QFileInfo::exists(userFolder + QStringLiteral("/Korin1.csv")));
    EXPECT_FALSE(QFileInfo::exists(userFolder + QStringLiteral("/Korin2.csv")));
    St_LoadDefinitions();
    EXPECT_EQ(HolidayDefCount, 13);
    EXPECT_EQ(EraDefCount, 5);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(EditorWindowTest, InASharedProgramFolderWithoutAUserFolderASaveWritesNothingAndSaysSo) {
    ASSERT_TRUE(doubles.shareProgramFolder());
    // Started without any folder of the user's named (a service, say).
    const ScopedNoUserFolders noUserFolders;
    doubles.findFileLocations();
    const QStringList before = QDir(doubles.program.folder()).entryList(QDir::Files | QDir::Hidden);
    const QByteArray shipped = fileBytes(QStringLiteral("Korin1.csv"));
    {
        EditorMainWindow window;
        const auto* label = window.findChild<QLabel*>(QStringLiteral("SaveFolder"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QStringLiteral("保存先: なし"));
        EXPECT_EQ(label->toolTip(), NoUserFolderText());
    }

    St_LoadDefinitions();
    ASSERT_EQ(HolidayDefCount, 14);
    HolidayDefCount = 13;
    HolidayDefs.resize(13);
    const WriteResult failure = WriteHolidayDefinitions();
    EXPECT_EQ(failure.error, ENOENT);
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), shipped);
    EXPECT_EQ(QDir(doubles.program.folder()).entryList(QDir::Files | QDir::Hidden), before);

    ShowDefinitionWriteFailure(DefinitionFile::Holidays, failure, false, 0, QString());
    expectLastError(QStringLiteral("ファイルの書き込みを失敗しました Err=2\r\n\r\n") +
                    NoUserFolderText());
}

TEST_F(EditorWindowTest, AUserDataFolderThatCannotBeMadeIsNamedWithTheSystemsWords) {
    ASSERT_TRUE(doubles.shareProgramFolder());
    // The user's data folder would lie inside a file.
    const QTemporaryDir scratch;
    const QString blocker = scratch.filePath(QStringLiteral("blocker"));
    {
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const ScopedEnvironment data(UserFoldersFollowXdg ? "XDG_DATA_HOME" : "APPDATA",
                                 QFile::encodeName(blocker));
    doubles.findFileLocations();
    const QByteArray shipped = fileBytes(QStringLiteral("Korin1.csv"));

    St_LoadDefinitions();
    const WriteResult failure = WriteHolidayDefinitions();
    const int error = failure.error;
    ASSERT_NE(error, 0);
    EXPECT_EQ(QDir::cleanPath(PathText(failure.path)),
              QDir::cleanPath(blocker + (UserFoldersFollowXdg ? QStringLiteral("/zelvar")
                                                              : QStringLiteral("/Zelvar"))));
    EXPECT_FALSE(failure.reason.empty());
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), shipped);

    ShowDefinitionWriteFailure(DefinitionFile::Holidays, failure, false, 0, QString());
    expectLastError(QStringLiteral("ファイルの書き込みを失敗しました Err=%1\r\n\r\n").arg(error) +
                    QDir::toNativeSeparators(PathText(failure.path)) + QStringLiteral("\r\n") +
                    QString::fromStdString(failure.reason));
}

TEST_F(EditorWindowTest, AWriteFailureIsToldWithItsOwnPathAndWordsOnly) {
    // Two failures with the same number: each message names its own file and words.
    WriteResult holidays = WriteResult::failed(EACCES);
    holidays.path = TextPath(doubles.file(QStringLiteral("Korin1.csv")));
    holidays.reason = "first words";
    WriteResult eras = WriteResult::failed(EACCES);
    eras.path = TextPath(doubles.file(QStringLiteral("Korin2.csv")));
    eras.reason = "second words";
    const QString failed = QStringLiteral("ファイルの書き込みを失敗しました Err=");

    ShowDefinitionWriteFailure(DefinitionFile::Holidays, holidays, false, 0, QString());
    expectLastError(failed + QString::number(EACCES) + QStringLiteral("\r\n\r\n") +
                    QDir::toNativeSeparators(doubles.file(QStringLiteral("Korin1.csv"))) +
                    QStringLiteral("\r\nfirst words"));
    ShowDefinitionWriteFailure(DefinitionFile::Eras, eras, false, 0, QString());
    expectLastError(failed + QString::number(EACCES) + QStringLiteral("\r\n\r\n") +
                    QDir::toNativeSeparators(doubles.file(QStringLiteral("Korin2.csv"))) +
                    QStringLiteral("\r\nsecond words"));
    // A failure the system had no words for (a file not read whole) gives the number alone, even
    // right after one with words.
    ShowDefinitionWriteFailure(DefinitionFile::Holidays, WriteResult::failed(EACCES), false, 0,
                               QString());
    expectLastError(failed + QString::number(EACCES));
}
