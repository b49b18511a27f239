#pragma once
// Time scales of the observation: Modified and ordinary Julian Date, Julian
// centuries since J2000.0, the Moon's age and the local sidereal time.
//
// The state holds the civil time of Central Europe without summer time
// (MEZ = UT + 1 h). Every routine here that reads the state turns it into
// universal time by the hour value Hour + Minute/60 - 1, which lies between
// -1 and 0 for 00:00 to 00:59 MEZ and then means 23:xx UT of the day before.
// The positions take UT as it is; only the Moon's age, counted from phase
// instants computed in terrestrial time, corrects by Delta T.

#include "astronomy/observation_state.h"

/// Mean length of the synodic month in days (29 d 12 h 44 min 3 s).
inline constexpr double SynodicMonth = 29.530590277777778;

/// Modified Julian Date of a calendar date and time of day.
///
/// Given:
///   day, month, year  calendar date; dates up to 4 October 1582 are read in
///                     the Julian calendar, from 15 October 1582 on in the
///                     Gregorian calendar (the dates between do not exist)
///   hour              time of day in hours; may be negative or 24 and more,
///                     it simply moves the result by hour/24 days
/// Returned:
///   the Modified Julian Date (days since 17 November 1858, 0h).
///
/// Notes:
///   1. Nothing is validated: 31 February gives the MJD of 2 or 3 March.
///   2. The calendar is chosen from the key year*10000 + month*100 + day of
///      the arguments as given.
/// Reference: Montenbruck & Pfleger, Astronomy on the Personal Computer,
///   the routine MJD.
double ModifiedJulianDate(int day, int month, int year, double hour);

/// Modified Julian Date of the observation instant in universal time.
/// Reads Day, Month, Year, Hour, Minute; writes nothing.
double ObservationModifiedJulianDate(const ObservationState& state);

/// Julian Date of the observation instant (UT).
/// Reads Day, Month, Year, Hour, Minute; writes nothing.
/// Returned: ObservationModifiedJulianDate + 2400000.5, in days.
double JulianDate(const ObservationState& state);

/// Julian centuries of 36525 days between J2000.0 (MJD 51544.5) and the
/// observation instant (UT). Reads Day, Month, Year, Hour, Minute.
/// Returned: T, negative before 1 January 2000, 12h UT.
double JulianCenturies(const ObservationState& state);

/// Age of the Moon: days since the last true new moon at the observation
/// instant.
///
/// Reads Day, Month, Year, Hour, Minute (through JulianDate); writes nothing.
/// Returned: days, 0 <= age < the length of the current lunation, which
///   varies between about 29.27 and 29.84 days (SynodicMonth is its mean);
///   the full moon falls at ages between about 13.9 and 15.6 days.
///
/// Notes:
///   1. Counted from PreviousNewMoon (astronomy/lunar_phases.h, Meeus
///      ch. 49 with Delta T), so it is 0 at the instant of the true new
///      moon; within 0.05 days of an independent ephemeris over 1900-2100
///      (tools/terminator_check/check_phases.mjs).
double MoonAge(const ObservationState& state);

/// Local mean sidereal time of the site at the observation instant.
///
/// Given:
///   T               Julian centuries of the observation instant
///                   (JulianCenturies of the same state)
///   longitudeHours  site longitude in hours (degrees / 15), east positive
/// Reads Day, Month, Year, Hour, Minute.
/// Writes LocalSiderealTime, in hours: 0 <= value < 24 whenever the sum of
///   Greenwich sidereal time and longitude is not negative (every site, every
///   date from 2001 on); otherwise in (-24, 0], since the reduction keeps the
///   sign.
///
/// Reference: the IAU 1982 expression of Greenwich mean sidereal time at 0h UT
///   (Meeus, Astronomical Algorithms, ch. 12) advanced by the sidereal rate.
void UpdateLocalSiderealTime(ObservationState& state, double T, double longitudeHours);
