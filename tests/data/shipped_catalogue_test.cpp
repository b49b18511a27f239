// The catalogue shipped in data/objects.dat: every record must be readable
// by the program, every frame must lie on the Moon's disc over its own
// formation, and clicks on well-known formations must find them.

#include "catalogue/catalogue.h"
#include "map/map_geometry.h"
#include "platform/cp1252.h"
#include "platform/number_text.h"
#include "tests/data/shipped_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kMinimumFrameSide = 5;   // pixels: smaller frames are hard to click
constexpr size_t kMaxTextLength = 30;  // the program's text fields hold 30 characters

// Where the program centres the selection marker on a frame.
MapPixel FrameCentre(const LunarObject& object)
{
    return {SpanMiddle(object.FrameLeft, object.FrameRight), SpanMiddle(object.FrameTop, object.FrameBottom)};
}

int FrameArea(const LunarObject& object)
{
    return (object.FrameRight - object.FrameLeft + 1) * (object.FrameBottom - object.FrameTop + 1);
}

class ShippedCatalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        CopyShippedFile(kCatalogueFileName);
        objects_ = ReadAllObjects();
    }

    const LunarObject* Find(const std::string& name) const
    {
        for (const LunarObject& object : objects_)
            if (object.Name == name) return &object;
        return nullptr;
    }

    TempWorkingDir dir_;
    std::vector<LunarObject> objects_;
};

TEST_F(ShippedCatalogue, FileIsWholeTwelveLineRecordsWithCrLf)
{
    std::string bytes = ReadBytes(kCatalogueFileName);
    ASSERT_TRUE(HasOnlyCrLfLineEnds(bytes));
    EXPECT_EQ(CountLines(bytes) % 12, 0u);
    EXPECT_EQ(CountLines(bytes) / 12, objects_.size());
    EXPECT_GE(objects_.size(), 300u) << "a few hundred formations are expected";
    for (unsigned char c : bytes) {
        bool control = c < 0x20 && c != '\r' && c != '\n';
        bool undefinedInCp1252 = c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
        ASSERT_FALSE(control || undefinedInCp1252) << "byte " << int(c);
    }
}

TEST_F(ShippedCatalogue, EveryRecordParses)
{
    std::set<std::string> names;
    for (const LunarObject& object : objects_) {
        SCOPED_TRACE(object.Name);
        EXPECT_FALSE(object.Name.empty());
        EXPECT_TRUE(names.insert(object.Name).second) << "name occurs twice";

        // Coordinates are written with the decimal comma.
        double latitude = TextToFloat(object.SelenographicLatitude, ',');
        double longitude = TextToFloat(object.SelenographicLongitude, ',');
        EXPECT_LE(std::abs(latitude), 90.0);
        EXPECT_LE(std::abs(longitude), 180.0);

        // A stored height offers the height measurement, and only then.
        ASSERT_TRUE(object.Origin == "0" || object.Origin == "1") << object.Origin;
        if (object.Origin == "1") {
            int height = 0;
            EXPECT_TRUE(TryTextToInt(object.Height, height)) << object.Height;
            EXPECT_GT(height, 0);
        } else {
            EXPECT_TRUE(object.Height.empty()) << object.Height;
        }

        EXPECT_FALSE(object.Description1.empty()) << "the kind of formation";
        for (const std::string* text : {&object.Name, &object.Description1, &object.Description2, &object.Description3})
            EXPECT_LE(Utf8ToCp1252(*text).size(), kMaxTextLength) << *text;
    }
}

TEST_F(ShippedCatalogue, FramesLieOnTheDiscAndAreLargeEnoughToClick)
{
    const double discLow = MapDiscCentreX - MapDiscRadius;
    const double discHigh = MapDiscCentreX + MapDiscRadius;
    for (const LunarObject& object : objects_) {
        SCOPED_TRACE(object.Name);
        EXPECT_GE(object.FrameRight - object.FrameLeft + 1, kMinimumFrameSide);
        EXPECT_GE(object.FrameBottom - object.FrameTop + 1, kMinimumFrameSide);
        // Inside the map, and within the square around the disc.
        for (int edge : {object.FrameLeft, object.FrameRight, object.FrameTop, object.FrameBottom}) {
            EXPECT_GE(edge, 0);
            EXPECT_LT(edge, MapSize);
            EXPECT_GE(edge, discLow);
            EXPECT_LE(edge, discHigh);
        }
        // The marker placed on the frame's centre stands on the disc.
        MapPixel centre = FrameCentre(object);
        EXPECT_LE(std::hypot(centre.x - MapDiscCentreX, centre.y - MapDiscCentreY), MapDiscRadius);
    }
}

