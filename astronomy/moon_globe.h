#pragma once
// The Moon's globe in space at the observation instant: how it is turned,
// where it stands as seen from the site, and from where the Sun lights it.
// Everything that must know where a point of the Moon appears on the sky
// (the shadow of a mountain, the eyepiece view, a calibrated photograph)
// projects it through this one model.

#include "astronomy/observation_state.h"
#include "astronomy/selenographic_point.h"
#include "astronomy/sun_over_moon.h"
#include "astronomy/vector3.h"

#include <optional>

/// The Moon's mean radius, kilometres.
inline constexpr double MoonRadiusKm = 1738.0;

/// An offset on the sky from the apparent centre of the Moon's disc as seen
/// from the site, arcseconds, in the tangent plane: East toward increasing
/// right ascension, North toward the celestial north pole (true equator of
/// date).
struct SkyOffset {
    double East = 0;
    double North = 0;
};

/// The Moon's globe at one instant, seen from one site.
///
/// Frames: "equatorial" is the true equator and equinox of date, centred on
/// the Earth, kilometres; "body" is the Moon's selenographic frame, centred
/// on the Moon, kilometres: x toward latitude 0 longitude 0, y toward
/// longitude 90 east, z toward the north pole.
struct MoonGlobe {
    double JulianDateUt = 0;  ///< days, the instant (the state's whole minute)
    Vector3 AxisX;            ///< body x axis, unit vector in the equatorial frame
    Vector3 AxisY;            ///< body y axis, unit vector in the equatorial frame
    Vector3 AxisZ;            ///< body z axis (the north pole), unit vector, equatorial
    Vector3 MoonFromEarth;    ///< km, the Moon's centre from the Earth's centre
    Vector3 SiteFromEarth;    ///< km, the site from the Earth's centre
    Vector3 SunDirection;     ///< unit vector in the body frame: where the Sun stands seen
                              ///< from the Moon (the subsolar point of ComputeSunOverMoon)
};

/// The Earth's sidereal rotation: sidereal time gained per unit of universal time.
inline constexpr double SiderealPerSolar = 1.0027379093;

/// The globe for the state's date, time and site.
///
/// Runs ComputeSunOverMoon (Moon position, Sun position, physical
/// ephemerides in degrees) and UpdateLocalSiderealTime, and writes every
/// field those write, as the reports leave them. Reads Latitude and
/// Longitude of the site.
///
/// Notes:
///   1. The body frame is fixed by the Moon's geocentric direction and the
///      libration L, B and position angle P of the physical ephemerides: the
///      Earth's centre lies over (B, L) and the pole is seen at position
///      angle P. Every selenographic quantity here therefore agrees with the
///      physical ephemerides report for the Earth's centre.
///   2. The site stands on the reference ellipsoid (equatorial radius
///      EarthRadiusKm, flattening 1/298.257) at height 0, turned by the local
///      sidereal time (Meeus, Astronomical Algorithms, ch. 11).
///   3. Positions are geometric: no aberration, no light time, no refraction.
///      Over the Moon's disc they shift every point alike, to well under 0.1"
///      relative to each other.
MoonGlobe ViewMoonGlobe(ObservationState& state);

/// The globe from the results a caller left in the state, computing nothing
/// anew: ViewMoonGlobe without its first two steps.
///
/// Given:
///   ephemerides  a state after the Moon position and the physical
///                ephemerides in degrees, and after UpdateLocalSiderealTime
///                (or HorizontalPosition) for its site. Reads
///                MoonRightAscension, MoonDeclination, MoonDistance,
///                LibrationLongitude, LibrationLatitude, AxisPositionAngle,
///                LocalSiderealTime, Latitude and the date and time.
///   sun          the Sun over the Moon at that instant
MoonGlobe GlobeFromEphemerides(const ObservationState& ephemerides, const SunOverMoon& sun);

/// Unit vector toward a right ascension and declination (degrees), true
/// equator of date.
Vector3 EquatorialUnitVector(double rightAscension, double declination);

/// A site on the reference ellipsoid at height 0 seen from the Earth's
/// centre, km, true equator of date.
///
/// Given: the site's latitude, degrees; its local sidereal time, hours.
Vector3 SiteFromEarthCentre(double latitude, double localSiderealHours);

