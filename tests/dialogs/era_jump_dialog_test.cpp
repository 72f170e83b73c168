#include "dialogs/era_jump_dialog.h"
#include "fake_calendar.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/qt_printers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class EraJumpDialogTest : public ::testing::Test {
protected:
    // Replaces the box's text by typing `digits` over the selected text.
    static void type(QLineEdit* box, const char* digits) {
        box->selectAll();
        QTest::keyClicks(box, QString::fromLatin1(digits));
    }

    static QStringList entries(const QComboBox* combo) {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i) {
            out << combo->itemText(i);
        }
        return out;
    }

    PlatformDoubles doubles;
    FakeCalendar calendar;
};

TEST_F(EraJumpDialogTest, OpensOverTheCalendarWithTheNewestEraFirstAndTheYearsEra) {
    EraTable eras(EraTable::modern());
    calendar.year = 2019;
    EraJumpDialog dialog(calendar);
    EXPECT_EQ(dialog.windowTitle(), "元号指定");
    EXPECT_EQ(dialog.pos(), QPoint(100, 200));
    // The calendar's outer width less the dialog's own frame (twice 3 pixels).
    EXPECT_EQ(dialog.width(), 194 - 6);
    EXPECT_EQ(entries(dialog.eraList), QStringList({"令和", "平成", "昭和", "大正", "明治", ""}));
    // 2019 began a new era: the new era is shown, in its first year.
    EXPECT_EQ(dialog.eraList->currentText(), "令和");
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "1");
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "2019");
    EXPECT_EQ(dialog.yearScrollBars[0]->maximum(), 9999);
    EXPECT_EQ(dialog.yearScrollBars[1]->maximum(), 99);
    // The panel is centred across the dialog.
    const int left = dialog.panel->x();
    EXPECT_NEAR(left, dialog.width() - left - dialog.panel->width(), 1);
    EXPECT_TRUE(calendar.yearSets.empty());
}

TEST_F(EraJumpDialogTest, AnEraYearPastTheErasEndSwitchesToTheLaterEra) {
    EraTable eras(EraTable::modern());
    calendar.year = 1990;
    EraJumpDialog dialog(calendar);
    ASSERT_EQ(dialog.eraList->currentText(), "平成");
    ASSERT_EQ(dialog.yearBoxes[1]->text(), "2");

    type(dialog.yearBoxes[1], "35");
    // 平成35 is 2023, which is 令和5.
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "2023");
    EXPECT_EQ(dialog.eraList->currentText(), "令和");
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "5");
    EXPECT_EQ(dialog.year(), 2023);

    // The year an era ended is always year 1 of the era that began in it.
    QTest::keyClick(dialog.eraList, Qt::Key_Down);
    ASSERT_EQ(dialog.eraList->currentText(), "平成");
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "1993"); // 平成5
    type(dialog.yearBoxes[1], "31");
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "2019");
    EXPECT_EQ(dialog.eraList->currentText(), "令和");
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "1");
}

TEST_F(EraJumpDialogTest, AYearBeforeTheOldestEraShowsTheBlankEntryAndLeavesItAlone) {
    EraTable eras(EraTable::modern());
    calendar.year = 1800;
    EraJumpDialog dialog(calendar);
    EXPECT_EQ(dialog.eraList->currentIndex(), 5);
    EXPECT_EQ(dialog.eraList->currentText(), "");
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "1");
    EXPECT_EQ(dialog.eraYear(), 1);

    // The era year means nothing without an era: the year stays.
    type(dialog.yearBoxes[1], "12");
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "1800");
    EXPECT_EQ(dialog.eraList->currentIndex(), 5);

    // Choosing the blank entry from an era leaves the year as it is.
    type(dialog.yearBoxes[0], "1990");
    ASSERT_EQ(dialog.eraList->currentText(), "平成");
    dialog.eraList->setCurrentIndex(5);
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "1990");
}

TEST_F(EraJumpDialogTest, EraYearsAboveNinetyNineAreCappedAndTheYearFollowsOnlyOnAChange) {
    EraTable eras(EraTable::modern());
    calendar.year = 2024;
    EraJumpDialog dialog(calendar);
    // 2200 would be 令和182: the era year shows 99, and its change brings the year to 2117.
    type(dialog.yearBoxes[0], "2200");
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "99");
    EXPECT_EQ(dialog.eraList->currentText(), "令和");
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "2117");
    EXPECT_EQ(dialog.year(), 2117);

    // With 99 already shown nothing runs: the year stays where it was put.
    QTest::keyClick(dialog.yearBoxes[0], Qt::Key_Down);
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "2118");
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "99");
    EXPECT_EQ(dialog.year(), 2118);
}

