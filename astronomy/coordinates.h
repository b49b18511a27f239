#pragma once
// Coordinate conversions: spherical and rectangular coordinates, ecliptic to
// equator, nutation, the Moon's right ascension and declination of date, its
// azimuth and altitude for the site, and map pixels to selenographic
// coordinates.
//
// Angles are degrees in every interface unless stated; rectangular vectors
// are in the unit of the radius they were built from.

#include "astronomy/angles.h"
#include "astronomy/observation_state.h"

/// Rectangular coordinates from spherical ones.
///
/// Given:
///   r          radius, any unit
///   latitude   degrees, -90..90
///   longitude  degrees, any value
/// Returned:
///   x, y, z    in the unit of r: x toward longitude 0, y toward longitude 90,
///              z toward latitude +90
void SphericalToCartesian(double r, double latitude, double longitude, double& x, double& y, double& z);

/// Rotates a vector from the mean ecliptic of date to the mean equator of date.
///
/// Given:
///   T        Julian centuries since J2000.0
///   x, y, z  ecliptic rectangular coordinates, any unit
/// Returned:
///   x, y, z  equatorial rectangular coordinates in the same unit (rotated
///            about the x axis by the mean obliquity; x unchanged)
///
/// Notes:
///   1. Mean obliquity 23.43929111 deg - (46.815 + (0.00059 - 0.001813 T) T) T
///      arcseconds (IAU 1976).
/// Reference: Montenbruck & Pfleger, Astronomy on the Personal Computer,
///   the routine ECLEQU.
void EclipticToEquatorial(double T, double& x, double& y, double& z);

/// Mean obliquity of the ecliptic in the linear form the nutation and the
/// physical ephemerides use.
///
/// Given:
///   T  Julian centuries since J2000.0
/// Returned:
///   radians: 0.4090928 - 0.00022696 T (23.4393 deg, less 46.8" per century)
///
/// Notes:
///   1. EclipticToEquatorial uses the full IAU 1976 polynomial instead; the
///      two agree to well below an arcsecond for centuries around J2000.
/// Reference: Montenbruck & Pfleger, Astronomy on the Personal Computer,
///   the routine NUTEQU.
inline double LinearMeanObliquity(double T) { return 0.4090928 - 0.00022696 * T; }

/// Turns a vector of the mean equator and equinox of date into the true
/// equator and equinox of date.
///
/// Given:
///   T        Julian centuries since J2000.0
///   x, y, z  mean equatorial rectangular coordinates, any unit
/// Returned:
///   x, y, z  true equatorial coordinates in the same unit (a first-order
///            rotation; the length changes by a part in 10^9 or so)
/// Writes NutationInLongitude: the nutation in longitude used, in radians.
///
/// Notes:
///   1. The four largest terms of the nutation in longitude and obliquity
///      (18.6-year node term, semi-annual and fortnightly terms), about 1"
///      accuracy.
/// Reference: Montenbruck & Pfleger, Astronomy on the Personal Computer,
///   the routines NUTMAT / NUTEQU.
void ApplyNutation(ObservationState& state, double T, double& x, double& y, double& z);

/// Spherical coordinates from rectangular ones.
///
/// Given:
///   x, y, z    rectangular coordinates, any unit
/// Returned:
///   r          radius in the same unit
///   latitude   degrees, -90..90 (0 for the null vector)
///   longitude  degrees, 0 <= longitude < 360 (0 on the z axis)
void CartesianToSpherical(double x, double y, double z, double& r, double& latitude, double& longitude);

/// A geocentric ecliptic position turned into right ascension and
/// declination of the true equator and equinox of date.
///
/// Given:
///   T          Julian centuries since J2000.0
///   distance   any unit
///   latitude   ecliptic latitude, degrees (mean ecliptic of date)
///   longitude  ecliptic longitude, degrees (mean equinox of date)
/// Returned:
///   rightAscension  degrees (not hours), 0 <= value < 360
///   declination     degrees, -90..90
///   radius          the length of the corrected vector, unit of `distance`
/// Writes NutationInLongitude (radians, from ApplyNutation).
///
/// Notes:
///   1. The steps, in this order: SphericalToCartesian,
///      EclipticToEquatorial, ApplyNutation, CartesianToSpherical. The Moon
///      and the Sun both take this road, so both are treated alike.
void EclipticToTrueEquatorial(ObservationState& state, double T, double distance, double latitude, double longitude,
                              double& rightAscension, double& declination, double& radius);

/// Geocentric right ascension, declination and distance of the Moon, true
/// equator and equinox of date.
///
/// Given:
///   T  Julian centuries since J2000.0 (JulianCenturies)
/// Returned:
///   rightAscension  degrees (not hours), 0 <= value < 360
///   declination     degrees, -90..90
///   distance        Earth radii (length of the nutation-corrected vector)
/// Writes MoonEclipticLongitude and MoonEclipticLatitude (degrees, mean
///   ecliptic of date, from MoonEclipticPosition) and NutationInLongitude
///   (radians, from ApplyNutation).
///
/// Notes:
///   1. The outputs may be bound to the state's own fields
///      (MoonRightAscension, MoonDeclination, MoonDistance); every caller
///      does so.
///   2. No aberration, no parallax: the position is geometric and geocentric.
void MoonPosition(ObservationState& state, double T, double& rightAscension, double& declination, double& distance);

/// Azimuth and altitude of an object for the site and observation time.
///
/// Given:
///   rightAscension  degrees, any value (not reduced)
///   declination     degrees, -90..90
///   longitude       site longitude, degrees, east positive
///   T               Julian centuries of the observation instant
/// Reads Latitude (degrees, unchanged) and the date and time.
/// Writes LocalSiderealTime (hours, through UpdateLocalSiderealTime),
///   Altitude (degrees, -90..90, geocentric, no refraction) and
///   Azimuth (degrees from the south point through west: south 0, west 90,
///   north 180, east 270; 0 <= value < 360).
///
/// Notes:
///   1. The azimuth is found from both its sine and its cosine side
///      (sin H cos dec against cos H cos dec sin lat - sin dec cos lat), so
///      it is right in all four quadrants, including objects north of the
///      prime vertical, and stays defined at the zenith (azimuth 0 there).
///   2. The hour angle is 15 * LocalSiderealTime - rightAscension and is not
///      reduced.
/// Reference: Meeus, Astronomical Algorithms, ch. 13 (azimuth from the south).
void HorizontalPosition(ObservationState& state, double rightAscension, double declination, double longitude, double T);

/// Radius of the lunar disc on the Moon map, in pixels.
inline constexpr double MapDiscRadius = 193.0;
/// Selenographic latitude and longitude at the centre of the map's disc,
/// degrees: the fixed libration of the map's picture.
inline constexpr double MapCentreLatitude = 7.35;
inline constexpr double MapCentreLongitude = 6.33333333333333;

/// Selenographic coordinates of a point on the Moon map.
///
/// Given:
///   x, y  pixels from the centre of the map's lunar disc, x to the right,
///         y upward; the point must lie strictly inside the disc
///         (x*x + y*y < MapDiscRadius^2), otherwise the results are NaN
/// Returned:
///   latitude, longitude  selenographic, degrees, north and east positive.
///
/// Notes:
///   1. The disc is read as an orthographic view of a globe centred on
///      latitude 0, longitude 0; the fixed libration of the map's picture is
///      then added (MapCentreLatitude, MapCentreLongitude); the globe is
///      not turned.
void MapToSelenographic(int x, int y, double& latitude, double& longitude);
