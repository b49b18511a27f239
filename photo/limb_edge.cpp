#include "photo/limb_edge.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double ProfileStep = 0.25;  // pixels
constexpr int GradientHalfWidth = 3;  // pixels
constexpr double SampleHalfLength = 1.0;
constexpr int SamplesAlongEdge = 5;
constexpr double LeastContrastPerNoise = 6.0;
constexpr int NoiseHalfWidth = 4;  // pixels
constexpr int EdgeLooks = 3;

// The noise of single pixels around a point: from the median difference
// of horizontal neighbours, which the few differences across an edge do
// not move (for Gaussian noise sigma = 1.4826 * median / sqrt 2).
double PixelNoise(const PhotoRaster& raster, ImagePoint at)
{
    std::vector<double> differences;
    const int cx = static_cast<int>(at.X), cy = static_cast<int>(at.Y);
    for (int y = std::max(0, cy - NoiseHalfWidth); y <= std::min(raster.Height - 1, cy + NoiseHalfWidth); ++y)
        for (int x = std::max(0, cx - NoiseHalfWidth); x < std::min(raster.Width - 1, cx + NoiseHalfWidth); ++x)
            differences.push_back(std::abs(double(raster.At(x + 1, y)) - raster.At(x, y)));
    if (differences.empty()) return 0;
    std::nth_element(differences.begin(), differences.begin() + differences.size() / 2, differences.end());
    return 1.4826 * differences[differences.size() / 2] / std::sqrt(2.0);
}

}  // namespace

namespace {

// One look across the edge from `centre`: the offset along the gradient
// at which the brightness passes halfway between the two sides; empty
// without a clear edge.
std::optional<ImagePoint> CrossingNear(const PhotoRaster& raster, ImagePoint centre)
{
    double gx = 0, gy = 0;
    for (int dy = -GradientHalfWidth; dy <= GradientHalfWidth; ++dy) {
        for (int dx = -GradientHalfWidth; dx <= GradientHalfWidth; ++dx) {
            const ImagePoint at{centre.X + dx, centre.Y + dy};
            gx += SampleBilinear(raster, {at.X + 1, at.Y}) - SampleBilinear(raster, {at.X - 1, at.Y});
            gy += SampleBilinear(raster, {at.X, at.Y + 1}) - SampleBilinear(raster, {at.X, at.Y - 1});
        }
    }
    const double norm = std::hypot(gx, gy);
    if (!(norm > 0)) return std::nullopt;
    const double nx = gx / norm, ny = gy / norm;  // from dark to bright
    const double tx = -ny, ty = nx;               // along the edge

    const int steps = static_cast<int>(EdgeSearchPixels / ProfileStep);
    std::vector<double> profile;
    for (int i = -steps; i <= steps; ++i) {
        const double t = i * ProfileStep;
        double sum = 0;
        for (int k = 0; k < SamplesAlongEdge; ++k) {
            const double u = -SampleHalfLength + 2 * SampleHalfLength * k / (SamplesAlongEdge - 1);
            sum += SampleBilinear(raster, {centre.X + t * nx + u * tx, centre.Y + t * ny + u * ty});
        }
        profile.push_back(sum / SamplesAlongEdge);
    }

    // The outer quarter on each side gives the dark and the bright level.
    const int quarter = static_cast<int>(profile.size()) / 4;
    auto level = [&](int from, int to) {
        double sum = 0;
        for (int i = from; i < to; ++i) sum += profile[i];
        return sum / (to - from);
    };
    const double dark = level(0, quarter);
    const double bright = level(static_cast<int>(profile.size()) - quarter, static_cast<int>(profile.size()));
    if (!(bright - dark > std::max(LeastContrastPerNoise * PixelNoise(raster, centre), 1.0))) return std::nullopt;

    // The crossing of the halfway level nearest to the centre.
    const double half = (dark + bright) / 2;
    std::optional<double> best;
    for (std::size_t i = 0; i + 1 < profile.size(); ++i) {
        const double a = profile[i] - half, b = profile[i + 1] - half;
        if ((a < 0) == (b < 0) && a != 0) continue;
        const double t = (static_cast<double>(i) - steps + (a == b ? 0 : a / (a - b))) * ProfileStep;
        if (!best || std::abs(t) < std::abs(*best)) best = t;
    }
    if (!best) return std::nullopt;
    return ImagePoint{centre.X + *best * nx, centre.Y + *best * ny};
}

}  // namespace

std::optional<ImagePoint> SnapToEdge(const PhotoRaster& raster, ImagePoint click)
{
    if (raster.Empty()) return std::nullopt;
    // Looked at again from the crossing found: the two sides' levels are
    // then taken at equal distances from the edge, which a click beside it
    // does not give (a blurred edge would pull the nearer side's level).
    std::optional<ImagePoint> edge = CrossingNear(raster, click);
    for (int look = 1; look < EdgeLooks && edge; ++look) {
        std::optional<ImagePoint> again = CrossingNear(raster, *edge);
        if (!again) break;
        edge = again;
    }
    if (edge && std::hypot(edge->X - click.X, edge->Y - click.Y) > EdgeSearchPixels) return std::nullopt;
    return edge;
}
