#include "map/eyepiece_picture.h"

#include "astronomy/angles.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double ArcsecondsPerRadian = 206264.80624709636;
constexpr float Pi = 3.14159265358979323846f;

/// The faintly warm grey of the Moon, red, green, blue.
constexpr float Tint[3] = {1.0f, 0.985f, 0.95f};

/// atan2(y, x) within 1e-5 radians, -pi..pi (0 for (0, 0)), without
/// branches, so that the compiler can work on several pixels at once: an
/// odd minimax polynomial of atan on 0..1, then the octant. The texture
/// needs 1.5e-3.
inline float FastAtan2(float y, float x)
{
    const float ax = std::fabs(x), ay = std::fabs(y);
    const float a = std::min(ax, ay) / std::max(std::max(ax, ay), 1e-30f);
    const float a2 = a * a;
    float r =
        a * (0.99997726f +
             a2 * (-0.33262347f + a2 * (0.19354346f + a2 * (-0.11643287f + a2 * (0.05265332f + a2 * -0.01172120f)))));
    r = ay > ax ? Pi / 2 - r : r;
    r = x < 0 ? Pi - r : r;
    return y < 0 ? -r : r;
}

/// Per-pixel values of one row of the disc, filled stage by stage.
struct RowBuffers {
    explicit RowBuffers(int length) : U(length), V(length), Brightness(length), Coverage(length), Albedo(length) {}
    std::vector<float> U, V;        ///< texel coordinates in the bordered copy
    std::vector<float> Brightness;  ///< SurfaceBrightness
    std::vector<float> Coverage;    ///< how much of the pixel the disc covers, 0..1
    std::vector<float> Albedo;      ///< sampled, 0..255
};

/// What every pixel of a picture shares, in single precision: the line of
/// sight's angle from the centre is under 0.005 radians, the surface point
/// then comes out within 0.03 km, the texture needs 3 km.
struct RowGeometry {
    float Radius, InverseRadius, Distance;
    float InverseTwoRadiusPixel;             ///< 1 / (2 R km per pixel): the rim's blend
    float CX, CY, CZ;                        ///< body frame: toward the Moon's centre
    float EX, EY, EZ;                        ///< body frame: the sky's east
    float NX, NY, NZ;                        ///< body frame: the sky's north
    float SX, SY, SZ;                        ///< body frame: toward the Sun
    float UScale, UOffset, VScale, VOffset;  ///< longitude, latitude -> texel
    float StepEast, StepNorth;               ///< radians from one pixel to the next
};

/// The row geometry of a picture of the globe whose frames (body frame,
/// unit vectors) and distance (km) are given, for a texture of the size.
RowGeometry MakeRowGeometry(Vector3 centre, Vector3 east, Vector3 north, Vector3 sun, double distance,
                            const EyepieceFrame& frame, int textureWidth, int textureHeight)
{
    // Km across the line of sight per pixel at the Moon's distance.
    const double kmPerPixel = distance / (ArcsecondsPerRadian * frame.Transform.PixelsPerArcsecond());
    // The sky offset moves by a fixed step from pixel to pixel.
    const SkyOffset origin = frame.Transform.ToSky({0, 0});
    const SkyOffset alongRow = frame.Transform.ToSky({1, 0});
    const auto f = [](double value) { return static_cast<float>(value); };
    return RowGeometry{f(MoonRadiusKm), f(1.0 / MoonRadiusKm), f(distance), f(1.0 / (2 * MoonRadiusKm * kmPerPixel)),
                       f(centre.X), f(centre.Y), f(centre.Z), f(east.X), f(east.Y), f(east.Z), f(north.X), f(north.Y),
                       f(north.Z), f(sun.X), f(sun.Y), f(sun.Z),
                       // Texel coordinates in the bordered copy (one texel more on each side).
                       textureWidth / (2 * Pi), textureWidth / 2.0f + 0.5f, textureHeight / Pi,
                       textureHeight / 2.0f + 0.5f, f((alongRow.East - origin.East) / ArcsecondsPerRadian),
                       f((alongRow.North - origin.North) / ArcsecondsPerRadian)};
}

/// The line of sight of a pixel's middle, radians east and north of the
/// disc's centre.
void LineOfSight(const EyepieceFrame& frame, int x, int y, float& east, float& north)
{
    const SkyOffset sky = frame.Transform.ToSky(frame.OffsetOfPixel(x, y));
    east = static_cast<float>(sky.East / ArcsecondsPerRadian);
    north = static_cast<float>(sky.North / ArcsecondsPerRadian);
}

