#include "editor/holiday_rows.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

// A definition of `kind` in `month`, in force from `from` to `to` (0: not abolished).
HolidayDef definition(const char* name, int kind, int month, int from, int to) {
    HolidayDef def;
    def.Name = name;
    def.Kind = static_cast<std::int16_t>(kind);
    def.Month = static_cast<std::int16_t>(month);
    def.FromYear = static_cast<std::int16_t>(from);
    def.ToYear = static_cast<std::int16_t>(to);
    return def;
}

HolidayDef fixed(const char* name, int month, int day, int from, int to = 0) {
    HolidayDef def = definition(name, 1, month, from, to);
    def.Day = static_cast<std::int16_t>(day);
    return def;
}

HolidayDef nth(const char* name, int month, int week, int weekday, int from, int to = 0) {
    HolidayDef def = definition(name, 2, month, from, to);
    def.Week = static_cast<std::int16_t>(week);
    def.Weekday = static_cast<std::int16_t>(weekday);
    return def;
}

TEST(HolidayRows, FixedRowsAreTheFiveNotesAndTheSeparator) {
    const QStringList rows = HolidayFixedRows();
    ASSERT_EQ(rows.size(), HolidayFixedRowCount);
    // Wide blanks are U+3000, the dash U+FF5E and the cross U+00D7; the ditto mark sits between
    // a wide blank and a space on each side.
    EXPECT_EQ(rows[0],
              QString::fromUtf16(u"振替休日\u3000\u3000\u3000\u3000 | 1973/4\uFF5E\u00D7 | "
                                 u"日曜と祝日が重なる場合の翌日"));
    EXPECT_EQ(rows[1], QString::fromUtf16(u"\u3000 \u3003 \u3000(改正)\u3000 | 2007/1\uFF5E   | "
                                          u"または、それに続く祝日の翌日"));
    EXPECT_EQ(rows[2], QString::fromUtf16(u"国民の休日\u3000\u3000\u3000 | 1986\uFF5E     | "
                                          u"祝日と祝日に挟まれた平日"));
    EXPECT_EQ(rows[3], QString::fromUtf16(u"春分の日\u3000\u3000\u3000\u3000 | 1949\uFF5E2150 | "
                                          u"春分日(2150年まで計算で算出)"));
    EXPECT_EQ(rows[4], QString::fromUtf16(u"秋分の日\u3000\u3000\u3000\u3000 | 1948\uFF5E2150 | "
                                          u"秋分日(2150年まで計算で算出)"));
    EXPECT_EQ(rows[5], QString(60, QLatin1Char('-')));
    // In the fixed-pitch font every note's name column is as wide as eight full-width
    // characters, so its first bar lines up with a definition's.
    for (int i = 0; i < 5; ++i) {
        const QString name = rows[i].left(rows[i].indexOf(QStringLiteral(" | ")));
        int columns = 0;
        for (const QChar c : name) {
            columns += c.unicode() < 0x80 ? 1 : 2;
        }
        EXPECT_EQ(columns, 16) << i;
    }
}

TEST(HolidayRows, NamesArePaddedWithWideBlanksOrCutToEightUnits) {
    EXPECT_EQ(PadHolidayName(QString()), QString(8, QChar(0x3000)));
    EXPECT_EQ(PadHolidayName(QStringLiteral("元日")),
              QString::fromUtf16(u"元日\u3000\u3000\u3000\u3000\u3000\u3000"));
    EXPECT_EQ(PadHolidayName(QStringLiteral("スポーツの日")),
              QString::fromUtf16(u"スポーツの日\u3000\u3000"));
    EXPECT_EQ(PadHolidayName(QStringLiteral("12345678")), QStringLiteral("12345678"));
    EXPECT_EQ(PadHolidayName(QStringLiteral("天皇誕生日の振替えの休日")),
              QStringLiteral("天皇誕生日の振替"));
    EXPECT_EQ(PadHolidayName(QStringLiteral("ab")).size(), 8);
}

