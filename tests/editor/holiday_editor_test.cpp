#include "editor/holiday_editor.h"
#include "editor/holiday_rows.h"
#include "platform/file_replace.h"
#include "tests/editor/editor_test_support.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <cerrno>
#include <memory>

namespace {

// The standard fixture after opening the editor: sorted by month, day and first year.
const char* const SortedStandard = "元日,1,1,1,,,1948,\r\n"
                                   "成人の日,2,1,,2,1,2000,\r\n"
                                   "成人の日,1,1,15,,,1948,1999\r\n"
                                   "建国記念の日,1,2,11,,,1967,\r\n"
                                   "天皇誕生日,1,2,23,,,2020,\r\n"
                                   "天皇誕生日,1,4,29,,,1948,1988\r\n"
                                   "みどりの日,1,4,29,,,1989,2006\r\n"
                                   "昭和の日,1,4,29,,,2007,\r\n"
                                   "憲法記念日,1,5,3,,,1948,\r\n"
                                   "みどりの日,1,5,4,,,2007,\r\n"
                                   "こどもの日,1,5,5,,,1948,\r\n"
                                   "敬老の日,1,9,15,,,1966,2002\r\n"
                                   "敬老の日,2,9,,3,1,2003,\r\n"
                                   "天皇誕生日,1,12,23,,,1989,2018\r\n";

class HolidayEditorTest : public DefinitionEditorTest {
protected:
    void open() {
        ASSERT_NO_FATAL_FAILURE(openEditor(window));
        text1 = children<QLineEdit, 5>(window.get(), "Text1");
        combo = child<QComboBox>(window.get(), "Combo1");
        byDay = child<QRadioButton>(window.get(), "Option1_0");
        byWeek = child<QRadioButton>(window.get(), "Option1_1");
    }
    void SetUp() override { open(); }

    [[nodiscard]] int rowOfName(const QString& text) const {
        for (int i = HolidayFixedRowCount; i < list->count(); ++i) {
            if (list->item(i)->text().startsWith(text)) {
                return i;
            }
        }
        return -1;
    }

    std::unique_ptr<HolidayEditorWindow> window;
    std::array<QLineEdit*, 5> text1{};
    QComboBox* combo = nullptr;
    QRadioButton* byDay = nullptr;
    QRadioButton* byWeek = nullptr;
};

constexpr std::array<bool, 3> ModeNone = {true, true, true};
constexpr std::array<bool, 3> ModeNew = {true, false, false};
constexpr std::array<bool, 3> ModeChange = {false, true, false};
constexpr std::array<bool, 3> ModeDelete = {false, false, true};

TEST_F(HolidayEditorTest, OpeningSortsTheTableAndListsItBelowTheFixedRows) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("祝日の設定"));
    EXPECT_EQ(
        child<QLabel>(window.get(), "Label1_4")->text(),
        QStringLiteral("同じ祝日の定義が変わった場合は、まず、変更で廃止を入力してください。"));
    EXPECT_EQ(child<QLabel>(window.get(), "Label1_5")->text(),
              QStringLiteral("それから、同じ名前で新規に登録してください。"));
    ASSERT_EQ(HolidayDefCount, 14);
    const QStringList rows = rowsOf(list);
    EXPECT_EQ(rows, HolidayListRows(HolidayDefs, HolidayDefCount));
    EXPECT_EQ(rows[6],
              QString::fromUtf16(
                  u"元日\u3000\u3000\u3000\u3000\u3000\u3000 | 1948\uFF5E     |  1月 1日"));
    EXPECT_EQ(rows[7], QString::fromUtf16(
                           u"成人の日\u3000\u3000\u3000\u3000 | 2000\uFF5E     |  1月第2月曜日"));
    EXPECT_EQ(rows[10],
              QString::fromUtf16(u"天皇誕生日\u3000\u3000\u3000 | 2020\uFF5E     |  2月23日"));
    EXPECT_EQ(HolidayDefs.back().Month, 12);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(modeButtons(), ModeNone);
    EXPECT_EQ(selectedRowOf(list), -1);
    EXPECT_EQ(combo->count(), 6);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("月曜日"));
    EXPECT_EQ(combo->itemText(5), QStringLiteral("土曜日"));
}

