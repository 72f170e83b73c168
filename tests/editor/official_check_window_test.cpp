// The comparison window of Korinset: the government's list against the definition files, and the
// missing days added through the holiday editor's own save.

#include "editor/holiday_editor.h"
#include "editor/listing_box.h"
#include "editor/main_window.h"
#include "editor/official_check_window.h"
#include "tests/editor/editor_test_support.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <functional>

namespace {

// As the system writes a path (with its drive on Windows), as a file dialog gives it back.
const QString officialList =
    QFileInfo(QStringLiteral(ZELVAR_SOURCE_DIR "/tests/data/fixtures/syukujitsu.csv"))
        .absoluteFilePath();

class OfficialCheckTest : public EditorWindowTest {
protected:
    OfficialCheckTest() {
        for (const QString& name : {QStringLiteral("Korin1.csv"), QStringLiteral("Korin2.csv")}) {
            QFile::remove(doubles.file(name));
            QFile::copy(QStringLiteral(ZELVAR_SOURCE_DIR "/data/") + name, doubles.file(name));
            QFile(doubles.file(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        }
    }

    // Runs `act` on the modal window of type T as soon as it is up (waiting for it up to a
    // generous limit).
    template <typename T> static void whenModal(std::function<void(T*)> act) {
        auto* timer = new QTimer;
        auto* clock = new QElapsedTimer;
        clock->start();
        QObject::connect(timer, &QTimer::timeout, [timer, clock, act] {
            QWidget* modal = QApplication::activeModalWidget();
            if (T* window = qobject_cast<T*>(modal)) {
                timer->stop();
                timer->deleteLater();
                delete clock;
                act(window);
                return;
            }
            if (clock->elapsed() > 30000) {
                timer->stop();
                timer->deleteLater();
                delete clock;
                ADD_FAILURE() << "no " << T::staticMetaObject.className() << " came up";
                // Whatever is modal now (a box the dialog opened over itself included) is closed,
                // so that the test goes on to fail instead of waiting for ever.
                for (int i = 0; i < 10 && QApplication::activeModalWidget() != nullptr; ++i) {
                    QApplication::activeModalWidget()->close();
                }
            }
        });
        timer->start(10);
    }

    // Removes the one-year lines of 2019's special-law days from the holiday file.
    void dropTheSingleDaysOf2019() {
        std::string text = Cp932ToUtf8(fileBytes(QStringLiteral("Korin1.csv")).toStdString());
        for (const std::string line :
             {"天皇の即位の日,1,5,1,,,2019,2019\r\n", "即位礼正殿の儀,1,10,22,,,2019,2019\r\n"}) {
            const std::size_t at = text.find(line);
            ASSERT_NE(at, std::string::npos);
            text.erase(at, line.size());
        }
        writeDefinitions(QStringLiteral("Korin1.csv"), text);
    }

    static QString summaryOf(const OfficialCheckWindow& window) {
        return child<QLabel>(&window, "Summary")->text();
    }
    static QString textOf(const OfficialCheckWindow& window) {
        return child<ListingBox>(&window, "Text2")->toPlainText();
    }
};

TEST_F(OfficialCheckTest, TheShippedDefinitionsAgreeAndNothingIsOfferedToAdd) {
    OfficialCheckWindow window(officialList);
    ASSERT_TRUE(window.compare());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("公式の一覧との照合"));
    EXPECT_TRUE(summaryOf(window).startsWith(QStringLiteral("相違はありません (1955年～2027年")));
    EXPECT_EQ(textOf(window), QStringLiteral("定義の祝日は公式の一覧と一致しています。\n"));
    EXPECT_TRUE(child<ListingBox>(&window, "Text2")->isReadOnly());
    window.show();
    EXPECT_FALSE(child<QPushButton>(&window, "AddMissing")->isVisible());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(OfficialCheckTest, AListThatDoesNotReadIsReportedWithItsLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("syukujitsu.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        cp932("国民の祝日・休日月日,国民の祝日・休日名称\r\n2019/1/1,元日\r\n2019/2/30,休日\r\n"));
    file.close();
    OfficialCheckWindow window(path);
    EXPECT_FALSE(window.compare());
    expectLastError(QStringLiteral("syukujitsu.csv の 3 行目: 存在しない日付です: 2019/2/30"));
}

// Definitions without the single days of 2019: the comparison offers them, the holiday editor
// opens with them added, its "更新" asks and saves, and the comparison shown again agrees.
TEST_F(OfficialCheckTest, AddingTheMissingDaysSavesThemThroughTheHolidayEditor) {
    dropTheSingleDaysOf2019();
    OfficialCheckWindow window(officialList);
    ASSERT_TRUE(window.compare());
    showActive(&window);
    EXPECT_TRUE(summaryOf(window).startsWith(QStringLiteral("相違 4 件")));
    EXPECT_TRUE(textOf(window).contains(
        QStringLiteral("2019/05/01\t(水)\t定義にない\t休日（祝日扱い）\n")));
    auto* add = child<QPushButton>(&window, "AddMissing");
    ASSERT_TRUE(add->isVisible());

    QStringList rows;
    doubles.messageBox.answers = {MessageResult::Yes};
    whenModal<HolidayEditorWindow>([&](HolidayEditorWindow* editor) {
        rows = rowsOf(child<QListWidget>(editor, "List1"));
        QTest::mouseClick(child<QPushButton>(editor, "Command3_0"), Qt::LeftButton);
    });
    QTest::mouseClick(add, Qt::LeftButton);

    EXPECT_TRUE(rows.contains(QStringLiteral("休日（祝日扱い） | 2019　     |  5月 1日")));
    EXPECT_TRUE(rows.contains(QStringLiteral("休日（祝日扱い） | 2019　     | 10月22日")));
    expectLastQuestion(QStringLiteral("本当に更新してよろしいですか?"));
    const QByteArray saved = fileBytes(QStringLiteral("Korin1.csv"));
    EXPECT_TRUE(saved.contains(cp932("\r\n休日（祝日扱い）,1,5,1,,,2019,2019\r\n")));
    EXPECT_TRUE(summaryOf(window).startsWith(QStringLiteral("相違はありません")))
        << summaryOf(window).toStdString();
    EXPECT_FALSE(add->isVisible());
}

TEST_F(OfficialCheckTest, CancellingTheEditorSavesNothingAndTheDifferencesStay) {
    dropTheSingleDaysOf2019();
    const QByteArray before = fileBytes(QStringLiteral("Korin1.csv"));
    OfficialCheckWindow window(officialList);
    ASSERT_TRUE(window.compare());
    whenModal<HolidayEditorWindow>([&](HolidayEditorWindow* editor) {
        QTest::mouseClick(child<QPushButton>(editor, "Command3_1"), Qt::LeftButton);
    });
    window.addMissingDays();
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), before);
    EXPECT_TRUE(summaryOf(window).startsWith(QStringLiteral("相違 4 件")));
}

TEST_F(OfficialCheckTest, AReadOnlyHolidayFileIsRefusedAndKeptAsItWas) {
    dropTheSingleDaysOf2019();
    const QByteArray before = fileBytes(QStringLiteral("Korin1.csv"));
    QFile(doubles.file(QStringLiteral("Korin1.csv"))).setPermissions(QFile::ReadOwner);
    OfficialCheckWindow window(officialList);
    ASSERT_TRUE(window.compare());
    doubles.messageBox.answers = {MessageResult::Yes};
    bool stayedOpen = false;
    whenModal<HolidayEditorWindow>([&](HolidayEditorWindow* editor) {
        QTest::mouseClick(child<QPushButton>(editor, "Command3_0"), Qt::LeftButton);
        stayedOpen = editor->isVisible();
        QTest::mouseClick(child<QPushButton>(editor, "Command3_1"), Qt::LeftButton);
    });
    window.addMissingDays();
    EXPECT_TRUE(stayedOpen);
    ASSERT_FALSE(messages().isEmpty());
    EXPECT_TRUE(
        messages().back().startsWith(QStringLiteral("ファイルの書き込みを失敗しました Err=")));
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), before);
    EXPECT_TRUE(summaryOf(window).startsWith(QStringLiteral("相違 4 件")));
}