TEST_F(EraJumpDialogTest, TypingAYearAppliesEveryIntermediateValue) {
    EraTable eras(EraTable::modern());
    calendar.year = 2024;
    EraJumpDialog dialog(calendar);
    QSignalSpy years(dialog.yearScrollBars[0], &QScrollBar::valueChanged);
    type(dialog.yearBoxes[0], "1926");
    QList<int> seen;
    for (const QList<QVariant>& change : years) {
        seen << change.at(0).toInt();
    }
    EXPECT_EQ(seen, QList<int>({1, 19, 192, 1926}));
    // 31 December 1926 lies in 昭和, which began on 25 December.
    EXPECT_EQ(dialog.eraList->currentText(), "昭和");
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "1");
}

TEST_F(EraJumpDialogTest, BoxesNeverHoldLessThanOneAndArrowsStopAtTheEnds) {
    EraTable eras({});
    calendar.year = 9999;
    EraJumpDialog dialog(calendar);
    dialog.yearBoxes[0]->setCursorPosition(4);
    QTest::keyClick(dialog.yearBoxes[0], Qt::Key_Down);
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "9999");
    EXPECT_EQ(dialog.yearBoxes[0]->cursorPosition(), 0);

    type(dialog.yearBoxes[0], "1");
    dialog.yearBoxes[0]->setCursorPosition(1);
    QTest::keyClick(dialog.yearBoxes[0], Qt::Key_Up);
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "1");
    EXPECT_EQ(dialog.yearBoxes[0]->cursorPosition(), 0);

    type(dialog.yearBoxes[0], "2024");
    dialog.yearBoxes[0]->selectAll();
    QTest::keyClick(dialog.yearBoxes[0], Qt::Key_Backspace);
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "1");
    EXPECT_EQ(dialog.year(), 1);

    // Letters are not typed; the era year box refuses a 0 as well.
    type(dialog.yearBoxes[0], "19a8x9");
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "1989");
    type(dialog.yearBoxes[1], "0");
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "1");
    // The era year bar's upper arrow at 1 tries 0, which the box turns back into 1.
    dialog.yearScrollBars[1]->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "1");
    EXPECT_EQ(dialog.eraYear(), 1);
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "1989");
}

TEST_F(EraJumpDialogTest, OpeningFarPastTheNewestErasStartShowsItsNinetyNinthYear) {
    EraTable eras(EraTable::modern());
    calendar.year = 9999;
    EraJumpDialog dialog(calendar);
    // The era year is capped at 99, and that change brings the year back to 令和99.
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "99");
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "2117");
}

TEST_F(EraJumpDialogTest, WithoutErasOnlyTheBlankEntryIsListed) {
    EraTable eras({});
    calendar.year = 2024;
    EraJumpDialog dialog(calendar);
    EXPECT_EQ(entries(dialog.eraList), QStringList({""}));
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "1");
    type(dialog.yearBoxes[0], "1500");
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "1");
    EXPECT_EQ(dialog.yearBoxes[0]->text(), "1500");
}

TEST_F(EraJumpDialogTest, TwoErasOfOneNameUseTheNewerAndALateEraStopsAtTheLastYear) {
    EraTable eras({{"甲", "10000101"}, {"乙", "12000101"}, {"甲", "15000101"}, {"丙", "99500101"}});
    calendar.year = 1100;
    EraJumpDialog dialog(calendar);
    // The older 甲 rules 1100, but the list shows the newer entry of that name.
    EXPECT_EQ(dialog.eraList->currentIndex(), 1);
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "99"); // 甲 counted from 1500's start: capped
    // Chosen by name, an era year counts from the newer start.
    dialog.SetYearFromEra(QStringLiteral("甲"), 10);
    EXPECT_EQ(dialog.year(), 1509);

    dialog.SetYearFromEra(QStringLiteral("丙"), 60);
    EXPECT_EQ(dialog.year(), 9999);
    EXPECT_EQ(dialog.eraList->currentText(), "丙");
    EXPECT_EQ(dialog.yearBoxes[1]->text(), "50");
}

TEST_F(EraJumpDialogTest, EnterAndTheButtonSetTheCalendarsYearEscapeLeavesIt) {
    EraTable eras(EraTable::modern());
    {
        EraJumpDialog dialog(calendar);
        type(dialog.yearBoxes[0], "1989");
        QTest::keyClick(dialog.yearBoxes[1], Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_TRUE(calendar.yearSets.empty());
    }
    {
        EraJumpDialog dialog(calendar);
        type(dialog.yearBoxes[0], "1989");
        QTest::keyClick(dialog.yearBoxes[1], Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(calendar.yearSets, std::vector<int>({1989}));
    }
    {
        EraJumpDialog dialog(calendar);
        QTest::keyClick(dialog.eraList, Qt::Key_Down);
        QTest::mouseClick(dialog.confirmButton, Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(calendar.yearSets.back(), 1926); // 昭和元, from 平成元
    }
}

} // namespace
