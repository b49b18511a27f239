// The catalogue of all 9,049 gazetteer formations that the benchmarks use:
// the program reads it, and its frames lie where the map shows the
// formations.

#include "bench/support/iau_catalogue.h"
#include "catalogue/catalogue.h"
#include "map/map_geometry.h"
#include "platform/number_text.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

TEST(IauCatalogue, EveryFormationReadableWithItsFrameOnTheMap)
{
    TempWorkingDir dir;
    const IauCatalogueSummary summary = WriteIauCatalogue("objects.dat");
    EXPECT_EQ(summary.Formations, 9049);
    EXPECT_GT(summary.FarSide, 2000);  // 2,350 of the gazetteer
    EXPECT_GT(summary.WithHeight, 30);

    const std::vector<LunarObject> objects = ReadAllObjects();
    ASSERT_EQ(objects.size(), 9049u);
    int nearSideChecked = 0;
    for (const LunarObject& object : objects) {
        ASSERT_LE(0, object.FrameLeft) << object.Name;
        ASSERT_LT(object.FrameLeft, object.FrameRight) << object.Name;
        ASSERT_LT(object.FrameTop, object.FrameBottom) << object.Name;
        ASSERT_LE(object.FrameRight, MapSize - 1) << object.Name;
        ASSERT_LE(object.FrameBottom, MapSize - 1) << object.Name;
        EXPECT_EQ(object.Origin, object.Height.empty() ? "0" : "1") << object.Name;
        const double latitude = FileTextToFloat(object.SelenographicLatitude);
        const double longitude = FileTextToFloat(object.SelenographicLongitude);
        // A formation well inside the visible disc lies in its frame.
        if (ToMapView(latitude, longitude).Towards < 0.2) continue;
        const MapPixel centre = MapPixelOf(latitude, longitude);
        EXPECT_TRUE(object.FrameContains(centre.x, centre.y)) << object.Name;
        ++nearSideChecked;
    }
    EXPECT_GT(nearSideChecked, 3000);
}