TEST_F(HolidayEditorTest, ChangeAndDeleteNeedADefinitionRow) {
    QTest::mouseClick(command1[1], Qt::LeftButton);
    expectLastError(QStringLiteral("リストから項目を選択してください。"));
    QTest::mouseClick(command1[2], Qt::LeftButton);
    expectLastError(QStringLiteral("リストから項目を選択してください。"));
    for (int row : {0, 5}) {
        clickRow(list, row);
        QTest::mouseClick(command1[2], Qt::LeftButton);
        expectLastError(QStringLiteral("その項目は選択出来ません。"));
    }
    doubleClickRow(list, 3);
    expectLastError(QStringLiteral("その項目は選択出来ません。"));
    EXPECT_EQ(doubles.messageBox.shown.size(), 5U);
    EXPECT_EQ(modeButtons(), ModeNone);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(list->hasFocus());
}

TEST_F(HolidayEditorTest, NewDefinitionIsCheckedThenSavedAtItsPlaceAndSelected) {
    QTest::mouseClick(command1[0], Qt::LeftButton);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(modeButtons(), ModeNew);
    EXPECT_TRUE(name->hasFocus());
    // Today from the clock (15 March 2024), week 1, no end, Monday, by day.
    EXPECT_EQ(text1[0]->text(), QStringLiteral("2024"));
    EXPECT_EQ(text1[1]->text(), QStringLiteral("3"));
    EXPECT_EQ(text1[2]->text(), QStringLiteral("15"));
    EXPECT_EQ(text1[3]->text(), QStringLiteral("1"));
    EXPECT_EQ(text1[4]->text(), QStringLiteral("0"));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_TRUE(byDay->isChecked());
    EXPECT_TRUE(name->text().isEmpty());

    // A name of spaces only.
    type(name, QStringLiteral("   "));
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectLastError(QStringLiteral("祝日名が入力されていません。"));
    EXPECT_TRUE(name->hasFocus());
    EXPECT_EQ(modeButtons(), ModeNew);

    // An abolition year before the first year.
    retype(name, QStringLiteral("  山の日  "));
    retype(text1[1], QStringLiteral("8"));
    retype(text1[2], QStringLiteral("11"));
    retype(text1[0], QStringLiteral("2016"));
    retype(text1[4], QStringLiteral("2015"));
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectLastError(QStringLiteral("廃止年が不正です。"));
    EXPECT_TRUE(text1[4]->hasFocus());
    EXPECT_EQ(HolidayDefCount, 14);

    // Equal years are a single year.
    retype(text1[4], QStringLiteral("2016"));
    QTest::mouseClick(confirm, Qt::LeftButton);
    ASSERT_EQ(HolidayDefCount, 15);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(modeButtons(), ModeNone);
    EXPECT_TRUE(list->hasFocus());
    const int row = selectedRowOf(list);
    ASSERT_GE(row, HolidayFixedRowCount);
    EXPECT_EQ(
        list->item(row)->text(),
        QString::fromUtf16(u"山の日\u3000\u3000\u3000\u3000\u3000 | 2016\u3000     |  8月11日"));
    const HolidayDef& saved = HolidayDefs[static_cast<std::size_t>(row - HolidayFixedRowCount)];
    EXPECT_EQ(saved.Name, "山の日");
    EXPECT_EQ(saved.Kind, 1);
    EXPECT_EQ(saved.Week, 0);
    EXPECT_EQ(saved.Weekday, 0);
    EXPECT_EQ(list->item(row - 1)->text().left(5), QStringLiteral("こどもの日"));
    EXPECT_EQ(list->item(row + 1)->text().left(4), QStringLiteral("敬老の日"));
}

