// The map geometry: where the markers stop, and the coordinates proposed for
// a new object's frame anywhere on the map.

#include "map/map_geometry.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(MarkerBands, MovesOverTheMapFollowOnlyStrictlyBetween10And390)
{
    struct Case {
        int mouse;
        std::optional<int> position;
    };
    const Case cases[] = {
        {10,  std::nullopt},
        {11,  0           },
        {200, 189         },
        {389, 378         },
        {390, std::nullopt},
        {-3,  std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(MarkerPositionForMapMove(c.mouse), c.position) << "mouse at " << c.mouse;
}

TEST(MarkerBands, MovesOverTheMarkerStopAt0And379)
{
    struct Case {
        int position, mouse;
        std::optional<int> moved;
    };
    const Case cases[] = {
        {0,   11, 0           },
        {0,   10, std::nullopt},
        {5,   6,  0           },
        {378, 12, 379         },
        {379, 12, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MarkerPositionForMarkerMove(c.position, c.mouse), c.moved) << c.position << " + " << c.mouse;
}

TEST(ProposeCoordinates, FramesOffCentreAndAtTheLimb)
{
    // Worked by hand: centre (cx, cy) = start + (end - start) div 2,
    // dx = cx - 200, dy = 200 - cy; inside only when sqrt(dx^2 + dy^2) < 193;
    // latitude = asin(dy / 193) + 7.35, longitude = asin(dx / (193 cos b)) +
    // 6.33333333333333, both rounded to whole degrees.
    struct Case {
        const char* where;
        DrawnFrame frame;
        std::optional<int> latitude, longitude;
    };
    const Case cases[] = {
  // dx -40, dy 90: 35.1458, -7.2163
        {"north-west of the centre",      {150, 100, 170, 120}, 35,           -7          },
 // dx -40, dy -90: -20.4458, -7.2163
        {"south-west, the mirror image",  {150, 280, 170, 300}, -20,          -7          },
 // drawn backwards: centre (321, 206), dx 121, dy -6: 5.5685, 45.1806
        {"east, drawn from bottom right", {331, 216, 310, 195}, 6,            45          },
 // dx 0, dy 192: 91.5149, 6.3333
        {"north limb, one pixel inside",  {195, 5, 205, 11},    92,           6           },
 // dx 0, dy 193: on the rim counts as outside
        {"north limb, on the rim",        {195, 4, 205, 10},    std::nullopt, std::nullopt},
 // dx -136, dy 136: distance 192.33, 52.1523, -76.9439
        {"north-west limb, inside",       {59, 59, 69, 69},     52,           -77         },
 // dx 136, dy -136: -37.4523, 89.6105
        {"south-east limb, inside",       {331, 331, 341, 341}, -37,          90          },
 // dx 137, dy -137: distance 193.75
        {"south-east limb, just outside", {332, 332, 342, 342}, std::nullopt, std::nullopt},
 // dx -180, dy 180
        {"dark corner",                   {10, 10, 30, 30},     std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<ProposedCoordinates> proposed = ProposeCoordinates(c.frame);
        ASSERT_EQ(proposed.has_value(), c.latitude.has_value()) << c.where;
        if (!proposed) continue;
        EXPECT_EQ(proposed->Latitude, *c.latitude) << c.where;
        EXPECT_EQ(proposed->Longitude, *c.longitude) << c.where;
    }
}

}  // namespace
