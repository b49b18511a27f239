#include "map/map_lighting.h"

#include "astronomy/angles.h"
#include "map/map_projection.h"

#include <algorithm>
#include <cmath>

namespace {

/// Pixels whose centre lies within this many pixels of the disc's edge
/// outside it are still partly covered by the disc (half a pixel diagonal).
constexpr double kRimAllowance = 0.71;

/// Fixed-point scale of the brightness factors.
constexpr int kFullBrightness = 256;

std::uint32_t Scaled(std::uint32_t pixel, int factor)
{
    const std::uint32_t r = (((pixel >> 16) & 0xFF) * factor) >> 8;
    const std::uint32_t g = (((pixel >> 8) & 0xFF) * factor) >> 8;
    const std::uint32_t b = ((pixel & 0xFF) * factor) >> 8;
    return (pixel & 0xFF000000u) | (r << 16) | (g << 8) | b;
}

}  // namespace

double LitMapBrightness(double sunAltitudeSine)
{
    static const double halfBand = std::sin(TwilightBandDegrees / 2 * DegreeFactor);
    const double u = std::clamp((sunAltitudeSine / halfBand + 1) / 2, 0.0, 1.0);
    return NightBrightness + (1 - NightBrightness) * u * u * (3 - 2 * u);
}

void ShadeMoonMap(const std::uint32_t* artwork, std::uint32_t* lit, int stride, const SunOverMoon& sun)
{
    const MapViewPoint s = ToMapView(sun.SubsolarLatitude, sun.SubsolarLongitude);
    const double reach = (MapDiscRadius + kRimAllowance) / MapDiscRadius;
    for (int y = 0; y < MapSize; ++y) {
        const std::uint32_t* from = artwork + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint32_t* to = lit + static_cast<std::ptrdiff_t>(y) * stride;
        const double north = (MapDiscCentreY - y) / MapDiscRadius;
        for (int x = 0; x < MapSize; ++x) {
            const double east = (x - MapDiscCentreX) / MapDiscRadius;
            const double r2 = east * east + north * north;
            if (r2 > reach * reach) {
                to[x] = from[x];
                continue;
            }
            // A rim pixel outside the disc takes the limb point in its direction.
            const double towards = r2 < 1 ? std::sqrt(1 - r2) : 0;
            const double toLimb = r2 > 1 ? 1 / std::sqrt(r2) : 1;
            const double sine = towards * s.Towards + toLimb * (east * s.East + north * s.North);
            const int factor = static_cast<int>(LitMapBrightness(sine) * kFullBrightness + 0.5);
            to[x] = factor >= kFullBrightness ? from[x] : Scaled(from[x], factor);
        }
    }
}
