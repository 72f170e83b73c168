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
    OptionsDialog dialog(calendar);
    ASSERT_NE(dialog.koyomiBox, nullptr);
    EXPECT_EQ(dialog.koyomiBox->objectName(), "Check5");
    EXPECT_EQ(dialog.koyomiBox->text(), "暦を表示");
    EXPECT_FALSE(dialog.koyomiBox->isChecked()) << "off by default";
    EXPECT_TRUE(dialog.rect().contains(dialog.koyomiBox->geometry()));
    EXPECT_FALSE(dialog.koyomiBox->geometry().intersects(dialog.defaultsButton->geometry()));
    click(dialog.koyomiBox);
    ASSERT_TRUE(dialog.koyomiBox->isChecked());
    EXPECT_TRUE(dialog.confirm());
    EXPECT_EQ(calendar.values.ShowKoyomi, 1);

    FakeCalendar shown;
    shown.values.ShowKoyomi = 1;
    OptionsDialog again(shown);
    EXPECT_TRUE(again.koyomiBox->isChecked());
}
