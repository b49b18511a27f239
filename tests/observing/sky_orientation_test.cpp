// How a picture of the Moon is turned: in every orientation a screen offset
// goes to the sky and back unchanged, and north, east and the zenith point
// where the observer's telescope shows them.

#include "observing/sky_orientation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kParallacticAngle = 37.0;  // degrees, the zenith's position angle

struct Turn {
    ViewOrientation orientation;
    // Where the directions of the sky point on the screen (right, down).
    ScreenOffset north, east, zenith;
};

// Before turning, north is up and east left (the sky seen with the naked
// eye). "Zenit oben" turns the zenith up, 180 degrees turns the picture
// over, a mirror then exchanges left and right.
const double s = std::sin(kParallacticAngle * 3.14159265358979323846 / 180);
const double c = std::cos(kParallacticAngle * 3.14159265358979323846 / 180);
const Turn kTurns[] = {
    {{false, false, false}, {0, -1},  {-1, 0},  {-s, -c}},
    {{false, true, false},  {0, -1},  {1, 0},   {s, -c} },
    {{false, false, true},  {0, 1},   {1, 0},   {s, c}  },
    {{false, true, true},   {0, 1},   {-1, 0},  {-s, c} },
    {{true, false, false},  {s, -c},  {-c, -s}, {0, -1} },
    {{true, true, false},   {-s, -c}, {c, -s},  {0, -1} },
    {{true, false, true},   {-s, c},  {c, s},   {0, 1}  },
    {{true, true, true},    {s, c},   {-c, s},  {0, 1}  },
};

class SkyTurn : public testing::TestWithParam<Turn> {};

TEST_P(SkyTurn, DirectionsPointWhereTheTelescopeShowsThem)
{
    const Turn& t = GetParam();
    const SkyScreenTransform transform = OrientedTransform(t.orientation, kParallacticAngle, 0.5);
    const auto expectDirection = [&](double positionAngle, ScreenOffset expected, const char* what) {
        const ScreenOffset d = transform.DirectionOf(positionAngle);
        EXPECT_NEAR(d.Right, expected.Right, 1e-12) << what;
        EXPECT_NEAR(d.Down, expected.Down, 1e-12) << what;
        // A sky offset that way lands there at the scale.
        const double p = positionAngle * 3.14159265358979323846 / 180;
        const ScreenOffset screen = transform.ToScreen({100 * std::sin(p), 100 * std::cos(p)});
        EXPECT_NEAR(screen.Right, 50 * expected.Right, 1e-9) << what;
        EXPECT_NEAR(screen.Down, 50 * expected.Down, 1e-9) << what;
    };
    expectDirection(0, t.north, "north");
    expectDirection(90, t.east, "east");
    expectDirection(kParallacticAngle, t.zenith, "zenith");
}

TEST_P(SkyTurn, ScreenToSkyAndBack)
{
    const SkyScreenTransform transform = OrientedTransform(GetParam().orientation, kParallacticAngle, 0.37);
    for (double right = -400; right <= 400; right += 80)
        for (double down = -400; down <= 400; down += 80) {
            const ScreenOffset back = transform.ToScreen(transform.ToSky({right, down}));
            EXPECT_NEAR(back.Right, right, 1e-9);
            EXPECT_NEAR(back.Down, down, 1e-9);
        }
}

INSTANTIATE_TEST_SUITE_P(EveryOrientation, SkyTurn, testing::ValuesIn(kTurns), [](const auto& info) {
    const ViewOrientation& o = info.param.orientation;
    return std::string(o.ZenithUp ? "Zenith" : "North") + (o.Mirrored ? "Mirrored" : "") +
           (o.Rotated180 ? "Turned" : "");
});

}  // namespace
