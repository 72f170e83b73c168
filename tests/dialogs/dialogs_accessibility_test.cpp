// What a screen reader reads in the calendar's three dialogs: every control named, the boxes with
// their ranges, the colour swatches as buttons that Space presses; and Tab through each dialog.

#include "dialogs/days_calculator_dialog.h"
#include "dialogs/era_jump_dialog.h"
#include "dialogs/options_dialog.h"
#include "fake_calendar.h"
#include "tests/support/accessible_controls.h"
#include "tests/support/platform_doubles.h"
#include "widgets/color_swatch.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DialogsForAListener : public ::testing::Test {
protected:
    // The objectNames of the controls that Tab visits in the shown dialog from `first`, until
    // it comes back.
    static QStringList tabChain(QWidget& dialog, QWidget* first) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        return TabChain(first);
    }

    PlatformDoubles doubles;
    EraTable eras{EraTable::modern()};
    FakeCalendar calendar;
};

using Words = std::pair<QString, QString>;

TEST_F(DialogsForAListener, EraJumpNamesEveryControlAndTabsFromTheEraToTheButton) {
    EraJumpDialog dialog(calendar);
    EXPECT_EQ(UnnamedControls(dialog), QStringList());
    // On Linux a drop-down list's name is its selected entry; what it chooses is its description.
    EXPECT_EQ(AccessibleWords(dialog, "Combo1").second, QStringLiteral("元号"));
    EXPECT_EQ(AccessibleWords(dialog, "Text1_1"), Words("元号の年", "1〜99"));
    EXPECT_EQ(AccessibleWords(dialog, "VScroll1_1"), Words("元号の年の増減", "1〜99"));
    EXPECT_EQ(AccessibleWords(dialog, "Text1_0"), Words("年", "1〜9999"));
    EXPECT_EQ(AccessibleWords(dialog, "VScroll1_0"), Words("年の増減", "1〜9999"));
    EXPECT_EQ(AccessibleWords(dialog, "Command1").first, QStringLiteral("決定"));
    EXPECT_EQ(tabChain(dialog, dialog.eraList),
              QStringList({"Combo1", "Text1_1", "Text1_0", "Command1"}));
}

TEST_F(DialogsForAListener, DaysCalculatorNamesEveryFieldAfterItsDate) {
    DaysCalculatorDialog dialog(calendar);
    EXPECT_EQ(UnnamedControls(dialog), QStringList());
    EXPECT_EQ(AccessibleWords(dialog, "Text1_0"), Words("最初の日付の年", "1〜9999"));
    EXPECT_EQ(AccessibleWords(dialog, "Text1_1"), Words("最初の日付の月", "1〜12"));
    EXPECT_EQ(AccessibleWords(dialog, "Text1_2"), Words("最初の日付の日", "1〜31"));
    EXPECT_EQ(AccessibleWords(dialog, "Text1_5"), Words("2番目の日付の日", "1〜31"));
    EXPECT_EQ(AccessibleWords(dialog, "Text1_6").first, QStringLiteral("日後の日数"));
    EXPECT_EQ(AccessibleWords(dialog, "Text1_7").first, QStringLiteral("日前の日数"));
    EXPECT_EQ(AccessibleWords(dialog, "Text1_8").first, QStringLiteral("日間の日数"));
    EXPECT_EQ(AccessibleWords(dialog, "Command1_2").first, QStringLiteral("日間"));
    EXPECT_EQ(
        tabChain(dialog, dialog.fields[0]),
        QStringList({"Text1_0", "Text1_1", "Text1_2", "Text1_6", "Command1_0", "Text1_3", "Text1_4",
                     "Text1_5", "Text1_7", "Command1_1", "Command1_2", "Text1_8"}));
}

TEST_F(DialogsForAListener, OptionsNameTheSizeBoxesAndEveryColourSwatchAsAButton) {
    calendar.values.ShowClock = 1;  // the clock frame with its colours shown
    calendar.values.Appearance = 1; // 3D: the boundary's shadow colour shown
    OptionsDialog dialog(calendar);
    EXPECT_EQ(UnnamedControls(dialog), QStringList());
    EXPECT_EQ(AccessibleWords(dialog, "Text1_0"), Words("横幅", "178〜999"));
    EXPECT_EQ(AccessibleWords(dialog, "Text1_1"), Words("高さ", "175〜999"));
    const char* swatches[9][2] = {
        {"Picture1_0", "背景の色"},      {"Picture1_1", "入力欄の背景の色"},
        {"Picture1_2", "文字の色"},      {"Picture1_3", "土曜の色"},
        {"Picture1_4", "日祝の色"},      {"Picture1_5", "今日の色"},
        {"Picture1_6", "境界線の色"},    {"Picture1_7", "境界線の影の色"},
        {"Picture1_8", "時計の文字の色"}};
    for (const auto& [objectName, name] : swatches) {
        auto* swatch = dialog.findChild<ColorSwatch*>(QString::fromLatin1(objectName));
        ASSERT_NE(swatch, nullptr) << objectName;
        EXPECT_EQ(AccessibleName(swatch), QString::fromUtf8(name));
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(swatch);
        EXPECT_EQ(face->role(), QAccessible::Button) << objectName;
    }
    // Top to bottom (the look is one stop, its options go by the arrow keys), each colour after
    // its label, the clock's text colour first in its frame.
    EXPECT_EQ(tabChain(dialog, dialog.titleAndMenuBox).join(u' '),
              QStringLiteral("Check1 Check2 Command2 Check5 Option1_0 Text1_0 Text1_1 Check3 "
                             "Picture1_0 Picture1_1 Picture1_2 Picture1_3 Picture1_4 Picture1_5 "
                             "Check4 loginStartBox "
                             "Picture1_8 Picture1_6 Picture1_7 Command1_0 Command1_1"));
}

TEST(ColorSwatchForAListener, SpaceEnterAndThePressActionClickIt) {
    ColorSwatch swatch;
    QSignalSpy clicks(&swatch, &ColorSwatch::clicked);
    QTest::keyClick(&swatch, Qt::Key_Space);
    QTest::keyClick(&swatch, Qt::Key_Return);
    QTest::keyClick(&swatch, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks.count(), 3);
    QTest::keyClick(&swatch, Qt::Key_A);
    QTest::keyClick(&swatch, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(clicks.count(), 3) << "other keys do not press it";
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&swatch);
    ASSERT_NE(face->actionInterface(), nullptr);
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 4);
    swatch.setEnabled(false);
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 4) << "a disabled swatch is not pressed";
}

} // namespace
