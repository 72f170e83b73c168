// The 暦 in the day cells' tool tips and screen-reader names, with "暦を表示" on and off.

#include "calendar/koyomi_tips.h"
#include "calendar/month_view.h"
#include "calendar_fixture.h"

class KoyomiTipsTest : public CalendarTest {};

// November 2024 begins on a Friday: day d is in cell d + 11.
TEST_F(KoyomiTipsTest, WithTheOptionOnEveryDayShowsItsLunarDateRokuyoAndTerms) {
    writeIni("[Option]\r\nShowKoyomi=1\r\n");
    CalendarWindow& w = start();
    showMonth(w, 2024, 11);
    auto cell = [&w](int day) { return w.dayCells[day + 11]; };
    // 1 November 2024 was the new moon of the 10th month; 立冬 fell on the 7th; 3 November is
    // 文化の日.
    EXPECT_EQ(cell(1)->toolTip(), QStringLiteral("旧10月1日 仏滅"));
    EXPECT_EQ(cell(3)->toolTip(), QStringLiteral("文化の日\n旧10月3日 赤口"));
    EXPECT_EQ(cell(7)->toolTip(), QStringLiteral("旧10月7日 仏滅\n立冬"));
    EXPECT_TRUE(cell(7)->accessibleName().endsWith(QStringLiteral(" 旧10月7日 仏滅 立冬")))
        << cell(7)->accessibleName().toStdString();
    EXPECT_FALSE(cell(7)->accessibleName().contains(QLatin1Char('\n')));
    for (int day = 1; day <= 30; ++day) {
        EXPECT_TRUE(cell(day)->toolTip().contains(QStringLiteral("旧"))) << day;
    }
}

TEST_F(KoyomiTipsTest, WithTheOptionOffTheCellsSayWhatTheyAlwaysSaid) {
    CalendarWindow& w = start();
    showMonth(w, 2024, 11);
    EXPECT_EQ(w.dayCells[14]->toolTip(), QStringLiteral("文化の日"));
    EXPECT_TRUE(w.dayCells[18]->toolTip().isEmpty());
    EXPECT_FALSE(w.dayCells[18]->accessibleName().contains(QStringLiteral("旧")));
}

TEST_F(KoyomiTipsTest, OutsideTheYearsOfTheKoyomiNothingIsShownAndPast2100ItIsMarked) {
    writeIni("[Option]\r\nShowKoyomi=1\r\n");
    CalendarWindow& w = start();
    showMonth(w, 1872, 12);
    for (int i = 7; i < 44; ++i) {
        if (!w.dayCells[i]->isHidden()) {
            EXPECT_TRUE(w.dayCells[i]->toolTip().isEmpty()) << i;
        }
    }
    EXPECT_TRUE(KoyomiDayText(2200, 1, 1).isEmpty());
    EXPECT_FALSE(KoyomiDayText(2150, 3, 20).isEmpty());
    EXPECT_TRUE(KoyomiDayText(2101, 3, 21).contains(QStringLiteral("誤差")) ||
                KoyomiDayText(2101, 3, 20).contains(QStringLiteral("誤差")));
    EXPECT_FALSE(KoyomiDayText(2019, 3, 21).contains(QStringLiteral("誤差")));
}
