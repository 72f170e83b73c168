#include "koyomi/ephemeris.h"

#include "koyomi/delta_t.h"

#include <cmath>
#include <erfa.h>
#include <erfam.h>

namespace {

// Modified Julian date of the start (00:00 UTC) of serial day 0.
constexpr double mjdOfSerialZero = -678576.0;
constexpr double jstOffsetDays = 9.0 / 24.0;
// The general precession in longitude, 5029.0966″ a Julian century, in degrees a day.
constexpr double precessionRate = 5029.0966 / 3600.0 / ERFA_DJC;
// The interval (days) over which the nutation's rate is taken: its shortest term (5.6 days) is
// 0.03″ and moves 0.001″ in it.
constexpr double nutationInterval = 0.01;

// A position and velocity (GCRS axes) seen in `frame`: the apparent longitude (the nutation
// carries the mean equinox to the true one), its rate and, taking the force to be central so that
// the angular momentum is kept, its acceleration.
// (ERFA takes its arrays as non-const.)
Longitude longitudeIn(const EclipticFrame& frame, double position[3], double velocity[3]) {
    EclipticFrame f = frame;
    double p[3];
    double v[3];
    eraRxp(f.rm, position, p);
    eraRxp(f.rm, velocity, v);
    const double lambda = std::atan2(p[1], p[0]) + frame.dpsi;
    const double rho2 = p[0] * p[0] + p[1] * p[1];
    const double rate = (p[0] * v[1] - p[1] * v[0]) / rho2; // radians a day
    const double acceleration = -2.0 * rate * (p[0] * v[0] + p[1] * v[1]) / rho2;
    return {eraAnp(lambda) * ERFA_DR2D, rate * ERFA_DR2D, acceleration * ERFA_DR2D};
}

// The apparent place of the Sun from the geocentre (GCRS axes, au): the Sun where it was when the
// light left it, displaced by the aberration of the Earth's barycentric velocity. `velocity` is
// the Sun's geometric velocity about the geocentre (au a day), enough for the rate.
void apparentSun(const TtDate& tt, double position[3], double velocity[3]) {
    double pvh[2][3];
    double pvb[2][3];
    eraEpv00(tt.jd1, tt.jd2, pvh, pvb);
    double toSun[3];
    for (int i = 0; i < 3; ++i) {
        toSun[i] = -pvh[0][i];
        velocity[i] = -pvh[1][i];
    }
    const double lightTime = eraPm(toSun) / ERFA_DC; // days
    for (int i = 0; i < 3; ++i) {
        const double sunVelocity = pvb[1][i] - pvh[1][i]; // the Sun about the barycentre
        toSun[i] -= sunVelocity * lightTime;
    }
    double distance = 0.0;
    double unit[3];
    eraPn(toSun, &distance, unit);
    double v[3];
    for (int i = 0; i < 3; ++i) {
        v[i] = pvb[1][i] / ERFA_DC; // in units of c
    }
    const double bm1 = std::sqrt(1.0 - eraPdp(v, v));
    double direction[3];
    eraAb(unit, v, distance, bm1, direction);
    eraSxp(distance, direction, position);
}

} // namespace

TtDate TtOfJst(double jstInstant) {
    const double utcMjd = jstInstant + mjdOfSerialZero - jstOffsetDays;
    const double ttMinusUtc = TtMinusUtcSeconds(ERFA_DJM0, utcMjd) / ERFA_DAYSEC;
    return {ERFA_DJM0, utcMjd + ttMinusUtc};
}

// IAU 2000B nutation: 1 mas, far below what a second of the Sun or the Moon moves.
EclipticFrame FrameOfDate(const TtDate& tt) {
    EclipticFrame frame{};
    eraEcm06(tt.jd1, tt.jd2, frame.rm);
    double deps = 0.0;
    eraNut00b(tt.jd1, tt.jd2, &frame.dpsi, &deps);
    return frame;
}

Longitude SunLongitude(const TtDate& tt) {
    const EclipticFrame frame = FrameOfDate(tt);
    Longitude sun = SunLongitudeIn(frame, tt);
    double dpsiLater = 0.0;
    double deps = 0.0;
    eraNut00b(tt.jd1, tt.jd2 + nutationInterval, &dpsiLater, &deps);
    sun.rate += precessionRate + (dpsiLater - frame.dpsi) * ERFA_DR2D / nutationInterval;
    return sun;
}

Longitude SunLongitudeIn(const EclipticFrame& frame, const TtDate& tt) {
    double position[3];
    double velocity[3];
    apparentSun(tt, position, velocity);
    return longitudeIn(frame, position, velocity);
}

// The Moon where it was when its light left it. The Moon shares the Earth's barycentric motion,
// so that part of the light time and the annual aberration cancel: what is left is the geocentric
// position one light time (1.3 s) earlier.
Longitude MoonLongitudeIn(const EclipticFrame& frame, const TtDate& tt) {
    double pv[2][3];
    eraMoon98(tt.jd1, tt.jd2, pv);
    const double lightTime = eraPm(pv[0]) / ERFA_DC; // days
    double position[3];
    for (int i = 0; i < 3; ++i) {
        position[i] = pv[0][i] - pv[1][i] * lightTime;
    }
    return longitudeIn(frame, position, pv[1]);
}
