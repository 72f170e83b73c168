#include "koyomi/events.h"

#include "date/serial.h"
#include "koyomi/ephemeris.h"

#include <cmath>
#include <map>
#include <mutex>
#include <utility>

namespace {

constexpr double tropicalYear = 365.2422;                   // days
constexpr double synodicMonth = 29.530588861;               // days
constexpr double sunMeanRate = 360.0 / tropicalYear;        // degrees a day
constexpr double elongationMeanRate = 360.0 / synodicMonth; // degrees a day
// The mean new moon of lunation 0 (6 January 2000, 18:14 TT), as a JST instant.
constexpr double meanNewMoonZero = 730125.97;
constexpr double tolerance = 1e-6; // days (0.09 s); the last secant step is far smaller
// The JST instant of J2000.0 (1 January 2000, 12:00 TT), the epoch of the rough series below.
constexpr double j2000Jst = 730120.875;
constexpr double degree = 3.14159265358979323846 / 180.0;

// The angle in (-180, 180].
double wrap180(double degrees) {
    double a = std::fmod(degrees, 360.0);
    if (a > 180.0) {
        a -= 360.0;
    } else if (a <= -180.0) {
        a += 360.0;
    }
    return a;
}

// The root of f (degrees, increasing about `rate` a day) nearest `guess`: secant steps, the first
// one taken with the mean rate.
template <typename F> double findRoot(F f, double guess, double rate) {
    double t0 = guess;
    double f0 = f(t0);
    double t1 = t0 - f0 / rate;
    for (int i = 0; i < 30; ++i) {
        const double f1 = f(t1);
        if (f1 == f0) {
            break;
        }
        const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
        t0 = t1;
        f0 = f1;
        t1 = t2;
        if (std::fabs(t1 - t0) < tolerance) {
            break;
        }
    }
    return t1;
}

// Low-precision apparent longitude of the Sun, good to about 0.01° (mean longitude and the
// equation of centre): only the starting point of the root search.
double roughSunLongitude(double jst) {
    const double d = jst - j2000Jst;
    const double g = (357.528 + 0.9856003 * d) * degree;
    return 280.460 + 0.9856474 * d + 1.915 * std::sin(g) + 0.020 * std::sin(2.0 * g);
}

// Low-precision elongation of the Moon from the Sun, good to a few tenths of a degree (the largest
// terms of the lunar theory): only the starting point of the root search.
double roughElongation(double jst) {
    const double d = jst - j2000Jst;
    const double elongation = (297.850 + 12.190749 * d) * degree;
    const double moonAnomaly = (134.963 + 13.064993 * d) * degree;
    const double sunAnomaly = (357.529 + 0.98560028 * d) * degree;
    const double latitudeArgument = (93.272 + 13.229350 * d) * degree;
    const double moon = 218.316 + 13.176396 * d + 6.289 * std::sin(moonAnomaly) +
                        1.274 * std::sin(2.0 * elongation - moonAnomaly) +
                        0.658 * std::sin(2.0 * elongation) + 0.214 * std::sin(2.0 * moonAnomaly) -
                        0.186 * std::sin(sunAnomaly) - 0.114 * std::sin(2.0 * latitudeArgument);
    return moon - roughSunLongitude(jst);
}

// The root of a rough series (degrees, increasing about `rate` a day) near `guess`.
template <typename F> double roughRoot(F f, double guess, double rate) {
    double t = guess;
    for (int i = 0; i < 6; ++i) {
        t -= f(t) / rate;
    }
    return t;
}

std::mutex cacheMutex;
std::map<std::pair<int, int>, double> solarCache;  // (year, degrees) -> instant
std::map<std::pair<long, int>, double> phaseCache; // (lunation, quarter) -> instant

} // namespace

double SolarLongitudeInstant(int year, int degrees) {
    {
        const std::lock_guard lock(cacheMutex);
        if (auto it = solarCache.find({year, degrees}); it != solarCache.end()) {
            return it->second;
        }
    }
    const int fromEquinox = degrees >= 280 ? degrees - 360 : degrees; // [-80, 280)
    const double meanEquinox =
        static_cast<double>(St_YMD_to_Days(MakeDateText(year, 3, 20))) + 0.5; // within two days
    const double guess =
        roughRoot([degrees](double t) { return wrap180(roughSunLongitude(t) - degrees); },
                  meanEquinox + fromEquinox / sunMeanRate, sunMeanRate);
    const double instant =
        findRoot([degrees](double t) { return wrap180(SunLongitude(TtOfJst(t)) - degrees); }, guess,
                 sunMeanRate);
    const std::lock_guard lock(cacheMutex);
    solarCache.emplace(std::pair{year, degrees}, instant);
    return instant;
}

double MoonPhaseInstant(long lunation, int quarter) {
    {
        const std::lock_guard lock(cacheMutex);
        if (auto it = phaseCache.find({lunation, quarter}); it != phaseCache.end()) {
            return it->second;
        }
    }
    const double target = 90.0 * quarter;
    const double guess =
        roughRoot([target](double t) { return wrap180(roughElongation(t) - target); },
                  meanNewMoonZero + (static_cast<double>(lunation) + quarter / 4.0) * synodicMonth,
                  elongationMeanRate);
    const double instant = findRoot(
        [target](double t) {
            const SunAndMoon l = SunAndMoonLongitudes(TtOfJst(t));
            return wrap180(l.moon - l.sun - target);
        },
        guess, elongationMeanRate);
    const std::lock_guard lock(cacheMutex);
    phaseCache.emplace(std::pair{lunation, quarter}, instant);
    return instant;
}

void ForgetEventInstants() {
    const std::lock_guard lock(cacheMutex);
    solarCache.clear();
    phaseCache.clear();
}

long LunationAt(double jstInstant) {
    // The mean estimate is within a day of the truth; step to the right lunation.
    long n = static_cast<long>(std::floor((jstInstant - meanNewMoonZero) / synodicMonth));
    while (MoonPhaseInstant(n, 0) > jstInstant) {
        --n;
    }
    while (MoonPhaseInstant(n + 1, 0) <= jstInstant) {
        ++n;
    }
    return n;
}

long long RoundedMinute(double jstInstant) {
    return static_cast<long long>(std::floor(jstInstant * 1440.0 + 0.5));
}
