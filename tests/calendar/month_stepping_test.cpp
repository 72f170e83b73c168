// Choosing the month with the entry boxes, their arrow keys and the scroll bars.

#include "calendar/month_grid.h"
#include "calendar/month_stepping.h"
#include "calendar/shown_month.h"
#include "calendar_fixture.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

class MonthSteppingTest : public CalendarTest {
protected:
    void SetUp() override {
        CalendarTest::SetUp();
        w = &start();
    }

    // The month the window shows: the boxes, the scroll bars and the filled grid agree on it.
    void expectShown(int year, int month) {
        EXPECT_EQ(w->yearBox->text(), QString::number(year));
        EXPECT_EQ(w->monthBox->text(), QString::number(month));
        EXPECT_EQ(w->yearScrollBar->value(), year);
        EXPECT_EQ(w->monthScrollBar->value(), month);
        const month_grid::MonthLayout layout = month_grid::layoutMonth(year, month);
        for (int i = month_grid::FirstDayCell; i < month_grid::CellCount; ++i) {
            const QString expected =
                layout.day[i] == 0 ? QString() : QString::number(layout.day[i]);
            ASSERT_EQ(w->dayCells[i]->text(), expected)
                << "cell " << i << " of " << year << "/" << month;
        }
    }

    void type(int k, Qt::Key key) { QTest::keyClick(w->entryBoxes()[k], key); }

    // One notch of the mouse wheel over scroll bar k: away from the hand (up) or towards it.
    void wheel(int k, bool up) {
        QScrollBar* bar = w->scrollBars()[k];
        const QPointF inside(bar->width() / 2.0, bar->height() / 2.0);
        QWheelEvent notch(inside, bar->mapToGlobal(inside), QPoint(), QPoint(0, up ? 120 : -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &notch);
    }

    CalendarWindow* w = nullptr;
};

// Whatever moves the month sets the one shown month; the boxes, the bars, the grid and the era
// label follow it, and a step beyond the range puts the bar back on the month shown.
TEST_F(MonthSteppingTest, TheBoxesTheBarsTheGridAndTheEraLabelFollowTheShownMonth) {
    ShowMonth(*w, {2019, 5});
    EXPECT_EQ(w->shownMonth->value(), (YearMonth{2019, 5}));
    expectShown(2019, 5);
    EXPECT_EQ(w->eraLabel->text(), QStringLiteral("令和元年"));
    w->monthScrollBar->setValue(0);
    expectShown(2019, 4);
    EXPECT_EQ(w->eraLabel->text(), QStringLiteral("平成31年"));
    w->yearScrollBar->setValue(1);
    expectShown(1, 4);
    EXPECT_EQ(w->eraLabel->text(), QString());
    ShowMonth(*w, {1, 1});
    w->monthScrollBar->setValue(0);
    expectShown(1, 1);
    ShowMonth(*w, {9999, 12});
    w->monthScrollBar->setValue(13);
    expectShown(9999, 12);
    ShowMonth(*w, {0, 0}); // outside the range: the nearest month
    expectShown(1, 1);
}

TEST_F(MonthSteppingTest, TypingTwoZeroTwoFiveOverTheSelectedYearShowsEachYearInTurn) {
    w->yearBox->selectAll();
    const Qt::Key keys[] = {Qt::Key_2, Qt::Key_0, Qt::Key_2, Qt::Key_5};
    const int years[] = {2, 20, 202, 2025};
    for (int i = 0; i < 4; ++i) {
        const int fills = w->fillCount;
        type(0, keys[i]);
        EXPECT_GT(w->fillCount, fills) << "each digit fills the month";
        expectShown(years[i], 11);
    }
}

TEST_F(MonthSteppingTest, TypingOneThreeIntoTheMonthBoxEndsInDecember) {
    w->monthBox->selectAll();
    type(1, Qt::Key_1);
    expectShown(2024, 1);
    type(1, Qt::Key_3);
    expectShown(2024, 12);
}

TEST_F(MonthSteppingTest, EmptyOrZeroBoxBecomesOne) {
    w->yearBox->selectAll();
    type(0, Qt::Key_Backspace);
    EXPECT_EQ(w->yearBox->text(), QStringLiteral("1")) << "deleting the whole year gives year 1";
    EXPECT_EQ(w->yearScrollBar->value(), 1);
    w->monthBox->selectAll();
    type(1, Qt::Key_0);
    EXPECT_EQ(w->monthBox->text(), QStringLiteral("1"));
    EXPECT_EQ(w->monthScrollBar->value(), 1);
}

TEST_F(MonthSteppingTest, LettersSpaceAndEscapeAreDroppedBackspaceWorks) {
    w->yearBox->setCursorPosition(4);
    type(0, Qt::Key_A);
    QTest::keyClick(w->yearBox, Qt::Key_Space);
    QTest::sendKeyEvent(QTest::Click, w->yearBox, Qt::Key_unknown, QStringLiteral("年"),
                        Qt::NoModifier);
    QTest::keyClick(w->yearBox, Qt::Key_Escape);
    EXPECT_EQ(w->yearBox->text(), QStringLiteral("2024"));
    type(0, Qt::Key_Backspace);
    expectShown(202, 11);
}

TEST_F(MonthSteppingTest, PastedTextIsRepairedToItsLeadingNumberWithinRange) {
    w->yearBox->selectAll();
    w->yearBox->insert(QStringLiteral("19x5"));
    expectShown(19, 11);
    w->monthBox->selectAll();
    w->monthBox->insert(QStringLiteral("x"));
    expectShown(19, 1);
    w->monthBox->selectAll();
    w->monthBox->insert(QStringLiteral("99"));
    expectShown(19, 12);
}

TEST_F(MonthSteppingTest, ArrowKeysCrossYearEndsFromTheMonthBox) {
    showMonth(*w, 2025, 1);
    type(1, Qt::Key_Up);
    expectShown(2024, 12);
    EXPECT_EQ(w->monthBox->cursorPosition(), 0) << "the caret goes to the start";
    showMonth(*w, 2025, 12);
    type(1, Qt::Key_Down);
    expectShown(2026, 1);
    type(0, Qt::Key_Down);
    expectShown(2027, 1);
    type(0, Qt::Key_Up);
    expectShown(2026, 1);
    type(1, Qt::Key_Down);
    expectShown(2026, 2);
}

TEST_F(MonthSteppingTest, ArrowKeysStopAtJanuaryOfYearOneAndDecember9999) {
    showMonth(*w, 1, 1);
    const int fills = w->fillCount;
    type(1, Qt::Key_Up);
    type(0, Qt::Key_Up);
    expectShown(1, 1);
    showMonth(*w, 9999, 12);
    type(1, Qt::Key_Down);
    type(0, Qt::Key_Down);
    expectShown(9999, 12);
    EXPECT_EQ(w->fillCount, fills + 2) << "only the two showMonth calls filled";
}

TEST_F(MonthSteppingTest, ScrollBarArrowsStepAcrossYearsAndStopAtTheEnds) {
    auto up = [](QScrollBar* bar) { bar->triggerAction(QAbstractSlider::SliderSingleStepSub); };
    auto down = [](QScrollBar* bar) { bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); };
    showMonth(*w, 2025, 1);
    up(w->monthScrollBar);
    expectShown(2024, 12);
    down(w->monthScrollBar);
    expectShown(2025, 1);

