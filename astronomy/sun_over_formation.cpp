#include "astronomy/sun_over_formation.h"

#include "astronomy/angles.h"

#include <cmath>

namespace {

double SinDeg(double degrees) { return std::sin(degrees * DegreeFactor); }
double CosDeg(double degrees) { return std::cos(degrees * DegreeFactor); }

}  // namespace

TerminatorSide TerminatorSideAt(const SunOverMoon& sun, double longitude)
{
    return SinDeg(sun.SubsolarLongitude - longitude) >= 0 ? TerminatorSide::Morning : TerminatorSide::Evening;
}

bool FacesEarth(const ObservationState& state, double latitude, double longitude)
{
    const double cosine =
        SinDeg(state.LibrationLatitude) * SinDeg(latitude) +
        CosDeg(state.LibrationLatitude) * CosDeg(latitude) * CosDeg(longitude - state.LibrationLongitude);
    return cosine > 0;
}
