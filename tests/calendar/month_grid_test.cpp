#include "calendar/month_grid.h"

#include <gtest/gtest.h>

using namespace month_grid;

TEST(MonthGrid, CellAndDayAreInverseForEveryFirstWeekday) {
    for (int firstWeekday = 1; firstWeekday <= 7; ++firstWeekday) {
        for (int day = 1; day <= 31; ++day) {
            const int cell = cellOfDay(day, firstWeekday);
            ASSERT_GE(cell, FirstDayCell);
            ASSERT_LT(cell, CellCount) << "a 31-day month always fits the 37 day cells";
            EXPECT_EQ(dayOfCell(cell, firstWeekday, 31), day);
            // The column is the weekday of the day: Sunday is column 0.
            EXPECT_EQ(columnOf(cell), (firstWeekday - 1 + day - 1) % 7);
        }
    }
    EXPECT_EQ(dayOfCell(6, 1, 31), 0) << "header cells hold no day";
    EXPECT_EQ(dayOfCell(36, 1, 30), 30);
    EXPECT_EQ(dayOfCell(37, 1, 30), 0) << "cells after the last day stay empty";
}

TEST(MonthGrid, MonthsStartingOnSundayAndSaturday) {
    const MonthLayout september2024 = layoutMonth(2024, 9); // begins on a Sunday
    EXPECT_EQ(september2024.firstWeekday, 1);
    EXPECT_EQ(september2024.day[7], 1);

    const MonthLayout june2024 = layoutMonth(2024, 6); // begins on a Saturday
    EXPECT_EQ(june2024.firstWeekday, 7);
    EXPECT_EQ(june2024.day[12], 0);
    EXPECT_EQ(june2024.day[13], 1);

    const MonthLayout march2025 = layoutMonth(2025, 3); // 31 days from a Saturday
    EXPECT_EQ(march2025.day[43], 31);

    const MonthLayout february2015 = layoutMonth(2015, 2); // 28 days from a Sunday: four rows
    EXPECT_EQ(february2015.day[7], 1);
    EXPECT_EQ(february2015.day[34], 28);
    for (int cell = 35; cell < CellCount; ++cell) {
        EXPECT_EQ(february2015.day[cell], 0) << cell;
    }

    EXPECT_EQ(layoutMonth(1, 1).day[8], 1) << "1 January of the year 1 is a Monday";
    EXPECT_EQ(layoutMonth(9999, 12).daysInMonth, 31);
}
