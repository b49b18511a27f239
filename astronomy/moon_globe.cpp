#include "astronomy/moon_globe.h"

#include "astronomy/angles.h"
#include "astronomy/calendar.h"
#include "astronomy/coordinates.h"
#include "astronomy/distance_units.h"
#include "astronomy/sun_over_moon.h"

#include <cmath>

namespace {

constexpr double ArcsecondsPerRadian = 206264.80624709636;
/// Polar over equatorial radius of the Earth's reference ellipsoid (1 - 1/298.257).
constexpr double EarthAxisRatio = 0.99664719;

/// North and east unit vectors of the tangent plane at a direction.
void SkyBasis(Vector3 direction, Vector3& east, Vector3& north)
{
    const Vector3 pole{0, 0, 1};
    Vector3 e = Cross(pole, direction);
    // Exactly at a celestial pole every direction is south; east is then taken
    // toward right ascension 90 degrees.
    if (Length(e) < 1e-15) e = {0, 1, 0};
    east = Unit(e);
    north = Cross(direction, east);
}

}  // namespace

Vector3 EquatorialUnitVector(double rightAscension, double declination)
{
    const double a = rightAscension * DegreeFactor;
    const double d = declination * DegreeFactor;
    return {std::cos(d) * std::cos(a), std::cos(d) * std::sin(a), std::sin(d)};
}

Vector3 SiteFromEarthCentre(double latitude, double localSiderealHours)
{
    const double phi = latitude * DegreeFactor;
    const double u = std::atan(EarthAxisRatio * std::tan(phi));
    const double rhoSin = EarthAxisRatio * std::sin(u);
    const double rhoCos = std::cos(u);
    const double theta = localSiderealHours * 15.0 * DegreeFactor;
    return {EarthRadiusKm * rhoCos * std::cos(theta), EarthRadiusKm * rhoCos * std::sin(theta), EarthRadiusKm * rhoSin};
}

Vector3 ZenithAtSite(Vector3 siteFromEarth)
{
    // The normal of the ellipsoid x^2 + y^2 + (z / ratio)^2 = a^2.
    return Unit({siteFromEarth.X, siteFromEarth.Y, siteFromEarth.Z / (EarthAxisRatio * EarthAxisRatio)});
}

double AltitudeFromSite(Vector3 siteFromEarth, Vector3 objectFromEarth)
{
    return std::asin(Dot(Unit(objectFromEarth - siteFromEarth), ZenithAtSite(siteFromEarth))) / DegreeFactor;
}

MoonGlobe ViewMoonGlobe(ObservationState& state)
{
    const SunOverMoon sun = ComputeSunOverMoon(state);
    UpdateLocalSiderealTime(state, JulianCenturies(state), state.Longitude / 15.0);
    return GlobeFromEphemerides(state, sun);
}

MoonGlobe GlobeFromEphemerides(const ObservationState& state, const SunOverMoon& sun)
{
    MoonGlobe globe;
    globe.JulianDateUt = JulianDate(state);
    const Vector3 towardMoon = EquatorialUnitVector(state.MoonRightAscension, state.MoonDeclination);
    globe.MoonFromEarth = (state.MoonDistance * EarthRadiusKm) * towardMoon;
    globe.SiteFromEarth = SiteFromEarthCentre(state.Latitude, state.LocalSiderealTime);

    // The Earth's centre lies over (B, L) and the pole is seen at position
    // angle P: both frames are fixed by two vectors, the direction to the
    // Earth and the pole, which make the same angle in each.
    const double b = state.LibrationLatitude * DegreeFactor;
    const double l = state.LibrationLongitude * DegreeFactor;
    const double p = state.AxisPositionAngle * DegreeFactor;
    Vector3 east, north;
    SkyBasis(towardMoon, east, north);
    const Vector3 towardEarth = -towardMoon;
    const Vector3 pole = std::sin(b) * towardEarth + std::cos(b) * (std::cos(p) * north + std::sin(p) * east);
    // In the body frame: pole = z, the Earth's meridian = (cos L, sin L, 0).
    const Vector3 meridian = Unit(towardEarth - std::sin(b) * pole);
    const Vector3 ninetyEast = Cross(pole, meridian);
    // body x = cos L * meridian - sin L * ninetyEast, body y = sin L * meridian + cos L * ninetyEast.
    globe.AxisX = std::cos(l) * meridian - std::sin(l) * ninetyEast;
    globe.AxisY = std::sin(l) * meridian + std::cos(l) * ninetyEast;
    globe.AxisZ = pole;

    globe.SunDirection = SelenographicToBody({sun.SubsolarLatitude, sun.SubsolarLongitude}, 1.0);
    return globe;
}

