#pragma once
// The shadow of a lunar mountain as the observer at the telescope sees it,
// and the height that casts a shadow of a measured size: from the time it
// takes to drift across the reticle (the eyepiece) or from its length on
// the sky (a photograph). One model for both, built on the Moon's globe.
//
// The measurement: the telescope's drive is off and the Moon drifts across
// a fixed reticle line that runs north-south on the sky. The observer
// starts the watch when the lit summit touches the line and stops it when
// the far end of its shadow does (or the other way round, whichever comes
// first). The summit stands h above a spherical Moon of MoonRadiusKm over
// the formation; the Sun's ray that grazes it meets the sphere at the
// shadow's tip. Summit and tip are seen from the site; the time between
// their crossings is their difference in right ascension divided by the
// rate at which the Moon's hour angle grows.

#include "astronomy/moon_globe.h"
#include "astronomy/observation_state.h"

#include <optional>
#include <string>

/// The longest transit time the height panel takes, seconds.
inline constexpr double LongestTransitSeconds = 5.0;

/// The highest summit the measurement looks for, metres: well above the
/// relief of any lunar mountain (under 10 km over its surroundings).
inline constexpr double HighestSummitMetres = 20000.0;

/// Why a measurement gives no height.
enum class NoHeightReason {
    None,              ///< a height results
    NightSide,         ///< the formation lies in the lunar night: the Sun is below its horizon
    MoonBelowHorizon,  ///< the Moon is below the site's horizon
    NotVisible,        ///< the formation lies on the side of the Moon turned away from the site
    ShadowIntoNight,   ///< the Sun stands too low for any shadow that long to end on lit ground
    OutOfRange,        ///< the measured value lies outside what is taken (0 < t <= 5 s; a length > 0)
    TooHigh,           ///< only a summit higher than HighestSummitMetres casts a shadow that long
    Ambiguous,         ///< the shadow runs so nearly along the reticle line that the time does not
                       ///< grow with the height: more than one height, or none, gives it
};

/// The short German reason the height panel shows in place of the number
/// ("Mondnacht"); empty for None.
std::string NoHeightText(NoHeightReason reason);

/// The same as one German sentence, for the command line and tooltips
/// (OutOfRange speaks of the transit time; a caller measuring lengths says
/// its own).
std::string NoHeightExplanation(NoHeightReason reason);

/// The Moon at one instant seen from one site, as every shadow measurement
/// of that instant needs it.
struct ShadowView {
    MoonGlobe Globe;
    /// Arcseconds of right ascension per second of time by which the
    /// Moon's hour angle grows at the site: the sidereal rate (15.041)
    /// minus the Moon's own topocentric motion in right ascension; about
    /// 14.5. Times cos(declination) it is the drift on the sky, arcsec/s.
    double HourAngleRate = 0;
    double MoonAltitude = 0;  ///< degrees above the site's horizon, as HorizontalPosition gives it
};

/// The view from the results a caller left in the state.
///
/// Given:
///   prepared  a state after the calls of PrepareShadowView (the Moon
///             position, the physical ephemerides in degrees, the Moon's
///             HorizontalPosition for the site). Reads what
///             GlobeFromEphemerides reads, Altitude, Longitude, and the
///             date and time; writes nothing.
///   sun       the Sun over the Moon at that instant; without it,
///             SunOverMoonFromEphemerides(prepared)
///
/// Notes:
///   1. The hour-angle rate comes from the program's own Moon positions
///      30 s before and after the instant (MoonPosition), each seen from
///      the site turned by the sidereal rate: a centred difference over a
///      minute. Seen from the site, not the Earth's centre, because the
///      diurnal parallax changes the Moon's apparent motion by up to
///      1.6 % over a night (faster while it rises, slower while it sets);
///      the centred difference is good to 1e-5 of the rate.
ShadowView ShadowViewFromEphemerides(const ObservationState& prepared, const SunOverMoon& sun);
ShadowView ShadowViewFromEphemerides(const ObservationState& prepared);

/// Runs, for the state's date, time and site, what the height panel runs
/// before the height: ComputeSunOverMoon (the Moon position, the Sun
/// position, the Sun's distance rescaled, the physical ephemerides in
/// degrees, the subsolar point), HorizontalPosition of the Moon for the
/// site and SetMoonSemiDiameter; every result stays in the state. Returns
/// the view of ShadowViewFromEphemerides.
ShadowView PrepareShadowView(ObservationState& state);