TEST_F(HolidayEditorTest, WeekRulesUseTheirOwnControlsAndSortLast) {
    QTest::mouseClick(command1[0], Qt::LeftButton);
    EXPECT_TRUE(text1[2]->isVisible());
    EXPECT_FALSE(text1[3]->isVisible());
    EXPECT_FALSE(combo->isVisible());
    QTest::mouseClick(byWeek, Qt::LeftButton);
    ASSERT_TRUE(byWeek->isChecked());
    EXPECT_FALSE(text1[2]->isVisible());
    EXPECT_FALSE(child<QScrollBar>(window.get(), "VScroll1_2")->isVisible());
    EXPECT_TRUE(text1[3]->isVisible());
    EXPECT_TRUE(child<QScrollBar>(window.get(), "VScroll1_3")->isVisible());
    EXPECT_TRUE(combo->isVisible());
    EXPECT_TRUE(child<QLabel>(window.get(), "Label1_2")->isVisible());
    EXPECT_TRUE(child<QLabel>(window.get(), "Label1_3")->isVisible());
    EXPECT_TRUE(text1[1]->isVisible());

    // The fourth Saturday of December sorts after every other definition.
    type(name, QStringLiteral("年末の日"));
    retype(text1[1], QStringLiteral("12"));
    retype(text1[3], QStringLiteral("9")); // the week box goes no higher than 4
    EXPECT_EQ(text1[3]->text(), QStringLiteral("4"));
    combo->setCurrentIndex(5);
    retype(text1[0], QStringLiteral("2030"));
    QTest::mouseClick(confirm, Qt::LeftButton);
    ASSERT_EQ(HolidayDefCount, 15);
    EXPECT_EQ(selectedRowOf(list), list->count() - 1);
    EXPECT_EQ(
        list->item(list->count() - 1)->text(),
        QString::fromUtf16(u"年末の日\u3000\u3000\u3000\u3000 | 2030\uFF5E     | 12月第4土曜日"));
    const HolidayDef& saved = HolidayDefs.back();
    EXPECT_EQ(saved.Kind, 2);
    EXPECT_EQ(saved.Day, 0);
    EXPECT_EQ(saved.Week, 4);
    EXPECT_EQ(saved.Weekday, 6);
}

