// The eyepiece picture's geometry: each pixel shows the point of the globe
// the site sees there, in every orientation (pixel -> selenographic ->
// pixel); the terminator lies where astronomy-engine puts it; the names
// never overlap.

#include "map/eyepiece_picture.h"
#include "map/eyepiece_labels.h"
#include "tests/support/observation_at.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

MoonGlobe GlobeAt(int day, int month, int year, int hour, int minute)
{
    ObservationState state = ObservationAt(day, month, year, hour, minute);
    state.Latitude = 52.52;  // Berlin
    state.Longitude = 13.405;
    return ViewMoonGlobe(state);
}

TEST(EyepiecePicture, EveryOrientationShowsThePointOfTheGlobeAndBack)
{
    const MoonGlobe globe = GlobeAt(13, 12, 2026, 17, 0);
    const EyepieceRenderer renderer(globe);
    const double scale = 300.0 / SemiDiameterFromSite(globe);  // a disc of 300 pixels' radius
    int points = 0;
    for (int orientation = 0; orientation < 8; ++orientation) {
        const ViewOrientation o{(orientation & 1) != 0, (orientation & 2) != 0, (orientation & 4) != 0};
        const SkyScreenTransform transform = OrientedTransform(o, ParallacticAngleFromSite(globe), scale);
        for (double right = -297; right <= 297; right += 27)
            for (double down = -297; down <= 297; down += 27) {
                const std::optional<SelenographicPoint> point = renderer.PointAt(transform, {right, down});
                ASSERT_EQ(point.has_value(), std::hypot(right, down) < 300 * 0.9999) << right << " " << down;
                if (!point) continue;
                // The picture's point is the model's (astronomy/moon_globe.h).
                const std::optional<SelenographicPoint> model = SurfacePointAt(globe, transform.ToSky({right, down}));
                ASSERT_TRUE(model.has_value());
                EXPECT_NEAR(point->Latitude, model->Latitude, 1e-6);
                EXPECT_NEAR(std::remainder(point->Longitude - model->Longitude, 360.0), 0, 1e-6);
                // And back to the same pixel.
                const ScreenOffset back = transform.ToScreen(SkyOffsetFromSite(globe, SelenographicToBody(*point)));
                EXPECT_NEAR(back.Right, right, 0.01);
                EXPECT_NEAR(back.Down, down, 0.01);
                ++points;
            }
    }
    EXPECT_GT(points, 8 * 300);
}

