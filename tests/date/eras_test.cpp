#include "date/definitions.h"
#include "date/eras.h"
#include "tests/support/recording_host.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace {

void setEras(std::vector<EraDef> eras) {
    EraDefs = std::move(eras);
    EraDefCount = static_cast<std::int16_t>(EraDefs.size());
}

std::pair<std::string, std::string> era(const std::string& date) {
    St_Era(date);
    return {EraName, EraYearText};
}

using Result = std::pair<std::string, std::string>;

} // namespace

TEST(EraConversion, TheLatestEraStartedOnOrBeforeTheDateWins) {
    setEras({{"平成", "19890108"}, {"令和", "20190501"}});
    EXPECT_EQ(era("20190430"), Result("平成", "310430"));
    EXPECT_EQ(era("20190501"), Result("令和", "10501"));
    EXPECT_EQ(era("20190499"), Result("平成", "310499")); // the month view's April 2019
    EXPECT_EQ(era("20190599"), Result("令和", "10599"));
    EXPECT_EQ(era("20240315"), Result("令和", "60315"));
    EXPECT_EQ(era("19890108"), Result("平成", "10108"));
    // Era years follow calendar years.
    EXPECT_EQ(era("19891231"), Result("平成", "11231"));
    EXPECT_EQ(era("19900101"), Result("平成", "20101"));
    // Before the first era, and after a call that found one, both results are empty.
    EXPECT_EQ(era("19890107"), Result("", ""));
    EXPECT_EQ(era("00010101"), Result("", ""));
    EXPECT_EQ(era("99991231"), Result("令和", "79811231"));
}

TEST(EraConversion, AnEmptyTableGivesNoEra) {
    setEras({});
    EXPECT_EQ(era("20240315"), Result("", ""));
    // A count larger than the table must not read beyond it.
    EraDefCount = 5;
    EXPECT_EQ(era("20240315"), Result("", ""));
}

TEST(EraConversion, TheTableIsScannedFromItsLastEntry) {
    // Out of order, the last qualifying entry of the table is taken, as the file says.
    setEras({{"後", "20190501"}, {"前", "19890108"}});
    EXPECT_EQ(era("20240315"), Result("前", "360315"));
    EXPECT_EQ(era("19000101"), Result("", ""));
}

TEST(EraConversion, StartDatesWithoutFourDigitsNeverApply) {
    setEras({{"明治", "18680908"}, {"空", ""}, {"区切り", "1989/01/08"}, {"短", "123"}});
    EXPECT_EQ(era("20240315"), Result("明治", "1570315"));
    EXPECT_EQ(era("18680907"), Result("", ""));
}

TEST(EraConversion, MalformedInputsDoNotCrash) {
    setEras({{"平成", "19890108"}});
    EXPECT_EQ(era("abc"), Result("", ""));
    EXPECT_EQ(era(""), Result("", ""));
    EXPECT_EQ(era("2000"), Result("", "")); // 2000 is numerically before 19890108
    EXPECT_EQ(era("200001010"), Result("平成", "121010"));
}

TEST(EraLabelRule, ThreeFormsOfTheEraYear) {
    EXPECT_EQ(EraLabel("令和", "10501"), "令和元");
    EXPECT_EQ(EraLabel("令和", "60315"), "令和 6");
    EXPECT_EQ(EraLabel("平成", "310430"), "平成31");
    EXPECT_EQ(EraLabel("平成", "990101"), "平成99");
    EXPECT_EQ(EraLabel("昭和", "1000101"), "昭和100");
    EXPECT_EQ(EraLabel("昭和", "12340101"), "昭和1234");
    EXPECT_EQ(EraLabel("", ""), "");
    EXPECT_EQ(EraLabel("", "60315"), "");
    // A result that came from the conversion labels the same way.
    setEras({{"平成", "19890108"}, {"令和", "20190501"}});
    St_Era("20190599");
    EXPECT_EQ(EraLabel(EraName, EraYearText), "令和元");
    St_Era("20880101");
    EXPECT_EQ(EraLabel(EraName, EraYearText), "令和70");
    St_Era("20880101");
    setEras({{"令和", "19190501"}});
    St_Era("20190101");
    EXPECT_EQ(EraLabel(EraName, EraYearText), "令和101");
}

TEST(EraLabelRule, WholeLabelsOfAMonthAndOfADate) {
    setEras({{"平成", "19890108"}, {"令和", "20190501"}});
    // A month shows the era in force when it ends.
    EXPECT_EQ(MonthEraLabel(2019, 4), "平成31年");
    EXPECT_EQ(MonthEraLabel(2019, 5), "令和元年");
    EXPECT_EQ(MonthEraLabel(1989, 1), "平成元年");
    EXPECT_EQ(MonthEraLabel(2024, 3), "令和 6年");
    EXPECT_EQ(MonthEraLabel(1988, 12), "");
    // A date: the era year without padding, 元 for the first.
    EXPECT_EQ(EraDateText("20190430"), "平成31年4月30日");
    EXPECT_EQ(EraDateText("20190501"), "令和元年5月1日");
    EXPECT_EQ(EraDateText("20241208"), "令和6年12月8日");
    EXPECT_EQ(EraDateText("19890107"), "");
    EXPECT_EQ(EraDateText(""), "");
}