TEST_F(HolidayEditorTest, NumericBoxesKeepTheirRanges) {
    QTest::mouseClick(command1[0], Qt::LeftButton);
    retype(text1[1], QStringLiteral("13"));
    EXPECT_EQ(text1[1]->text(), QStringLiteral("12"));
    retype(text1[2], QString());
    EXPECT_EQ(text1[2]->text(), QStringLiteral("1"));
    retype(text1[0], QString());
    EXPECT_EQ(text1[0]->text(), QStringLiteral("0"));
    retype(text1[2], QStringLiteral("31")); // any month has a 31st here
    EXPECT_EQ(text1[2]->text(), QStringLiteral("31"));
    // Up lowers and Down raises, within the box's range.
    QTest::keyClick(text1[1], Qt::Key_Down);
    EXPECT_EQ(text1[1]->text(), QStringLiteral("12"));
    QTest::keyClick(text1[1], Qt::Key_Up);
    EXPECT_EQ(text1[1]->text(), QStringLiteral("11"));
    QTest::keyClick(text1[0], Qt::Key_Up);
    EXPECT_EQ(text1[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(child<QScrollBar>(window.get(), "VScroll1_1")->value(), 11);
    // February 31 is stored as typed; the editor does not check days against months.
    type(name, QStringLiteral("x"));
    retype(text1[1], QStringLiteral("2"));
    QTest::mouseClick(confirm, Qt::LeftButton);
    ASSERT_EQ(HolidayDefCount, 15);
    EXPECT_EQ(HolidayDefs[static_cast<std::size_t>(selectedRowOf(list) - HolidayFixedRowCount)].Day,
              31);
}

TEST_F(HolidayEditorTest, ChangeAsksFirstThenMovesTheRecord) {
    const int row = rowOfName(QStringLiteral("建国記念の日"));
    clickRow(list, row);
    QTest::mouseClick(command1[1], Qt::LeftButton);
    EXPECT_EQ(modeButtons(), ModeChange);
    EXPECT_EQ(name->text(), QStringLiteral("建国記念の日"));
    EXPECT_EQ(text1[1]->text(), QStringLiteral("2"));
    EXPECT_EQ(text1[2]->text(), QStringLiteral("11"));
    EXPECT_EQ(text1[0]->text(), QStringLiteral("1967"));
    EXPECT_TRUE(byDay->isChecked());
    EXPECT_TRUE(name->isEnabled());
    EXPECT_TRUE(name->hasFocus());

    retype(text1[1], QStringLiteral("6"));
    doubles.messageBox.answers = {MessageResult::No};
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectLastQuestion(QString::fromUtf16(u"本当に変更してよろしいですか?\r\n\r\n"
                                          u"（変更できる項目は「廃止年」のみです。）\r\n"
                                          u"（その他の項目は、入力ミスの修正用です。）"));
    EXPECT_EQ(modeButtons(), ModeChange);
    EXPECT_EQ(HolidayDefs[static_cast<std::size_t>(row - HolidayFixedRowCount)].Month, 2);

    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(confirm, Qt::LeftButton);
    EXPECT_EQ(HolidayDefCount, 14);
    EXPECT_EQ(modeButtons(), ModeNone);
    const int moved = selectedRowOf(list);
    EXPECT_EQ(list->item(moved)->text().right(6), QStringLiteral(" 6月11日"));
    EXPECT_EQ(rowOfName(QStringLiteral("建国記念の日")), moved);
    EXPECT_EQ(list->item(moved - 1)->text().left(5), QStringLiteral("こどもの日"));
    EXPECT_EQ(rowsOf(list), HolidayListRows(HolidayDefs, HolidayDefCount));
}

TEST_F(HolidayEditorTest, DoubleClickAndEnterActAsChangeOnlyWhileItIsEnabled) {
    const int row = rowOfName(QStringLiteral("憲法記念日"));
    doubleClickRow(list, row);
    EXPECT_EQ(modeButtons(), ModeChange);
    EXPECT_EQ(name->text(), QStringLiteral("憲法記念日"));
    // In mode change, Enter reloads the panel from the newly selected row.
    clickRow(list, rowOfName(QStringLiteral("こどもの日")));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(name->text(), QStringLiteral("こどもの日"));
    // In mode new neither does anything.
    QTest::mouseClick(abandon, Qt::LeftButton);
    QTest::mouseClick(command1[0], Qt::LeftButton);
    doubleClickRow(list, row);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Enter);
    EXPECT_EQ(modeButtons(), ModeNew);
    EXPECT_TRUE(name->text().isEmpty());
    EXPECT_TRUE(doubles.messageBox.shown.empty());
}

TEST_F(HolidayEditorTest, DeleteRemovesWithoutCheckingAndLeavesNoSelection) {
    // A record whose stored years would not pass the checks.
    writeDefinitions(QStringLiteral("Korin1.csv"), ",1,1,1,,,2000,1999\r\n元日,1,1,1,,,1948,\r\n");
    open();
    ASSERT_EQ(HolidayDefCount, 2);
    clickRow(list, HolidayFixedRowCount + 1); // 2000 sorts after 元日's 1948
    QTest::mouseClick(command1[2], Qt::LeftButton);
    EXPECT_EQ(modeButtons(), ModeDelete);
    EXPECT_FALSE(name->isEnabled());
    EXPECT_FALSE(text1[0]->isEnabled());
    EXPECT_FALSE(combo->isEnabled());
    EXPECT_FALSE(byWeek->isEnabled());
    EXPECT_TRUE(confirm->hasFocus());
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectDeleteQuestion();
    EXPECT_EQ(doubles.messageBox.shown.size(), 1U);
    ASSERT_EQ(HolidayDefCount, 1);
    EXPECT_EQ(HolidayDefs.size(), 1U);
    EXPECT_EQ(HolidayDefs[0].Name, "元日");
    EXPECT_EQ(list->count(), HolidayFixedRowCount + 1);
    EXPECT_EQ(selectedRowOf(list), -1);
    EXPECT_EQ(modeButtons(), ModeNone);

    // Deleting the last definition leaves an empty table and, on update, an empty file that
    // reads back as no definitions.
    clickRow(list, HolidayFixedRowCount);
    QTest::mouseClick(command1[2], Qt::LeftButton);
    doubles.messageBox.answers = {MessageResult::Yes, MessageResult::Yes};
    QTest::mouseClick(confirm, Qt::LeftButton);
    EXPECT_EQ(HolidayDefCount, 0);
    QTest::mouseClick(update, Qt::LeftButton);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), QByteArray());
    St_LoadDefinitions();
    EXPECT_EQ(HolidayDefCount, 0);
}

