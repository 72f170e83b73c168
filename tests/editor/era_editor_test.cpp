#include "date/eras.h"
#include "date/serial.h"
#include "editor/era_editor.h"
#include "tests/editor/editor_test_support.h"

#include <QFrame>
#include <QPushButton>
#include <QScrollBar>
#include <memory>

namespace {

class EraEditorTest : public DefinitionEditorTest {
protected:
    void SetUp() override {
        useFixture("unordered_eras");
        open();
    }
    void open() {
        ASSERT_NO_FATAL_FAILURE(openEditor(window));
        text1 = children<QLineEdit, 3>(window.get(), "Text1");
    }
    void setDate(const QString& year, const QString& month, const QString& day) {
        retype(text1[0], year);
        retype(text1[1], month);
        retype(text1[2], day);
    }

    std::unique_ptr<EraEditorWindow> window;
    std::array<QLineEdit*, 3> text1{};
};

const QStringList SortedRows = {
    QStringLiteral(" 645年 7月17日 | 大化"), QStringLiteral(" 701年 5月 3日 | 大宝"),
    QStringLiteral("1912年 7月30日 | 大正"), QStringLiteral("1926年12月25日 | 昭和"),
    QStringLiteral("1989年 1月 8日 | 平成"), QStringLiteral("2019年 5月 1日 | 令和"),
};

TEST_F(EraEditorTest, OpeningListsTheErasInDateOrderWithNoRowSelected) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("元号の設定"));
    EXPECT_EQ(rowsOf(list), SortedRows);
    EXPECT_EQ(selectedRowOf(list), -1);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(modeButtons(), (std::array<bool, 3>{true, true, true}));
    // The table itself stays in file order until "更新".
    EXPECT_EQ(EraDefs[0].Name, "平成");
    EXPECT_EQ(EraDefs[1].StartDate, "07010503");
}

TEST_F(EraEditorTest, NewEraIsCheckedAndInsertedAtItsPlace) {
    QTest::mouseClick(command1[1], Qt::LeftButton);
    expectLastError(QStringLiteral("リストから項目を選択してください。"));

    QTest::mouseClick(command1[0], Qt::LeftButton);
    EXPECT_EQ(modeButtons(), (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(text1[0]->text(), QStringLiteral("2024"));
    EXPECT_EQ(text1[1]->text(), QStringLiteral("3"));
    EXPECT_EQ(text1[2]->text(), QStringLiteral("15"));
    EXPECT_TRUE(text1[0]->hasFocus());

    type(name, QStringLiteral("  "));
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectLastError(QStringLiteral("元号が入力されていません。"));
    EXPECT_TRUE(name->hasFocus());

    retype(name, QStringLiteral("\"明治"));
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectLastError(QStringLiteral("名前の先頭に「\"」（半角の引用符）は使えません。"));

    retype(name, QStringLiteral(" 明治 "));
    setDate(QStringLiteral("1989"), QStringLiteral("1"), QStringLiteral("8"));
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectLastError(QStringLiteral("同じ年月日のものが既に登録されています。"));
    EXPECT_TRUE(text1[0]->hasFocus());
    EXPECT_EQ(list->count(), 6);

    setDate(QStringLiteral("1868"), QStringLiteral("9"), QStringLiteral("8"));
    QTest::mouseClick(confirm, Qt::LeftButton);
    ASSERT_EQ(list->count(), 7);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("1868年 9月 8日 | 明治"));
    EXPECT_EQ(selectedRowOf(list), 2);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(EraDefCount, 6); // the table waits for "更新"
}

TEST_F(EraEditorTest, ChangeKeepingTheDateIsRefusedAndANewDateMovesTheRow) {
    clickRow(list, 5);
    QTest::mouseClick(command1[1], Qt::LeftButton);
    EXPECT_EQ(text1[0]->text(), QStringLiteral("2019"));
    EXPECT_EQ(text1[1]->text(), QStringLiteral("5"));
    EXPECT_EQ(text1[2]->text(), QStringLiteral("1"));
    EXPECT_EQ(name->text(), QStringLiteral("令和"));
    EXPECT_TRUE(text1[0]->hasFocus());

    retype(name, QStringLiteral("れいわ"));
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectLastError(QStringLiteral("同じ年月日のものが既に登録されています。"));

    setDate(QStringLiteral("1900"), QStringLiteral("1"), QStringLiteral("1"));
    doubles.messageBox.answers = {MessageResult::No};
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectLastQuestion(
        QString::fromUtf16(u"本当に変更してよろしいですか?\r\n\r\n"
                           u"（この操作は、入力ミスに対処するためのみにあるものです。）"));
    EXPECT_EQ(rowsOf(list), SortedRows);

    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(confirm, Qt::LeftButton);
    ASSERT_EQ(list->count(), 6);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("1900年 1月 1日 | れいわ"));
    EXPECT_EQ(selectedRowOf(list), 2);
    EXPECT_EQ(list->item(5)->text(), SortedRows[4]);
}

