#include "editor/era_rows.h"

#include <gtest/gtest.h>
#include <random>

namespace {

TEST(EraRows, RowTextHasFixedColumns) {
    EXPECT_EQ(EraRowText(1989, 1, 8, QStringLiteral("平成")),
              QStringLiteral("1989年 1月 8日 | 平成"));
    EXPECT_EQ(EraRowText(645, 7, 17, QStringLiteral("大化")),
              QStringLiteral(" 645年 7月17日 | 大化"));
    EXPECT_EQ(EraDatePart(1, 12, 31), QStringLiteral("   1年12月31日"));
    EXPECT_EQ(EraDatePart(2019, 5, 1).size(), EraDatePartLength);
    EXPECT_EQ(EraRowText(2019, 5, 1, QStringLiteral("令和")).indexOf(QStringLiteral("令和")),
              EraNamePosition);
}

TEST(EraRows, RowsOfLoadedErasAndBack) {
    EXPECT_EQ(EraRowFromDef(EraDef{"明治", "18680908"}), QStringLiteral("1868年 9月 8日 | 明治"));
    EXPECT_EQ(EraRowFromDef(EraDef{"大化", "06450717"}), QStringLiteral(" 645年 7月17日 | 大化"));
    // A start date that is not a number shows zeros where its parts give none.
    EXPECT_EQ(EraRowFromDef(EraDef{"x", "19a9xx08"}), QStringLiteral("  19年 0月 8日 | x"));
    EXPECT_EQ(EraRowFromDef(EraDef{"x", ""}), QStringLiteral("   0年 0月 0日 | x"));

    const EraRowFields fields = ParseEraRow(QStringLiteral(" 645年 7月17日 |   大化  "));
    EXPECT_EQ(fields.year, 645);
    EXPECT_EQ(fields.month, 7);
    EXPECT_EQ(fields.day, 17);
    EXPECT_EQ(fields.name, QStringLiteral("大化"));

    const EraDef era = EraDefFromRow(QStringLiteral(" 645年 7月17日 | 大化"));
    EXPECT_EQ(era.StartDate, "06450717");
    EXPECT_EQ(era.Name, "大化");
    EXPECT_EQ(EraDefFromRow(QStringLiteral("1989年 1月 8日 | 平成")).StartDate, "19890108");
}

TEST(EraRows, TextOrderIsDateOrderOverTheWholeRange) {
    // Rows inserted in random order end in chronological order.
    std::mt19937 random(11);
    QStringList rows;
    std::vector<int> dates;
    for (int i = 0; i < 2000; ++i) {
        const int year = 1 + static_cast<int>(random() % 9999);
        const int month = 1 + static_cast<int>(random() % 12);
        const int day = 1 + static_cast<int>(random() % 31);
        const QString row = EraRowText(year, month, day, QStringLiteral("元号"));
        rows.insert(EraInsertPosition(rows, row), row);
        dates.push_back(year * 10000 + month * 100 + day);
    }
    std::sort(dates.begin(), dates.end());
    ASSERT_EQ(rows.size(), static_cast<qsizetype>(dates.size()));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const EraRowFields f = ParseEraRow(rows[i]);
        EXPECT_EQ(f.year * 10000 + f.month * 100 + f.day, dates[static_cast<std::size_t>(i)]);
    }
    // Boundaries where a digit meets a space.
    EXPECT_LT(EraRowText(999, 12, 31, QString()), EraRowText(1000, 1, 1, QString()));
    EXPECT_LT(EraRowText(2000, 9, 30, QString()), EraRowText(2000, 10, 1, QString()));
    EXPECT_LT(EraRowText(9, 1, 1, QString()), EraRowText(10, 1, 1, QString()));
}