TEST_F(HolidayEditorTest, SelectionMovedAwayBeforeConfirmChangesNothing) {
    clickRow(list, rowOfName(QStringLiteral("元日")));
    QTest::mouseClick(command1[2], Qt::LeftButton);
    clickRow(list, 2);
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectLastError(QStringLiteral("その項目は選択出来ません。"));
    list->clearSelection();
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectLastError(QStringLiteral("リストから項目を選択してください。"));
    EXPECT_EQ(doubles.messageBox.shown.size(), 2U); // no question was asked
    EXPECT_EQ(HolidayDefCount, 14);
    EXPECT_EQ(modeButtons(), ModeDelete);
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(HolidayEditorTest, AbandonAndEscapeLeaveTableAndList) {
    const QStringList before = rowsOf(list);
    QTest::mouseClick(command1[0], Qt::LeftButton);
    type(name, QStringLiteral("未保存"));
    QTest::keyClick(name, Qt::Key_Escape);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(modeButtons(), ModeNone);
    EXPECT_TRUE(list->hasFocus());
    clickRow(list, rowOfName(QStringLiteral("元日")));
    QTest::mouseClick(command1[1], Qt::LeftButton);
    QTest::mouseClick(abandon, Qt::LeftButton);
    EXPECT_EQ(modeButtons(), ModeNone);
    // Escape with the panel hidden does nothing; the window stays open.
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(rowsOf(list), before);
    EXPECT_EQ(HolidayDefCount, 14);
    EXPECT_TRUE(doubles.messageBox.shown.empty());
}

TEST_F(HolidayEditorTest, NamesTheFileCannotGiveBackAreRefused) {
    QTest::mouseClick(command1[0], Qt::LeftButton);
    type(name, QStringLiteral("海の日,山の日"));
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectLastError(QStringLiteral("名前に「,」（半角のカンマ）は使えません。"));
    retype(name, QString::fromUtf16(u"祝\u4FF1日"));
    QTest::mouseClick(confirm, Qt::LeftButton);
    expectLastError(QString::fromUtf16(u"「\u4FF1」はファイルに保存できない文字です。"));
    EXPECT_EQ(HolidayDefCount, 14);
    EXPECT_EQ(modeButtons(), ModeNew);
    // The name box holds at most 20 characters.
    retype(name, QStringLiteral("一二三四五六七八九十一二三四五六七八九十超"));
    EXPECT_EQ(name->text().size(), 20);
}

TEST_F(HolidayEditorTest, RecordsThePanelCannotShowAreShownNearestAndSaidSo) {
    writeDefinitions(QStringLiteral("Korin1.csv"), "第五週,2,3,,5,0,2000,\r\n謎,3,4,4,,,2001,\r\n");
    open();
    ASSERT_EQ(HolidayDefCount, 2);
    // Sorted: 03 key "(5-1)*7+0 = 28", then 04 with no day part.
    EXPECT_EQ(list->item(HolidayFixedRowCount)->text(),
              QString::fromUtf16(
                  u"第五週\u3000\u3000\u3000\u3000\u3000 | 2000\uFF5E     |  3月第5日曜日"));
    clickRow(list, HolidayFixedRowCount);
    QTest::mouseClick(command1[1], Qt::LeftButton);
    EXPECT_EQ(messages().size(), 1);
    EXPECT_TRUE(
        messages().back().startsWith(QStringLiteral("この祝日の定義には、ここでは扱えない値")));
    EXPECT_TRUE(byWeek->isChecked());
    EXPECT_EQ(text1[3]->text(), QStringLiteral("4"));
    EXPECT_EQ(combo->currentIndex(), 0);
    // Nothing is saved before the user confirms.
    EXPECT_EQ(HolidayDefs[0].Week, 5);
    QTest::mouseClick(abandon, Qt::LeftButton);

    // Delete takes the record as it is, without a word about its values.
    clickRow(list, HolidayFixedRowCount + 1);
    QTest::mouseClick(command1[2], Qt::LeftButton);
    EXPECT_EQ(messages().size(), 1);
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(confirm, Qt::LeftButton);
    ASSERT_EQ(HolidayDefCount, 1);
    EXPECT_EQ(HolidayDefs[0].Name, "第五週");
}

TEST_F(HolidayEditorTest, UpdateAsksThenWritesTheSortedTableExactly) {
    const QByteArray original = fileBytes(QStringLiteral("Korin1.csv"));
    doubles.messageBox.answers = {MessageResult::No};
    QTest::mouseClick(update, Qt::LeftButton);
    expectLastQuestion(QStringLiteral("本当に更新してよろしいですか?"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), original);

    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), cp932(SortedStandard));
}

