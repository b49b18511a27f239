#include "photo/limb_circle.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int GaussNewtonSteps = 50;
constexpr double LargestRadiusPerSpread = 1000.0;

// Solves the 3 x 3 system a x = b by Cramer's rule; empty when singular.
std::optional<std::array<double, 3>> Solve3(const double a[3][3], const double b[3])
{
    auto det = [](const double m[3][3]) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    const double d = det(a);
    double scale = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) scale = std::max(scale, std::abs(a[i][j]));
    if (!(std::abs(d) > 1e-12 * scale * scale * scale)) return std::nullopt;
    std::array<double, 3> x{};
    for (int column = 0; column < 3; ++column) {
        double m[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) m[i][j] = j == column ? b[i] : a[i][j];
        x[column] = det(m) / d;
    }
    return x;
}

}  // namespace

std::optional<LimbCircle> FitLimbCircle(const std::vector<ImagePoint>& points)
{
    if (points.size() < 3) return std::nullopt;
    // Around the points' mean, scaled to their spread, for a well-conditioned system.
    double meanX = 0, meanY = 0;
    for (const ImagePoint& p : points) meanX += p.X, meanY += p.Y;
    meanX /= points.size();
    meanY /= points.size();
    double spread = 0;
    for (const ImagePoint& p : points) spread = std::max(spread, std::hypot(p.X - meanX, p.Y - meanY));
    if (!(spread > 0)) return std::nullopt;

    // Kasa: x^2 + y^2 + D x + E y + F = 0, linear least squares.
    double a[3][3] = {}, b[3] = {};
    for (const ImagePoint& p : points) {
        const double x = (p.X - meanX) / spread, y = (p.Y - meanY) / spread;
        const double row[3] = {x, y, 1};
        const double rhs = -(x * x + y * y);
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) a[i][j] += row[i] * row[j];
            b[i] += row[i] * rhs;
        }
    }
    const auto algebraic = Solve3(a, b);
    if (!algebraic) return std::nullopt;
    double cx = -(*algebraic)[0] / 2, cy = -(*algebraic)[1] / 2;
    const double squared = cx * cx + cy * cy - (*algebraic)[2];
    if (!(squared > 0)) return std::nullopt;
    double r = std::sqrt(squared);

    // Gauss-Newton on the distances d_i = |p_i - c| - r.
    for (int step = 0; step < GaussNewtonSteps; ++step) {
        double n[3][3] = {}, g[3] = {};
        for (const ImagePoint& p : points) {
            const double x = (p.X - meanX) / spread, y = (p.Y - meanY) / spread;
            const double distance = std::hypot(x - cx, y - cy);
            if (distance == 0) continue;
            const double row[3] = {-(x - cx) / distance, -(y - cy) / distance, -1};
            const double residual = distance - r;
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j) n[i][j] += row[i] * row[j];
                g[i] -= row[i] * residual;
            }
        }
        const auto delta = Solve3(n, g);
        if (!delta) break;
        cx += (*delta)[0], cy += (*delta)[1], r += (*delta)[2];
        if (std::abs((*delta)[0]) + std::abs((*delta)[1]) + std::abs((*delta)[2]) < 1e-13) break;
    }
    if (!(r > 0) || r > LargestRadiusPerSpread) return std::nullopt;

    LimbCircle circle;
    circle.Centre = {meanX + cx * spread, meanY + cy * spread};
    circle.Radius = r * spread;
    double sum = 0;
    for (const ImagePoint& p : points) {
        const double d = std::hypot(p.X - circle.Centre.X, p.Y - circle.Centre.Y) - circle.Radius;
        sum += d * d;
    }
    circle.RmsResidual = std::sqrt(sum / points.size());
    return circle;
}