TEST_F(EraEditorTest, DeleteRemovesTheSelectedRowAfterTheQuestion) {
    doubleClickRow(list, 0);
    EXPECT_EQ(modeButtons(), (std::array<bool, 3>{false, true, false}));
    QTest::mouseClick(abandon, Qt::LeftButton);
    clickRow(list, 1);
    QTest::mouseClick(command1[2], Qt::LeftButton);
    EXPECT_FALSE(text1[0]->isEnabled());
    EXPECT_FALSE(name->isEnabled());
    EXPECT_TRUE(confirm->hasFocus());
    // The selection moved to no row before the confirmation: nothing happens.
    list->clearSelection();
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectLastError(QStringLiteral("リストから項目を選択してください。"));
    clickRow(list, 1);
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectDeleteQuestion();
    EXPECT_EQ(list->count(), 5);
    EXPECT_FALSE(rowsOf(list).contains(SortedRows[1]));
    EXPECT_EQ(selectedRowOf(list), -1);
    EXPECT_EQ(modeButtons(), (std::array<bool, 3>{true, true, true}));
}

TEST_F(EraEditorTest, DateBoxesKeepTheirRanges) {
    QTest::mouseClick(command1[0], Qt::LeftButton);
    retype(text1[0], QStringLiteral("0"));
    EXPECT_EQ(text1[0]->text(), QStringLiteral("1"));
    retype(text1[0], QString());
    EXPECT_EQ(text1[0]->text(), QStringLiteral("1"));
    QTest::keyClick(text1[0], Qt::Key_Up);
    EXPECT_EQ(text1[0]->text(), QStringLiteral("1"));
    QTest::keyClick(text1[0], Qt::Key_Down);
    EXPECT_EQ(text1[0]->text(), QStringLiteral("2"));
    retype(text1[1], QStringLiteral("13"));
    EXPECT_EQ(text1[1]->text(), QStringLiteral("12"));
    retype(text1[1], QStringLiteral("2"));
    retype(text1[2], QStringLiteral("31"));
    EXPECT_EQ(text1[2]->text(), QStringLiteral("31"));
    // The year's bar reaches 0, but the box turns it into 1 at once.
    auto* yearBar = child<QScrollBar>(window.get(), "VScroll1_0");
    EXPECT_EQ(yearBar->minimum(), 0);
    yearBar->setValue(0);
    EXPECT_EQ(text1[0]->text(), QStringLiteral("1"));
    EXPECT_EQ(yearBar->value(), 1);
    // The name box holds at most 8 characters.
    type(name, QStringLiteral("一二三四五六七八九"));
    EXPECT_EQ(name->text(), QStringLiteral("一二三四五六七八"));
}