TEST_F(HolidayEditorTest, TheWaveDashALinuxUserTypesIsSavedAsTheCodePageCharacter) {
    QTest::mouseClick(command1[0], Qt::LeftButton);
    type(name, QString::fromUtf16(u"春\u301C秋\u2212"));
    retype(text1[0], QStringLiteral("2030"));
    QTest::mouseClick(confirm, Qt::LeftButton);
    EXPECT_FALSE(frame->isVisible());
    ASSERT_EQ(HolidayDefCount, 15);
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    // U+FF5E and U+FF0D: the bytes 0x8160 and 0x817C.
    EXPECT_TRUE(fileBytes(QStringLiteral("Korin1.csv"))
                    .contains(cp932(std::string("春\uFF5E秋\uFF0D,1,3,15,,,2030,\r\n"))));
}

TEST_F(HolidayEditorTest, CancelClosesWithoutAskingOrWriting) {
    const QByteArray original = fileBytes(QStringLiteral("Korin1.csv"));
    clickRow(list, rowOfName(QStringLiteral("元日")));
    QTest::mouseClick(command1[2], Qt::LeftButton);
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(confirm, Qt::LeftButton);
    QTest::mouseClick(command1[0], Qt::LeftButton); // an open panel is dropped
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(doubles.messageBox.shown.size(), 1U);
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), original);
    // The table keeps the unsaved change until the files are loaded again.
    EXPECT_EQ(HolidayDefCount, 13);
}

TEST_F(HolidayEditorTest, FailedWriteKeepsTheOldFileAndTheWindowWithItsEdits) {
    const QString folder = doubles.program.folder();
    const QByteArray original = fileBytes(QStringLiteral("Korin1.csv"));
    clickRow(list, rowOfName(QStringLiteral("元日")));
    QTest::mouseClick(command1[2], Qt::LeftButton);
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(confirm, Qt::LeftButton);
    ASSERT_EQ(HolidayDefCount, 13);

    // The folder is gone while the window is open: nothing can be written there.
    const QString away = folder + QStringLiteral(".away");
    ASSERT_TRUE(QDir().rename(folder, away));
    // The file is gone with its folder: the editor asks before writing over what is there now.
    doubles.messageBox.answers = {MessageResult::Yes, MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    ASSERT_TRUE(QDir().rename(away, folder));
    ASSERT_GE(doubles.messageBox.shown.size(), 3U);
    const QString failure = doubles.messageBox.shown.back().text;
    EXPECT_TRUE(failure.startsWith(QStringLiteral("ファイルの書き込みを失敗しました Err=")));
    EXPECT_GT(failure.mid(failure.indexOf('=') + 1).section(QStringLiteral("\r\n"), 0, 0).toInt(),
              0);
    // The file it could not write.
    EXPECT_TRUE(
        failure.contains(QDir::toNativeSeparators(doubles.file(QStringLiteral("Korin1.csv")))))
        << failure.toStdString();
    EXPECT_EQ(doubles.messageBox.shown.back().icon, MessageIcon::Error);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(HolidayDefCount, 13);
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), original);

    // Once the folder is back, the next try writes the edits.
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(
        fileBytes(QStringLiteral("Korin1.csv")),
        cp932(std::string(SortedStandard).substr(std::string("元日,1,1,1,,,1948,\r\n").size())));
}