/// The site's zenith: the outward normal of the reference ellipsoid at a
/// site (SiteFromEarthCentre), unit vector, true equator of date. It leans
/// from the direction of the site seen from the Earth's centre by up to
/// 0.19 degrees (geodetic against geocentric latitude).
Vector3 ZenithAtSite(Vector3 siteFromEarth);

/// The altitude of an object (its centre, km from the Earth's centre) over
/// the site's horizon as seen from the site itself (topocentric, with the
/// parallax), degrees, -90..90, no refraction.
double AltitudeFromSite(Vector3 siteFromEarth, Vector3 objectFromEarth);

/// Body-frame vector of a point at `radiusKm` from the Moon's centre above
/// the selenographic point.
Vector3 SelenographicToBody(SelenographicPoint point, double radiusKm = MoonRadiusKm);

/// Selenographic latitude and longitude (-180 < longitude <= 180) of the
/// direction of a body-frame vector (not the null vector).
SelenographicPoint BodyToSelenographic(Vector3 body);

/// A body-frame vector turned into the equatorial frame (rotation only).
Vector3 BodyToEquatorial(const MoonGlobe& globe, Vector3 body);

/// An equatorial vector turned into the body frame (rotation only).
Vector3 EquatorialToBody(const MoonGlobe& globe, Vector3 equatorial);

/// The Moon's centre seen from the site, km, equatorial frame.
Vector3 MoonFromSite(const MoonGlobe& globe);

/// The tangent plane of the sky at the disc's apparent centre seen from the
/// site: unit vectors, equatorial frame. The frame SkyOffset counts in.
struct SkyFrame {
    Vector3 Centre;  ///< from the site toward the Moon's centre
    Vector3 East;    ///< toward increasing right ascension
    Vector3 North;   ///< toward the celestial north pole
};
SkyFrame SkyFrameFromSite(const MoonGlobe& globe);

/// Where a point of the globe (body frame, km) appears from the site:
/// its tangent-plane offset from the apparent centre of the disc.
SkyOffset SkyOffsetFromSite(const MoonGlobe& globe, Vector3 bodyPoint);

/// Whether a point of the surface (body frame) lies on the hemisphere the
/// site sees (its line of sight meets the surface there first).
bool VisibleFromSite(const MoonGlobe& globe, Vector3 bodySurfacePoint);

/// The point of the sphere of `radiusKm` that the site sees at a sky offset:
/// the first place where that line of sight meets the sphere; empty when it
/// passes beside the sphere.
std::optional<SelenographicPoint> SurfacePointAt(const MoonGlobe& globe, SkyOffset offset,
                                                 double radiusKm = MoonRadiusKm);

/// The selenographic point under the site: the topocentric libration in
/// latitude and longitude (the apparent centre of the disc as seen from the
/// site). For the Earth's centre it would be (B, L).
SelenographicPoint SubObserverPoint(const MoonGlobe& globe);

/// The Moon's apparent semi-diameter seen from the site, arcseconds
/// (the angle under which the sphere of MoonRadiusKm appears).
double SemiDiameterFromSite(const MoonGlobe& globe);

/// Position angle of the Moon's north pole seen from the site, degrees,
/// 0 <= value < 360, counted from the north point through east.
double AxisPositionAngleFromSite(const MoonGlobe& globe);

/// The parallactic angle at the Moon's apparent centre: the position angle
/// of the site's zenith, degrees, -180 < q <= 180, counted from the north
/// point through east: positive while the Moon stands west of the meridian
/// (hour angle 0..180 degrees), 0 or 180 on it. A picture turned so that
/// the zenith is up is turned by q against one with north up.
/// Within 0.015 degrees of astronomy-engine's zenith at the Moon's place
/// (tools/terminator_check/check_eyepiece.mjs).
/// Reference: Meeus, Astronomical Algorithms, ch. 14 (tan q = sin H /
///   (tan phi cos delta - sin delta cos H)), here from the vectors.
double ParallacticAngleFromSite(const MoonGlobe& globe);

/// The altitude of the Moon's centre over the site's horizon, seen from the
/// site (with the parallax), degrees, no refraction.
double MoonAltitudeFromSite(const MoonGlobe& globe);
