#pragma once
// The ephemeris table: for a range of moments, one row with everything the
// three reports show, plus the Sun's colongitude and its altitude at the
// site. The window "Beobachtungsplaner" and the command line print it.

#include "astronomy/observation_state.h"
#include "observing/mez_moment.h"

#include <cstdint>

/// One row of the table: the values of one moment, in the units of the
/// observation state (degrees, Earth radii, days).
struct EphemerisRow {
    MezMoment Moment;                     ///< MEZ
    double JulianDate = 0;                ///< days, UT (JulianDate)
    double RightAscensionHours = 0;       ///< hours, 0..24: MoonRightAscension / 15
    double Declination = 0;               ///< degrees, true equator of date
    double Azimuth = 0;                   ///< degrees from the south point through west, 0..360
    double Altitude = 0;                  ///< degrees, geocentric, no refraction
    double EclipticLongitude = 0;         ///< degrees, 0..360, mean ecliptic of date
    double EclipticLatitude = 0;          ///< degrees
    double Distance = 0;                  ///< Earth radii
    double LibrationLongitude = 0;        ///< degrees (L)
    double LibrationLatitude = 0;         ///< degrees (B)
    double AxisPositionAngle = 0;         ///< degrees (P)
    double SunSelenographicLatitude = 0;  ///< degrees (Bs)
    double TerminatorLongitude = 0;       ///< degrees, -90..90 (Lgr/Ls)
    double Colongitude = 0;               ///< degrees, 0 <= value < 360: 90 - the subsolar longitude
    double MoonAge = 0;                   ///< days since new moon, 0..29.53
    double SunAltitude = 0;               ///< degrees, the Sun above the site's horizon
};

/// The row for the state's date, time and site.
///
/// Runs the reports' routines in the reports' order, so that every value is
/// the very number the reports show:
///   1. as the Moon position report: MoonPosition (into MoonRightAscension,
///      MoonDeclination, MoonDistance), HorizontalPosition for the site,
///      JulianDate;
///   2. as the physical ephemerides report: ComputePhysicalEphemeridesInDegrees
///      (Moon and Sun anew, the Sun's distance rescaled, the ephemerides in
///      degrees), and from its results the colongitude
///      (SunOverMoonFromEphemerides);
///   3. as the observing conditions report: MoonAge;
///   4. the Sun's altitude at the site (SunHorizontalPosition, on a copy).
/// Every result of steps 1 to 3 stays in the state as the reports leave it.
EphemerisRow ComputeEphemerisRow(ObservationState& state);

/// The moments of a table: from `First` every `StepMinutes` minutes, as
/// long as the moment lies on or before the day `LastDay` (its time of day
/// is not used: the table runs to the end of that day).
struct EphemerisTableRange {
    MezMoment First;
    MezMoment LastDay;
    int StepMinutes = 60;  ///< >= 1

    /// How many rows; 0 when LastDay lies before First's day.
    std::int64_t RowCount() const;
    /// The moment of row `index`, 0 <= index < RowCount().
    MezMoment RowMoment(std::int64_t index) const;
};
