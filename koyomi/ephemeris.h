#pragma once

// The apparent geocentric ecliptic longitudes of the Sun and the Moon, and how fast they change,
// from ERFA.
//
// Instants are JST serial days: the integer part is the serial day (date/serial.h) of the
// Japanese date, the fraction the time of day in Japan Standard Time (UTC+9).

struct TtDate {
    double jd1; // the two parts of a Julian date in TT
    double jd2;
};

// The TT Julian date of a JST instant (koyomi/delta_t.h gives TT − UTC).
TtDate TtOfJst(double jstInstant);

// The ecliptic and equinox a longitude is referred to: the mean ecliptic and equinox of one date
// (a rotation from the GCRS), with the true equinox of that date (the nutation in longitude).
struct EclipticFrame {
    double rm[3][3]; // GCRS to the mean ecliptic and equinox of date
    double dpsi;     // nutation in longitude, radians
};

EclipticFrame FrameOfDate(const TtDate& tt);

struct Longitude {
    double degrees;      // [0, 360)
    double rate;         // degrees a day, as seen in the frame (its own motion left out)
    double acceleration; // degrees a day², the part a force towards the centre of the orbit gives
};

// The Sun's apparent longitude at `tt` in the frame of date; its rate includes the motion of the
// equinox (precession and nutation).
Longitude SunLongitude(const TtDate& tt);

// The Sun's and the Moon's apparent longitudes at `tt`, referred to `frame`, which may be the
// frame of a nearby date: the difference of the two hardly depends on the frame's date, since
// precession and nutation turn both alike.
Longitude SunLongitudeIn(const EclipticFrame& frame, const TtDate& tt);
Longitude MoonLongitudeIn(const EclipticFrame& frame, const TtDate& tt);
