#include "tools/synthetic_photo/synthetic_photo.h"

#include <QImage>

#include <fitsio.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

namespace {

constexpr double SkyLevel = 1500;
constexpr double LitLevel = 40000;
constexpr double PlainLevel = 28000;
constexpr double ShadowLevel = 5000;
constexpr double EarthshineLevel = 2600;
// Sunlight at the surface: full from this cosine of the incidence on, less
// toward the terminator (the Moon's surface darkens only near it).
constexpr double FullLightCosine = 0.15;

// A surface point's inverse: sky offset of a pixel centre.
struct Sky {
    double East, North;
};

Sky ToSky(const PictureGeometry& g, double x, double y)
{
    const double a = g.TurnDegrees * std::numbers::pi / 180;
    const double sx = (x - g.CentreX) / g.PixelsPerArcsecond, up = -(y - g.CentreY) / g.PixelsPerArcsecond;
    // Turned back by -a.
    const double ux = sx * std::cos(a) + up * std::sin(a), uu = -sx * std::sin(a) + up * std::cos(a);
    return {g.Mirrored ? ux : -ux, uu};
}

// 1 inside, 0 outside, a linear ramp one pixel wide across the border at
// signed distance `inside` (pixels, positive inside): the area a straight
// border covers of a pixel.
double Coverage(double inside) { return std::clamp(inside + 0.5, 0.0, 1.0); }

void Blur(std::vector<double>& image, int width, int height, double sigma)
{
    if (sigma <= 0) return;
    const int reach = static_cast<int>(std::ceil(3 * sigma));
    std::vector<double> kernel(2 * reach + 1);
    double sum = 0;
    for (int i = -reach; i <= reach; ++i) sum += kernel[i + reach] = std::exp(-0.5 * i * i / (sigma * sigma));
    for (double& k : kernel) k /= sum;
    std::vector<double> line;
    auto pass = [&](int count, int length, auto index) {
        line.resize(length);
        for (int n = 0; n < count; ++n) {
            for (int i = 0; i < length; ++i) line[i] = image[index(n, i)];
            for (int i = 0; i < length; ++i) {
                double v = 0;
                for (int k = -reach; k <= reach; ++k) v += kernel[k + reach] * line[std::clamp(i + k, 0, length - 1)];
                image[index(n, i)] = v;
            }
        }
    };
    pass(height, width, [&](int row, int i) { return static_cast<std::size_t>(row) * width + i; });
    pass(width, height, [&](int column, int i) { return static_cast<std::size_t>(i) * width + column; });
}

}  // namespace

PicturePoint OnPicture(const PictureGeometry& g, double east, double north)
{
    const double a = g.TurnDegrees * std::numbers::pi / 180;
    const double ux = g.Mirrored ? east : -east, up = north;
    const double sx = ux * std::cos(a) - up * std::sin(a), su = ux * std::sin(a) + up * std::cos(a);
    return {g.CentreX + g.PixelsPerArcsecond * sx, g.CentreY - g.PixelsPerArcsecond * su};
}

