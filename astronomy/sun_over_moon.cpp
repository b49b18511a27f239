#include "astronomy/sun_over_moon.h"

#include "astronomy/angles.h"
#include "astronomy/physical_ephemerides.h"

#include <cmath>

namespace {

double SinDeg(double degrees) { return std::sin(degrees * DegreeFactor); }
double CosDeg(double degrees) { return std::cos(degrees * DegreeFactor); }

SunOverMoon OverheadAt(SelenographicPoint subsolar)
{
    SunOverMoon sun;
    sun.SubsolarLatitude = subsolar.Latitude;
    sun.SubsolarLongitude = subsolar.Longitude;
    sun.Colongitude = std::fmod(90.0 - sun.SubsolarLongitude + 360.0, 360.0);
    return sun;
}

}  // namespace

SunOverMoon ComputeSunOverMoon(ObservationState& state)
{
    return OverheadAt(ComputeEphemeridesAndSubsolarPoint(state));
}

SunOverMoon SunOverMoonFromEphemerides(const ObservationState& state) { return OverheadAt(SubsolarPoint(state)); }

double SunAltitudeOver(const SunOverMoon& sun, double latitude, double longitude)
{
    const double sine = SinDeg(sun.SubsolarLatitude) * SinDeg(latitude) +
                        CosDeg(sun.SubsolarLatitude) * CosDeg(latitude) * CosDeg(longitude - sun.SubsolarLongitude);
    return ArcSine(std::fmax(-1.0, std::fmin(1.0, sine))) / DegreeFactor;
}
