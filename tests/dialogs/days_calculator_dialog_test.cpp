#include "dialogs/days_calculator_dialog.h"
#include "fake_calendar.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/qt_printers.h"
#include "widgets/fitted_entry.h"
#include "widgets/fitted_label.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DaysCalculatorDialogTest : public ::testing::Test {
protected:
    DaysCalculatorDialogTest() { doubles.clock.time = QDateTime(QDate(2024, 3, 15), QTime(9, 0)); }

    // Shows the window and makes it the active one, so that the focus moves as for a user.
    static void activate(DaysCalculatorDialog& dialog) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
    }

    // Focuses a field (which selects its text) and types over it.
    static void type(QLineEdit* field, const char* text) {
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClicks(field, QString::fromLatin1(text));
    }

    static void setDate(DaysCalculatorDialog& dialog, int first, const char* y, const char* m,
                        const char* d) {
        type(dialog.fields[first], y);
        type(dialog.fields[first + 1], m);
        type(dialog.fields[first + 2], d);
    }

    static QStringList date(const DaysCalculatorDialog& dialog, int first) {
        return {dialog.fields[first]->text(), dialog.fields[first + 1]->text(),
                dialog.fields[first + 2]->text()};
    }

    static QStringList results(const DaysCalculatorDialog& dialog) {
        QStringList out;
        for (const QLabel* label : dialog.resultLabels) {
            out << label->text();
        }
        return out;
    }

    PlatformDoubles doubles;
    EraTable eras{EraTable::modern()};
    FakeCalendar calendar;
};

TEST_F(DaysCalculatorDialogTest, OpensWithTodayAndTheShownMonthInDateOrder) {
    calendar.yearBox = "2024";
    calendar.monthBox = "5";
    DaysCalculatorDialog later(calendar);
    EXPECT_EQ(later.windowTitle(), "日数計算");
    EXPECT_EQ(date(later, 0), QStringList({"2024", "3", "15"}));
    EXPECT_EQ(date(later, 3), QStringList({"2024", "5", "15"}));
    EXPECT_EQ(later.fields[6]->text(), "61");
    EXPECT_EQ(later.fields[7]->text(), "61");
    EXPECT_EQ(later.fields[8]->text(), "62");
    EXPECT_EQ(results(later), QStringList({"0年", "2ヶ月", "1日間", "8週間", "6日"}));
    EXPECT_EQ(later.eraLabels[0]->text(), "令和 6");
    EXPECT_EQ(later.eraLabels[1]->text(), "令和 6");
    EXPECT_EQ(later.pos(), QPoint(100, 200));
    EXPECT_EQ(later.width(), 194 - 6);

    calendar.yearBox = "1989";
    calendar.monthBox = "1";
    DaysCalculatorDialog earlier(calendar);
    EXPECT_EQ(date(earlier, 0), QStringList({"1989", "1", "15"}));
    EXPECT_EQ(date(earlier, 3), QStringList({"2024", "3", "15"}));
    EXPECT_EQ(earlier.eraLabels[0]->text(), "平成元");
    EXPECT_EQ(earlier.resultLabels[0]->text(), "35年");

    // Today's day in a shorter month stays as it is and counts on into the next month.
    doubles.clock.time = QDateTime(QDate(2024, 3, 31), QTime(9, 0));
    calendar.yearBox = "2024";
    calendar.monthBox = "4";
    DaysCalculatorDialog overlong(calendar);
    EXPECT_EQ(date(overlong, 3), QStringList({"2024", "4", "31"}));
    EXPECT_EQ(overlong.fields[6]->text(), "31");
}

TEST_F(DaysCalculatorDialogTest, TakesTheCalendarsHeightOnlyWhenTallerAndCentresThePanel) {
    DaysCalculatorDialog designed(calendar);
    calendar.frame.setHeight(9000);
    DaysCalculatorDialog tall(calendar);
    EXPECT_GT(tall.height(), designed.height());
    const QSize frame = calendar.measureFrame(3, 0);
    EXPECT_EQ(tall.height(), (9000 - frame.height()) / 15);

    // The panel sits in the middle of the area below the menu bar.
    const int below = tall.menuBar->height();
    const int top = tall.panel->y() - below;
    const int bottom = tall.height() - tall.panel->geometry().bottom() - 1;
    EXPECT_NEAR(top, bottom, 1);
    EXPECT_NEAR(tall.panel->x(), tall.width() - tall.panel->geometry().right() - 1, 1);
    EXPECT_GT(top, 100);
}

