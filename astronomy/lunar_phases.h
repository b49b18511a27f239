#pragma once
// The instants of the Moon's true phases: new moon, first quarter, full moon
// and last quarter, when the Moon's geocentric ecliptic longitude exceeds
// the Sun's by 0, 90, 180 and 270 degrees.

/// The four principal phases; the value is the quarter of the lunation.
enum class LunarPhase { NewMoon = 0, FirstQuarter = 1, FullMoon = 2, LastQuarter = 3 };

/// Julian date (UT) of the first phase of that kind strictly after jdUt.
///
/// Given:
///   jdUt   Julian date in universal time, days; any date of the years
///          1 to 9999
///   phase  which phase
/// Returned:
///   the Julian date (UT) of the phase, days: jdUt < result <= jdUt + about
///   29.9 days.
///
/// Notes:
///   1. The mean phase of lunation k (k = 0 the new moon of 6 January 2000)
///      with the periodic terms for the Sun's and Moon's anomalies, the
///      Moon's argument of latitude and node, the quarters' extra term W and
///      the fourteen planetary terms A1..A14: Meeus, ch. 49. Within a few
///      seconds of modern ephemerides for centuries around 2000 in
///      terrestrial time; far from 2000 the mean elements drift slowly.
///   2. The instant is turned from terrestrial into universal time with
///      DeltaTSeconds (astronomy/delta_t.h): about 1 min in 2000, 3.4 min in
///      2100; compared with an independent ephemeris over 1900-2100 the
///      result is within 2 minutes (tools/terminator_check/check_phases.mjs).
/// Reference: J. Meeus, Astronomical Algorithms, 2nd ed. (1998), ch. 49.
double NextPhaseInstant(double jdUt, LunarPhase phase);

/// Julian date (UT) of the last new moon at or before jdUt.
///
/// Given:
///   jdUt   Julian date in universal time, days; years 1 to 9999
/// Returned:
///   the Julian date (UT) of that new moon, days: jdUt - about 29.9 days <
///   result <= jdUt. Accuracy as NextPhaseInstant.
double PreviousNewMoon(double jdUt);
