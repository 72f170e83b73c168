#include "tests/support/qt_printers.h"
#include "widgets/lenient_number.h"
#include "widgets/twips.h"

#include <QString>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(LenientNumber, ReadsTheLeadingNumberOfAText) {
    EXPECT_EQ(LeadingNumber(u"12abc"), 12.0);
    EXPECT_EQ(LeadingNumber(u"-3.7"), -3.7);
    EXPECT_EQ(LeadingNumber(u""), 0.0);
    EXPECT_EQ(LeadingNumber(u"abc"), 0.0);
    EXPECT_EQ(LeadingNumber(u"  +7x"), 7.0);
    EXPECT_EQ(LeadingNumber(u".5"), 0.5);
    EXPECT_EQ(LeadingNumber(u"10.5pt"), 10.5);
    EXPECT_EQ(LeadingNumber(u"1.2.3"), 1.2);
    EXPECT_EQ(LeadingNumber(u"-"), 0.0);
    EXPECT_EQ(LeadingNumber(u"."), 0.0);
    EXPECT_EQ(LeadingNumber(u"0012"), 12.0);
    EXPECT_EQ(LeadingNumber(u"1e3"), 1.0);
    EXPECT_EQ(LeadingNumber(u"１２"), 0.0); // full-width digits are not a number
    EXPECT_TRUE(std::isinf(LeadingNumber(QString(400, u'9'))));
    EXPECT_EQ(LeadingNumber(QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1")), 0.0);
}

TEST(LenientNumber, WholeNumbersRoundHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(RoundHalfEven(-3.7), -4);
    EXPECT_EQ(RoundHalfEven(1e12), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(RoundHalfEven(-1e12), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(LeadingWholeNumber(u"12abc"), 12);
    EXPECT_EQ(LeadingWholeNumber(u"-3.7"), -4);
    EXPECT_EQ(LeadingWholeNumber(u""), 0);
    EXPECT_EQ(LeadingWholeNumber(u"174.5"), 174);
    EXPECT_EQ(NumberText(12), "12");
    EXPECT_EQ(NumberText(-1), "-1");
    EXPECT_EQ(NumberText(2.5), "2.5");
}

TEST(Twips, FifteenTwipsMakeOnePixel) {
    EXPECT_EQ(TwipsToPixels(2430), 162);
    EXPECT_EQ(TwipsToPixels(-15), -1);
    EXPECT_EQ(TwipsToPixels(7), 0);
    EXPECT_EQ(TwipsToPixels(8), 1);
    EXPECT_EQ(TwipsToPixels(-8), -1);
    EXPECT_EQ(PixelsToTwips(194), 2910);
    EXPECT_EQ(TwipsRect(810, 2130, 615, 285), QRect(54, 142, 41, 19));
}
