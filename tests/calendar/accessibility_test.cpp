// What a screen reader reads in the calendar window: the day cells as whole days, the era label,
// the month shown as the window's description (announced when it changes), every control named,
// and the popup menu of the window without title bar from the keyboard.

#include "calendar/accessibility.h"
#include "calendar_fixture.h"
#include "tests/support/accessible_controls.h"

#include <QAction>
#include <QMenu>
#include <QTest>

namespace {

// The names of the visible day cells.
QStringList dayNames(CalendarWindow& w) {
    QStringList names;
    for (int i = 7; i < 44; ++i) {
        if (!w.dayCells[i]->isHidden()) {
            names << AccessibleName(w.dayCells[i]);
        }
    }
    return names;
}

} // namespace

TEST(CalendarWordsTest, DayCellMonthAndEraWordsAreComposedAsTheyAreRead) {
    EXPECT_EQ(WeekdayName(0), QStringLiteral("日曜日"));
    EXPECT_EQ(WeekdayName(6), QStringLiteral("土曜日"));
    EXPECT_EQ(DayCellName(2026, 5, 6, 3, QStringLiteral("振替休日"), true),
              QStringLiteral("2026年5月6日 水曜日 振替休日 今日"));
    EXPECT_EQ(DayCellName(1, 1, 1, 1, QString(), false), QStringLiteral("1年1月1日 月曜日"));
    EXPECT_EQ(MonthDescription(2026, 5, 4), QStringLiteral("2026年5月 祝日4日"));
    EXPECT_EQ(MonthDescription(2026, 6, 0), QStringLiteral("2026年6月 祝日なし"));
    EXPECT_EQ(EraLabelName(QStringLiteral("令和 8年")),
              QStringLiteral("表示中の月の元号: 令和8年"));
    EXPECT_EQ(EraLabelName(QString()), QStringLiteral("表示中の月の元号: なし"));
}

class CalendarAccessibilityTest : public CalendarTest {};

TEST_F(CalendarAccessibilityTest, DayCellsReadTheWholeDayWithHolidayAndToday) {
    doubles.clock.time = QDateTime(QDate(2026, 5, 6), QTime(9, 0, 0));
    CalendarWindow& w = start();
    auto cell = [&w](int day) { return w.dayCells[day + 11]; }; // 1 May 2026 is a Friday

    EXPECT_EQ(AccessibleName(cell(1)), QStringLiteral("2026年5月1日 金曜日"));
    EXPECT_EQ(AccessibleName(cell(3)), QStringLiteral("2026年5月3日 日曜日 憲法記念日"));
    EXPECT_EQ(AccessibleName(cell(4)), QStringLiteral("2026年5月4日 月曜日 みどりの日"));
    EXPECT_EQ(AccessibleName(cell(5)), QStringLiteral("2026年5月5日 火曜日 こどもの日"));
    EXPECT_EQ(AccessibleName(cell(6)), QStringLiteral("2026年5月6日 水曜日 振替休日 今日"));
    EXPECT_EQ(AccessibleName(cell(31)), QStringLiteral("2026年5月31日 日曜日"));
    // A holiday's name is read as its tool tip shows it.
    EXPECT_TRUE(AccessibleName(cell(6)).contains(cell(6)->toolTip()));
    EXPECT_EQ(dayNames(w).filter(QStringLiteral("今日")).size(), 1);
    for (int i : {7, 8, 9, 10, 11, 43}) {
        EXPECT_TRUE(AccessibleName(w.dayCells[i]).isEmpty()) << "empty cell " << i;
    }
    const QStringList header{QStringLiteral("日曜日"), QStringLiteral("月曜日"),
                             QStringLiteral("火曜日"), QStringLiteral("水曜日"),
                             QStringLiteral("木曜日"), QStringLiteral("金曜日"),
                             QStringLiteral("土曜日")};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(AccessibleName(w.dayCells[i]), header[i]);
    }
    EXPECT_EQ(AccessibleName(w.eraLabel), QStringLiteral("表示中の月の元号: 令和8年"));
    EXPECT_EQ(w.eraLabel->text(), QStringLiteral("令和 8年")) << "the label itself is unchanged";
    EXPECT_EQ(AccessibleDescription(&w), QStringLiteral("2026年5月 祝日4日"));
}

