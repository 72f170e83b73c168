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
// A step of the search for a solar term shorter than this (days, 14 min) is the last one: the
// Sun's rate is right to 1e-5 of itself and its curvature to 2e-4 degrees a day², so the step
// leaves less than 15 ms.
constexpr double lastSunStep = 0.01;
// A step of the search for a phase shorter than this (days, 1.4 min) is the last one: it leaves
// less than a millisecond.
constexpr double lastMoonStep = 1e-3;
// The farthest (days, 29 min) the Sun's longitude is carried along its rate in the search for a
// phase: the Sun's rate changes by at most 6e-4 degrees a day each day, so even carried this far
// without its curvature it would be out by less than 0.0005″, a millisecond of the Moon's motion.
constexpr double sunCarried = 0.02;
constexpr int maxSteps = 20;
// J2000.0 (1 January 2000, 12:00 TT), the epoch of the rough series below: as a Julian date, and
// as a JST instant taking TT for UT.
constexpr double j2000Jd = 2451545.0;
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

// Days since J2000.0 in TT at a JST instant.
double ttDaysSinceJ2000(double jst) {
    const TtDate tt = TtOfJst(jst);
    return (tt.jd1 - j2000Jd) + tt.jd2;
}

// Low-precision apparent longitude of the Sun at `d` TT days from J2000.0, good to about 0.005°
// (mean longitude, the equation of centre, aberration and the largest term of nutation): only the
// starting point of the root search.
double roughSunLongitude(double d) {
    const double t = d / 36525.0;
    const double meanLongitude = 280.46646 + 36000.76983 * t;
    const double anomaly = (357.52911 + 35999.05029 * t) * degree;
    const double node = (125.04 - 1934.136 * t) * degree;
    const double centre = (1.914602 - 0.004817 * t) * std::sin(anomaly) +
                          0.019993 * std::sin(2.0 * anomaly) + 0.000289 * std::sin(3.0 * anomaly);
    return meanLongitude + centre - 0.00569 - 0.00478 * std::sin(node);
}

// Low-precision elongation of the Moon from the Sun at `d` TT days from J2000.0, good to a few
// hundredths of a degree (the largest terms of the lunar theory): only the starting point of the
// root search.
double roughElongation(double d) {
    const double t = d / 36525.0;
    const double e = (297.8501921 + 445267.1114034 * t) * degree;  // mean elongation
    const double m = (357.5291092 + 35999.0502909 * t) * degree;   // the Sun's mean anomaly
    const double mm = (134.9633964 + 477198.8675055 * t) * degree; // the Moon's mean anomaly
    const double f = (93.2720950 + 483202.0175233 * t) * degree;   // argument of latitude
    const double moon = 218.3164477 + 481267.88123421 * t + 6.288774 * std::sin(mm) +
                        1.274027 * std::sin(2.0 * e - mm) + 0.658314 * std::sin(2.0 * e) +
                        0.213618 * std::sin(2.0 * mm) - 0.185116 * std::sin(m) -
                        0.114332 * std::sin(2.0 * f) + 0.058793 * std::sin(2.0 * (e - mm)) +
                        0.057066 * std::sin(2.0 * e - m - mm) + 0.053322 * std::sin(2.0 * e + mm) +
                        0.045758 * std::sin(2.0 * e - m) - 0.040923 * std::sin(m - mm) -
                        0.034720 * std::sin(e) - 0.030383 * std::sin(m + mm) +
                        0.015327 * std::sin(2.0 * (e - f)) - 0.012528 * std::sin(mm + 2.0 * f) +
                        0.010980 * std::sin(mm - 2.0 * f) + 0.010675 * std::sin(4.0 * e - mm) +
                        0.010034 * std::sin(3.0 * mm);
    // The Moon's nutation is the Sun's; its aberration is negligible beside the Sun's.
    const double node = (125.04 - 1934.136 * t) * degree;
    return moon - 0.00478 * std::sin(node) - roughSunLongitude(d);
}

// The step back to the root of a function at `value` changing at `rate` and `acceleration`:
// Newton's, bent by the curvature.
double stepToRoot(double value, double rate, double acceleration) {
    const double newton = value / rate;
    return (value + 0.5 * acceleration * newton * newton) / rate;
}

