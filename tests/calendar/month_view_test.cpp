// The month on the calendar panel: cells, colours, tool tips, today's mark, era label.

#include "calendar/control_colours.h"
#include "calendar/month_view.h"
#include "calendar_fixture.h"
#include "platform/colors.h"

namespace {

QColor colour(std::int32_t value) {
    return ResolveColor(value);
}

} // namespace

class MonthViewTest : public CalendarTest {};

TEST_F(MonthViewTest, GridOfMonthsStartingOnSundayAndSaturdayAndAFourRowFebruary) {
    CalendarWindow& w = start();
    ASSERT_EQ(w.fillCount, 1) << "the load sequence fills the month exactly once";

    showMonth(w, 2024, 9);
    EXPECT_EQ(w.dayCells[7]->text(), QStringLiteral("1"));
    EXPECT_FALSE(w.dayCells[7]->isHidden());
    EXPECT_TRUE(w.dayCells[37]->isHidden()) << "September has 30 days, the 30th is in cell 36";

    showMonth(w, 2025, 3);
    EXPECT_TRUE(w.dayCells[12]->isHidden());
    EXPECT_EQ(w.dayCells[13]->text(), QStringLiteral("1"));
    EXPECT_EQ(w.dayCells[43]->text(), QStringLiteral("31"));
    EXPECT_FALSE(w.dayCells[43]->isHidden());

    showMonth(w, 2015, 2);
    EXPECT_EQ(w.dayCells[34]->text(), QStringLiteral("28"));
    for (int i = 35; i <= 43; ++i) {
        EXPECT_TRUE(w.dayCells[i]->isHidden()) << i;
        EXPECT_TRUE(w.dayCells[i]->text().isEmpty()) << i;
    }
    // The header keeps its text and colours whatever month is shown.
    EXPECT_EQ(w.dayCells[0]->text(), QStringLiteral("日"));
    EXPECT_EQ(textColourOf(w.dayCells[0]), colour(0x0000FF));
    EXPECT_EQ(textColourOf(w.dayCells[6]), colour(0xFF0000));
    EXPECT_EQ(textColourOf(w.dayCells[3]), colour(SystemColor(ColorBtnText)));
    // Cells sit at 30 + 350 × column, 80 + 280 × row twips on the panel.
    EXPECT_EQ(w.dayCells[8]->geometry().topLeft(), QPoint(25, 24));
}

TEST_F(MonthViewTest, HolidaysTakeTheHolidayColourAndTheirNameAsToolTip) {
    CalendarWindow& w = start();
    showMonth(w, 2024, 11); // 1 November 2024 is a Friday: day d is in cell d + 11
    auto cell = [&w](int day) { return w.dayCells[day + 11]; };
    const QColor red = colour(0x0000FF);
    const QColor blue = colour(0xFF0000);
    const QColor ordinary = colour(SystemColor(ColorBtnText));

    EXPECT_EQ(cell(3)->toolTip(), QStringLiteral("文化の日"));
    EXPECT_EQ(textColourOf(cell(3)), red);
    EXPECT_EQ(cell(4)->toolTip(), QStringLiteral("振替休日"));
    EXPECT_EQ(textColourOf(cell(4)), red) << "a Monday holiday is red";
    EXPECT_EQ(cell(23)->toolTip(), QStringLiteral("勤労感謝の日"));
    EXPECT_EQ(textColourOf(cell(23)), red) << "a holiday on a Saturday is red, not blue";
    EXPECT_EQ(textColourOf(cell(9)), blue);
    EXPECT_TRUE(cell(9)->toolTip().isEmpty());
    EXPECT_EQ(textColourOf(cell(5)), ordinary);
    EXPECT_EQ(textColourOf(cell(10)), red) << "an ordinary Sunday";

    // Nothing of the previous month remains.
    showMonth(w, 2024, 12);
    EXPECT_TRUE(w.dayCells[14]->toolTip().isEmpty()) << "cell of 3 November in December";
}

TEST_F(MonthViewTest, EraLabelShowsTheEraInForceAtTheEndOfTheMonth) {
    CalendarWindow& w = start();
    const struct {
        int year, month;
        QString label;
    } cases[] = {
        {2019, 5, QStringLiteral("令和元年")},
        {2019, 4, QStringLiteral("平成31年")},
        {1989, 1, QStringLiteral("平成元年")},
        {2024, 11, QStringLiteral("令和 6年")},
        {1988, 12, QString()},
        {1, 1, QString()},
    };
    for (const auto& c : cases) {
        showMonth(w, c.year, c.month);
        EXPECT_EQ(w.eraLabel->text(), c.label) << c.year << "/" << c.month;
    }
}

TEST_F(MonthViewTest, EraLabelOfTheYearOneWhenTheEraFileDefinesIt) {
    useDefinitions("holidays_modern.csv", "eras_from_year_one.csv");
    CalendarWindow& w = start();
    showMonth(w, 1, 1);
    EXPECT_EQ(w.dayCells[8]->text(), QStringLiteral("1"));
    EXPECT_EQ(w.eraLabel->text(), QStringLiteral("元始元年"));
}

TEST_F(MonthViewTest, ThreeDLookMarksTodayWithItsBackground) {
    CalendarWindow& w = start(); // 15 November 2024, cell 26
    const QColor yellow = colour(0x00FFFF);
    const QColor background = backgroundOf(&w);
    EXPECT_EQ(backgroundOf(w.dayCells[26]), yellow);
    EXPECT_EQ(backgroundOf(w.dayCells[25]), background);
    EXPECT_TRUE(w.todayMark->isHidden());

    showMonth(w, 2024, 12); // 15 December is in cell 21; the old mark goes
    EXPECT_EQ(backgroundOf(w.dayCells[26]), background);
    EXPECT_EQ(backgroundOf(w.dayCells[21]), background);
}

TEST_F(MonthViewTest, FlatLookMarksTodayWithTheRectangleOnlyInTheCurrentMonth) {
    writeIni("[Option]\r\nAppearance=0\r\n");
    CalendarWindow& w = start();
    ASSERT_FALSE(w.todayMark->isHidden());
    const QRect cell = w.dayCells[26]->geometry();
    EXPECT_EQ(w.todayMark->geometry(), QRect(cell.x() - 2, cell.y() - 3, 22, 18));
    EXPECT_EQ(w.todayMark->borderColour(), colour(0x00FFFF));
    EXPECT_EQ(backgroundOf(w.dayCells[26]), backgroundOf(&w)) << "no background mark when flat";

    showMonth(w, 2024, 12);
    EXPECT_TRUE(w.todayMark->isHidden());
    showMonth(w, 2024, 11);
    EXPECT_FALSE(w.todayMark->isHidden());
    EXPECT_EQ(w.todayMark->geometry().topLeft(), QPoint(cell.x() - 2, cell.y() - 3));
}
