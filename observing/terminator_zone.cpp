#include "observing/terminator_zone.h"

#include "astronomy/angles.h"

#include <algorithm>
#include <cmath>

namespace {

// Far more than the rounding by which a dot product of unit vectors can
// differ from the spherical formulas, far less than anything that matters.
constexpr double kDotMargin = 1e-9;

double Dot(const MoonDirection& a, const MoonDirection& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }

double SineOfDegrees(double degrees) { return std::sin(std::clamp(degrees, -90.0, 90.0) * DegreeFactor); }

}  // namespace

MoonDirection DirectionOf(const SelenographicPoint& point)
{
    const double b = point.Latitude * DegreeFactor, l = point.Longitude * DegreeFactor;
    return {std::cos(b) * std::cos(l), std::cos(b) * std::sin(l), std::sin(b)};
}

std::optional<double> VisibleSunAltitudeOver(const ObservationState& ephemerides, const SunOverMoon& sun,
                                             const SelenographicPoint& point)
{
    if (!FacesEarth(ephemerides, point.Latitude, point.Longitude)) return std::nullopt;
    return SunAltitudeOver(sun, point.Latitude, point.Longitude);
}

std::vector<std::size_t> FormationsInTerminatorZone(const ObservationState& ephemerides, const SunOverMoon& sun,
                                                    std::span<const SelenographicPoint> points, SunAltitudeBand band)
{
    std::vector<std::size_t> inZone;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::optional<double> altitude = VisibleSunAltitudeOver(ephemerides, sun, points[i]);
        if (altitude && band.Contains(*altitude)) inZone.push_back(i);
    }
    return inZone;
}

std::vector<std::size_t> FormationsInTerminatorZone(const ObservationState& ephemerides, const SunOverMoon& sun,
                                                    std::span<const SelenographicPoint> points,
                                                    std::span<const MoonDirection> directions, SunAltitudeBand band)
{
    const MoonDirection toSun = DirectionOf({sun.SubsolarLatitude, sun.SubsolarLongitude});
    const MoonDirection toEarth = DirectionOf({ephemerides.LibrationLatitude, ephemerides.LibrationLongitude});
    const double lowestSine = SineOfDegrees(band.Lowest) - kDotMargin;
    const double highestSine = SineOfDegrees(band.Highest) + kDotMargin;
    std::vector<std::size_t> inZone;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double sunSine = Dot(directions[i], toSun);
        if (sunSine < lowestSine || sunSine > highestSine || Dot(directions[i], toEarth) < -kDotMargin) continue;
        const std::optional<double> altitude = VisibleSunAltitudeOver(ephemerides, sun, points[i]);
        if (altitude && band.Contains(*altitude)) inZone.push_back(i);
    }
    return inZone;
}
