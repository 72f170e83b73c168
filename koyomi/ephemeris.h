#pragma once

// The apparent geocentric ecliptic longitudes of the Sun and the Moon, referred to the true
// equinox and ecliptic of date, from ERFA.
//
// Instants are JST serial days: the integer part is the serial day (date/serial.h) of the
// Japanese date, the fraction the time of day in Japan Standard Time (UTC+9).

struct TtDate {
    double jd1; // the two parts of a Julian date in TT
    double jd2;
};

// The TT Julian date of a JST instant (date/delta_t.h gives TT − UTC).
TtDate TtOfJst(double jstInstant);

// Degrees in [0, 360).
double SunLongitude(const TtDate& tt);

struct SunAndMoon {
    double sun;  // degrees [0, 360)
    double moon; // degrees [0, 360)
};

// Both longitudes at one instant (one precession and nutation for both).
SunAndMoon SunAndMoonLongitudes(const TtDate& tt);
