#include "astronomy/mountain_height.h"

#include "astronomy/angles.h"
#include "astronomy/calendar.h"
#include "astronomy/distance_units.h"

#include <cmath>

namespace {

/// Semi-diameter constant for the argument of SemiDiameterArgument.
constexpr double SemiDiameterConstant = 0.00239739315508;

}  // namespace

double SemiDiameterArgument(double moonDistanceEarthRadii)
{
    return moonDistanceEarthRadii * EarthRadiusKm / AstronomicalUnitScale;
}

void SetMoonSemiDiameter(ObservationState& state, double x) { state.MoonSemiDiameter = SemiDiameterConstant / x; }

double TerminatorCorrection(const ObservationState& state, double latitude)
{
    const double bs = state.SunSelenographicLatitude;
    const double size = std::fabs(std::sin(latitude * DegreeFactor) * bs);
    const bool waxing = MoonAge(state) < SynodicMonth / 2;
    const bool positive = waxing == (bs >= 0);
    return positive ? size : -size;
}

std::optional<double> MountainHeight(const ObservationState& state, double transitSeconds, double latitude,
                                     double longitude, double& terminatorCorrection, NoHeightReason* reason)
{
    terminatorCorrection = TerminatorCorrection(state, latitude);
    const HeightResult result =
        HeightFromTransit(SceneOf(ShadowViewFromEphemerides(state), {latitude, longitude}), transitSeconds);
    if (reason) *reason = result.Reason;
    return result.Height;
}
