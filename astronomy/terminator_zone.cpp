#include "astronomy/terminator_zone.h"

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
