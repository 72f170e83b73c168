#pragma once

// Instants of the solar terms and of the moon's phases, found by root-finding on the apparent
// longitudes (koyomi/ephemeris.h). Instants are JST serial days (integer part: the serial day of
// the Japanese date; fraction: the time of day in JST). Each instant is computed once per process
// and kept.

// The instant in the Gregorian `year` (Japanese date) at which the Sun's apparent longitude is
// `degrees` (0 = 春分; 0 <= degrees < 360). Longitudes from 280° up fall in January to March, the
// others in March to December.
double SolarLongitudeInstant(int year, int degrees);

// Phase quarter: 0 朔 (Moon − Sun = 0°), 1 上弦 (90°), 2 望 (180°), 3 下弦 (270°).
// `lunation` counts new moons from the one of 6 January 2000 (lunation 0); it may be negative.
double MoonPhaseInstant(long lunation, int quarter);

// Forgets the instants computed so far.
void ForgetEventInstants();

// The lunation whose new moon is the last one at or before the JST instant.
long LunationAt(double jstInstant);

// The instant rounded to the nearest minute, as minutes since the start of serial day 0 (JST).
long long RoundedMinute(double jstInstant);
