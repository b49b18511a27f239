#pragma once
// The view of the Moon map picture: the orthographic image of the Moon seen
// from above the selenographic point (7.35° N, 6.33° E), north up, east to
// the right, the disc centred on map pixel (200, 200) with radius 193.

#include <cmath>

inline constexpr int kMapSize = 401;
inline constexpr int kDiscCentre = 200;          // map pixel of the disc centre, x and y
inline constexpr int kDiscRadius = 193;          // pixels
inline constexpr double kCentreLatitude = 7.35;  // degrees
inline constexpr double kCentreLongitude = 6.33333333333333;

struct MapPoint {
    int x;
    int y;
};

/// Map pixel of a selenographic position (degrees) on the visible side.
inline MapPoint ToMap(double latitude, double longitude)
{
    constexpr double kDegree = 0.0174532925199433;
    double phi = latitude * kDegree;
    double dlambda = (longitude - kCentreLongitude) * kDegree;
    double phi0 = kCentreLatitude * kDegree;
    double east = std::cos(phi) * std::sin(dlambda);
    double north = std::cos(phi0) * std::sin(phi) - std::sin(phi0) * std::cos(phi) * std::cos(dlambda);
    return {static_cast<int>(std::lround(kDiscCentre + kDiscRadius * east)),
            static_cast<int>(std::lround(kDiscCentre - kDiscRadius * north))};
}