TEST_F(DaysCalculatorDialogTest, FieldsTakeOnlyDigitsAndEnterMovesTheFocusOn) {
    DaysCalculatorDialog dialog(calendar);
    activate(dialog);
    dialog.fields[0]->setFocus();
    dialog.fields[0]->end(false);
    QTest::keyClicks(dialog.fields[0], QStringLiteral("a-+ "));
    EXPECT_EQ(dialog.fields[0]->text(), "2024");

    const std::vector<std::pair<int, QWidget*>> moves{
        {0, dialog.fields[1]},          {1, dialog.fields[2]},
        {2, dialog.fields[6]},          {6, dialog.calculateButtons[0]},
        {3, dialog.fields[4]},          {4, dialog.fields[5]},
        {5, dialog.fields[7]},          {7, dialog.calculateButtons[1]},
        {8, dialog.calculateButtons[2]}};
    for (const auto& [from, to] : moves) {
        dialog.fields[from]->setFocus();
        QTest::keyClick(dialog.fields[from], Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), to) << "Enter in field " << from;
    }
    EXPECT_TRUE(doubles.messageBox.shown.empty());
    // Gaining the focus selects the whole field.
    dialog.fields[4]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(dialog.fields[4]->selectedText(), dialog.fields[4]->text());
}

TEST_F(DaysCalculatorDialogTest, ArrowKeysStepTheDatesAndRenewTheirEraLabels) {
    DaysCalculatorDialog dialog(calendar);
    activate(dialog);
    setDate(dialog, 0, "2019", "1", "5");
    QTest::keyClick(dialog.fields[1], Qt::Key_Up);
    EXPECT_EQ(date(dialog, 0), QStringList({"2018", "12", "5"}));
    EXPECT_EQ(dialog.fields[1]->cursorPosition(), 0);
    EXPECT_EQ(dialog.eraLabels[0]->text(), "平成30");

    setDate(dialog, 3, "2019", "5", "1");
    QTest::keyClick(dialog.fields[5], Qt::Key_Up);
    EXPECT_EQ(date(dialog, 3), QStringList({"2019", "4", "30"}));
    EXPECT_EQ(dialog.eraLabels[1]->text(), "平成31");
    QTest::keyClick(dialog.fields[5], Qt::Key_Down);
    EXPECT_EQ(date(dialog, 3), QStringList({"2019", "5", "1"}));
    EXPECT_EQ(dialog.eraLabels[1]->text(), "令和元");

    setDate(dialog, 3, "9999", "12", "30");
    QTest::keyClick(dialog.fields[5], Qt::Key_Down);
    QTest::keyClick(dialog.fields[5], Qt::Key_Down);
    EXPECT_EQ(date(dialog, 3), QStringList({"9999", "12", "31"}));
    QTest::keyClick(dialog.fields[4], Qt::Key_Down);
    EXPECT_EQ(date(dialog, 3), QStringList({"9999", "12", "31"}));

    // The day counts keep their own arrow handling.
    type(dialog.fields[6], "12");
    QTest::keyClick(dialog.fields[6], Qt::Key_Up);
    EXPECT_EQ(dialog.fields[6]->text(), "12");
    EXPECT_TRUE(doubles.messageBox.shown.empty());
}

TEST_F(DaysCalculatorDialogTest, LeavingADateFieldCorrectsTheDates) {
    DaysCalculatorDialog dialog(calendar);
    activate(dialog);
    type(dialog.fields[0], "0");
    QTest::keyClick(dialog.fields[0], Qt::Key_Tab);
    EXPECT_EQ(dialog.fields[0]->text(), "1");
    EXPECT_EQ(dialog.eraLabels[0]->text(), "");

    setDate(dialog, 0, "2024", "4", "31");
    dialog.fields[6]->setFocus();
    EXPECT_EQ(date(dialog, 0), QStringList({"2024", "4", "30"}));

    setDate(dialog, 3, "2023", "2", "29");
    dialog.fields[7]->setFocus();
    EXPECT_EQ(dialog.fields[5]->text(), "28");

    setDate(dialog, 0, "9999", "12", "31");
    QTest::keyClick(dialog.fields[2], Qt::Key_Return);
    EXPECT_EQ(date(dialog, 0), QStringList({"9999", "12", "30"}));
    EXPECT_EQ(QApplication::focusWidget(), dialog.fields[6]);
}

