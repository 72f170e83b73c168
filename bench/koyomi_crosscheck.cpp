// The solar terms and the moon's phases of 1900–2100 computed a second way and compared with the
// 暦's: the Sun from VSOP87 and the Moon from ELP 2000-82B as libnova implements them (no ERFA),
// found by a root search of its own. Both use the same ΔT, so what differs is the astronomy.
// Prints the largest difference of each kind and how many events round to another minute.
//
// Usage: koyomi_crosscheck [FIRST LAST]   (years, 1900 2100 by default)

#include "koyomi/ephemeris.h"
#include "koyomi/events.h"
#include "koyomi/koyomi.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <libnova/lunar.h>
#include <libnova/nutation.h>
#include <libnova/solar.h>

namespace {

double wrap180(double degrees) {
    double a = std::fmod(degrees, 360.0);
    if (a > 180.0) {
        a -= 360.0;
    } else if (a <= -180.0) {
        a += 360.0;
    }
    return a;
}

double ttJd(double jstInstant) {
    const TtDate tt = TtOfJst(jstInstant);
    return tt.jd1 + tt.jd2;
}

// The general precession in longitude from J2000 (Lieske 1977: 5029.0966″ T + 1.11113″ T²).
double precessionSinceJ2000(double jde) {
    const double t = (jde - 2451545.0) / 36525.0;
    return (5029.0966 * t + 1.11113 * t * t) / 3600.0;
}

// Apparent longitude of the Sun: VSOP87 geometric (libnova gives the equinox of J2000), carried
// to the equinox of date, plus the nutation in longitude and the annual aberration
// (−20.4898″ / R).
double sunLongitude(double jde) {
    ln_helio_posn sun{};
    ln_get_solar_geom_coords(jde, &sun);
    ln_nutation nutation{};
    ln_get_nutation(jde, &nutation);
    return sun.L + precessionSinceJ2000(jde) + nutation.longitude - 20.4898 / 3600.0 / sun.R;
}

// ELP 2000-82B, full series, carried to the equinox of date like the Sun (precession and
// nutation cancel in the elongation, so only the theories differ).
double elongation(double jde) {
    ln_lnlat_posn moon{};
    ln_get_lunar_ecl_coords(jde, &moon, 0.0);
    ln_nutation nutation{};
    ln_get_nutation(jde, &nutation);
    return moon.lng + precessionSinceJ2000(jde) + nutation.longitude - sunLongitude(jde);
}

template <typename F> double root(F f, double guess) {
    double t0 = guess;
    double f0 = f(t0);
    double t1 = t0 + 0.001;
    for (int i = 0; i < 40; ++i) {
        const double f1 = f(t1);
        if (f1 == f0) {
            break;
        }
        const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
        t0 = t1;
        f0 = f1;
        t1 = t2;
        if (std::fabs(t1 - t0) < 1e-8) {
            break;
        }
    }
    return t1;
}

struct Tally {
    double largest = 0.0; // seconds
    double at = 0.0;
    long events = 0;
    long otherMinute = 0;

    void add(double ours, double theirs) {
        const double seconds = std::fabs(ours - theirs) * 86400.0;
        if (seconds > largest) {
            largest = seconds;
            at = ours;
        }
        ++events;
        otherMinute += RoundedMinute(ours) != RoundedMinute(theirs) ? 1 : 0;
    }
};

} // namespace

int main(int argc, char** argv) {
    const int first = argc > 2 ? std::atoi(argv[1]) : 1900;
    const int last = argc > 2 ? std::atoi(argv[2]) : 2100;
    Tally terms;
    Tally phases;
    for (int year = first; year <= last; ++year) {
        for (const KoyomiEvent& term : KoyomiOfYear(year)->solarTerms) {
            const double target =
                std::round(std::fmod(sunLongitude(ttJd(term.instant)) + 360.0, 360.0) / 15.0) *
                15.0;
            terms.add(term.instant,
                      root([target](double t) { return wrap180(sunLongitude(ttJd(t)) - target); },
                           term.instant));
        }
        int quarter = 0;
        for (const KoyomiEvent& phase : MoonPhasesOfYear(year)) {
            quarter = phase.name == "朔"     ? 0
                      : phase.name == "上弦" ? 1
                      : phase.name == "望"   ? 2
                                             : 3;
            const double target = 90.0 * quarter;
            phases.add(phase.instant,
                       root([target](double t) { return wrap180(elongation(ttJd(t)) - target); },
                            phase.instant));
        }
    }
    std::printf("%d–%d, the 暦 (ERFA) against VSOP87 + ELP 2000-82B (libnova), same ΔT\n", first,
                last);
    std::printf("solar terms: %ld, largest difference %.1f s (%s), %ld round to another minute\n",
                terms.events, terms.largest, InstantText(terms.at).c_str(), terms.otherMinute);
    std::printf("moon phases: %ld, largest difference %.1f s (%s), %ld round to another minute\n",
                phases.events, phases.largest, InstantText(phases.at).c_str(), phases.otherMinute);
    return 0;
}
