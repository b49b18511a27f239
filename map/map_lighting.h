#pragma once
// The Moon map lit by the Sun: how bright each pixel of the disc is shown
// for a given place of the Sun. Standard C++ only; the map's picture comes
// in as plain 32-bit pixels.

#include "astronomy/sun_over_formation.h"

#include <cstdint>

/// Brightness of the night side, relative to the artwork: dark enough to
/// tell day from night at a glance, light enough to recognise the
/// formations there.
inline constexpr double NightBrightness = 0.375;

/// Width of the soft band at the terminator, degrees of the Sun's altitude
/// (equal to degrees of arc across the terminator), centred on it.
inline constexpr double TwilightBandDegrees = 1.0;

/// Brightness factor for a Sun altitude given by its sine: NightBrightness
/// below -TwilightBandDegrees/2, 1 above +TwilightBandDegrees/2, a smooth
/// step (3u^2 - 2u^3) in between.
double LitMapBrightness(double sunAltitudeSine);

/// Shades the map's artwork for the Sun's place.
///
/// Given:
///   artwork  the MapSize x MapSize picture as drawn, pixels
///            0xAARRGGBB, rows `stride` pixels apart
///   sun      the Sun over the Moon (ComputeSunOverMoon)
/// Returned in `lit` (same layout, may not alias `artwork`): every pixel
///   that the disc touches with its red, green and blue scaled by
///   LitMapBrightness for the Sun's altitude over the point the map's view
///   shows there (map/map_projection.h); pixels off the disc copied
///   unchanged. Pixels of the disc's rim take the light of the nearest limb
///   point.
///
/// Notes:
///   1. Per pixel only a square root and a dot product: the Sun's direction
///      is turned into the map's view once, so sin h = Towards * s_t +
///      East * s_e + North * s_n.
void ShadeMoonMap(const std::uint32_t* artwork, std::uint32_t* lit, int stride, const SunOverMoon& sun);
