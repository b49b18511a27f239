#pragma once
// The Moon as it looks in the eyepiece: every pixel of the picture traced to
// the point of the globe the site sees there, coloured from the albedo map
// and lit by the Sun. Standard C++ only; the picture is plain 32-bit pixels.

#include "astronomy/moon_globe.h"
#include "observing/sky_orientation.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

/// The Moon's albedo, equirectangular: column 0 at longitude -180, the last
/// at +180 (east positive), row 0 at latitude +90; one byte per pixel, the
/// brightness of the full Moon (0 black .. 255 white).
struct AlbedoMap {
    int Width = 0;
    int Height = 0;
    const std::uint8_t* Pixels = nullptr;
    int Stride = 0;  ///< bytes from one row to the next
};

/// The albedo map as the drawing reads it: a copy with a border of one
/// texel all around (the columns wrap around in longitude, the rows repeat
/// at the poles), so that sampling between four texels needs no checks.
class AlbedoTexture {
public:
    AlbedoTexture() = default;
    explicit AlbedoTexture(const AlbedoMap& map);

    int Width() const { return width_; }    ///< texels of the map, without the border
    int Height() const { return height_; }  ///< likewise
    bool Empty() const { return texels_.empty(); }

    /// Row `y` of the bordered copy, 0..Height() + 1 (map row y - 1); its
    /// texel x, 0..Width() + 1, is the map's column x - 1 (wrapped).
    const std::uint8_t* Row(int y) const { return texels_.data() + static_cast<std::ptrdiff_t>(y) * (width_ + 2); }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> texels_;
};

/// Where the disc lies in a picture and how the sky is turned there.
struct EyepieceFrame {
    int Width = 0;       ///< pixels
    int Height = 0;      ///< pixels
    double CentreX = 0;  ///< pixels from the left edge to the disc's apparent centre
    double CentreY = 0;  ///< pixels from the top edge to it
    SkyScreenTransform Transform;

    /// The screen offset of a picture pixel's middle from the disc's centre.
    ScreenOffset OffsetOfPixel(int x, int y) const { return {x + 0.5 - CentreX, y + 0.5 - CentreY}; }
};

/// How bright the night side shows in the earthshine, relative to the day
/// side under a high Sun: faint, yet enough to make out the maria.
inline constexpr float EarthshineBrightness = 0.012f;

/// Half the width of the soft edge of the day side, degrees of the Sun's
/// altitude: the Sun's semi-diameter, over which it rises for a point.
inline constexpr double TerminatorHalfWidthDegrees = 0.27;

/// The lit side right at the terminator is as bright as this under the
/// softened edge, so that the edge of the light lies where the Sun sets and
/// not where a smooth sphere would fade into the dark.
inline constexpr float TerminatorFloor = 0.3f;

/// The brightness of a point of the Moon, relative to its albedo at full
/// Moon (1 there), from the cosines of the Sun's incidence `mu0` and of the
/// line of sight `mu` on its surface (Lommel-Seeliger: 2 mu0 / (mu0 + mu),
/// at most 1), at least TerminatorFloor on the day side, softened over the
/// Sun's disc at the terminator (a smooth step over -0.27..+0.27 degrees of
/// the Sun's altitude, 1/2 at 0) and never below the earthshine. Without
/// branches: the drawing takes several pixels at a time.
inline float SurfaceBrightness(float mu0, float mu)
{
    // sin(TerminatorHalfWidthDegrees)
    constexpr float Edge = 0.0047123715f;
    const float step = std::clamp((mu0 + Edge) / (2 * Edge), 0.0f, 1.0f);
    const float penumbra = step * step * (3 - 2 * step);
    const float direct = std::min(1.0f, 2 * std::max(mu0, 0.0f) / std::max(mu0 + std::max(mu, 0.0f), 1e-6f));
    return std::max(std::max(direct, TerminatorFloor) * penumbra, EarthshineBrightness);
}

/// Draws pictures of one globe: the geometry that stays the same between
/// frames (the frames of the globe, the site's place) is made once.
class EyepieceRenderer {
public:
    explicit EyepieceRenderer(const MoonGlobe& globe);

    /// Draws rows [firstRow, endRow) of the picture into `pixels`
    /// (0xAARRGGBB, rows `stride` pixels apart, row 0 at `pixels`): the
    /// disc from the albedo map, lit as SurfaceBrightness says, its rim
    /// blended into the black sky over one pixel; the sky black.
    void Render(const AlbedoTexture& albedo, const EyepieceFrame& frame, std::uint32_t* pixels, int stride,
                int firstRow, int endRow) const;

    /// Columns [firstColumn, endColumn) of rows [firstRow, endRow) only.
    void RenderBlock(const AlbedoTexture& albedo, const EyepieceFrame& frame, std::uint32_t* pixels, int stride,
                     int firstRow, int endRow, int firstColumn, int endColumn) const;

    /// The selenographic point the picture shows at a screen offset from the
    /// disc's centre, by the same arithmetic as Render; empty beside the
    /// disc. Agrees with SurfacePointAt(globe, transform.ToSky(offset)).
    std::optional<SelenographicPoint> PointAt(const SkyScreenTransform& transform, ScreenOffset offset) const;

    /// The points of row `y` of the picture (its pixels' middles) as the
    /// drawing finds them in single precision, for its albedo map; empty
    /// where the disc does not wholly cover the pixel. Within 0.005 degrees
    /// of PointAt.
    std::vector<std::optional<SelenographicPoint>> DrawnPoints(const EyepieceFrame& frame, int y) const;

private:
    struct SurfaceHit;
    bool Trace(double east, double north, SurfaceHit& hit) const;

    Vector3 centre_;       ///< body frame: the direction from the site to the Moon's centre
    Vector3 east_;         ///< body frame: the sky's east at the disc's centre
    Vector3 north_;        ///< body frame: the sky's north there
    Vector3 sun_;          ///< body frame: toward the Sun
    double distance_ = 0;  ///< km, site to the Moon's centre
};