Vector3 SelenographicToBody(SelenographicPoint point, double radiusKm)
{
    const double b = point.Latitude * DegreeFactor;
    const double l = point.Longitude * DegreeFactor;
    return {radiusKm * std::cos(b) * std::cos(l), radiusKm * std::cos(b) * std::sin(l), radiusKm * std::sin(b)};
}

SelenographicPoint BodyToSelenographic(Vector3 body)
{
    const double horizontal = std::hypot(body.X, body.Y);
    return {std::atan2(body.Z, horizontal) / DegreeFactor, std::atan2(body.Y, body.X) / DegreeFactor};
}

Vector3 BodyToEquatorial(const MoonGlobe& globe, Vector3 body)
{
    return body.X * globe.AxisX + body.Y * globe.AxisY + body.Z * globe.AxisZ;
}

Vector3 EquatorialToBody(const MoonGlobe& globe, Vector3 equatorial)
{
    return {Dot(equatorial, globe.AxisX), Dot(equatorial, globe.AxisY), Dot(equatorial, globe.AxisZ)};
}

Vector3 MoonFromSite(const MoonGlobe& globe) { return globe.MoonFromEarth - globe.SiteFromEarth; }

SkyFrame SkyFrameFromSite(const MoonGlobe& globe)
{
    SkyFrame frame;
    frame.Centre = Unit(MoonFromSite(globe));
    SkyBasis(frame.Centre, frame.East, frame.North);
    return frame;
}

SkyOffset SkyOffsetFromSite(const MoonGlobe& globe, Vector3 bodyPoint)
{
    const Vector3 centre = Unit(MoonFromSite(globe));
    Vector3 east, north;
    SkyBasis(centre, east, north);
    const Vector3 line = MoonFromSite(globe) + BodyToEquatorial(globe, bodyPoint);
    const double depth = Dot(line, centre);
    return {Dot(line, east) / depth * ArcsecondsPerRadian, Dot(line, north) / depth * ArcsecondsPerRadian};
}

bool VisibleFromSite(const MoonGlobe& globe, Vector3 bodySurfacePoint)
{
    // Seen from the site, the outward normal must point back toward it.
    const Vector3 siteFromPoint = -(MoonFromSite(globe) + BodyToEquatorial(globe, bodySurfacePoint));
    return Dot(BodyToEquatorial(globe, bodySurfacePoint), siteFromPoint) > 0;
}

std::optional<SelenographicPoint> SurfacePointAt(const MoonGlobe& globe, SkyOffset offset, double radiusKm)
{
    const Vector3 centreFromSite = MoonFromSite(globe);
    const Vector3 centre = Unit(centreFromSite);
    Vector3 east, north;
    SkyBasis(centre, east, north);
    const Vector3 ray =
        Unit(centre + (offset.East / ArcsecondsPerRadian) * east + (offset.North / ArcsecondsPerRadian) * north);
    // |s * ray - centreFromSite| = radius: the nearer root.
    const double along = Dot(ray, centreFromSite);
    const double missSquared = Dot(centreFromSite, centreFromSite) - along * along;
    const double halfChordSquared = radiusKm * radiusKm - missSquared;
    if (halfChordSquared < 0) return std::nullopt;
    const double s = along - std::sqrt(halfChordSquared);
    return BodyToSelenographic(EquatorialToBody(globe, s * ray - centreFromSite));
}

SelenographicPoint SubObserverPoint(const MoonGlobe& globe)
{
    return BodyToSelenographic(EquatorialToBody(globe, -MoonFromSite(globe)));
}

double SemiDiameterFromSite(const MoonGlobe& globe)
{
    return std::asin(MoonRadiusKm / Length(MoonFromSite(globe))) * ArcsecondsPerRadian;
}

double AxisPositionAngleFromSite(const MoonGlobe& globe)
{
    Vector3 east, north;
    SkyBasis(Unit(MoonFromSite(globe)), east, north);
    const double angle = std::atan2(Dot(globe.AxisZ, east), Dot(globe.AxisZ, north)) / DegreeFactor;
    return angle < 0 ? angle + 360.0 : angle;
}

double ParallacticAngleFromSite(const MoonGlobe& globe)
{
    Vector3 east, north;
    SkyBasis(Unit(MoonFromSite(globe)), east, north);
    const Vector3 zenith = ZenithAtSite(globe.SiteFromEarth);
    return std::atan2(Dot(zenith, east), Dot(zenith, north)) / DegreeFactor;
}

double MoonAltitudeFromSite(const MoonGlobe& globe)
{
    return AltitudeFromSite(globe.SiteFromEarth, globe.MoonFromEarth);
}