// The two loops over a row's pixels have no branches, so that the compiler
// takes several pixels at a time; each is built twice, for processors with
// and without AVX2, and the program picks one when it starts.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define MIRELTA_WIDE_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define MIRELTA_WIDE_LOOP
#endif

/// 1. The point of the globe each line of sight of a row meets (as Trace
///    does), its light, and its place in the albedo map.
MIRELTA_WIDE_LOOP void TraceRow(const RowGeometry& g, float e0, float n0, int count, float* u, float* v,
                                float* brightness, float* coverage)
{
    for (int i = 0; i < count; ++i) {
        const float e = e0 + i * g.StepEast, n = n0 + i * g.StepNorth;
        const float w = e * e + n * n;
        const float inverseSquare = 1.0f / (1.0f + w);
        const float inverseLength = std::sqrt(inverseSquare);
        const float missSquared = g.Distance * g.Distance * w * inverseSquare;
        const float halfChordSquared = g.Radius * g.Radius - missSquared;
        const float h = std::sqrt(std::max(halfChordSquared, 0.0f));
        const float alongCentre = -(g.Distance * w * inverseSquare + inverseLength * h) * g.InverseRadius;
        const float alongT = (g.Distance * inverseSquare - inverseLength * h) * g.InverseRadius;
        const float tX = e * g.EX + n * g.NX, tY = e * g.EY + n * g.NY, tZ = e * g.EZ + n * g.NZ;
        const float x = alongCentre * g.CX + alongT * tX;
        const float y = alongCentre * g.CY + alongT * tY;
        const float z = alongCentre * g.CZ + alongT * tZ;
        const float emission = -(x * (g.CX + tX) + y * (g.CY + tY) + z * (g.CZ + tZ)) * inverseLength;
        brightness[i] = SurfaceBrightness(x * g.SX + y * g.SY + z * g.SZ, emission);
        coverage[i] = std::clamp(0.5f + halfChordSquared * g.InverseTwoRadiusPixel, 0.0f, 1.0f);
        u[i] = FastAtan2(y, x) * g.UScale + g.UOffset;
        v[i] = g.VOffset - FastAtan2(z, std::sqrt(x * x + y * y)) * g.VScale;
    }
}

/// 3. The pixels of a row. The albedo map holds display levels: light adds
///    in the square of them (a gamma of 2). The rim blends into the sky.
MIRELTA_WIDE_LOOP void ShadeRow(const float* albedo, const float* brightness, const float* coverage, int count,
                                std::uint32_t* out)
{
    for (int i = 0; i < count; ++i) {
        const float level = albedo[i] * (1.0f / 255.0f);
        const float shown = std::sqrt(std::min(1.0f, level * level * brightness[i])) * 255.0f * coverage[i];
        const auto channel = [shown](float tint) { return static_cast<std::uint32_t>(shown * tint + 0.5f); };
        out[i] = 0xFF000000u | channel(Tint[0]) << 16 | channel(Tint[1]) << 8 | channel(Tint[2]);
    }
}

}  // namespace