TEST_F(HolidayEditorTest, ReadOnlyFolderRefusesTheWriteAndKeepsTheOldFile) {
    const QByteArray original = fileBytes(QStringLiteral("Korin1.csv"));
    QFile::setPermissions(doubles.program.folder(), QFile::ReadOwner | QFile::ExeOwner);
    // The superuser writes anyway, and on Windows a folder's read-only flag does not keep files
    // out of it: there is nothing to refuse.
    QFile probe(QDir(doubles.program.folder()).filePath(QStringLiteral("probe")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        QFile::setPermissions(doubles.program.folder(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "the folder's permissions do not keep files out of it here";
    }
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    QFile::setPermissions(doubles.program.folder(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(
        messages().back().startsWith(QStringLiteral("ファイルの書き込みを失敗しました Err=")));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), original);
}

// Deletes the definition named `text` through the panel, answering the question with Yes.
void deleteByName(QListWidget* list, QPushButton* deleteButton, QPushButton* confirmButton,
                  PlatformDoubles& doubles, const QString& text) {
    for (int i = HolidayFixedRowCount; i < list->count(); ++i) {
        if (list->item(i)->text().startsWith(text)) {
            list->scrollToItem(list->item(i));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              list->visualItemRect(list->item(i)).center());
            break;
        }
    }
    QTest::mouseClick(deleteButton, Qt::LeftButton);
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(confirmButton, Qt::LeftButton);
}

TEST_F(HolidayEditorTest, AReadOnlyFileIsRefusedWithTheSystemsErrorNumber) {
    const QString path = doubles.file(QStringLiteral("Korin1.csv"));
    const QByteArray original = fileBytes(QStringLiteral("Korin1.csv"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    deleteByName(list, command1[2], confirm, doubles, QStringLiteral("元日"));
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    // The design's number, then the file and the system's own words for the error.
    expectLastError(QStringLiteral("ファイルの書き込みを失敗しました Err=13\r\n\r\n") +
                    QDir::toNativeSeparators(path) + QStringLiteral("\r\n") +
                    QString::fromStdString(SystemErrorText(13)));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(HolidayDefCount, 13);
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), original);
    EXPECT_FALSE(QFile::permissions(path).testFlag(QFile::WriteOwner));
}

TEST_F(HolidayEditorTest, TwoEditorsOnOneFileDoNotLoseAnEdit) {
    // A second editor on the same folder, loaded while the first is open.
    St_LoadDefinitions();
    HolidayEditorWindow second;
    second.show();
    auto* secondList = child<QListWidget>(&second, "List1");
    auto* secondDelete = child<QPushButton>(&second, "Command1_2");
    auto* secondConfirm = child<QPushButton>(&second, "Command2_0");
    auto* secondUpdate = child<QPushButton>(&second, "Command3_0");

    // The first saves its edit.
    deleteByName(list, command1[2], confirm, doubles, QStringLiteral("元日"));
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    ASSERT_FALSE(window->isVisible());
    const QByteArray firstSaved = fileBytes(QStringLiteral("Korin1.csv"));
    EXPECT_FALSE(firstSaved.contains(cp932("元日")));

    // The second is asked before it writes over that, and No keeps its window and edits.
    deleteByName(secondList, secondDelete, secondConfirm, doubles, QStringLiteral("憲法記念日"));
    const std::size_t shownBefore = doubles.messageBox.shown.size();
    doubles.messageBox.answers = {MessageResult::Yes}; // "本当に更新してよろしいですか?"
    QTest::mouseClick(secondUpdate, Qt::LeftButton);
    ASSERT_EQ(doubles.messageBox.shown.size(), shownBefore + 2);
    expectLastQuestion(QString::fromUtf16(u"Korin1.csvは他のプログラムによって変更されています。"
                                          u"\r\n上書きしますか?"));
    EXPECT_TRUE(second.isVisible());
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), firstSaved);
    EXPECT_EQ(secondList->count(), HolidayFixedRowCount + 13);

    // Yes writes it. (In one process both editors work on the one engine table, so it holds
    // both deletions.)
    doubles.messageBox.answers = {MessageResult::Yes, MessageResult::Yes};
    QTest::mouseClick(secondUpdate, Qt::LeftButton);
    EXPECT_FALSE(second.isVisible());
    EXPECT_NE(fileBytes(QStringLiteral("Korin1.csv")), firstSaved);
    St_LoadDefinitions();
    EXPECT_EQ(HolidayDefCount, 12);
}

