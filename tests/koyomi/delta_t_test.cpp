#include "koyomi/delta_t.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double mjdZero = 2400000.5;
constexpr double mjd1873 = -13505.0; // 1 January 1873
constexpr double mjd2200 = 105928.0; // 1 January 2200

} // namespace

// The observed record: 32.184 s + the leap seconds (37 s since 2017).
TEST(DeltaT, SinceUtcBeganItIsTheLeapSecondTable) {
    EXPECT_DOUBLE_EQ(TtMinusUtcSeconds(mjdZero, 57754.0 + 40.0), 69.184); // February 2017
    EXPECT_DOUBLE_EQ(TtMinusUtcSeconds(mjdZero, 51544.0), 64.184);        // 1 January 2000
    EXPECT_DOUBLE_EQ(TtMinusUtcSeconds(mjdZero, 41317.0), 42.184);        // 1 January 1972
}

// Espenak and Meeus: ΔT was about −2.8 s in 1900 and 29 s in 1950.
TEST(DeltaT, BeforeUtcItIsThePolynomialFit) {
    EXPECT_NEAR(TtMinusUtcSeconds(mjdZero, 15020.0), -2.79, 0.1); // 1 January 1900
    EXPECT_NEAR(EspenakMeeusDeltaT(1950.0), 29.07, 1e-9);
}

// No jump of a second from one day to the next over the whole range, at the joins to the leap
// second table and to the extrapolation included (a leap second itself is one).
TEST(DeltaT, ItNeverJumpsByMoreThanALeapSecond) {
    double previous = TtMinusUtcSeconds(mjdZero, mjd1873);
    for (double mjd = mjd1873 + 1.0; mjd <= mjd2200; mjd += 1.0) {
        const double value = TtMinusUtcSeconds(mjdZero, mjd);
        ASSERT_LE(std::fabs(value - previous), 1.0 + 1e-9) << "MJD " << mjd;
        previous = value;
    }
    // Past 2100 it keeps growing, as the tidal slowing of the Earth makes it.
    EXPECT_GT(TtMinusUtcSeconds(mjdZero, mjd2200 - 1.0), TtMinusUtcSeconds(mjdZero, 88069.0));
}
