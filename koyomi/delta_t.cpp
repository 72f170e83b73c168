#include "koyomi/delta_t.h"

#include <cmath>
#include <erfa.h>

namespace {

// The first year whose TT − UTC is no longer read from the leap-second table.
constexpr double extrapolationStart = 2026.0;
// TT − UTC since the leap second of 1 January 2017 (32.184 s + 37 s).
constexpr double lastObservedTtMinusUtc = 69.184;
// The year by which the shifted extrapolation has rejoined the long-term parabola.
constexpr double blendEnd = 2150.0;

double longTermParabola(double y) {
    const double u = (y - 1820.0) / 100.0;
    return -20.0 + 32.0 * u * u;
}

// TT − UTC from 2026: the polynomial extrapolation plus an offset that makes it start at the
// last observed value and shrinks linearly to nothing at 2150.
double extrapolatedTtMinusUtc(double y) {
    if (y >= blendEnd) {
        return longTermParabola(y);
    }
    const double offset = lastObservedTtMinusUtc - EspenakMeeusDeltaT(extrapolationStart);
    const double weight = (blendEnd - y) / (blendEnd - extrapolationStart); // [0, 1]
    // The polynomials themselves jump by 20 s at 2050: the later piece is raised to meet the
    // earlier one there, and the raise too fades out by 2150.
    double value = EspenakMeeusDeltaT(y);
    if (y >= 2050.0) {
        const double step = EspenakMeeusDeltaT(2049.999999) - EspenakMeeusDeltaT(2050.0);
        value += step * (blendEnd - y) / (blendEnd - 2050.0);
    }
    return value + offset * weight;
}

} // namespace

double EspenakMeeusDeltaT(double y) {
    if (y < 1860.0) {
        const double t = y - 1800.0;
        return 13.72 - 0.332447 * t + 0.0068612 * t * t + 0.0041116 * t * t * t -
               0.00037436 * std::pow(t, 4) + 0.0000121272 * std::pow(t, 5) -
               0.0000001699 * std::pow(t, 6) + 0.000000000875 * std::pow(t, 7);
    }
    if (y < 1900.0) {
        const double t = y - 1860.0;
        return 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * t * t * t -
               0.0004473624 * std::pow(t, 4) + std::pow(t, 5) / 233174.0;
    }
    if (y < 1920.0) {
        const double t = y - 1900.0;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t -
               0.000197 * std::pow(t, 4);
    }
    if (y < 1941.0) {
        const double t = y - 1920.0;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
    }
    if (y < 1961.0) {
        const double t = y - 1950.0;
        return 29.07 + 0.407 * t - t * t / 233.0 + t * t * t / 2547.0;
    }
    if (y < 1986.0) {
        const double t = y - 1975.0;
        return 45.45 + 1.067 * t - t * t / 260.0 - t * t * t / 718.0;
    }
    if (y < 2005.0) {
        const double t = y - 2000.0;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t +
               0.000651814 * std::pow(t, 4) + 0.00002373599 * std::pow(t, 5);
    }
    if (y < 2050.0) {
        const double t = y - 2000.0;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    if (y < 2150.0) {
        return longTermParabola(y) - 0.5628 * (2150.0 - y);
    }
    return longTermParabola(y);
}

double TtMinusUtcSeconds(double utcJd1, double utcJd2) {
    int iy = 0;
    int im = 0;
    int id = 0;
    double fd = 0.0;
    if (eraJd2cal(utcJd1, utcJd2, &iy, &im, &id, &fd) != 0) {
        return 0.0; // outside ERFA's calendar (before 4713 BC): never asked for
    }
    const double daysInYear = (iy % 4 == 0 && (iy % 100 != 0 || iy % 400 == 0)) ? 366.0 : 365.0;
    double startOfYear1 = 0.0;
    double startOfYear2 = 0.0;
    eraCal2jd(iy, 1, 1, &startOfYear1, &startOfYear2);
    const double y = iy + ((utcJd1 - startOfYear1) + (utcJd2 - startOfYear2)) / daysInYear;
    if (y < 1960.0) {
        return EspenakMeeusDeltaT(y);
    }
    if (y < extrapolationStart) {
        double taiMinusUtc = 0.0;
        eraDat(iy, im, id, fd, &taiMinusUtc);
        return 32.184 + taiMinusUtc;
    }
    return extrapolatedTtMinusUtc(y);
}