// The root of a rough series (degrees, increasing about `rate` a day) near `guess`.
template <typename F> double roughRoot(F f, double guess, double rate) {
    double t = guess;
    for (int i = 0; i < 6; ++i) {
        t -= f(t) / rate;
    }
    return t;
}

// The instant at which the Sun's apparent longitude is `degrees`, by Newton steps from `guess`.
double sunAt(double degrees, double guess) {
    double t = guess;
    for (int i = 0; i < maxSteps; ++i) {
        const Longitude sun = SunLongitude(TtOfJst(t));
        const double step = stepToRoot(wrap180(sun.degrees - degrees), sun.rate, sun.acceleration);
        t -= step;
        if (std::fabs(step) < lastSunStep) {
            break;
        }
    }
    return t;
}

// The instant at which the Moon's longitude exceeds the Sun's by `degrees`, by Newton steps from
// `guess`. The Sun, which moves a thirteenth as fast, is computed once and carried along its rate
// and curvature while the steps stay near where it was computed; the frame of that date serves
// throughout.
double elongationAt(double degrees, double guess) {
    double t = guess;
    double anchor = 0.0;
    EclipticFrame frame{};
    Longitude sun{};
    for (int i = 0; i < maxSteps; ++i) {
        const TtDate tt = TtOfJst(t);
        if (i == 0 || std::fabs(t - anchor) > sunCarried) {
            anchor = t;
            frame = FrameOfDate(tt);
            sun = SunLongitudeIn(frame, tt);
        }
        const Longitude moon = MoonLongitudeIn(frame, tt);
        const double carried = t - anchor;
        const double sunNow = sun.degrees + (sun.rate + 0.5 * sun.acceleration * carried) * carried;
        const double sunRateNow = sun.rate + sun.acceleration * carried;
        const double step =
            stepToRoot(wrap180(moon.degrees - sunNow - degrees), moon.rate - sunRateNow,
                       moon.acceleration - sun.acceleration);
        t -= step;
        if (std::fabs(step) < lastMoonStep && std::fabs(t - anchor) <= sunCarried) {
            break;
        }
    }
    return t;
}

std::mutex cacheMutex;
std::map<std::pair<int, int>, double> solarCache;  // (year, degrees) -> instant
std::map<std::pair<long, int>, double> phaseCache; // (lunation, quarter) -> instant

// The instant cached under `key`, computed and kept on first use.
template <typename Key, typename Compute>
double cachedInstant(std::map<Key, double>& cache, const Key& key, Compute compute) {
    {
        const std::lock_guard lock(cacheMutex);
        if (auto it = cache.find(key); it != cache.end()) {
            return it->second;
        }
    }
    const double instant = compute();
    const std::lock_guard lock(cacheMutex);
    cache.emplace(key, instant);
    return instant;
}

// The start of the exact search: where the rough series `angle` (degrees from the target, by
// TT days from J2000.0) crosses zero near the mean instant `mean`, moving at `meanRate`.
template <typename RoughAngle> double roughStart(RoughAngle angle, double mean, double meanRate) {
    const double ttShift = ttDaysSinceJ2000(mean) - (mean - j2000Jst); // TT − UT, days
    return roughRoot([&angle, ttShift](double t) { return angle(t - j2000Jst + ttShift); }, mean,
                     meanRate);
}

} // namespace

double SolarLongitudeInstant(int year, int degrees) {
    return cachedInstant(solarCache, std::pair{year, degrees}, [year, degrees] {
        const int fromEquinox = degrees >= 280 ? degrees - 360 : degrees; // [-80, 280)
        const double meanEquinox =
            static_cast<double>(St_YMD_to_Days(MakeDateText(year, 3, 20))) + 0.5; // within 2 days
        const double mean = meanEquinox + fromEquinox / sunMeanRate;
        const double guess =
            roughStart([degrees](double d) { return wrap180(roughSunLongitude(d) - degrees); },
                       mean, sunMeanRate);
        return sunAt(degrees, guess);
    });
}

double MoonPhaseInstant(long lunation, int quarter) {
    return cachedInstant(phaseCache, std::pair{lunation, quarter}, [lunation, quarter] {
        const double target = 90.0 * quarter;
        const double mean =
            meanNewMoonZero + (static_cast<double>(lunation) + quarter / 4.0) * synodicMonth;
        const double guess =
            roughStart([target](double d) { return wrap180(roughElongation(d) - target); }, mean,
                       elongationMeanRate);
        return elongationAt(target, guess);
    });
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
