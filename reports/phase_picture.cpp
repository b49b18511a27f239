#include "reports/phase_picture.h"

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace {

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;

void SetPixel(QImage& image, int x, int y, QRgb colour)
{
    if (image.valid(x, y)) image.setPixel(x, y, colour);
}

// Screen angle of (dx, dy) with y pointing down, counterclockwise from the
// right, in [0, 2 pi).
double ScreenAngle(double dx, double dy)
{
    double angle = std::atan2(-dy, dx);
    return angle < 0 ? angle + 2 * std::numbers::pi : angle;
}

// Calls plot(dx, dy) for the pixels of one quadrant of the ellipse with
// semi-axes a and b around the origin (midpoint algorithm, dx and dy >= 0);
// the caller mirrors them into the other quadrants. Consecutive pixels
// touch at least at a corner.
template <class Plot>
void WalkQuadrant(long a, long b, Plot plot)
{
    const double a2 = static_cast<double>(a) * a;
    const double b2 = static_cast<double>(b) * b;
    long x = 0;
    long y = b;
    // Region 1: the slope is below 1, x advances every step.
    double d = b2 - a2 * b + 0.25 * a2;
    while (b2 * x < a2 * y) {
        plot(x, y);
        if (d >= 0) {
            --y;
            d -= 2 * a2 * y;
        }
        ++x;
        d += 2 * b2 * x + b2;
    }
    // Region 2: y falls every step.
    d = b2 * (x + 0.5) * (x + 0.5) + a2 * (y - 1.0) * (y - 1.0) - a2 * b2;
    while (y >= 0) {
        plot(x, y);
        if (d <= 0) {
            ++x;
            d += 2 * b2 * x;
        }
        --y;
        d += a2 - 2 * a2 * y;
    }
}

}  // namespace

void DrawEllipticArc(QImage& image, const QRect& box, QPoint start, QPoint end, QRgb colour)
{
    const long a = (box.right() - box.left()) / 2;
    const long b = (box.bottom() - box.top()) / 2;
    if (a <= 0 || b <= 0) return;
    const int cx = box.left() + static_cast<int>(a);
    const int cy = box.top() + static_cast<int>(b);

    const double from = ScreenAngle(start.x() - cx, start.y() - cy);
    double sweep = ScreenAngle(end.x() - cx, end.y() - cy) - from;
    if (sweep <= 0) sweep += 2 * std::numbers::pi;
    constexpr double kTolerance = 1e-9;

    WalkQuadrant(a, b, [&](long dx, long dy) {
        for (int sx : {-1, 1})
            for (int sy : {-1, 1}) {
                const int x = cx + sx * static_cast<int>(dx);
                const int y = cy + sy * static_cast<int>(dy);
                double along = ScreenAngle(x - cx, y - cy) - from;
                if (along < -kTolerance) along += 2 * std::numbers::pi;
                if (along <= sweep + kTolerance) SetPixel(image, x, y, colour);
            }
    });
}

void DrawLine(QImage& image, QPoint from, QPoint to, QRgb colour)
{
    // Bresenham's line.
    int x = from.x();
    int y = from.y();
    const int dx = std::abs(to.x() - x);
    const int dy = -std::abs(to.y() - y);
    const int stepX = x < to.x() ? 1 : -1;
    const int stepY = y < to.y() ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        SetPixel(image, x, y, colour);
        if (x == to.x() && y == to.y()) return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void FloodFill(QImage& image, QPoint seed, QRgb border, QRgb fill)
{
    auto open = [&](int x, int y) {
        return image.valid(x, y) && image.pixel(x, y) != border && image.pixel(x, y) != fill;
    };
    if (!image.valid(seed) || image.pixel(seed) == border) return;
    std::vector<QPoint> pending{seed};
    image.setPixel(seed, fill);
    while (!pending.empty()) {
        const QPoint p = pending.back();
        pending.pop_back();
        for (QPoint next : {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)}) {
            if (!open(next.x(), next.y())) continue;
            image.setPixel(next, fill);
            pending.push_back(next);
        }
    }
}

QImage PhasePicture(int phaseNumber)
{
    QImage image(kPhasePictureWidth, kPhasePictureHeight, QImage::Format_RGB32);
    image.fill(kBlack);
    constexpr int kFullMoon = 14;
    constexpr int kLastLitDay = 27;
    if (phaseNumber < 1 || phaseNumber > kLastLitDay) return image;

    // Every curve is an ellipse around (65, 60) from y = 4 to y = 116; the
    // disc has the half-width 56, the terminator 8 pixels per day away from
    // the nearest quarter.
    constexpr int kCentreX = 65;
    constexpr int kCentreY = 60;
    const QPoint top(kCentreX, 4);
    const QPoint bottom(kCentreX, 116);
    auto ellipse = [&](int halfWidth) {
        return QRect(QPoint(kCentreX - halfWidth, top.y()), QPoint(kCentreX + halfWidth, bottom.y()));
    };
    auto drawRightHalf = [&](int halfWidth) { DrawEllipticArc(image, ellipse(halfWidth), bottom, top, kWhite); };
    auto drawLeftHalf = [&](int halfWidth) { DrawEllipticArc(image, ellipse(halfWidth), top, bottom, kWhite); };

    const bool waxing = phaseNumber < kFullMoon;
    // Days past the quarter: up to 0 the terminator bulges toward the lit
    // limb (crescent before first quarter, gibbous before last quarter),
    // above 0 toward the dark one.
    const int pastQuarter = phaseNumber - (waxing ? 7 : 21);
    const int terminatorHalfWidth = 8 * std::abs(pastQuarter);

    if (waxing)
        drawRightHalf(56);
    else
        drawLeftHalf(56);
    if (pastQuarter <= 0)
        drawRightHalf(terminatorHalfWidth);
    else
        drawLeftHalf(terminatorHalfWidth);
    if (pastQuarter == 0) DrawLine(image, QPoint(64, top.y()), QPoint(64, bottom.y()), kWhite);

    QPoint seed;
    if (waxing)
        seed = pastQuarter <= 0 ? QPoint(119, kCentreY) : QPoint(kCentreX, kCentreY);
    else
        seed = pastQuarter <= 0 ? QPoint(63, kCentreY) : QPoint(11, kCentreY);
    FloodFill(image, seed, kWhite, kWhite);
    return image;
}
