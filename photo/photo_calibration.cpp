#include "photo/photo_calibration.h"

#include "observing/sky_orientation.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double ArcsecondsPerRadian = 206264.80624709636;
constexpr double DegreesPerRadian = 180.0 / std::numbers::pi;

// The eyepiece view's transform for a calibration: the turn counts
// counterclockwise from up to north, so the position angle shown up is
// -turn; a mirror, which the eyepiece applies after turning, reverses that.
SkyScreenTransform TransformOf(const PhotoCalibration& c)
{
    return SkyScreenTransform(c.Mirrored ? c.Turn : -c.Turn, c.Mirrored, c.PixelsPerArcsecond);
}

// The mean square distance of the clicked places from the predicted ones
// for one mirror, and the best turn for it.
Orientation BestTurn(ImagePoint centre, double scale, const std::vector<IdentifiedFormation>& formations, bool mirrored)
{
    double cross = 0, dot = 0;
    for (const IdentifiedFormation& f : formations) {
        // Screen offsets before the turn and as clicked, y down.
        const ScreenOffset a = SkyScreenTransform(0, mirrored, 1).ToScreen(f.Predicted);
        const ScreenOffset b{(f.Clicked.X - centre.X) / scale, (f.Clicked.Y - centre.Y) / scale};
        cross += b.Right * a.Down - b.Down * a.Right;
        dot += a.Right * b.Right + a.Down * b.Down;
    }
    Orientation orientation;
    orientation.Mirrored = mirrored;
    orientation.Turn = std::atan2(cross, dot) * DegreesPerRadian;
    const PhotoCalibration calibration{centre, scale, orientation.Turn, mirrored};
    double sum = 0;
    for (const IdentifiedFormation& f : formations) {
        const ImagePoint p = SkyToImage(calibration, f.Predicted);
        sum += std::pow(p.X - f.Clicked.X, 2) + std::pow(p.Y - f.Clicked.Y, 2);
    }
    orientation.RmsResidual = std::sqrt(sum / formations.size());
    return orientation;
}

}  // namespace

double ScaleFromLimb(double radiusPixels, double semiDiameterArcseconds)
{
    return radiusPixels / (std::tan(semiDiameterArcseconds / ArcsecondsPerRadian) * ArcsecondsPerRadian);
}

ImagePoint SkyToImage(const PhotoCalibration& c, SkyOffset offset)
{
    const ScreenOffset screen = TransformOf(c).ToScreen(offset);
    return {c.Centre.X + screen.Right, c.Centre.Y + screen.Down};
}

SkyOffset ImageToSky(const PhotoCalibration& c, ImagePoint point)
{
    return TransformOf(c).ToSky({point.X - c.Centre.X, point.Y - c.Centre.Y});
}

std::optional<Orientation> FitOrientation(ImagePoint centre, double pixelsPerArcsecond,
                                          const std::vector<IdentifiedFormation>& formations, bool mirrorForOne)
{
    bool anyAway = false;
    for (const IdentifiedFormation& f : formations)
        anyAway = anyAway || std::hypot(f.Clicked.X - centre.X, f.Clicked.Y - centre.Y) > 0;
    if (formations.empty() || !anyAway || !(pixelsPerArcsecond > 0)) return std::nullopt;
    if (formations.size() == 1) return BestTurn(centre, pixelsPerArcsecond, formations, mirrorForOne);
    const Orientation plain = BestTurn(centre, pixelsPerArcsecond, formations, false);
    const Orientation mirrored = BestTurn(centre, pixelsPerArcsecond, formations, true);
    return mirrored.RmsResidual < plain.RmsResidual ? mirrored : plain;
}
