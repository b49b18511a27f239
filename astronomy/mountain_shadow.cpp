#include "astronomy/mountain_shadow.h"

#include "astronomy/angles.h"
#include "astronomy/calendar.h"
#include "astronomy/coordinates.h"
#include "astronomy/distance_units.h"
#include "astronomy/mountain_height.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double ArcsecondsPerRadian = 206264.80624709636;
constexpr double SecondsPerCentury = 36525.0 * 86400.0;
/// The sky turns by this many arcseconds of right ascension per second of time.
constexpr double SiderealArcsecondsPerSecond = 15.0 * SiderealPerSolar;
/// Half the interval of the centred difference for the Moon's motion, seconds.
constexpr double HalfDriftInterval = 30.0;

/// Heights at which the time is checked before it is halved down, and the
/// precision of the halving, metres.
constexpr int HeightSamples = 64;
constexpr double HeightPrecision = 1e-4;

double RightAscensionOf(Vector3 equatorial) { return std::atan2(equatorial.Y, equatorial.X); }

/// The Moon's topocentric right ascension, radians, `seconds` after the
/// instant of the prepared state.
double TopocentricRightAscension(ObservationState& scratch, double T, double seconds)
{
    double rightAscension = 0, declination = 0, distance = 0;
    MoonPosition(scratch, T + seconds / SecondsPerCentury, rightAscension, declination, distance);
    const Vector3 moon = (distance * EarthRadiusKm) * EquatorialUnitVector(rightAscension, declination);
    const double siderealHours = scratch.LocalSiderealTime + seconds * SiderealPerSolar / 3600.0;
    return RightAscensionOf(moon - SiteFromEarthCentre(scratch.Latitude, siderealHours));
}

double HourAngleRateAt(const ObservationState& prepared)
{
    ObservationState scratch = prepared;
    const double T = JulianCenturies(prepared);
    const double change = std::remainder(TopocentricRightAscension(scratch, T, HalfDriftInterval) -
                                             TopocentricRightAscension(scratch, T, -HalfDriftInterval),
                                         TwoPi);
    return SiderealArcsecondsPerSecond - change / (2 * HalfDriftInterval) * ArcsecondsPerRadian;
}

/// Where the grazing ray from a summit at `summit` (body frame, km) meets
/// the Moon's sphere first; empty when it passes beside it or rises.
std::optional<Vector3> ShadowTip(Vector3 summit, Vector3 awayFromSun)
{
    // |summit + s d|^2 = R^2 with |d| = 1: s^2 + 2 b s + c = 0.
    const double b = Dot(summit, awayFromSun);
    const double c = Dot(summit, summit) - MoonRadiusKm * MoonRadiusKm;
    const double discriminant = b * b - c;
    if (b >= 0 || discriminant < 0) return std::nullopt;
    const double s = -b - std::sqrt(discriminant);
    return summit + s * awayFromSun;
}

/// The topocentric right ascension of a body point, radians.
double RightAscensionFromSite(const MoonGlobe& globe, Vector3 bodyPoint)
{
    return RightAscensionOf(MoonFromSite(globe) + BodyToEquatorial(globe, bodyPoint));
}

using Measure = double (*)(const ShadowOnSky&);

double TransitOf(const ShadowOnSky& shadow) { return shadow.TransitSeconds; }

/// The height whose shadow measures `target` (Measure grows with the height
/// from 0), by the rule of HeightFromTransit.
HeightResult SolveHeight(const ShadowScene& scene, double target, Measure measure)
{
    if (scene.Refusal != NoHeightReason::None) return {std::nullopt, scene.Refusal};
    const double grazing = GrazingHeightMetres(scene.SunAltitude);
    const bool limitedBySun = grazing < HighestSummitMetres;
    // Just short of grazing, where the tip still lies on the sphere.
    const double top = limitedBySun ? grazing * (1 - 1e-9) : HighestSummitMetres;

    std::optional<double> below, above;  // heights enclosing the target
    double previous = 0, previousHeight = 0;
    for (int k = 1; k <= HeightSamples; ++k) {
        const double height = top * k / HeightSamples;
        const std::optional<ShadowOnSky> shadow = CastShadow(scene, height);
        if (!shadow) break;
        const double value = measure(*shadow);
        if (!above) {
            if (!(value > previous)) return {std::nullopt, NoHeightReason::Ambiguous};
            if (value >= target) {
                below = previousHeight;
                above = height;
            }
        } else if (value <= target) {
            return {std::nullopt, NoHeightReason::Ambiguous};  // a second height gives it
        }
        previous = value;
        previousHeight = height;
    }
    if (!above) return {std::nullopt, limitedBySun ? NoHeightReason::ShadowIntoNight : NoHeightReason::TooHigh};

    double low = *below, high = *above;
    while (high - low > HeightPrecision) {
        const double middle = (low + high) / 2;
        const std::optional<ShadowOnSky> shadow = CastShadow(scene, middle);
        if (shadow && measure(*shadow) < target)
            low = middle;
        else
            high = middle;
    }
    return {(low + high) / 2, NoHeightReason::None};
}

}  // namespace

std::string NoHeightText(NoHeightReason reason)
{
    switch (reason) {
        case NoHeightReason::None:
            return {};
        case NoHeightReason::NightSide:
            return "Mondnacht";
        case NoHeightReason::MoonBelowHorizon:
            return "Mond unter";
        case NoHeightReason::NotVisible:
            return "Rückseite";
        case NoHeightReason::ShadowIntoNight:
            return "Sonne tief";
        case NoHeightReason::OutOfRange:
            return "0 bis 5 s";
        case NoHeightReason::TooHigh:
            return "über 20 km";
        case NoHeightReason::Ambiguous:
            return "mehrdeutig";
    }
    return {};
}

