// The rates the searches for the solar terms and the phases step by, and the instants they find.

#include "date/serial.h"
#include "koyomi/ephemeris.h"
#include "koyomi/events.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

double wrap180(double degrees) {
    return std::remainder(degrees, 360.0);
}

TtDate later(const TtDate& tt, double days) {
    return {tt.jd1, tt.jd2 + days};
}

// The rate and the curvature from the longitudes an hour either side.
struct Differences {
    double rate;
    double acceleration;
};

template <typename F> Differences differences(F longitude, const TtDate& tt) {
    constexpr double h = 1.0 / 24.0;
    const double before = longitude(later(tt, -h));
    const double now = longitude(tt);
    const double after = longitude(later(tt, h));
    return {wrap180(after - before) / (2.0 * h),
            (wrap180(after - now) - wrap180(now - before)) / (h * h)};
}

// Samples every 37 days from 1874 to 2198: all seasons, all phases, all distances of the Moon.
constexpr double firstSample = 684291.0; // 1874/06/01
constexpr double lastSample = 803000.0;  // about 2198
constexpr double sampleStep = 37.0;

} // namespace

// The Sun's rate is right to a part in 10^5 (it carries the equinox's motion) and its curvature to
// 2e-4 degrees a day² (a third of its largest: the Moon's pull on the Earth is left out); in a
// fixed frame the Moon's rate and the Sun's are right to a part in 10^5.
TEST(Ephemeris, TheRatesAreTheLongitudesChange) {
    int samples = 0;
    for (double t = firstSample; t < lastSample; t += sampleStep) {
        const TtDate tt = TtOfJst(t);
        const Longitude sun = SunLongitude(tt);
        const Differences sunOfDate =
            differences([](const TtDate& at) { return SunLongitude(at).degrees; }, tt);
        ASSERT_NEAR(sun.rate, sunOfDate.rate, 1e-5 * sunOfDate.rate) << t;
        ASSERT_NEAR(sun.acceleration, sunOfDate.acceleration, 2e-4) << t;

        const EclipticFrame frame = FrameOfDate(tt);
        const Differences moonInFrame = differences(
            [&frame](const TtDate& at) { return MoonLongitudeIn(frame, at).degrees; }, tt);
        ASSERT_NEAR(MoonLongitudeIn(frame, tt).rate, moonInFrame.rate, 1e-5 * moonInFrame.rate)
            << t;
        const Differences sunInFrame = differences(
            [&frame](const TtDate& at) { return SunLongitudeIn(frame, at).degrees; }, tt);
        ASSERT_NEAR(SunLongitudeIn(frame, tt).rate, sunInFrame.rate, 1e-5 * sunInFrame.rate) << t;
        ++samples;
    }
    EXPECT_GT(samples, 3000);
}

// At each instant found the Sun stands at its term to 0.001″ (20 ms of its motion) and the Moon at
// its phase to 0.005″ (10 ms): the searches stop only where the answer is settled.
TEST(Ephemeris, TheInstantsFoundAreWhereTheLongitudesAre) {
    for (int year = 1873; year <= 2199; year += 11) {
        for (int degrees = 0; degrees < 360; degrees += 15) {
            const double instant = SolarLongitudeInstant(year, degrees);
            const Longitude sun = SunLongitude(TtOfJst(instant));
            ASSERT_NEAR(wrap180(sun.degrees - degrees), 0.0, 0.001 / 3600.0)
                << year << " " << degrees;
        }
    }
    for (long lunation = -1570; lunation <= 2470; lunation += 37) {
        for (int quarter = 0; quarter < 4; ++quarter) {
            const double instant = MoonPhaseInstant(lunation, quarter);
            const TtDate tt = TtOfJst(instant);
            const EclipticFrame frame = FrameOfDate(tt);
            const double elongation =
                MoonLongitudeIn(frame, tt).degrees - SunLongitudeIn(frame, tt).degrees;
            ASSERT_NEAR(wrap180(elongation - 90.0 * quarter), 0.0, 0.005 / 3600.0)
                << lunation << " " << quarter;
        }
    }
}
