#pragma once

// The difference between the time scale of the ephemerides (TT) and civil time (UTC, or UT
// before UTC existed), in seconds.

// TT − UTC at a UTC instant given as a Julian date (two parts, any split).
//
// - before 1960: ΔT = TT − UT from the polynomials of Espenak and Meeus ("Polynomial expressions
//   for Delta T", NASA Five Millennium Canon of Solar Eclipses, 2006), fits to the observed values;
// - 1960 to the end of 2025: 32.184 s + TAI − UTC from ERFA's table of leap seconds (eraDat), the
//   observed record: UTC is kept within 0.9 s of UT1;
// - from 2026: the published extrapolation of the same polynomials (2005–2050 and 2050–2150, then
//   the long-term parabola −20 + 32u² of Morrison and Stephenson, 2004), shifted to meet the last
//   observed value and blended back onto the extrapolation by 2150, so that it never jumps.
// Past 2100 the extrapolation is uncertain by minutes, and so are the instants derived from it.
double TtMinusUtcSeconds(double utcJd1, double utcJd2);

// ΔT = TT − UT of the Espenak–Meeus polynomials at a decimal year (the year plus the fraction
// elapsed), without the shift onto the observed record.
double EspenakMeeusDeltaT(double decimalYear);
