#include "astronomy/sun_over_formation.h"

#include "astronomy/angles.h"
#include "astronomy/physical_ephemerides.h"

#include <cmath>

namespace {

/// An angle in degrees reduced by whole turns into (-180, 180].
double SignedDegrees(double degrees)
{
    double reduced = std::fmod(degrees, 360.0);
    if (reduced > 180.0) reduced -= 360.0;
    if (reduced <= -180.0) reduced += 360.0;
    return reduced;
}

double SinDeg(double degrees) { return std::sin(degrees * DegreeFactor); }
double CosDeg(double degrees) { return std::cos(degrees * DegreeFactor); }

}  // namespace

SunOverMoon ComputeSunOverMoon(ObservationState& state)
{
    ComputePhysicalEphemeridesInDegrees(state);
    return SunOverMoonFromEphemerides(state);
}

SunOverMoon SunOverMoonFromEphemerides(const ObservationState& state)
{
    const double estimate =
        state.LibrationLongitude + 180.0 - (state.MoonEclipticLongitude - state.SunEclipticLongitude);
    const double waxing = SignedDegrees(state.TerminatorLongitude + 90.0);
    const double waning = SignedDegrees(state.TerminatorLongitude - 90.0);
    const bool isWaxing = std::fabs(SignedDegrees(waxing - estimate)) <= std::fabs(SignedDegrees(waning - estimate));

    SunOverMoon sun;
    sun.SubsolarLatitude = state.SunSelenographicLatitude;
    sun.SubsolarLongitude = isWaxing ? waxing : waning;
    sun.Colongitude = std::fmod(90.0 - sun.SubsolarLongitude + 360.0, 360.0);
    return sun;
}

double SunAltitudeOver(const SunOverMoon& sun, double latitude, double longitude)
{
    const double sine = SinDeg(sun.SubsolarLatitude) * SinDeg(latitude) +
                        CosDeg(sun.SubsolarLatitude) * CosDeg(latitude) * CosDeg(longitude - sun.SubsolarLongitude);
    return ArcSine(std::fmax(-1.0, std::fmin(1.0, sine))) / DegreeFactor;
}

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
