// Start-up: the one running copy, the choice of window, the load sequence.

#include "calendar_fixture.h"

#include <QMenuBar>
#include <QTimer>

class StartCalendarTest : public CalendarTest {};

TEST_F(StartCalendarTest, WithoutSettingsFileForm1OpensOnTodaysMonth) {
    CalendarWindow& w = start();
    EXPECT_EQ(w.objectName(), QStringLiteral("Form1"));
    EXPECT_TRUE(w.hasTitleAndMenu());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("カレンダー"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.yearBox->text(), QStringLiteral("2024"));
    EXPECT_EQ(w.monthBox->text(), QStringLiteral("11"));
    EXPECT_EQ(w.yearScrollBar->maximum(), 9999);
    EXPECT_EQ(w.monthScrollBar->minimum(), 0);
    EXPECT_EQ(w.monthScrollBar->maximum(), 13);
    EXPECT_EQ(w.fillCount, 1);
    EXPECT_TRUE(w.clockTimer->isActive());
    EXPECT_EQ(w.clockTimer->interval(), 1000);
    EXPECT_TRUE(doubles.messageBox.shown.empty());
}

TEST_F(StartCalendarTest, ShowMenuZeroOpensForm5WithItsPopupMenu) {
    writeIni("[Option]\r\nShowMenu=0\r\nTaskTray=0\r\n");
    CalendarWindow& w = start();
    EXPECT_EQ(w.objectName(), QStringLiteral("Form5"));
    EXPECT_TRUE(doubles.windowStyles.hasTaskbarButton(&w)) << "without the icon it needs one";
    EXPECT_FALSE(w.hasTitleAndMenu());
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w.findChild<QMenuBar*>(), nullptr);
    ASSERT_NE(w.popupMenu, nullptr);
    EXPECT_EQ(w.fillCount, 1);
}

TEST_F(StartCalendarTest, ShowMenuOtherThanZeroOrOneOpensNothingSilently) {
    writeIni("[Option]\r\nShowMenu=2\r\n");
    StartCalendar();
    EXPECT_EQ(CurrentCalendar, nullptr);
    EXPECT_TRUE(doubles.messageBox.shown.empty());
}

TEST_F(StartCalendarTest, ASecondCopyIsRefusedAndEndsAtOnce) {
    doubles.instance.otherCopyRunning = true;
    EXPECT_THROW(StartCalendar(), ProgramEndedWithStatus);
    EXPECT_EQ(CurrentCalendar, nullptr);
    ASSERT_EQ(doubles.messageBox.shown.size(), 1u);
    const MessageRequest& box = doubles.messageBox.shown.front();
    EXPECT_EQ(box.text, QStringLiteral("既に起動されています。"));
    EXPECT_EQ(box.caption, QStringLiteral("Zelvar"));
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_TRUE(doubles.iniFiles.writes.empty());
}

TEST_F(StartCalendarTest, StartingAgainInsideTheProgramSwitchesTheWindowFromTheFile) {
    CalendarWindow& first = start();
    CalendarOptions().current.ShowMenu = 0;
    first.move(30, 40);
    closeCalendar();
    CalendarWindow& second = start();
    EXPECT_EQ(second.objectName(), QStringLiteral("Form5"));
    EXPECT_EQ(second.pos(), QPoint(30, 40)) << "the new window opens where the old one was";
    EXPECT_EQ(doubles.instance.acquireCalls, 2);
}

TEST_F(StartCalendarTest, AMissingDefinitionFileIsReportedAndEndsTheProgram) {
    QFile::remove(doubles.file(QStringLiteral("Korin2.csv")));
    EXPECT_THROW(StartCalendar(), ProgramEndedWithStatus);
    ASSERT_EQ(doubles.messageBox.shown.size(), 1u);
    EXPECT_TRUE(doubles.messageBox.shown.front().text.contains(QStringLiteral("Korin2.csv")));
    if (CurrentCalendar != nullptr) {
        EXPECT_FALSE(CurrentCalendar->isVisible());
        delete CurrentCalendar.data();
    }
}