TEST_F(OfficialCheckTest, AFileChangedSinceTheComparisonIsNotOverwrittenUnasked) {
    dropTheSingleDaysOf2019();
    OfficialCheckWindow window(officialList);
    ASSERT_TRUE(window.compare());
    const std::string other = "元日,1,1,1,,,1949,\r\n";
    doubles.messageBox.answers = {MessageResult::Yes, MessageResult::No};
    whenModal<HolidayEditorWindow>([&](HolidayEditorWindow* editor) {
        writeDefinitions(QStringLiteral("Korin1.csv"), other);
        QTest::mouseClick(child<QPushButton>(editor, "Command3_0"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(editor, "Command3_1"), Qt::LeftButton);
    });
    window.addMissingDays();
    expectLastQuestion(QStringLiteral("Korin1.csvは他のプログラムによって変更されています。\r\n"
                                      "上書きしますか?"));
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), cp932(other));
}

TEST_F(OfficialCheckTest, TheMenuAsksForTheFileThenShowsTheComparison) {
    EditorMainWindow main;
    QStringList menu;
    for (QAction* action : main.menuBar()->actions()) {
        menu.append(action->objectName());
    }
    EXPECT_EQ(menu, (QStringList{QStringLiteral("Menu_Exit"), QStringLiteral("MNU_Holiday"),
                                 QStringLiteral("MNU_Check")}));
    auto* check = child<QAction>(&main, "MNU_Check");
    EXPECT_EQ(check->text(), QStringLiteral("公式の一覧と照合(&C)..."));
    main.show();

    QString shown;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        whenModal<OfficialCheckWindow>([&](OfficialCheckWindow* window) {
            shown = summaryOf(*window);
            window->close();
        });
        dialog->selectFile(officialList);
        static_cast<QDialog*>(dialog)->accept(); // the file dialog's own accept takes the selection
    });
    check->trigger();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("相違はありません"))) << shown.toStdString();

    // Cancelling the file dialog opens nothing.
    whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    check->trigger();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
