#include "map/eyepiece_picture.h"

#include "astronomy/angles.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double ArcsecondsPerRadian = 206264.80624709636;
constexpr double Pi = 3.14159265358979323846;

/// The lit side right at the terminator: as bright as this under the
/// softened edge, so that the edge of the light lies where the Sun sets
/// and not where a smooth sphere would fade into the dark.
constexpr double TerminatorFloor = 0.3;

/// The faintly warm grey of the Moon, red, green, blue.
constexpr double Tint[3] = {1.0, 0.985, 0.95};

/// atan(x) for |x| <= 1, within 1e-5 radians (odd minimax polynomial):
/// the texture needs 1.5e-3.
inline double AtanUnit(double x)
{
    const double x2 = x * x;
    return x * (0.99997726 +
                x2 * (-0.33262347 + x2 * (0.19354346 + x2 * (-0.11643287 + x2 * (0.05265332 + x2 * -0.01172120)))));
}

/// atan2(y, x) within 1e-5 radians, -pi..pi; 0 for (0, 0).
inline double FastAtan2(double y, double x)
{
    const double ax = std::fabs(x), ay = std::fabs(y);
    if (ax == 0 && ay == 0) return 0;
    double angle = ax >= ay ? AtanUnit(ay / ax) : Pi / 2 - AtanUnit(ax / ay);
    if (x < 0) angle = Pi - angle;
    return y < 0 ? -angle : angle;
}

/// The smooth step 3u^2 - 2u^3 of u clamped to 0..1.
inline double SmoothStep(double u)
{
    u = std::clamp(u, 0.0, 1.0);
    return u * u * (3 - 2 * u);
}

/// The albedo (0..255, bilinear) at a point of the surface given by its
/// unit normal in the body frame.
inline double SampleAlbedo(const AlbedoMap& albedo, double nx, double ny, double nz)
{
    const double longitude = FastAtan2(ny, nx);                 // -pi..pi
    const double latitude = FastAtan2(nz, std::hypot(nx, ny));  // -pi/2..pi/2
    const double u = (longitude / (2 * Pi) + 0.5) * albedo.Width - 0.5;
    const double v = (0.5 - latitude / Pi) * albedo.Height - 0.5;
    const double fu = std::floor(u), fv = std::floor(v);
    const double du = u - fu, dv = v - fv;
    int x0 = static_cast<int>(fu), y0 = static_cast<int>(fv);
    int x1 = x0 + 1, y1 = y0 + 1;
    if (x0 < 0) x0 += albedo.Width;
    if (x1 >= albedo.Width) x1 -= albedo.Width;
    y0 = std::clamp(y0, 0, albedo.Height - 1);
    y1 = std::clamp(y1, 0, albedo.Height - 1);
    const std::uint8_t* top = albedo.Pixels + static_cast<std::ptrdiff_t>(y0) * albedo.Stride;
    const std::uint8_t* bottom = albedo.Pixels + static_cast<std::ptrdiff_t>(y1) * albedo.Stride;
    const double upper = top[x0] + (top[x1] - top[x0]) * du;
    const double lower = bottom[x0] + (bottom[x1] - bottom[x0]) * du;
    return upper + (lower - upper) * dv;
}

/// The pixel for an albedo (0..255) seen at a relative brightness, covering
/// `coverage` of the pixel over the black sky. The albedo map holds display
/// levels: light adds in the square of them (a gamma of 2).
inline std::uint32_t ShadedPixel(double albedo, double brightness, double coverage)
{
    const double level = albedo / 255.0;
    const double shown = std::sqrt(std::min(1.0, level * level * brightness)) * 255.0 * coverage;
    const auto channel = [shown](double tint) { return static_cast<std::uint32_t>(shown * tint + 0.5); };
    return 0xFF000000u | channel(Tint[0]) << 16 | channel(Tint[1]) << 8 | channel(Tint[2]);
}

}  // namespace

double SurfaceBrightness(double mu0, double mu)
{
    const double edge = std::sin(TerminatorHalfWidthDegrees * DegreeFactor);
    const double penumbra = SmoothStep((mu0 + edge) / (2 * edge));
    double lit = 0;
    if (mu0 > 0) lit = std::min(1.0, 2 * mu0 / (mu0 + std::max(mu, 0.0)));
    lit = std::max(lit, TerminatorFloor) * penumbra;
    return std::max(lit, EarthshineBrightness);
}

/// Where a line of sight meets the globe.
struct EyepieceRenderer::SurfaceHit {
    Vector3 Normal;       ///< body frame, unit
    double Emission = 0;  ///< cosine of the angle between the normal and the line toward the site
    double LimbKm = 0;    ///< how far inside the limb, km across the line of sight (< 0 beside it)
};

EyepieceRenderer::EyepieceRenderer(const MoonGlobe& globe)
{
    const SkyFrame sky = SkyFrameFromSite(globe);
    centre_ = EquatorialToBody(globe, sky.Centre);
    east_ = EquatorialToBody(globe, sky.East);
    north_ = EquatorialToBody(globe, sky.North);
    sun_ = globe.SunDirection;
    distance_ = Length(MoonFromSite(globe));
}

