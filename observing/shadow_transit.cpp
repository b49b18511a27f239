#include "observing/shadow_transit.h"

#include "astronomy/calendar.h"
#include "astronomy/coordinates.h"
#include "astronomy/mountain_height.h"
#include "astronomy/physical_ephemerides.h"

namespace {

/// Steps of the walk over the transit times, and the precision of the halving.
constexpr int kTransitSteps = 50;
constexpr double kTransitPrecision = 1e-9;  // seconds

}  // namespace

void PrepareMountainHeight(ObservationState& state)
{
    ComputePhysicalEphemeridesInDegrees(state);
    HorizontalPosition(state, state.MoonRightAscension, state.MoonDeclination, state.Longitude, JulianCenturies(state));
    SetMoonSemiDiameter(state, SemiDiameterArgument(state.MoonDistance));
}

HeightMeasurement MeasureMountainHeight(ObservationState& state, double transitSeconds, double latitude,
                                        double longitude)
{
    PrepareMountainHeight(state);
    HeightMeasurement result;
    result.Height = MountainHeight(state, transitSeconds, latitude, longitude, result.TerminatorCorrection);
    return result;
}

std::optional<double> ExpectedTransitTime(const ObservationState& prepared, double latitude, double longitude,
                                          double height)
{
    if (!(height > 0)) return std::nullopt;
    // Everything that does not depend on the transit time once; the walk
    // and the halving then cost two arcsines and a cosine a step.
    const HeightCurve curve = PrepareHeightCurve(prepared, latitude, longitude);
    const double step = LongestTransitSeconds / kTransitSteps;
    double below = 0;  // a time whose height lies below the target
    for (int i = 1; i <= kTransitSteps; ++i) {
        const double t = i * step;
        const std::optional<double> h = HeightOnCurve(curve, t);
        if (!h) return std::nullopt;
        if (*h < height) {
            below = t;
            continue;
        }
        double above = t;
        while (above - below > kTransitPrecision) {
            const double middle = (below + above) / 2;
            const std::optional<double> hm = HeightOnCurve(curve, middle);
            if (hm && *hm < height)
                below = middle;
            else
                above = middle;
        }
        return above;
    }
    return std::nullopt;
}
