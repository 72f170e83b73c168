// The option "暦を表示" of the options dialog.

#include "dialogs/options_dialog.h"
#include "fake_calendar.h"
#include "tests/support/platform_doubles.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
}

} // namespace

TEST(KoyomiOption, TheCheckBoxShowsAndStoresShowKoyomi) {
    PlatformDoubles doubles;
    FakeCalendar calendar;
    Form4 dialog(calendar);
    ASSERT_NE(dialog.Check5, nullptr);
    EXPECT_EQ(dialog.Check5->objectName(), "Check5");
    EXPECT_EQ(dialog.Check5->text(), "暦を表示");
    EXPECT_FALSE(dialog.Check5->isChecked()) << "off by default";
    EXPECT_TRUE(dialog.rect().contains(dialog.Check5->geometry()));
    EXPECT_FALSE(dialog.Check5->geometry().intersects(dialog.Command2->geometry()));
    click(dialog.Check5);
    ASSERT_TRUE(dialog.Check5->isChecked());
    EXPECT_TRUE(dialog.confirm());
    EXPECT_EQ(calendar.values.ShowKoyomi, 1);

    FakeCalendar shown;
    shown.values.ShowKoyomi = 1;
    Form4 again(shown);
    EXPECT_TRUE(again.Check5->isChecked());
}
