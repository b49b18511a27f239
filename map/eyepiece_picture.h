#pragma once
// The Moon as it looks in the eyepiece: every pixel of the picture traced to
// the point of the globe the site sees there, coloured from the albedo map
// and lit by the Sun. Standard C++ only; the picture is plain 32-bit pixels.

#include "astronomy/moon_globe.h"
#include "observing/sky_orientation.h"

#include <cstdint>
#include <optional>

/// The Moon's albedo, equirectangular: column 0 at longitude -180, the last
/// at +180 (east positive), row 0 at latitude +90; one byte per pixel, the
/// brightness of the full Moon (0 black .. 255 white).
struct AlbedoMap {
    int Width = 0;
    int Height = 0;
    const std::uint8_t* Pixels = nullptr;
    int Stride = 0;  ///< bytes from one row to the next
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
inline constexpr double EarthshineBrightness = 0.012;

/// Half the width of the soft edge of the day side, degrees of the Sun's
/// altitude: the Sun's semi-diameter, over which it rises for a point.
inline constexpr double TerminatorHalfWidthDegrees = 0.27;

/// The brightness of a point of the Moon, relative to its albedo at full
/// Moon (1 there), from the cosines of the Sun's incidence `mu0` and of the
/// line of sight `mu` on its surface (Lommel-Seeliger: 2 mu0 / (mu0 + mu)),
/// softened over the Sun's disc at the terminator and never below the
/// earthshine.
double SurfaceBrightness(double mu0, double mu);

/// Draws pictures of one globe: the geometry that stays the same between
/// frames (the frames of the globe, the site's place) is made once.
class EyepieceRenderer {
public:
    explicit EyepieceRenderer(const MoonGlobe& globe);

    /// Draws rows [firstRow, endRow) of the picture into `pixels`
    /// (0xAARRGGBB, rows `stride` pixels apart, row 0 at `pixels`): the
    /// disc from the albedo map, lit as SurfaceBrightness says, its rim
    /// blended into the black sky over one pixel; the sky black.
    void Render(const AlbedoMap& albedo, const EyepieceFrame& frame, std::uint32_t* pixels, int stride, int firstRow,
                int endRow) const;

    /// Columns [firstColumn, endColumn) of rows [firstRow, endRow) only.
    void RenderBlock(const AlbedoMap& albedo, const EyepieceFrame& frame, std::uint32_t* pixels, int stride,
                     int firstRow, int endRow, int firstColumn, int endColumn) const;

    /// The selenographic point the picture shows at a screen offset from the
    /// disc's centre, by the same arithmetic as Render; empty beside the
    /// disc. Agrees with SurfacePointAt(globe, transform.ToSky(offset)).
    std::optional<SelenographicPoint> PointAt(const SkyScreenTransform& transform, ScreenOffset offset) const;

private:
    struct SurfaceHit;
    bool Trace(double east, double north, SurfaceHit& hit) const;

    Vector3 centre_;       ///< body frame: the direction from the site to the Moon's centre
    Vector3 east_;         ///< body frame: the sky's east at the disc's centre
    Vector3 north_;        ///< body frame: the sky's north there
    Vector3 sun_;          ///< body frame: toward the Sun
    double distance_ = 0;  ///< km, site to the Moon's centre
};