TEST_F(DaysCalculatorDialogTest, ButtonsCalculateAndReportADayCountOutOfRangeOnce) {
    DaysCalculatorDialog dialog(calendar);
    activate(dialog);
    setDate(dialog, 0, "2024", "1", "31");
    type(dialog.fields[6], "30");
    QTest::mouseClick(dialog.calculateButtons[0], Qt::LeftButton);
    EXPECT_EQ(date(dialog, 3), QStringList({"2024", "3", "1"}));
    EXPECT_EQ(dialog.fields[7]->text(), "30");
    EXPECT_EQ(dialog.fields[8]->text(), "31");
    EXPECT_EQ(results(dialog), QStringList({"0年", "1ヶ月", "2日間", "4週間", "3日"}));
    EXPECT_TRUE(doubles.messageBox.shown.empty());

    setDate(dialog, 3, "1", "1", "10");
    type(dialog.fields[7], "20");
    QTest::mouseClick(dialog.calculateButtons[1], Qt::LeftButton);
    ASSERT_EQ(doubles.messageBox.shown.size(), 1U);
    EXPECT_EQ(doubles.messageBox.shown[0].text, "日数が大き過ぎます。");
    EXPECT_EQ(doubles.messageBox.shown[0].caption, "Zelvar");
    EXPECT_EQ(doubles.messageBox.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(dialog.fields[7]->text(), "9");
    EXPECT_EQ(date(dialog, 0), QStringList({"1", "1", "1"}));

    setDate(dialog, 0, "2024", "12", "31");
    setDate(dialog, 3, "2024", "1", "1");
    QTest::mouseClick(dialog.calculateButtons[2], Qt::LeftButton);
    EXPECT_EQ(dialog.fields[6]->text(), "-365");
    EXPECT_EQ(dialog.fields[8]->text(), "366");
    EXPECT_EQ(results(dialog), QStringList({"1年", "0ヶ月", "0日間", "52週間", "2日"}));
    EXPECT_EQ(doubles.messageBox.shown.size(), 1U);
}

TEST_F(DaysCalculatorDialogTest, EscapeAndTheReturnCommandCloseTheWindow) {
    DaysCalculatorDialog byKey(calendar);
    activate(byKey);
    QTest::keyClick(byKey.fields[4], Qt::Key_Escape);
    EXPECT_FALSE(byKey.isVisible());
    EXPECT_EQ(byKey.result(), QDialog::Rejected);

    DaysCalculatorDialog byMenu(calendar);
    activate(byMenu);
    EXPECT_EQ(byMenu.returnCommand->text(), "戻る(&R)");
    byMenu.returnCommand->trigger();
    EXPECT_FALSE(byMenu.isVisible());
    EXPECT_TRUE(calendar.yearSets.empty());
}

TEST_F(DaysCalculatorDialogTest, TheDayCountsAndEraLabelsShowEveryValueWhole) {
    // The number a box shows whole: its text fits the room inside the box at the font it has.
    auto whole = [](const QLineEdit* box) {
        return QFontMetrics(box->font()).horizontalAdvance(box->text()) <= TextRoom(box);
    };
    for (const bool japaneseFonts : {false, true}) {
        if (japaneseFonts) {
            // The faces the program puts in place of the named ones where they are missing.
            QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"),
                                      QStringLiteral("IPAPGothic"));
        }
        DaysCalculatorDialog dialog(calendar);
        activate(dialog);
        const QFont design = dialog.fields[8]->font();
        // From the first day of the year 1 to the last of 9999 (counted one day short: the day
        // after the last cannot be reached).
        setDate(dialog, 0, "1", "1", "1");
        setDate(dialog, 3, "9999", "12", "31");
        QTest::mouseClick(dialog.calculateButtons[2], Qt::LeftButton);
        ASSERT_EQ(dialog.fields[8]->text(), "3652058");
        EXPECT_TRUE(whole(dialog.fields[8])) << japaneseFonts;
        // The results beside it: the longest of them, 521722週間, shows whole too.
        EXPECT_EQ(dialog.resultLabels[3]->text(), "521722週間");
        for (const QLabel* result : dialog.resultLabels) {
            const auto* fitted = qobject_cast<const FittedLabel*>(result);
            const QFont drawn = fitted != nullptr ? fitted->fittedFont() : result->font();
            EXPECT_LE(QFontMetrics(drawn).horizontalAdvance(result->text()),
                      result->contentsRect().width())
                << result->text().toStdString() << " " << japaneseFonts;
        }
        for (std::size_t i = 6; i <= 8; ++i) {
            type(dialog.fields[i], "3652059");
            EXPECT_TRUE(whole(dialog.fields[i])) << i << " " << japaneseFonts;
            // Eight digits, as many as a box takes, also show whole.
            type(dialog.fields[i], "99999999");
            EXPECT_TRUE(whole(dialog.fields[i])) << i << " " << japaneseFonts;
        }
        // A short count goes back to the box's own font size.
        type(dialog.fields[8], "31");
        EXPECT_EQ(dialog.fields[8]->font(), design);
        // The era labels of the two dates: Reiwa's 7981st year at the end of 9999.
        EXPECT_EQ(dialog.eraLabels[1]->text(), "令和7981");
        const auto* label = qobject_cast<const FittedLabel*>(dialog.eraLabels[1]);
        ASSERT_NE(label, nullptr);
        EXPECT_LE(QFontMetrics(label->fittedFont()).horizontalAdvance(label->text()),
                  label->contentsRect().width());
    }
    QFont::removeSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"));
}

} // namespace