/// One formation at one instant, seen from one site.
struct ShadowScene {
    ShadowView View;
    SelenographicPoint Formation;  ///< degrees
    Vector3 Foot;                  ///< unit vector to the formation, body frame
    double SunAltitude = 0;        ///< degrees, the Sun over the formation's horizon
    /// Why nothing can be measured here at all (MoonBelowHorizon,
    /// NotVisible, NightSide, checked in this order), or None.
    NoHeightReason Refusal = NoHeightReason::None;
};

/// The scene of a formation (selenographic, degrees) in a view.
ShadowScene SceneOf(const ShadowView& view, SelenographicPoint formation);

/// PrepareShadowView, then SceneOf the formation.
ShadowScene PrepareShadowScene(ObservationState& state, double latitude, double longitude);

/// The shadow of a summit as the site sees it.
struct ShadowOnSky {
    SkyOffset Summit;           ///< arcseconds from the apparent centre of the disc (east, north)
    SkyOffset Tip;              ///< the far end of the shadow, likewise
    double SunAltitude = 0;     ///< degrees, the Sun over the formation's horizon
    double TransitSeconds = 0;  ///< seconds between summit and tip crossing a fixed north-south line
};

/// The shadow a summit `heightMetres` (>= 0) above the formation casts.
///
/// Returned: empty when the scene is refused (Refusal) or the grazing ray
///   passes beside the Moon, so that the shadow ends in the night (heights
///   of GrazingHeightMetres and more).
///
/// Notes:
///   1. The summit is the body point at MoonRadiusKm + h over the formation;
///      the ray from it away from the Sun (SunDirection, seen from the
///      Moon's centre: the 2.4" by which the Sun's direction changes over
///      the Moon's radius are not counted) meets the sphere of
///      MoonRadiusKm first at the tip. Both are projected from the site
///      (SkyOffsetFromSite); geometric positions, no refraction.
///   2. TransitSeconds is the difference of their topocentric right
///      ascensions over HourAngleRate. A point crosses a fixed reticle line
///      when its hour angle reaches the line's, so no cos(declination) and
///      no direction of the shadow on the sky enters.
std::optional<ShadowOnSky> CastShadow(const ShadowScene& scene, double heightMetres);

/// The highest summit whose shadow still ends on the sphere for a Sun
/// `sunAltitude` degrees over the formation: R (1/cos a - 1), metres.
/// A shadow ends on lit ground only when the Sun stands higher than
/// arccos(R / (R + h)), about sqrt(2h/R): 2.7 deg for 2 km, 4.1 deg for
/// 4.5 km. Infinite for a Sun at 90 deg, 0 for a Sun on the horizon.
double GrazingHeightMetres(double sunAltitude);

/// The lowest Sun, degrees over the formation, at which the shadow of a
/// summit `heightMetres` high ends on lit ground: arccos(R / (R + h)).
double LowestSunForShadow(double heightMetres);

/// What a measurement gives.
struct HeightResult {
    std::optional<double> Height;                  ///< metres, >= 0
    NoHeightReason Reason = NoHeightReason::None;  ///< why there is none; None with a height
};

/// The height whose shadow takes `transitSeconds` to cross the reticle.
///
/// Returned: the height, solved to 1e-3 m; none, with the reason, when the
///   scene is refused, t lies outside 0 < t <= LongestTransitSeconds
///   (OutOfRange), t is longer than any shadow that ends on lit ground
///   (ShadowIntoNight), only a summit above HighestSummitMetres gives it
///   (TooHigh), or t does not grow with the height up to the answer, or
///   falls back to t above it (Ambiguous).
///
/// Notes:
///   1. The time is checked at 64 heights evenly spread over the accepted
///      range, 0 up to the lower of HighestSummitMetres and
///      GrazingHeightMetres; between the two that enclose t the height is
///      halved down to 1e-4 m. The time grows with the height in every
///      ordinary case: the shadow outgrows the summit's own shift toward
///      the limb by 1/tan(Sun's altitude).
HeightResult HeightFromTransit(const ShadowScene& scene, double transitSeconds);

/// The height whose shadow is `lengthArcseconds` long on the sky, from the
/// summit to the tip, measured in the tangent plane (a calibrated
/// photograph): the same model and solution as HeightFromTransit, with the
/// length for the time (OutOfRange for a length that is not > 0).
HeightResult HeightFromShadowLength(const ShadowScene& scene, double lengthArcseconds);

/// The length of a shadow on the sky, arcseconds, from summit to tip.
double ShadowLengthOnSky(const ShadowOnSky& shadow);