TEST_F(CalendarAccessibilityTest, AMonthChangeRenamesTheCellsAndAnnouncesTheMonth) {
    doubles.clock.time = QDateTime(QDate(2026, 5, 6), QTime(9, 0, 0));
    CalendarWindow& w = start();

    QTest::keyClick(w.monthBox, Qt::Key_Down); // June 2026
    EXPECT_EQ(AccessibleDescription(&w), QStringLiteral("2026年6月 祝日なし"));
    const QStringList june = dayNames(w);
    ASSERT_EQ(june.size(), 30);
    EXPECT_EQ(june.first(), QStringLiteral("2026年6月1日 月曜日"));
    EXPECT_EQ(june.last(), QStringLiteral("2026年6月30日 火曜日"));
    EXPECT_TRUE(june.filter(QStringLiteral("今日")).isEmpty()) << june.join(u'|').toStdString();
    EXPECT_TRUE(june.filter(QStringLiteral("振替休日")).isEmpty());
    // The cell that read the substitute holiday and today now reads a plain June day.
    EXPECT_EQ(AccessibleName(w.dayCells[6 + 11]), QStringLiteral("2026年6月10日 水曜日"));

    // The era jump, the scroll bars and "今月" all go through the month fill.
    w.yearScrollBar->setValue(2019);
    EXPECT_EQ(AccessibleDescription(&w), QStringLiteral("2019年6月 祝日なし"));
    w.monthScrollBar->setValue(5);
    EXPECT_EQ(AccessibleName(w.eraLabel), QStringLiteral("表示中の月の元号: 令和元年"));
    w.monthScrollBar->setValue(4);
    EXPECT_EQ(AccessibleName(w.eraLabel), QStringLiteral("表示中の月の元号: 平成31年"));
    EXPECT_EQ(AccessibleDescription(&w), QStringLiteral("2019年4月 祝日1日"));

    w.thisMonthCommand->trigger();
    EXPECT_EQ(AccessibleDescription(&w), QStringLiteral("2026年5月 祝日4日"));
    EXPECT_EQ(dayNames(w).filter(QStringLiteral("今日")),
              QStringList{QStringLiteral("2026年5月6日 水曜日 振替休日 今日")});
}

TEST_F(CalendarAccessibilityTest, EveryControlOfBothWindowsIsNamed) {
    for (const QByteArray& ini : {QByteArray("[Option]\r\nShowMenu=1\r\n"),
                                  QByteArray("[Option]\r\nShowMenu=0\r\nTaskTray=0\r\n")}) {
        writeIni(ini);
        CalendarWindow& w = start();
        SCOPED_TRACE(w.objectName().toStdString());
        EXPECT_EQ(UnnamedControls(w), QStringList());
        const std::pair<QWidget*, std::pair<const char*, const char*>> expected[] = {
            {w.yearBox, {"年", "1〜9999"}},
            {w.yearScrollBar, {"年の増減", "1〜9999"}},
            {w.monthBox, {"月", "1〜12"}},
            {w.monthScrollBar, {"月の増減", "1〜12"}},
        };
        for (const auto& [control, words] : expected) {
            EXPECT_EQ(AccessibleName(control), QString::fromUtf8(words.first));
            EXPECT_EQ(AccessibleDescription(control), QString::fromUtf8(words.second));
        }
        EXPECT_EQ(AccessibleName(w.calendarPanel), QStringLiteral("カレンダー"));
        EXPECT_EQ(AccessibleName(&w), QStringLiteral("カレンダー")) << "the window, titled or not";
        EXPECT_EQ(AccessibleDescription(&w), QStringLiteral("2024年11月 祝日3日"))
            << "naming the controls keeps the month shown";
        closeCalendar();
    }
}

TEST_F(CalendarAccessibilityTest, TabGoesFromTheYearBoxToTheMonthBox) {
    CalendarWindow& w = start();
    QApplication::setActiveWindow(&w);
    w.yearBox->setFocus();
    ASSERT_TRUE(w.yearBox->hasFocus());
    QTest::keyClick(w.yearBox, Qt::Key_Tab);
    EXPECT_TRUE(w.monthBox->hasFocus()) << QApplication::focusWidget()->objectName().toStdString();
    QTest::keyClick(w.monthBox, Qt::Key_Backtab);
    EXPECT_TRUE(w.yearBox->hasFocus()) << QApplication::focusWidget()->objectName().toStdString();
}

TEST_F(CalendarAccessibilityTest, ShiftF10AndTheMenuKeyOpenThePopupOfTheWindowWithoutTitle) {
    writeIni("[Option]\r\nShowMenu=0\r\nTaskTray=0\r\n");
    CalendarWindow& w = start();
    ASSERT_NE(w.popupMenu, nullptr);
    QApplication::setActiveWindow(&w);
    for (const QKeyCombination key : {QKeyCombination(Qt::ShiftModifier, Qt::Key_F10),
                                      QKeyCombination(Qt::NoModifier, Qt::Key_Menu)}) {
        for (QWidget* focus :
             {static_cast<QWidget*>(w.calendarPanel), static_cast<QWidget*>(w.monthBox)}) {
            focus->setFocus();
            QTest::keyClick(focus, key.key(), key.keyboardModifiers());
            EXPECT_TRUE(w.popupMenu->isVisible()) << focus->objectName().toStdString();
            w.popupMenu->hide();
        }
    }
    // The popup's commands work from the keyboard as well: "今月(&T)" by its access key.
    showMonth(w, 2020, 1);
    QTest::keyClick(w.calendarPanel, Qt::Key_Menu);
    ASSERT_TRUE(w.popupMenu->isVisible());
    QTest::keyClick(w.popupMenu, Qt::Key_T);
    EXPECT_EQ(w.yearBox->text(), QStringLiteral("2024"));
    EXPECT_EQ(w.monthBox->text(), QStringLiteral("11"));
}
