#include "koyomi/ephemeris.h"

#include "koyomi/delta_t.h"

#include <cmath>
#include <erfa.h>
#include <erfam.h>

namespace {

// Modified Julian date of the start (00:00 UTC) of serial day 0.
constexpr double mjdOfSerialZero = -678576.0;
constexpr double jstOffsetDays = 9.0 / 24.0;

// Rotation from the GCRS to the mean ecliptic and equinox of date, and the nutation in longitude
// that carries the mean equinox to the true one (radians). IAU 2000B nutation: 1 mas, far below
// what a minute of the Sun or the Moon moves.
struct FrameOfDate {
    double rm[3][3];
    double dpsi;
};

FrameOfDate frameOfDate(const TtDate& tt) {
    FrameOfDate frame{};
    eraEcm06(tt.jd1, tt.jd2, frame.rm);
    double deps = 0.0;
    eraNut00b(tt.jd1, tt.jd2, &frame.dpsi, &deps);
    return frame;
}

// (ERFA takes its arrays as non-const.)
double longitudeOfDate(FrameOfDate& frame, double gcrs[3]) {
    double ecliptic[3];
    eraRxp(frame.rm, gcrs, ecliptic);
    const double lambda = std::atan2(ecliptic[1], ecliptic[0]) + frame.dpsi;
    return eraAnp(lambda) * ERFA_DR2D;
}

// The apparent direction of the Sun from the geocentre (GCRS axes): the Sun where it was when the
// light left it, displaced by the aberration of the Earth's barycentric velocity.
void apparentSunDirection(const TtDate& tt, double direction[3]) {
    double pvh[2][3];
    double pvb[2][3];
    eraEpv00(tt.jd1, tt.jd2, pvh, pvb);
    double toSun[3];
    for (int i = 0; i < 3; ++i) {
        toSun[i] = -pvh[0][i];
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
    eraAb(unit, v, distance, bm1, direction);
}

// The Moon where it was when its light left it. The Moon shares the Earth's barycentric motion,
// so that part of the light time and the annual aberration cancel: what is left is the geocentric
// position one light time (1.3 s) earlier.
void apparentMoonPosition(const TtDate& tt, double position[3]) {
    double pv[2][3];
    eraMoon98(tt.jd1, tt.jd2, pv);
    const double lightTime = eraPm(pv[0]) / ERFA_DC; // days
    for (int i = 0; i < 3; ++i) {
        position[i] = pv[0][i] - pv[1][i] * lightTime;
    }
}

} // namespace

TtDate TtOfJst(double jstInstant) {
    const double utcMjd = jstInstant + mjdOfSerialZero - jstOffsetDays;
    const double ttMinusUtc = TtMinusUtcSeconds(ERFA_DJM0, utcMjd) / ERFA_DAYSEC;
    return {ERFA_DJM0, utcMjd + ttMinusUtc};
}

double SunLongitude(const TtDate& tt) {
    double sun[3];
    apparentSunDirection(tt, sun);
    FrameOfDate frame = frameOfDate(tt);
    return longitudeOfDate(frame, sun);
}

SunAndMoon SunAndMoonLongitudes(const TtDate& tt) {
    FrameOfDate frame = frameOfDate(tt);
    double sun[3];
    apparentSunDirection(tt, sun);
    double moon[3];
    apparentMoonPosition(tt, moon);
    return {longitudeOfDate(frame, sun), longitudeOfDate(frame, moon)};
}