TEST_F(EraEditorTest, UpdateRebuildsTheTableFromTheRowsAndWritesIt) {
    doubles.messageBox.answers = {MessageResult::No};
    QTest::mouseClick(update, Qt::LeftButton);
    expectLastQuestion(QStringLiteral("本当に更新してよろしいですか?"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(EraDefs[0].Name, "平成");

    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    ASSERT_EQ(EraDefCount, 6);
    EXPECT_EQ(EraDefs[0].StartDate, "06450717");
    EXPECT_EQ(EraDefs[5].Name, "令和");
    EXPECT_EQ(fileBytes(QStringLiteral("Korin2.csv")),
              cp932("06450717,大化\r\n07010503,大宝\r\n19120730,大正\r\n19261225,昭和\r\n"
                    "19890108,平成\r\n20190501,令和\r\n"));
}

TEST_F(EraEditorTest, CancelLeavesTableAndFile) {
    const QByteArray original = fileBytes(QStringLiteral("Korin2.csv"));
    clickRow(list, 0);
    QTest::mouseClick(command1[2], Qt::LeftButton);
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(confirm, Qt::LeftButton);
    QTest::keyClick(list, Qt::Key_Escape); // panel hidden: nothing
    EXPECT_TRUE(window->isVisible());
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(EraDefCount, 6);
    EXPECT_EQ(EraDefs[3].Name, "大化");
    EXPECT_EQ(fileBytes(QStringLiteral("Korin2.csv")), original);
}

TEST_F(EraEditorTest, FailedWriteKeepsTheOldFileAndTheList) {
    const QString folder = doubles.program.folder();
    const QByteArray original = fileBytes(QStringLiteral("Korin2.csv"));
    QTest::mouseClick(command1[0], Qt::LeftButton);
    type(name, QStringLiteral("新元号"));
    QTest::mouseClick(confirm, Qt::LeftButton);
    ASSERT_EQ(list->count(), 7);

    const QString away = folder + QStringLiteral(".away");
    ASSERT_TRUE(QDir().rename(folder, away));
    // The file is gone with its folder: the editor asks before writing over what is there now.
    doubles.messageBox.answers = {MessageResult::Yes, MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    ASSERT_TRUE(QDir().rename(away, folder));
    EXPECT_TRUE(
        messages().back().startsWith(QStringLiteral("ファイルの書き込みを失敗しました Err=")));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(list->count(), 7);
    EXPECT_EQ(fileBytes(QStringLiteral("Korin2.csv")), original);

    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(fileBytes(QStringLiteral("Korin2.csv")).endsWith(cp932("20240315,新元号\r\n")));
}

TEST_F(EraEditorTest, AStartDateThatIsNoDateIsShownAsItStandsAndKeptInItsPlace) {
    const std::string utf8 = "\xEF\xBB\xBF"
                             "15040230,永正\r\n19890108,平成\r\n19891301,誤り\r\n20190501,令和\r\n";
    QFile file(doubles.file(QStringLiteral("Korin2.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(utf8.data(), static_cast<qint64>(utf8.size()));
    file.close();
    window.reset();
    open();
    // 30 February is a day the panel accepts: an ordinary row.
    EXPECT_EQ(rowsOf(list), (QStringList{QStringLiteral("1504年 2月30日 | 永正"),
                                         QStringLiteral("1989年 1月 8日 | 平成"),
                                         QStringLiteral("※19891301 | 誤り"),
                                         QStringLiteral("2019年 5月 1日 | 令和")}));
    EXPECT_FALSE(list->item(2)->toolTip().isEmpty());
    EXPECT_TRUE(list->item(0)->toolTip().isEmpty());
    EXPECT_TRUE(list->item(1)->toolTip().isEmpty());

    // A new era goes among the dates; the marked row keeps its text and its place through the
    // save.
    QTest::mouseClick(command1[0], Qt::LeftButton);
    setDate(QStringLiteral("2000"), QStringLiteral("1"), QStringLiteral("1"));
    type(name, QStringLiteral("新"));
    QTest::mouseClick(confirm, Qt::LeftButton);
    EXPECT_EQ(list->item(3)->text(), QStringLiteral("2000年 1月 1日 | 新"));
    doubles.messageBox.shown.clear();
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(doubles.messageBox.shown.size(), 2U);
    EXPECT_TRUE(doubles.messageBox.shown[1].text.startsWith(QStringLiteral("Korin2.csvはUTF-8")));
    EXPECT_EQ(fileBytes(QStringLiteral("Korin2.csv")),
              cp932("15040230,永正\r\n19890108,平成\r\n19891301,誤り\r\n20000101,新\r\n"
                    "20190501,令和\r\n"));
}

TEST_F(EraEditorTest, AFileWithMoreErasThanItCanHoldIsToldAtLoadAndNeverSaved) {
    // 33000 eras in date order, one a day from 1 January of the year 1 (28 days a month).
    std::string lines;
    for (int i = 0; i < 33000; ++i) {
        lines += MakeDateText(1 + i / 336, 1 + i / 28 % 12, 1 + i % 28) + ",元号\r\n";
    }
    writeDefinitions(QStringLiteral("Korin2.csv"), lines);
    const QByteArray original = fileBytes(QStringLiteral("Korin2.csv"));
    doubles.messageBox.shown.clear();
    window.reset();
    open();
    ASSERT_EQ(doubles.messageBox.shown.size(), 1U);
    expectLastError(QString::fromUtf16(u"Korin2.csvファイルには33000件の定義がありますが、"
                                       u"読み込めるのは32767件までです。"
                                       u"それより後の定義は使われません。"));
    EXPECT_EQ(list->count(), 32767);
    QTest::mouseClick(update, Qt::LeftButton);
    expectLastError(QString::fromUtf16(u"Korin2.csvファイルには32767件を超える定義があり、"
                                       u"すべてを読み込めていないため、保存できません。\r\n"
                                       u"ファイルは変更していません。"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(fileBytes(QStringLiteral("Korin2.csv")), original);
}

TEST_F(EraEditorTest, EnterPressesTheFocusedButton) {
    update->setFocus();
    doubles.messageBox.answers = {MessageResult::No};
    QTest::keyClick(update, Qt::Key_Return);
    expectLastQuestion(QStringLiteral("本当に更新してよろしいですか?"));
    EXPECT_TRUE(window->isVisible());
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
}

// The shipped era file, opened in the editor and saved without a change.
using ShippedEraFileTest = ShippedDefinitionFilesTest;

TEST_F(ShippedEraFileTest, SavingWithoutAChangeWritesTheSameBytesAndKeepsTheEras) {
    const QByteArray shipped = fileBytes(QStringLiteral("Korin2.csv"));
    ASSERT_FALSE(shipped.isEmpty());
    std::unique_ptr<EraEditorWindow> window;
    ASSERT_NO_FATAL_FAILURE(openEditor(window));
    // Every era of the file is an ordinary row, in the file's order.
    for (int r = 0; r < list->count(); ++r) {
        EXPECT_TRUE(list->item(r)->toolTip().isEmpty()) << list->item(r)->text().toStdString();
    }
    EXPECT_EQ(list->count(), EraDefCount);
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    ASSERT_FALSE(window->isVisible());
    EXPECT_EQ(fileBytes(QStringLiteral("Korin2.csv")), shipped);

    // The era label of December 2026 after the save.
    St_LoadDefinitions();
    St_Era("20261299");
    EXPECT_EQ(EraLabel(EraName, EraYearText), "令和 8");
    St_Era("16250101");
    EXPECT_EQ(EraName, "寛永");
}

} // namespace
