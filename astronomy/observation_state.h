#pragma once
// The one shared record of the observation: date and time (MEZ), the site,
// and the latest results of the astronomical routines.

#include <cstdint>
#include <string>

// Field order and types are fixed; every routine that reads the date, time
// or site takes the record by reference, and several routines leave their
// results in it for the caller to read right afterwards.
struct ObservationState {
    std::uint16_t Day = 0;     ///< day of month, 1..31, MEZ calendar date
    std::uint16_t Month = 0;   ///< month, 1..12
    std::uint16_t Year = 0;    ///< full year, e.g. 2003
    std::uint16_t Hour = 0;    ///< hour, 0..23, MEZ (UTC+1, never summer time)
    std::uint16_t Minute = 0;  ///< minute, 0..59
    double Latitude = 0;       ///< site latitude, degrees, north positive
    double Longitude = 0;      ///< site longitude, degrees, east positive
    double MoonSemiDiameter = 0;      ///< arcseconds
    double LocalSiderealTime = 0;     ///< hours
    double Azimuth = 0;               ///< degrees from south through west, 0 <= A < 360
    double Altitude = 0;              ///< degrees above the horizon, geocentric
    double MoonEclipticLongitude = 0; ///< degrees, 0..360
    double MoonEclipticLatitude = 0;  ///< degrees
    double MoonDistance = 0;          ///< Earth radii
    double NutationInLongitude = 0;   ///< radians as written by the Moon position
    double SunEclipticLongitude = 0;  ///< degrees, 0 <= L < 360
    double SunEclipticLatitude = 0;   ///< degrees
    double SunDistance = 0;           ///< AU as written by the Sun position; rescaled by callers
    double MoonDeclination = 0;       ///< degrees
    double AxisPositionAngle = 0;     ///< P; radians from the ephemerides, degrees after the caller converts
    double MoonRightAscension = 0;    ///< degrees (not hours), 0 <= value < 360
    double LibrationLongitude = 0;    ///< L; radians, then degrees after conversion
    double LibrationLatitude = 0;     ///< B; radians, then degrees after conversion
    double TerminatorLongitude = 0;   ///< Lgr/Ls; radians, then degrees after conversion
    double SunSelenographicLatitude = 0; ///< Bs; radians, then degrees after conversion
    std::string SiteName;             ///< display name of the site
};
