// What a screen reader reads in Korinset's windows: every control named, the numeric boxes and
// their spin scroll bars with their ranges.

#include "editor/era_editor.h"
#include "editor/holiday_editor.h"
#include "editor/holiday_list_window.h"
#include "editor/main_window.h"
#include "editor_test_support.h"
#include "tests/support/accessible_controls.h"

#include <QPushButton>
#include <memory>

namespace {

class EditorForAListener : public EditorWindowTest {
protected:
    // Shows `window` as the active window.
    static void activate(QWidget& window) {
        window.show();
        QApplication::setActiveWindow(&window);
    }

    // The objectNames of the controls that Tab visits in `window` from its focused control,
    // until it comes back.
    static QStringList tabChain(QWidget& window) {
        QApplication::setActiveWindow(&window);
        return TabChain(QApplication::focusWidget());
    }
};

using Words = std::pair<QString, QString>;

TEST_F(EditorForAListener, MainWindowAndHolidayListNameEveryControl) {
    EditorMainWindow main;
    EXPECT_EQ(UnnamedControls(main), QStringList());
    EXPECT_EQ(AccessibleWords(main, "Command1_0").first, QStringLiteral("祝日の設定"));
    EXPECT_EQ(AccessibleWords(main, "Command1_1").first, QStringLiteral("元号の設定"));

    HolidayListWindow list;
    EXPECT_EQ(UnnamedControls(list), QStringList());
    EXPECT_EQ(AccessibleWords(list, "Text1_0").first, QStringLiteral("期間の最初の年"));
    EXPECT_EQ(AccessibleWords(list, "Text1_1").first, QStringLiteral("期間の最後の年"));
    EXPECT_EQ(AccessibleWords(list, "Text2").first, QStringLiteral("祝日の一覧"));
}

TEST_F(EditorForAListener, HolidayEditorNamesTheListThePanelAndEveryBoxWithItsRange) {
    St_LoadDefinitions();
    HolidayEditorWindow window;
    EXPECT_EQ(UnnamedControls(window), QStringList());
    EXPECT_EQ(AccessibleWords(window, "List1").first, QStringLiteral("祝日の定義"));
    EXPECT_EQ(AccessibleWords(window, "Text2"), Words("名前", "20文字まで"));
    EXPECT_EQ(AccessibleWords(window, "Combo1").second, QStringLiteral("曜日"));
    const Words boxes[5] = {{"開始年", "0〜9999"},
                            {"月", "1〜12"},
                            {"日", "1〜31"},
                            {"第何週", "1〜4"},
                            {"廃止年", "0〜9999、0は廃止なし"}};
    for (int i = 0; i < 5; ++i) {
        const QByteArray box = QStringLiteral("Text1_%1").arg(i).toLatin1();
        const QByteArray bar = QStringLiteral("VScroll1_%1").arg(i).toLatin1();
        EXPECT_EQ(AccessibleWords(window, box.constData()), boxes[i]) << i;
        EXPECT_EQ(AccessibleWords(window, bar.constData()),
                  Words(boxes[i].first + QStringLiteral("の増減"), boxes[i].second))
            << i;
    }
}

TEST_F(EditorForAListener, EraEditorNamesTheListTheDateBoxesAndTheName) {
    St_LoadDefinitions();
    EraEditorWindow window;
    EXPECT_EQ(UnnamedControls(window), QStringList());
    EXPECT_EQ(AccessibleWords(window, "List1").first, QStringLiteral("元号の定義"));
    EXPECT_EQ(AccessibleWords(window, "Text1_0"), Words("開始年", "1〜9999"));
    EXPECT_EQ(AccessibleWords(window, "VScroll1_0"), Words("開始年の増減", "1〜9999"));
    EXPECT_EQ(AccessibleWords(window, "Text1_1"), Words("開始月", "1〜12"));
    EXPECT_EQ(AccessibleWords(window, "Text1_2"), Words("開始日", "1〜31"));
    EXPECT_EQ(AccessibleWords(window, "VScroll1_2"), Words("開始日の増減", "1〜31"));
    EXPECT_EQ(AccessibleWords(window, "Text2"), Words("元号名", "8文字まで"));
}

TEST_F(EditorForAListener, TabFollowsEachPanelAndLeavesTheListing) {
    St_LoadDefinitions();
    HolidayEditorWindow holidays;
    activate(holidays);
    holidays.findChild<QPushButton*>(QStringLiteral("Command1_0"))->click(); // "新規(&N)"
    // A fixed day: no week, no weekday. The buttons "変更" and "削除" are off while adding.
    EXPECT_EQ(tabChain(holidays).join(u' '),
              QStringLiteral("Text2 Option1_0 Text1_0 Text1_1 Text1_2 Text1_4 Command2_0 "
                             "Command2_1 Command3_0 Command3_1 List1 Command1_0"));
    // The nth weekday of a month: the weekday right after its week.
    holidays.findChild<QWidget*>(QStringLiteral("Option1_1"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    holidays.findChild<QWidget*>(QStringLiteral("Text2"))->setFocus();
    EXPECT_EQ(tabChain(holidays).join(u' '),
              QStringLiteral("Text2 Option1_1 Text1_0 Text1_1 Text1_3 Combo1 Text1_4 Command2_0 "
                             "Command2_1 Command3_0 Command3_1 List1 Command1_0"));

    EraEditorWindow eras;
    activate(eras);
    eras.findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
    EXPECT_EQ(tabChain(eras).join(u' '),
              QStringLiteral("Text1_0 Text1_1 Text1_2 Text2 Command2_0 Command2_1 Command3_0 "
                             "Command3_1 List1 Command1_0"));

    HolidayListWindow list;
    activate(list);
    // The listing lets Tab go on to the period again.
    EXPECT_EQ(tabChain(list).join(u' '), QStringLiteral("Text1_0 Text1_1 Command1 Text2"));
}

} // namespace