std::vector<std::uint16_t> DrawSyntheticMoon(const SyntheticMoon& moon, const PictureGeometry& g)
{
    std::mt19937 random(moon.Seed);
    const double radius = moon.SemiDiameter * g.PixelsPerArcsecond;
    // A few darker plains at random places on the disc.
    struct Plain {
        double East, North, Radius;
    };
    std::vector<Plain> plains;
    std::uniform_real_distribution<double> unit(-1, 1);
    for (int i = 0; i < 6; ++i)
        plains.push_back({unit(random) * 0.6 * moon.SemiDiameter, unit(random) * 0.6 * moon.SemiDiameter,
                          (0.12 + 0.1 * std::abs(unit(random))) * moon.SemiDiameter});

    std::vector<double> image(static_cast<std::size_t>(g.Width) * g.Height, SkyLevel);
    for (int y = 0; y < g.Height; ++y) {
        for (int x = 0; x < g.Width; ++x) {
            const Sky s = ToSky(g, x + 0.5, y + 0.5);
            const double fromCentre = std::hypot(s.East, s.North) * g.PixelsPerArcsecond;
            const double disc = Coverage(radius - fromCentre);
            if (disc <= 0) continue;
            // The outward normal, seen orthographically, and its sunlight.
            const double e = s.East / moon.SemiDiameter, n = s.North / moon.SemiDiameter;
            const double t = std::sqrt(std::max(0.0, 1 - e * e - n * n));
            const double incidence = e * moon.SunEast + n * moon.SunNorth + t * moon.SunToward;
            // A soft terminator, about three pixels wide at the disc's middle.
            const double lit = std::clamp(incidence / FullLightCosine, 0.0, 1.0) * Coverage(incidence * radius / 3.0);
            double surface = LitLevel;
            for (const Plain& p : plains) {
                const double d = std::hypot(s.East - p.East, s.North - p.North) / p.Radius;
                if (d < 1.3) surface -= (LitLevel - PlainLevel) * std::clamp((1.3 - d) / 0.3, 0.0, 1.0);
            }
            for (const DrawnCrater& c : moon.Craters) {
                const double d = std::hypot(s.East - c.East, s.North - c.North) * g.PixelsPerArcsecond;
                const double rim = c.Radius * g.PixelsPerArcsecond;
                if (std::abs(d - rim) < 1.5)
                    surface += 5000;
                else if (d < rim)
                    surface -= 6000;
            }
            const double level = EarthshineLevel + (surface - EarthshineLevel) * lit;
            image[static_cast<std::size_t>(y) * g.Width + x] = SkyLevel + (level - SkyLevel) * disc;
        }
    }

    // Shadows: a dark wedge from a base across the summit to its point at
    // the tip, and the lit summit itself.
    for (const DrawnShadow& sh : moon.Shadows) {
        const PicturePoint summit = OnPicture(g, sh.SummitEast, sh.SummitNorth);
        const PicturePoint tip = OnPicture(g, sh.TipEast, sh.TipNorth);
        const double dx = tip.X - summit.X, dy = tip.Y - summit.Y;
        const double length = std::hypot(dx, dy);
        if (length <= 0) continue;
        const double ux = dx / length, uy = dy / length;
        const double halfBase = std::max(1.5, 0.25 * length);
        const int x0 = static_cast<int>(std::floor(std::min(summit.X, tip.X) - halfBase - 2));
        const int x1 = static_cast<int>(std::ceil(std::max(summit.X, tip.X) + halfBase + 2));
        const int y0 = static_cast<int>(std::floor(std::min(summit.Y, tip.Y) - halfBase - 2));
        const int y1 = static_cast<int>(std::ceil(std::max(summit.Y, tip.Y) + halfBase + 2));
        for (int y = std::max(0, y0); y <= std::min(g.Height - 1, y1); ++y) {
            for (int x = std::max(0, x0); x <= std::min(g.Width - 1, x1); ++x) {
                const double px = x + 0.5 - summit.X, py = y + 0.5 - summit.Y;
                const double along = px * ux + py * uy, across = -px * uy + py * ux;
                double& v = image[static_cast<std::size_t>(y) * g.Width + x];
                // Inside the triangle: 0 <= along <= length, |across| <= halfBase (1 - along / length).
                const double inside =
                    std::min({along, length - along, halfBase * (1 - along / length) - std::abs(across)});
                const double shade = Coverage(inside);
                v = v * (1 - shade) + ShadowLevel * shade;
                const double peak = Coverage(1.0 - std::hypot(px, py));
                v = v * (1 - peak) + (LitLevel + 12000) * peak;
            }
        }
    }

    Blur(image, g.Width, g.Height, moon.BlurPixels);
    std::normal_distribution<double> noise(0, moon.NoiseLevel);
    std::vector<std::uint16_t> pixels(image.size());
    for (std::size_t i = 0; i < image.size(); ++i)
        pixels[i] = static_cast<std::uint16_t>(std::clamp(std::lround(image[i] + noise(random)), 0l, 65535l));
    return pixels;
}

bool SaveSyntheticMoon(const std::vector<std::uint16_t>& pixels, const PictureGeometry& g, const std::string& path,
                       const std::string& dateObs)
{
    if (path.size() < 5 || path.compare(path.size() - 5, 5, ".fits") != 0) {
        QImage image(g.Width, g.Height, QImage::Format_Grayscale16);
        for (int y = 0; y < g.Height; ++y)
            std::copy_n(&pixels[static_cast<std::size_t>(y) * g.Width], g.Width,
                        reinterpret_cast<std::uint16_t*>(image.scanLine(y)));
        return image.save(QString::fromStdString(path));
    }
    std::remove(path.c_str());
    fitsfile* file = nullptr;
    int status = 0;
    long size[2] = {g.Width, g.Height};
    fits_create_file(&file, path.c_str(), &status);
    fits_create_img(file, USHORT_IMG, 2, size, &status);
    if (!dateObs.empty()) fits_update_key(file, TSTRING, "DATE-OBS", const_cast<char*>(dateObs.c_str()), "UT", &status);
    std::vector<std::uint16_t> bottomUp(pixels.size());
    for (int y = 0; y < g.Height; ++y)
        std::copy_n(&pixels[static_cast<std::size_t>(g.Height - 1 - y) * g.Width], g.Width,
                    &bottomUp[static_cast<std::size_t>(y) * g.Width]);
    fits_write_img(file, TUSHORT, 1, static_cast<LONGLONG>(bottomUp.size()), bottomUp.data(), &status);
    fits_close_file(file, &status);
    return status == 0;
}