TEST_F(HolidayEditorTest, AChangeFromOutsideIsNotOverwrittenWithoutAsking) {
    deleteByName(list, command1[2], confirm, doubles, QStringLiteral("元日"));
    // Another program rewrites the file, keeping its size.
    QByteArray outside = fileBytes(QStringLiteral("Korin1.csv"));
    outside.replace("1948", "1949");
    ASSERT_EQ(outside.size(), fileBytes(QStringLiteral("Korin1.csv")).size());
    {
        QFile file(doubles.file(QStringLiteral("Korin1.csv")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(outside);
    }
    doubles.messageBox.answers = {MessageResult::Yes}; // only the update question
    QTest::mouseClick(update, Qt::LeftButton);
    expectLastQuestion(QString::fromUtf16(u"Korin1.csvは他のプログラムによって変更されています。"
                                          u"\r\n上書きしますか?"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(HolidayDefCount, 13);
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), outside);
}

TEST_F(HolidayEditorTest, AUtf8FileIsConvertedOnceAndANameItCannotHoldIsNamed) {
    const std::string utf8 = "\xEF\xBB\xBF元日,1,1,1,,,1948,\r\n한글의 날,1,10,9,,,2000,\r\n";
    QFile file(doubles.file(QStringLiteral("Korin1.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(utf8.data(), static_cast<qint64>(utf8.size()));
    file.close();
    open();
    ASSERT_EQ(HolidayDefCount, 2);
    ASSERT_EQ(list->count(), HolidayFixedRowCount + 2);
    QListWidgetItem* korean = list->item(HolidayFixedRowCount + 1);
    EXPECT_TRUE(korean->text().startsWith(QStringLiteral("한글의 날")));
    EXPECT_FALSE(korean->toolTip().isEmpty()) << "the record is marked";
    EXPECT_TRUE(list->item(HolidayFixedRowCount)->toolTip().isEmpty());

    doubles.messageBox.shown.clear();
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    ASSERT_EQ(doubles.messageBox.shown.size(), 3U);
    EXPECT_EQ(doubles.messageBox.shown[1].icon, MessageIcon::Information);
    EXPECT_TRUE(doubles.messageBox.shown[1].text.startsWith(QStringLiteral("Korin1.csvはUTF-8")));
    expectLastError(
        QStringLiteral("ファイルの書き込みを失敗しました Err=%1\r\n\r\n").arg(EILSEQ) +
        QString::fromUtf16(
            u"Korin1.csvの2行目「한글의 날」の名前にファイルに書けない文字があります。"));
    EXPECT_EQ(selectedRowOf(list), HolidayFixedRowCount + 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), QByteArray::fromStdString(utf8));

    // Without that record the file is written in code page 932; the conversion is told once.
    deleteByName(list, command1[2], confirm, doubles, QStringLiteral("한글의 날"));
    doubles.messageBox.shown.clear();
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    EXPECT_EQ(doubles.messageBox.shown.size(), 1U);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), cp932("元日,1,1,1,,,1948,\r\n"));
}

TEST_F(HolidayEditorTest, EnterPressesTheFocusedButton) {
    clickRow(list, rowOfName(QStringLiteral("元日")));
    QTest::mouseClick(command1[2], Qt::LeftButton);
    ASSERT_TRUE(confirm->hasFocus());
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::keyClick(confirm, Qt::Key_Return);
    expectDeleteQuestion();
    EXPECT_EQ(HolidayDefCount, 13);
    // The keypad's Enter too.
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
}

TEST_F(HolidayEditorTest, BytesThatAreNoCharacterAreToldAtLoadAndTheSaveNamesTheirLine) {
    // Line 3 holds 天皇 and a byte that is no code page 932 character; the editor sorts it first.
    const std::string bytes =
        cp932("文化の日,1,11,3,,,1948,\r\n勤労感謝の日,1,11,23,,,1948,\r\n").toStdString() +
        "\x93\x56\x8d\x63\x80,1,2,23,,,2020,\r\n";
    QFile file(doubles.file(QStringLiteral("Korin1.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.close();
    doubles.messageBox.shown.clear();
    open();
    expectLastError(QString::fromUtf16(
        u"Korin1.csvファイルの3行目に、シフトJISとして読めないバイトがあります。"));
    EXPECT_EQ(doubles.messageBox.shown.size(), 1U);
    ASSERT_EQ(HolidayDefCount, 3);
    EXPECT_EQ(HolidayDefs[0].Name, "天皇\uFFFD");

    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    expectLastError(
        QStringLiteral("ファイルの書き込みを失敗しました Err=%1\r\n\r\n").arg(EILSEQ) +
        QString::fromUtf16(
            u"Korin1.csvの3行目「天皇\uFFFD」の名前にファイルに書けない文字があります。"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), QByteArray::fromStdString(bytes));
}

} // namespace

using ShippedHolidayFileTest = ShippedDefinitionFilesTest;

TEST_F(ShippedHolidayFileTest, SavingWithoutAChangeWritesTheSameBytes) {
    const QByteArray shipped = fileBytes(QStringLiteral("Korin1.csv"));
    ASSERT_FALSE(shipped.isEmpty());
    std::unique_ptr<HolidayEditorWindow> window;
    ASSERT_NO_FATAL_FAILURE(openEditor(window));
    doubles.messageBox.answers = {MessageResult::Yes};
    QTest::mouseClick(update, Qt::LeftButton);
    ASSERT_FALSE(window->isVisible());
    EXPECT_EQ(fileBytes(QStringLiteral("Korin1.csv")), shipped);
}
