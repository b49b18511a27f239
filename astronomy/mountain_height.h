#pragma once
// Height of a lunar mountain from the time its shadow takes to cross the
// eyepiece's sight.

#include "astronomy/mountain_shadow.h"
#include "astronomy/observation_state.h"

#include <optional>

/// The Moon's radius in metres.
inline constexpr double MoonRadiusMetres = MoonRadiusKm * 1000.0;

/// The argument SetMoonSemiDiameter expects for a Moon distance in Earth
/// radii: distance * EarthRadiusKm / AstronomicalUnitScale.
double SemiDiameterArgument(double moonDistanceEarthRadii);

/// Stores the Moon's apparent geocentric semi-diameter.
///
/// Given:
///   x  the Moon's distance scaled as SemiDiameterArgument gives it
///      (Earth radii * 6378.169 / 1.49598e11); must not be 0
/// Writes MoonSemiDiameter = 0.00239739315508 / x, in arcseconds; for a
///   distance of D Earth radii that is 56230.12 / D (about 933" at 60.27).
void SetMoonSemiDiameter(ObservationState& state, double x);

/// The terminator correction lambda_c of a formation, degrees: sin(beta)
/// times the Sun's selenographic latitude Bs, positive while the Moon
/// waxes and Bs >= 0 or wanes and Bs < 0, negative in the other two cases.
/// Waxing means a Moon age (MoonAge) below half the synodic month.
/// Reads SunSelenographicLatitude (degrees) and the date and time.
double TerminatorCorrection(const ObservationState& state, double latitude);

/// Height of a lunar mountain from the transit time of its shadow.
///
/// Given:
///   transitSeconds  time between the lit summit and the far end of its
///                   shadow crossing a fixed north-south reticle line with
///                   the drive off, seconds
///   latitude        the mountain's selenographic latitude beta, degrees
///   longitude       the mountain's selenographic longitude, degrees
///   terminatorCorrection  (returned) lambda_c, degrees
///                   (TerminatorCorrection); always set, also when no
///                   height results
///   reason          (returned, when given) why no height results, or
///                   NoHeightReason::None
/// Reads what the height panel's calls left (PrepareShadowView): the Moon's
///   and the Sun's positions, the physical ephemerides in degrees,
///   Altitude and LocalSiderealTime for the site, Latitude, Longitude, and
///   the date and time. Writes nothing.
/// Returned: the height in metres, to 1e-3 m, never negative; empty, with
///   the reason, when the Moon is below the site's horizon, the formation
///   lies on the far side or in the lunar night, the time is outside
///   0 < t <= 5 s, or no height up to HighestSummitMetres casts a shadow
///   that long that ends on lit ground (HeightFromTransit).
///
/// Notes:
///   1. The height is the one for which the measurement model of
///      astronomy/mountain_shadow.h gives t: a summit over a spherical
///      Moon, the shadow's tip where the Sun's grazing ray meets the
///      sphere, both seen from the site, their difference in right
///      ascension over the rate at which the Moon drifts across a fixed
///      telescope.
///   2. Against an independent simulation of real timings with a modern
///      ephemeris (tools/height_check: 11,495 timings of 1 to 5 km peaks at
///      20 formations, every 6 h over two lunations, from Berlin and Madrid;
///      tests/astronomy/shadow_timings_test.cpp) the height comes back with
///      recovered/true median 0.9999, 0.9964 to 1.0030 for 90 % of them,
///      0.981 and 1.017 at the extremes; for the 1,186 timings of 0.5 s and
///      more 0.9960 to 1.0049, 0.984 and 1.011.
///   3. The Sun is a point at its centre and the Moon a smooth sphere: the
///      dark shadow ends where the Sun's upper limb grazes the summit, about
///      0.27 deg / (Sun's altitude) shorter, and the height found is the
///      summit's over the ground where the shadow ends.
std::optional<double> MountainHeight(const ObservationState& state, double transitSeconds, double latitude,
                                     double longitude, double& terminatorCorrection, NoHeightReason* reason = nullptr);