TEST(EyepiecePicture, DrawingSamplesThePointsOfTheModel)
{
    // The drawing traces in single precision, a row at a time: its points
    // stay within 0.005 degrees (a twentieth of a texel) of the model's.
    const MoonGlobe globe = GlobeAt(21, 12, 2026, 22, 0);
    const EyepieceRenderer renderer(globe);
    EyepieceFrame frame;
    frame.Width = frame.Height = 640;
    frame.CentreX = 301.3;
    frame.CentreY = 333.7;
    int compared = 0;
    for (int orientation = 0; orientation < 8; orientation += 3) {
        const ViewOrientation o{(orientation & 1) != 0, (orientation & 2) != 0, (orientation & 4) != 0};
        frame.Transform = OrientedTransform(o, ParallacticAngleFromSite(globe), 290.0 / SemiDiameterFromSite(globe));
        for (int y = 40; y < 640; y += 37) {
            const std::vector<std::optional<SelenographicPoint>> drawn = renderer.DrawnPoints(frame, y);
            for (int x = 0; x < frame.Width; x += 3) {
                const auto model = SurfacePointAt(globe, frame.Transform.ToSky(frame.OffsetOfPixel(x, y)));
                if (!drawn[x]) continue;
                ASSERT_TRUE(model.has_value()) << x << " " << y;
                EXPECT_NEAR(drawn[x]->Latitude, model->Latitude, 0.005) << x << " " << y;
                // Longitudes crowd together toward the poles.
                EXPECT_NEAR(std::remainder(drawn[x]->Longitude - model->Longitude, 360.0) *
                                std::cos(model->Latitude * 3.14159265358979323846 / 180),
                            0, 0.005)
                    << x << " " << y;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 3 * 2000);
}

// Where astronomy-engine 2.1.19 (its Moon and observer vectors, its Sun, the
// true equator of date) puts the terminator on the disc's east-west line
// through its centre, arcseconds east of the centre, and the disc's radius.
struct TerminatorCase {
    const char* name;
    int day, month, year, hour;
    double terminatorEast, semiDiameter;
    bool litToTheWest;  // the Sun's side on the sky
};

const TerminatorCase kTerminators[] = {
    {"Crescent", 13, 12, 2026, 17, -588.09, 891.41,  true},
    {"Quarter",  18, 12, 2026, 19, 315.98,  952.91,  true},
    {"Gibbous",  21, 12, 2026, 22, 861.49,  1004.33, true},
};

class EyepieceTerminator : public testing::TestWithParam<TerminatorCase> {};

TEST_P(EyepieceTerminator, LiesWhereAnIndependentEphemerisPutsIt)
{
    const TerminatorCase& c = GetParam();
    const MoonGlobe globe = GlobeAt(c.day, c.month, c.year, c.hour, 0);
    EXPECT_NEAR(SemiDiameterFromSite(globe), c.semiDiameter, 0.3);

    // North up, a grey albedo: along the centre row, the light begins at
    // the terminator.
    constexpr int kSize = 801;
    const std::uint8_t grey = 200;
    const AlbedoTexture flat(AlbedoMap{1, 1, &grey, 1});
    EyepieceFrame frame;
    frame.Width = frame.Height = kSize;
    frame.CentreX = frame.CentreY = kSize / 2.0;
    const double pixelsPerArcsecond = 380.0 / c.semiDiameter;
    frame.Transform = OrientedTransform({}, 0, pixelsPerArcsecond);
    std::vector<std::uint32_t> pixels(kSize * kSize);
    EyepieceRenderer(globe).Render(flat, frame, pixels.data(), kSize, 0, kSize);

    const auto level = [&](int x) { return static_cast<int>(pixels[(kSize / 2) * kSize + x] & 0xFF); };
    // East is left: a point `east` arcseconds east lies at x = centre - east * scale.
    const double expectedX = frame.CentreX - c.terminatorEast * pixelsPerArcsecond;
    const int litSide = c.litToTheWest ? 1 : -1;  // west is right
    const int lit = level(static_cast<int>(expectedX) + litSide * 30);
    const int dark = level(static_cast<int>(expectedX) - litSide * 30);
    ASSERT_GT(lit, 2 * dark + 20) << "the lit side is on the Sun's side";
    // The crossing of the middle level, to a pixel.
    double crossing = NAN;
    for (int x = 1; x < kSize; ++x) {
        const int a = level(x - 1), b = level(x);
        const int middle = (dark + lit) / 2;
        if ((a < middle) != (b < middle) && std::fabs(x - expectedX) < 60) crossing = x;
    }
    EXPECT_NEAR(crossing, expectedX, 1.5) << "a pixel is " << 1 / pixelsPerArcsecond << "\"";
}

INSTANTIATE_TEST_SUITE_P(ThreePhases, EyepieceTerminator, testing::ValuesIn(kTerminators),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EyepieceLabels, NamesNeverOverlapAndKeepOrder)
{
    // A crowd of names around a few points, the most important first.
    std::vector<LabelRequest> requests;
    for (int i = 0; i < 60; ++i)
        requests.push_back({200.0 + 7 * (i % 6), 200.0 + 5 * (i / 6), 40.0 + i % 3 * 15, 12.0});
    requests.push_back({5, 30, 40, 12});  // at the left edge: only right of its point fits
    const std::vector<std::optional<LabelBox>> boxes = PlaceLabels(requests, 400, 400);
    ASSERT_EQ(boxes.size(), requests.size());
    ASSERT_TRUE(boxes[0].has_value());  // the first always finds a place
    std::vector<LabelBox> placed;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (!boxes[i]) continue;
        const LabelBox& b = *boxes[i];
        EXPECT_TRUE(b.Left >= 0 && b.Top >= 0 && b.Left + b.Width <= 400 && b.Top + b.Height <= 400) << i;
        for (const LabelBox& other : placed) EXPECT_FALSE(b.Overlaps(other)) << i;
        // Beside its own point, never over it.
        EXPECT_FALSE(b.Contains(requests[i].X, requests[i].Y)) << i;
        EXPECT_LE(std::fabs(b.Top + b.Height / 2 - requests[i].Y), b.Height / 2 + LabelGap + 1) << i;
        placed.push_back(b);
    }
    EXPECT_LT(placed.size(), requests.size());  // the crowd cannot all be named
    EXPECT_TRUE(boxes.back().has_value());
}

}  // namespace