bool EyepieceRenderer::Trace(double east, double north, SurfaceHit& hit) const
{
    // The line of sight is centre + t with t = (east east_ + north north_) /
    // ArcsecondsPerRadian, |t|^2 = w. Its first meeting with the sphere,
    // written so that no two large terms cancel (see SurfacePointAt):
    // P = -(D w / (1 + w) + h / |ray|) centre + (D / (1 + w) - h / |ray|) t,
    // h the half chord.
    const double e = east / ArcsecondsPerRadian, n = north / ArcsecondsPerRadian;
    const double w = e * e + n * n;
    const double inverseLength = 1.0 / std::sqrt(1.0 + w);
    const double missSquared = distance_ * distance_ * w / (1.0 + w);
    const double halfChordSquared = MoonRadiusKm * MoonRadiusKm - missSquared;
    hit.LimbKm = halfChordSquared / (2 * MoonRadiusKm);
    const double h = halfChordSquared > 0 ? std::sqrt(halfChordSquared) : 0.0;
    const double alongCentre = -(distance_ * w / (1.0 + w) + inverseLength * h);
    const double alongT = distance_ / (1.0 + w) - inverseLength * h;
    const double scale = 1.0 / MoonRadiusKm;
    hit.Normal = {scale * (alongCentre * centre_.X + alongT * (e * east_.X + n * north_.X)),
                  scale * (alongCentre * centre_.Y + alongT * (e * east_.Y + n * north_.Y)),
                  scale * (alongCentre * centre_.Z + alongT * (e * east_.Z + n * north_.Z))};
    const Vector3 toward{centre_.X + e * east_.X + n * north_.X, centre_.Y + e * east_.Y + n * north_.Y,
                         centre_.Z + e * east_.Z + n * north_.Z};
    hit.Emission = -Dot(hit.Normal, toward) * inverseLength;
    return halfChordSquared > 0;
}

std::optional<SelenographicPoint> EyepieceRenderer::PointAt(const SkyScreenTransform& transform,
                                                            ScreenOffset offset) const
{
    const SkyOffset sky = transform.ToSky(offset);
    SurfaceHit hit;
    if (!Trace(sky.East, sky.North, hit)) return std::nullopt;
    return BodyToSelenographic(hit.Normal);
}

void EyepieceRenderer::Render(const AlbedoMap& albedo, const EyepieceFrame& frame, std::uint32_t* pixels, int stride,
                              int firstRow, int endRow) const
{
    RenderBlock(albedo, frame, pixels, stride, firstRow, endRow, 0, frame.Width);
}

void EyepieceRenderer::RenderBlock(const AlbedoMap& albedo, const EyepieceFrame& frame, std::uint32_t* pixels,
                                   int stride, int firstRow, int endRow, int firstColumn, int endColumn) const
{
    constexpr std::uint32_t Sky = 0xFF000000u;
    firstRow = std::max(firstRow, 0);
    endRow = std::min(endRow, frame.Height);
    firstColumn = std::max(firstColumn, 0);
    endColumn = std::min(endColumn, frame.Width);
    if (firstColumn >= endColumn) return;

    // The disc's box on the screen, a pixel wider for the blended rim:
    // everything outside it is sky.
    const double radiusPixels =
        std::asin(MoonRadiusKm / distance_) * ArcsecondsPerRadian * frame.Transform.PixelsPerArcsecond() + 2.0;
    const int boxTop = static_cast<int>(std::floor(frame.CentreY - radiusPixels));
    const int boxBottom = static_cast<int>(std::ceil(frame.CentreY + radiusPixels));
    const int boxLeft = std::max(firstColumn, static_cast<int>(std::floor(frame.CentreX - radiusPixels)));
    const int boxRight = std::min(endColumn, static_cast<int>(std::ceil(frame.CentreX + radiusPixels)));
    // Km across the line of sight per pixel at the Moon's distance.
    const double kmPerPixel = distance_ / (ArcsecondsPerRadian * frame.Transform.PixelsPerArcsecond());

    // The sky offset moves by a fixed step from pixel to pixel.
    const SkyOffset origin = frame.Transform.ToSky({0, 0});
    const SkyOffset alongRow = frame.Transform.ToSky({1, 0});
    const double stepEast = alongRow.East - origin.East, stepNorth = alongRow.North - origin.North;

    for (int y = firstRow; y < endRow; ++y) {
        std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        if (y < boxTop || y > boxBottom || boxLeft >= boxRight) {
            std::fill(row + firstColumn, row + endColumn, Sky);
            continue;
        }
        std::fill(row + firstColumn, row + boxLeft, Sky);
        std::fill(row + std::max(boxRight, boxLeft), row + endColumn, Sky);
        const SkyOffset start = frame.Transform.ToSky(frame.OffsetOfPixel(boxLeft, y));
        double east = start.East, north = start.North;
        SurfaceHit hit;
        for (int x = boxLeft; x < boxRight; ++x, east += stepEast, north += stepNorth) {
            Trace(east, north, hit);
            const double coverage = std::clamp(0.5 + hit.LimbKm / kmPerPixel, 0.0, 1.0);
            if (coverage <= 0) {
                row[x] = Sky;
                continue;
            }
            const double mu0 = Dot(hit.Normal, sun_);
            row[x] = ShadedPixel(SampleAlbedo(albedo, hit.Normal.X, hit.Normal.Y, hit.Normal.Z),
                                 SurfaceBrightness(mu0, hit.Emission), coverage);
        }
    }
}