TEST_F(ShippedCatalogue, EachFrameHoldsTheMapPixelOfItsCoordinates)
{
    for (const LunarObject& object : objects_) {
        MapPixel point =
            MapPixelOf(FileTextToFloat(object.SelenographicLatitude), FileTextToFloat(object.SelenographicLongitude));
        EXPECT_TRUE(object.FrameContains(point.x, point.y))
            << object.Name << " at " << point.x << ", " << point.y << " outside " << object.FrameLeft << ".."
            << object.FrameRight << " x " << object.FrameTop << ".." << object.FrameBottom;
    }
}

TEST_F(ShippedCatalogue, ClickOnWellKnownFormationsFindsThem)
{
    // Where an observer looks for them on a map with north up and east right.
    struct Expected {
        const char* name;
        bool (*whereOnTheMap)(MapPixel);
    };
    const Expected formations[] = {
        {"Tycho",        [](MapPixel p) { return p.y > 300 && p.x < MapDiscCentreX; }               },
        {"Copernicus",   [](MapPixel p) { return p.x < 150 && std::abs(p.y - 180) < 30; }           },
        {"Plato",        [](MapPixel p) { return p.y < 80 && std::abs(p.x - MapDiscCentreX) < 50; } },
        {"Mare Crisium", [](MapPixel p) { return p.x > 320 && p.y < MapDiscCentreY; }               },
        {"Mons Piton",   [](MapPixel p) { return p.y < 110 && std::abs(p.x - MapDiscCentreX) < 30; }},
    };
    for (const Expected& expected : formations) {
        SCOPED_TRACE(expected.name);
        const LunarObject* object = Find(expected.name);
        ASSERT_NE(object, nullptr);
        MapPixel centre =
            MapPixelOf(FileTextToFloat(object->SelenographicLatitude), FileTextToFloat(object->SelenographicLongitude));
        EXPECT_TRUE(expected.whereOnTheMap(centre)) << centre.x << ", " << centre.y;

        SelectedObjectTexts selected;
        std::optional<LunarObject> picked = FindObjectAtPoint(centre.x, centre.y, selected);
        ASSERT_TRUE(picked.has_value());
        EXPECT_EQ(picked->Name, expected.name);
        // The selection marker, centred on the frame, lands on the same formation.
        MapPixel marker = FrameCentre(*picked);
        picked = FindObjectAtPoint(marker.x, marker.y, selected);
        ASSERT_TRUE(picked.has_value());
        EXPECT_EQ(picked->Name, expected.name);
    }
}

TEST_F(ShippedCatalogue, KindsAreGroupedCratersFirstMariaLastSmallFramesFirst)
{
    // "nach Art": one block per kind; a click takes the first frame that
    // holds the point, so inside a kind the smaller frames come first.
    std::vector<std::string> blocks;
    for (size_t i = 0; i < objects_.size(); ++i) {
        const LunarObject& object = objects_[i];
        if (blocks.empty() || blocks.back() != object.Description1) {
            EXPECT_EQ(std::count(blocks.begin(), blocks.end(), object.Description1), 0)
                << object.Description1 << " appears in two blocks, again at " << object.Name;
            blocks.push_back(object.Description1);
        } else {
            EXPECT_LE(FrameArea(objects_[i - 1]), FrameArea(object))
                << objects_[i - 1].Name << " before " << object.Name;
        }
    }
    ASSERT_GE(blocks.size(), 3u);
    EXPECT_EQ(blocks.front(), "Krater");
    EXPECT_NE(std::find(blocks.end() - 2, blocks.end(), "Meer"), blocks.end()) << "maria close the file";
}

}  // namespace