    showMonth(*w, 1, 1);
    up(w->monthScrollBar);
    EXPECT_EQ(w->monthBox->text(), QStringLiteral("1"));
    EXPECT_EQ(w->yearBox->text(), QStringLiteral("1"));

    showMonth(*w, 9999, 12);
    down(w->monthScrollBar);
    expectShown(9999, 12);

    // The year bar at its minimum 0 shows year 1 and moves back to 1.
    w->yearScrollBar->setValue(0);
    EXPECT_EQ(w->yearBox->text(), QStringLiteral("1"));
    EXPECT_EQ(w->yearScrollBar->value(), 1);
}

TEST_F(MonthSteppingTest, TheWheelOverAScrollBarStepsOneMonthOrYearPerNotchAcrossYearEnds) {
    showMonth(*w, 2024, 11);
    wheel(1, false);
    expectShown(2024, 12);
    wheel(1, false);
    expectShown(2025, 1);
    wheel(1, false);
    expectShown(2025, 2);
    wheel(1, true);
    wheel(1, true);
    expectShown(2024, 12);
    wheel(0, true);
    expectShown(2023, 12);
    wheel(0, false);
    wheel(0, false);
    expectShown(2025, 12);

    // At the ends of the range a notch does what the arrow does.
    showMonth(*w, 1, 1);
    wheel(1, true);
    EXPECT_EQ(w->yearBox->text(), QStringLiteral("1"));
    EXPECT_EQ(w->monthBox->text(), QStringLiteral("1"));
    showMonth(*w, 9999, 12);
    wheel(1, false);
    expectShown(9999, 12);
}

TEST_F(MonthSteppingTest, PagingTwelveMonthsWithDownReachesTheSameMonthNextYear) {
    for (int i = 0; i < 12; ++i) {
        type(1, Qt::Key_Down);
    }
    expectShown(2025, 11);
    EXPECT_EQ(w->dayCells[7]->text(), QString()) << "November 2025 begins on a Saturday";
    EXPECT_EQ(w->dayCells[13]->text(), QStringLiteral("1"));
}