std::string NoHeightExplanation(NoHeightReason reason)
{
    switch (reason) {
        case NoHeightReason::None:
            return {};
        case NoHeightReason::NightSide:
            return "Die Formation liegt in der Mondnacht: die Sonne steht unter ihrem Horizont.";
        case NoHeightReason::MoonBelowHorizon:
            return "Der Mond steht unter dem Horizont des Beobachtungsorts.";
        case NoHeightReason::NotVisible:
            return "Die Formation liegt auf der vom Beobachtungsort abgewandten Seite des Mondes.";
        case NoHeightReason::ShadowIntoNight:
            return "Die Sonne steht zu tief: kein so langer Schatten endet auf beleuchtetem Boden.";
        case NoHeightReason::OutOfRange:
            return "Die Durchgangszeit muss über 0 und höchstens 5 Sekunden betragen.";
        case NoHeightReason::TooHigh:
            return "Nur ein Gipfel von über 20 km Höhe würfe einen so langen Schatten.";
        case NoHeightReason::Ambiguous:
            return "Der Schatten verläuft fast längs des Fadens: seine Durchgangszeit ergibt keine eindeutige Höhe.";
    }
    return {};
}

ShadowView ShadowViewFromEphemerides(const ObservationState& prepared, const SunOverMoon& sun)
{
    return {GlobeFromEphemerides(prepared, sun), HourAngleRateAt(prepared), prepared.Altitude};
}

ShadowView ShadowViewFromEphemerides(const ObservationState& prepared)
{
    return ShadowViewFromEphemerides(prepared, SunOverMoonFromEphemerides(prepared));
}

ShadowView PrepareShadowView(ObservationState& state)
{
    const SunOverMoon sun = ComputeSunOverMoon(state);
    HorizontalPosition(state, state.MoonRightAscension, state.MoonDeclination, state.Longitude, JulianCenturies(state));
    SetMoonSemiDiameter(state, SemiDiameterArgument(state.MoonDistance));
    return ShadowViewFromEphemerides(state, sun);
}

ShadowScene SceneOf(const ShadowView& view, SelenographicPoint formation)
{
    ShadowScene scene{view, formation, SelenographicToBody(formation, 1.0), 0, NoHeightReason::None};
    scene.SunAltitude = std::asin(std::clamp(Dot(scene.Foot, view.Globe.SunDirection), -1.0, 1.0)) / DegreeFactor;
    if (view.MoonAltitude < 0)
        scene.Refusal = NoHeightReason::MoonBelowHorizon;
    else if (!VisibleFromSite(view.Globe, MoonRadiusKm * scene.Foot))
        scene.Refusal = NoHeightReason::NotVisible;
    else if (!(scene.SunAltitude > 0))
        scene.Refusal = NoHeightReason::NightSide;
    return scene;
}

ShadowScene PrepareShadowScene(ObservationState& state, double latitude, double longitude)
{
    return SceneOf(PrepareShadowView(state), {latitude, longitude});
}

std::optional<ShadowOnSky> CastShadow(const ShadowScene& scene, double heightMetres)
{
    if (scene.Refusal != NoHeightReason::None || !(heightMetres >= 0)) return std::nullopt;
    const MoonGlobe& globe = scene.View.Globe;
    const Vector3 summit = (MoonRadiusKm + heightMetres / 1000.0) * scene.Foot;
    const std::optional<Vector3> tip =
        heightMetres == 0 ? std::optional<Vector3>(summit) : ShadowTip(summit, -globe.SunDirection);
    if (!tip) return std::nullopt;
    const double rightAscensions =
        std::remainder(RightAscensionFromSite(globe, *tip) - RightAscensionFromSite(globe, summit), TwoPi);
    return ShadowOnSky{SkyOffsetFromSite(globe, summit), SkyOffsetFromSite(globe, *tip), scene.SunAltitude,
                       std::fabs(rightAscensions) * ArcsecondsPerRadian / scene.View.HourAngleRate};
}

double GrazingHeightMetres(double sunAltitude)
{
    return (1.0 / std::cos(sunAltitude * DegreeFactor) - 1.0) * MoonRadiusKm * 1000.0;
}

double LowestSunForShadow(double heightMetres)
{
    const double radius = MoonRadiusKm * 1000.0;
    return std::acos(radius / (radius + heightMetres)) / DegreeFactor;
}

HeightResult HeightFromTransit(const ShadowScene& scene, double transitSeconds)
{
    if (!(transitSeconds > 0 && transitSeconds <= LongestTransitSeconds))
        return {std::nullopt, NoHeightReason::OutOfRange};
    return SolveHeight(scene, transitSeconds, TransitOf);
}

HeightResult HeightFromShadowLength(const ShadowScene& scene, double lengthArcseconds)
{
    if (!(lengthArcseconds > 0 && std::isfinite(lengthArcseconds))) return {std::nullopt, NoHeightReason::OutOfRange};
    return SolveHeight(scene, lengthArcseconds, ShadowLengthOnSky);
}

double ShadowLengthOnSky(const ShadowOnSky& shadow)
{
    return std::hypot(shadow.Tip.East - shadow.Summit.East, shadow.Tip.North - shadow.Summit.North);
}
