#include "photo/photo_calibration.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double ArcsecondsPerRadian = 206264.80624709636;
constexpr double DegreesPerRadian = 180.0 / std::numbers::pi;

// An offset on the screen with y up, before the turn: north up, east left
// (or right when mirrored), arcseconds.
struct ScreenVector {
    double X = 0;
    double Up = 0;
};

ScreenVector Unturned(SkyOffset offset, bool mirrored) { return {mirrored ? offset.East : -offset.East, offset.North}; }

ScreenVector Turned(ScreenVector v, double degrees)
{
    const double a = degrees / DegreesPerRadian;
    return {v.X * std::cos(a) - v.Up * std::sin(a), v.X * std::sin(a) + v.Up * std::cos(a)};
}

// The mean square distance of the clicked places from the predicted ones
// for one mirror, and the best turn for it.
Orientation BestTurn(ImagePoint centre, double scale, const std::vector<IdentifiedFormation>& formations, bool mirrored)
{
    double cross = 0, dot = 0;
    for (const IdentifiedFormation& f : formations) {
        const ScreenVector a = Unturned(f.Predicted, mirrored);
        const ScreenVector b{(f.Clicked.X - centre.X) / scale, -(f.Clicked.Y - centre.Y) / scale};
        cross += a.X * b.Up - a.Up * b.X;
        dot += a.X * b.X + a.Up * b.Up;
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
    const ScreenVector v = Turned(Unturned(offset, c.Mirrored), c.Turn);
    return {c.Centre.X + c.PixelsPerArcsecond * v.X, c.Centre.Y - c.PixelsPerArcsecond * v.Up};
}

SkyOffset ImageToSky(const PhotoCalibration& c, ImagePoint point)
{
    const ScreenVector screen{(point.X - c.Centre.X) / c.PixelsPerArcsecond,
                              -(point.Y - c.Centre.Y) / c.PixelsPerArcsecond};
    const ScreenVector v = Turned(screen, -c.Turn);
    return {c.Mirrored ? v.X : -v.X, v.Up};
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
