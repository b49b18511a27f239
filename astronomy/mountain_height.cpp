#include "astronomy/mountain_height.h"

#include "astronomy/angles.h"
#include "astronomy/calendar.h"
#include "astronomy/distance_units.h"

#include <cmath>

namespace {

/// The Moon's apparent motion against the sky, arcseconds per second of time.
constexpr double ShadowArcPerSecond = 14.46;
/// Mean Moon distance in Earth radii used for the topocentric enlargement.
constexpr double MeanMoonDistance = 60.3;
/// Semi-diameter constant for the argument of SemiDiameterArgument.
constexpr double SemiDiameterConstant = 0.00239739315508;

/// Denominators smaller than this in magnitude count as zero.
constexpr double SmallestDenominator = 1e-12;

double SinDeg(double degrees) { return std::sin(degrees * DegreeFactor); }
double CosDeg(double degrees) { return std::cos(degrees * DegreeFactor); }

/// numerator / denominator, empty when the denominator is (nearly) zero or a
/// value is not finite.
std::optional<double> Quotient(double numerator, double denominator)
{
    if (!std::isfinite(numerator) || !std::isfinite(denominator) || std::fabs(denominator) < SmallestDenominator)
        return std::nullopt;
    return numerator / denominator;
}

double TerminatorCorrection(const ObservationState& state, double latitude)
{
    const double bs = state.SunSelenographicLatitude;
    const double size = std::fabs(SinDeg(latitude) * bs);
    const bool waxing = MoonAge(state) < SynodicMonth / 2;
    const bool positive = waxing == (bs >= 0);
    return positive ? size : -size;
}

}  // namespace

double SemiDiameterArgument(double moonDistanceEarthRadii)
{
    return moonDistanceEarthRadii * EarthRadiusKm / AstronomicalUnitScale;
}

void SetMoonSemiDiameter(ObservationState& state, double x) { state.MoonSemiDiameter = SemiDiameterConstant / x; }

HeightCurve PrepareHeightCurve(const ObservationState& state, double latitude, double longitude)
{
    HeightCurve curve;
    curve.TerminatorCorrection = TerminatorCorrection(state, latitude);
    curve.CosDeclination = CosDeg(state.MoonDeclination);
    curve.CosAxisAngle = CosDeg(state.AxisPositionAngle);
    const double dl = longitude - state.LibrationLongitude;
    const double bb = latitude - CosDeg(longitude) * state.LibrationLatitude;
    const double s = MeanMoonDistance * state.MoonSemiDiameter / (MeanMoonDistance - SinDeg(state.Altitude));

    const double tc = state.TerminatorLongitude + curve.TerminatorCorrection;
    double x = tc + dl;
    if (x < 0) x = tc - dl;

    curve.V = ArcSineInDomain(SinDeg(x) * CosDeg(bb));
    if (curve.V) curve.CosV = std::cos(*curve.V);
    curve.ArcScale = CosDeg(dl) * s;
    return curve;
}

std::optional<double> HeightOnCurve(const HeightCurve& curve, double transitSeconds)
{
    const auto q = Quotient(curve.CosDeclination * transitSeconds * ShadowArcPerSecond, curve.CosAxisAngle);
    const auto ratio = q ? Quotient(*q, curve.ArcScale) : std::nullopt;
    const auto w = ratio ? ArcSineInDomain(*ratio) : std::nullopt;
    if (!curve.V || !w) return std::nullopt;
    const auto z = ArcSineInDomain(curve.CosV * *w);
    if (!z) return std::nullopt;
    const auto shape = Quotient(std::cos(*curve.V - *z), curve.CosV);
    if (!shape) return std::nullopt;
    const double height = std::fabs(*shape - 1.0) * MoonRadiusMetres;
    if (!std::isfinite(height)) return std::nullopt;
    return height;
}

std::optional<double> MountainHeight(const ObservationState& state, double transitSeconds, double latitude,
                                     double longitude, double& terminatorCorrection)
{
    const HeightCurve curve = PrepareHeightCurve(state, latitude, longitude);
    terminatorCorrection = curve.TerminatorCorrection;
    return HeightOnCurve(curve, transitSeconds);
}
