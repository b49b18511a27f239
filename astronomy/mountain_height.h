#pragma once
// Height of a lunar mountain from the time its shadow takes to cross the
// eyepiece's sight.

#include "astronomy/observation_state.h"

#include <optional>

/// The Moon's radius in metres.
inline constexpr double MoonRadiusMetres = 1738000.0;

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

/// Height of a lunar mountain from the transit time of its shadow.
///
/// Given:
///   transitSeconds  time the shadow takes to cross the sight, seconds
///   latitude        the mountain's selenographic latitude beta, degrees
///   longitude       the mountain's selenographic longitude, degrees
///   terminatorCorrection  (returned) lambda_c, degrees: sin(beta) times the
///                   Sun's selenographic latitude, positive while the Moon
///                   waxes and Bs >= 0 or wanes and Bs < 0, negative in the
///                   other two cases. Always set, also when no height results.
/// Reads MoonDeclination, AxisPositionAngle, LibrationLongitude,
///   LibrationLatitude, Altitude, MoonSemiDiameter, TerminatorLongitude,
///   SunSelenographicLatitude (angles in degrees, i.e. after the callers'
///   conversion), and the date and time (through MoonAge). Writes nothing.
/// Returned:
///   the height in metres, never negative; empty when the formula leaves its
///   domain for these inputs: a denominator of zero (cos P, cos of the
///   longitude from the disc centre, cos v), an arcsine argument beyond +-1
///   (a very long transit time, a mountain near the limb), or any
///   intermediate value that is not finite. The caller then shows a note
///   instead of a number.
///
/// Notes:
///   1. The transit time becomes an arc by the Moon's apparent motion of
///      14.46 arcseconds per second of time, foreshortened by cos(declination)
///      and turned to the direction of the axis by 1 / cos P.
///   2. The semi-diameter is enlarged toward the topocentric value by
///      60.3 / (60.3 - sin(altitude)).
///   3. Waxing means a Moon age below half the synodic month.
///   4. A transit time of 0 gives the height 0.
std::optional<double> MountainHeight(const ObservationState& state, double transitSeconds, double latitude,
                                     double longitude, double& terminatorCorrection);

/// What MountainHeight computes for a formation at one moment before the
/// transit time enters, so that many transit times can be tried at little
/// cost (ExpectedTransitTime).
struct HeightCurve {
    double TerminatorCorrection = 0;  ///< lambda_c, degrees
    double CosDeclination = 0;
    double CosAxisAngle = 0;
    std::optional<double> V;  ///< radians; empty outside the arcsine's domain
    double CosV = 0;
    double ArcScale = 0;  ///< cos(longitude from the disc centre) times the enlarged semi-diameter
};

/// The part of MountainHeight that does not depend on the transit time.
HeightCurve PrepareHeightCurve(const ObservationState& state, double latitude, double longitude);

/// MountainHeight for a prepared formation: the same result, bit for bit.
std::optional<double> HeightOnCurve(const HeightCurve& curve, double transitSeconds);