AlbedoTexture::AlbedoTexture(const AlbedoMap& map) : width_(map.Width), height_(map.Height)
{
    if (width_ <= 0 || height_ <= 0 || !map.Pixels) {
        width_ = height_ = 0;
        return;
    }
    const int stride = width_ + 2;
    texels_.resize(static_cast<std::size_t>(stride) * (height_ + 2));
    for (int y = 0; y < height_ + 2; ++y) {
        const std::uint8_t* source =
            map.Pixels + static_cast<std::ptrdiff_t>(std::clamp(y - 1, 0, height_ - 1)) * map.Stride;
        std::uint8_t* target = texels_.data() + static_cast<std::ptrdiff_t>(y) * stride;
        target[0] = source[width_ - 1];
        std::copy(source, source + width_, target + 1);
        target[width_ + 1] = source[0];
    }
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

std::vector<std::optional<SelenographicPoint>> EyepieceRenderer::DrawnPoints(const EyepieceFrame& frame, int y) const
{
    // A texture of one texel per degree: the texel coordinates are degrees.
    const RowGeometry geometry = MakeRowGeometry(centre_, east_, north_, sun_, distance_, frame, 360, 180);
    RowBuffers r(frame.Width);
    float e0 = 0, n0 = 0;
    LineOfSight(frame, 0, y, e0, n0);
    TraceRow(geometry, e0, n0, frame.Width, r.U.data(), r.V.data(), r.Brightness.data(), r.Coverage.data());
    std::vector<std::optional<SelenographicPoint>> points(frame.Width);
    for (int x = 0; x < frame.Width; ++x)
        if (r.Coverage[x] >= 1.0f) points[x] = SelenographicPoint{90.5 - r.V[x], r.U[x] - 180.5};
    return points;
}

void EyepieceRenderer::Render(const AlbedoTexture& albedo, const EyepieceFrame& frame, std::uint32_t* pixels,
                              int stride, int firstRow, int endRow) const
{
    RenderBlock(albedo, frame, pixels, stride, firstRow, endRow, 0, frame.Width);
}

void EyepieceRenderer::RenderBlock(const AlbedoTexture& albedo, const EyepieceFrame& frame, std::uint32_t* pixels,
                                   int stride, int firstRow, int endRow, int firstColumn, int endColumn) const
{
    constexpr std::uint32_t Sky = 0xFF000000u;
    firstRow = std::max(firstRow, 0);
    endRow = std::min(endRow, frame.Height);
    firstColumn = std::max(firstColumn, 0);
    endColumn = std::min(endColumn, frame.Width);
    if (firstColumn >= endColumn || albedo.Empty()) return;

    // The disc's box on the screen, a pixel wider for the blended rim:
    // everything outside it is sky.
    const double radiusPixels =
        std::asin(MoonRadiusKm / distance_) * ArcsecondsPerRadian * frame.Transform.PixelsPerArcsecond() + 2.0;
    const int boxTop = static_cast<int>(std::floor(frame.CentreY - radiusPixels));
    const int boxBottom = static_cast<int>(std::ceil(frame.CentreY + radiusPixels));
    const int boxLeft = std::max(firstColumn, static_cast<int>(std::floor(frame.CentreX - radiusPixels)));
    const int boxRight = std::min(endColumn, static_cast<int>(std::ceil(frame.CentreX + radiusPixels)));
    const RowGeometry geometry =
        MakeRowGeometry(centre_, east_, north_, sun_, distance_, frame, albedo.Width(), albedo.Height());
    const int lastColumn = albedo.Width(), lastRow = albedo.Height();

    RowBuffers buffers(std::max(boxRight - boxLeft, 0));
    for (int y = firstRow; y < endRow; ++y) {
        std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        if (y < boxTop || y > boxBottom || boxLeft >= boxRight) {
            std::fill(row + firstColumn, row + endColumn, Sky);
            continue;
        }
        std::fill(row + firstColumn, row + boxLeft, Sky);
        std::fill(row + std::max(boxRight, boxLeft), row + endColumn, Sky);
        // The disc is a circle on the screen: only its chord is traced.
        const double down = y + 0.5 - frame.CentreY;
        const double halfChord = std::sqrt(std::max(0.0, radiusPixels * radiusPixels - down * down));
        const int left = std::max(boxLeft, static_cast<int>(std::floor(frame.CentreX - halfChord)));
        const int right = std::max(left, std::min(boxRight, static_cast<int>(std::ceil(frame.CentreX + halfChord))));
        std::fill(row + boxLeft, row + left, Sky);
        std::fill(row + right, row + std::max(boxRight, boxLeft), Sky);
        float e0 = 0, n0 = 0;
        LineOfSight(frame, left, y, e0, n0);
        const int count = right - left;

        RowBuffers& r = buffers;
        TraceRow(geometry, e0, n0, count, r.U.data(), r.V.data(), r.Brightness.data(), r.Coverage.data());

        // 2. The albedo between the four nearest texels; the border makes
        //    every index valid.
        for (int i = 0; i < count; ++i) {
            const int x0 = std::clamp(static_cast<int>(r.U[i]), 0, lastColumn);
            const int y0 = std::clamp(static_cast<int>(r.V[i]), 0, lastRow);
            const float du = r.U[i] - x0, dv = r.V[i] - y0;
            const std::uint8_t* top = albedo.Row(y0) + x0;
            const std::uint8_t* bottom = albedo.Row(y0 + 1) + x0;
            const float upper = top[0] + (top[1] - top[0]) * du;
            const float lower = bottom[0] + (bottom[1] - bottom[0]) * du;
            r.Albedo[i] = upper + (lower - upper) * dv;
        }

        ShadeRow(r.Albedo.data(), r.Brightness.data(), r.Coverage.data(), count, row + left);
    }
}