TEST(EraRows, InsertPositionAndDuplicateDates) {
    QStringList rows = {QStringLiteral("1912年 7月30日 | 大正"),
                        QStringLiteral("1989年 1月 8日 | 平成")};
    EXPECT_EQ(EraInsertPosition(rows, QStringLiteral("1868年 9月 8日 | 明治")), 0);
    EXPECT_EQ(EraInsertPosition(rows, QStringLiteral("1926年12月25日 | 昭和")), 1);
    EXPECT_EQ(EraInsertPosition(rows, QStringLiteral("2019年 5月 1日 | 令和")), 2);
    // Same date: ordered by name, after an equal row.
    EXPECT_EQ(EraInsertPosition(rows, QStringLiteral("1989年 1月 8日 | 平成")), 2);
    EXPECT_EQ(EraInsertPosition(rows, QStringLiteral("1989年 1月 8日 | A")), 1);

    EXPECT_TRUE(HasEraDate(rows, EraDatePart(1989, 1, 8)));
    EXPECT_FALSE(HasEraDate(rows, EraDatePart(1989, 1, 9)));
    EXPECT_FALSE(HasEraDate({}, EraDatePart(1989, 1, 8)));
}

} // namespace

TEST(EraRows, EveryDateThePanelCanHoldIsAnOrdinaryRow) {
    EXPECT_TRUE(IsEditableEraStart("19890108"));
    EXPECT_TRUE(IsEditableEraStart("00010101"));
    EXPECT_TRUE(IsEditableEraStart("99991231"));
    // The old calendar's days that the Gregorian months lack are dates the panel accepts.
    EXPECT_TRUE(IsEditableEraStart("16240230"));
    EXPECT_TRUE(IsEditableEraStart("12780229"));
    EXPECT_TRUE(IsEditableEraStart("20230231"));
    EXPECT_EQ(EraDefFromRow(EraRowFromDef(EraDef{"永正", "15040230"})).StartDate, "15040230");
    EXPECT_FALSE(IsEditableEraStart("19891301"));
    EXPECT_FALSE(IsEditableEraStart("19890100"));
    EXPECT_FALSE(IsEditableEraStart("19890132"));
    EXPECT_FALSE(IsEditableEraStart("00006450"));
    EXPECT_FALSE(IsEditableEraStart("1989018"));
    EXPECT_FALSE(IsEditableEraStart("1989 108"));
    EXPECT_FALSE(IsEditableEraStart("\xEF\xBB\xBF"
                                    "19890108"));
    EXPECT_EQ(EraMarkedRowText(QStringLiteral("abc"), QStringLiteral("平成")),
              QStringLiteral("※abc | 平成"));
    EXPECT_TRUE(IsMarkedEraRow(QStringLiteral("※abc | 平成")));
    EXPECT_FALSE(IsMarkedEraRow(EraRowText(1989, 1, 8, QStringLiteral("※"))));
}

TEST(EraRows, NewRowsGoAmongTheDatesAndMarkedRowsStayBehindTheirRow) {
    const QStringList rows = {QStringLiteral("※x | 最初"), QStringLiteral("1912年 7月30日 | 大正"),
                              QStringLiteral("※19891301 | 誤り"), QStringLiteral("※abc | 誤り2"),
                              QStringLiteral("2019年 5月 1日 | 令和")};
    EXPECT_EQ(EraInsertPosition(rows, QStringLiteral("1868年 9月 8日 | 明治")), 1);
    EXPECT_EQ(EraInsertPosition(rows, QStringLiteral("1926年12月25日 | 昭和")), 4);
    EXPECT_EQ(EraInsertPosition(rows, QStringLiteral("1912年 7月30日 | 大正")), 4);
    EXPECT_EQ(EraInsertPosition(rows, QStringLiteral("2019年 5月 1日 | 令和")), 5);
    EXPECT_EQ(EraInsertPosition(rows, QStringLiteral("2020年 1月 1日 | 次")), 5);
    EXPECT_EQ(
        EraInsertPosition({QStringLiteral("※x | 誤り")}, QStringLiteral("1989年 1月 8日 | 平成")),
        1);
}
