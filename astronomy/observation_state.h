#pragma once
// The one shared record of the observation: date and time (MEZ), the site,
// and the latest results of the astronomical routines.

#include <cstdint>
#include <string>

/// The observation context and the astronomical results of the moment.
///
/// The application owns exactly one instance, zero-filled at start; every
/// window gets it by reference, tests build their own. It has no behaviour:
/// the routines of Rechn.h read the date, time and site from it and several
/// leave their results in it, so callers run them in the documented order
/// and read the results right afterwards. Nothing marks a result as stale.
///
/// Conventions: Hour and Minute are Central European time without summer
/// time (MEZ = UT + 1 h); every routine subtracts exactly one hour. Angles
/// are degrees, north and east positive, except where a field says radians.
/// Field order and types are fixed.
struct ObservationState {
    // Inputs: written by the clock reading at start (SetClockTime) and the
    // time dialog (date and time), the site dialog (site).
    std::uint16_t Day = 0;     ///< day of month, 1..31, MEZ calendar date
    std::uint16_t Month = 0;   ///< month, 1..12
    std::uint16_t Year = 0;    ///< full year, e.g. 2003
    std::uint16_t Hour = 0;    ///< hour, 0..23, MEZ (UTC+1, never summer time)
    std::uint16_t Minute = 0;  ///< minute, 0..59; seconds are not held
    double Latitude = 0;       ///< site latitude, degrees, -90..90, north positive
    double Longitude = 0;      ///< site longitude, degrees, -180..180, east positive

    // Results.
    double MoonSemiDiameter = 0;          ///< arcseconds, geocentric (SetMoonSemiDiameter)
    double LocalSiderealTime = 0;         ///< hours; [0, 24) from 2001 on, (-24, 0] possible
                                          ///< before (UpdateLocalSiderealTime)
    double Azimuth = 0;                   ///< degrees from south through west, 0 <= A < 360
                                          ///< (HorizontalPosition)
    double Altitude = 0;                  ///< degrees, -90..90, geocentric, no refraction
                                          ///< (HorizontalPosition)
    double MoonEclipticLongitude = 0;     ///< degrees, 0..360, mean ecliptic of date (MoonPosition)
    double MoonEclipticLatitude = 0;      ///< degrees, about -5.3..5.3 (MoonPosition)
    double MoonDistance = 0;              ///< Earth radii, geocentric (bound to MoonPosition's output)
    double NutationInLongitude = 0;       ///< radians as MoonPosition writes it; multiplied by
                                          ///< DegreeFactor in place by PhysicalEphemerides
    double SunEclipticLongitude = 0;      ///< degrees, 0 <= L < 360 (bound to SunPosition's output)
    double SunEclipticLatitude = 0;       ///< degrees (bound to SunPosition's output)
    double SunDistance = 0;               ///< AU as SunPosition writes it; the callers rescale it
                                          ///< with SunDistanceForEphemerides before
                                          ///< PhysicalEphemerides
    double MoonDeclination = 0;           ///< degrees, -90..90, true equator of date
                                          ///< (bound to MoonPosition's output)
    double AxisPositionAngle = 0;         ///< P; radians from PhysicalEphemerides, degrees after
                                          ///< the caller converts; [0, 90] or [270, 360) degrees
    double MoonRightAscension = 0;        ///< degrees (not hours), 0 <= value < 360
                                          ///< (bound to MoonPosition's output)
    double LibrationLongitude = 0;        ///< L; radians, then degrees after conversion
    double LibrationLatitude = 0;         ///< B; radians, then degrees after conversion
    double TerminatorLongitude = 0;       ///< Lgr/Ls; radians, then degrees after conversion;
                                          ///< -90..90 degrees
    double SunSelenographicLatitude = 0;  ///< Bs; radians, then degrees after conversion

    std::string SiteName;  ///< display name of the site (site dialog)
};
