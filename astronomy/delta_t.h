#pragma once
// Delta T: how far terrestrial time (the even time scale of the lunar and
// solar theories) runs ahead of universal time (the Earth's rotation, the
// time of the clock and of the observation state).

/// Terrestrial time minus universal time.
///
/// Given:
///   decimalYear  the instant as a year with fraction, e.g. 2026.93 for
///                7 December 2026; any value
/// Returned:
///   Delta T in seconds (about 64 s in 2000, 69 s in 2025, 203 s in 2100).
///
/// Notes:
///   1. The polynomials of Espenak & Meeus, one per span of years from
///      -500 to 2150; before and after, the long-term parabola
///      -20 + 32 u^2 (u in centuries since 1820) they join.
///   2. From 1900 to 2005 they follow the measured values to about a
///      second; after 2005 they are an extrapolation whose error grows to
///      about a minute by 2100. Before 1600 the uncertainty is minutes to
///      hours, as it is for any Delta T.
///   3. The program holds its instants in UT to the minute; Delta T turns
///      an instant computed in terrestrial time (a phase of the Moon) into
///      the UT the observer's clock shows.
/// Reference: F. Espenak and J. Meeus, Five Millennium Canon of Solar
///   Eclipses: -1999 to +3000, NASA/TP-2006-214141 (2006), section 2.6.
double DeltaTSeconds(double decimalYear);

/// The decimal year of a Julian date, as DeltaTSeconds expects it: 2000.0
/// at J2000.0 (JD 2451545.0), advancing by 365.25 days a year.
double DecimalYear(double julianDate);