TEST(HolidayRows, RowTextMatchesTheListColumns) {
    EXPECT_EQ(HolidayRowText(fixed("元日", 1, 1, 1949)),
              QString::fromUtf16(
                  u"元日\u3000\u3000\u3000\u3000\u3000\u3000 | 1949\uFF5E     |  1月 1日"));
    EXPECT_EQ(
        HolidayRowText(nth("成人の日", 1, 2, 1, 2000)),
        QString::fromUtf16(u"成人の日\u3000\u3000\u3000\u3000 | 2000\uFF5E     |  1月第2月曜日"));
    // A single year: the year, a wide blank and four spaces.
    EXPECT_EQ(HolidayRowText(fixed("即位の礼", 11, 12, 1990, 1990)),
              QString::fromUtf16(u"即位の礼\u3000\u3000\u3000\u3000 | 1990\u3000     | 11月12日"));
    // Abolished: right-aligned end year; short years padded by spaces; year 0 is blank.
    EXPECT_EQ(HolidayRowText(fixed("天皇誕生日", 12, 23, 1989, 2018)),
              QString::fromUtf16(u"天皇誕生日\u3000\u3000\u3000 | 1989\uFF5E2018 | 12月23日"));
    EXPECT_EQ(
        HolidayRowText(fixed("古い日", 3, 9, 794, 99)),
        QString::fromUtf16(u"古い日\u3000\u3000\u3000\u3000\u3000 |  794\uFF5E  99 |  3月 9日"));
    EXPECT_EQ(HolidayRowText(fixed("x", 5, 5, 0, 1948)),
              QString::fromUtf16(
                  u"x\u3000\u3000\u3000\u3000\u3000\u3000\u3000 |     \uFF5E1948 |  5月 5日"));
    // Both years 0 count as equal years.
    EXPECT_EQ(HolidayRowText(fixed("x", 5, 5, 0, 0)),
              QString::fromUtf16(
                  u"x\u3000\u3000\u3000\u3000\u3000\u3000\u3000 |     \u3000     |  5月 5日"));
    // Every weekday the editor offers, and a Sunday rule loaded from a file.
    const char16_t* signs[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    for (int weekday = 0; weekday <= 6; ++weekday) {
        EXPECT_TRUE(HolidayRowText(nth("n", 9, 3, weekday, 2003))
                        .endsWith(QStringLiteral(" 9月第3") + QString::fromUtf16(signs[weekday]) +
                                  QStringLiteral("曜日")))
            << weekday;
    }
    // A weekday number that names no day, and a kind that is neither, add no day part.
    EXPECT_TRUE(HolidayRowText(nth("n", 9, 5, 7, 2003)).endsWith(QStringLiteral(" 9月第5曜日")));
    HolidayDef odd = fixed("n", 4, 29, 2007);
    odd.Kind = 3;
    EXPECT_TRUE(HolidayRowText(odd).endsWith(QStringLiteral(" | ") + QStringLiteral(" 4月")));
}

TEST(HolidayRows, SortKeyPlacesWeekdayRulesAmongTheDays) {
    EXPECT_EQ(HolidaySortKey(fixed("元日", 1, 1, 1949)), "01011949");
    EXPECT_EQ(HolidaySortKey(nth("成人の日", 1, 2, 1, 2000)), "01082000");
    EXPECT_EQ(HolidaySortKey(nth("敬老の日", 9, 3, 1, 2003)), "09152003");
    EXPECT_EQ(HolidaySortKey(nth("x", 10, 4, 6, 5)), "10270005");
    HolidayDef odd = fixed("n", 4, 29, 2007);
    odd.Kind = 0;
    EXPECT_EQ(HolidaySortKey(odd), "042007");
}

TEST(HolidayRows, ExchangeSortOrdersByKeyAndFollowsTheRecord) {
    std::vector<HolidayDef> defs = {
        fixed("文化の日", 11, 3, 1948),     fixed("元日", 1, 1, 1949),
        nth("成人の日", 1, 2, 1, 2000),     fixed("成人の日", 1, 15, 1949, 1999),
        fixed("建国記念の日", 2, 11, 1967),
    };
    const std::optional<int> followed = SortHolidayDefs(defs, 5, 0);
    ASSERT_EQ(defs.size(), 5U);
    EXPECT_EQ(defs[0].Name, "元日");
    EXPECT_EQ(defs[1].Name, "成人の日");
    EXPECT_EQ(defs[1].Kind, 2);
    EXPECT_EQ(defs[2].Day, 15);
    EXPECT_EQ(defs[3].Name, "建国記念の日");
    EXPECT_EQ(defs[4].Name, "文化の日");
    ASSERT_TRUE(followed.has_value());
    EXPECT_EQ(*followed, 4);
    EXPECT_FALSE(SortHolidayDefs(defs, 5).has_value());

    // Only the first `count` records take part.
    std::vector<HolidayDef> partial = {fixed("b", 2, 1, 1), fixed("a", 1, 1, 1),
                                       fixed("z", 1, 1, 0)};
    SortHolidayDefs(partial, 2);
    EXPECT_EQ(partial[0].Name, "a");
    EXPECT_EQ(partial[1].Name, "b");
    EXPECT_EQ(partial[2].Name, "z");
}

TEST(HolidayRows, ExchangeSortOfEqualKeysIsTheProceduresOwnOrder) {
    // Three records with one key: a fixed day on the 8th and two second-Monday rules. The
    // procedure exchanges only on "less than", so equal keys are never swapped with each other
    // directly; their order comes from the exchanges with the other records.
    std::vector<HolidayDef> defs = {
        fixed("z", 12, 1, 2000), fixed("a", 1, 8, 2000),  nth("b", 1, 2, 1, 2000),
        fixed("y", 1, 1, 2000),  nth("c", 1, 2, 1, 2000),
    };
    SortHolidayDefs(defs, 5);
    std::vector<std::string> names;
    names.reserve(defs.size());
    for (const HolidayDef& def : defs) {
        names.push_back(def.Name);
    }
    // The procedure reorders a, b, c to b, a, c (a stable sort would keep a, b, c).
    const std::vector<std::string> expected = {"y", "b", "a", "c", "z"};
    EXPECT_EQ(names, expected);
}

TEST(HolidayRows, ExchangeSortAlwaysSortsAndFollowsAcrossRandomTables) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const int n = static_cast<int>(random() % 40);
        std::vector<HolidayDef> defs;
        for (int i = 0; i < n; ++i) {
            HolidayDef def = random() % 2 == 0
                                 ? fixed("", 1 + static_cast<int>(random() % 3),
                                         1 + static_cast<int>(random() % 3), 2000)
                                 : nth("", 1 + static_cast<int>(random() % 3), 1, 1, 2000);
            def.Name = std::to_string(i); // identity
            defs.push_back(def);
        }
        const int follow = n == 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(n));
        const std::string followedName = n == 0 ? "" : defs[static_cast<std::size_t>(follow)].Name;
        const std::optional<int> at = SortHolidayDefs(defs, n, follow);
        EXPECT_TRUE(std::is_sorted(defs.begin(), defs.end(), [](const auto& a, const auto& b) {
            return HolidaySortKey(a) < HolidaySortKey(b);
        }));
        if (n > 0) {
            ASSERT_TRUE(at.has_value());
            EXPECT_EQ(defs[static_cast<std::size_t>(*at)].Name, followedName);
        }
    }
}

} // namespace
