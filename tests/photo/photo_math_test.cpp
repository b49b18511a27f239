// The photograph's arithmetic: the limb circle, the calibration's
// directions, the stretch, the moments of EXIF and FITS, and which pixels
// the display draws. The synthetic pictures and sky offsets come from
// tools/synthetic_photo, which draws with its own code from the
// independent shadow table.

#include "photo/brightness_stretch.h"
#include "photo/limb_circle.h"
#include "photo/limb_edge.h"
#include "photo/photo_calibration.h"
#include "photo/photo_moment.h"
#include "tools/synthetic_photo/synthetic_photo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

namespace {

std::vector<ImagePoint> ArcPoints(ImagePoint centre, double radius, double fromDegrees, double toDegrees, int count)
{
    std::vector<ImagePoint> points;
    for (int i = 0; i < count; ++i) {
        const double a = (fromDegrees + (toDegrees - fromDegrees) * i / (count - 1)) * std::numbers::pi / 180;
        points.push_back({centre.X + radius * std::cos(a), centre.Y + radius * std::sin(a)});
    }
    return points;
}

PhotoRaster RasterOf(const std::vector<std::uint16_t>& pixels, const PictureGeometry& g)
{
    return {g.Width, g.Height, pixels};
}

}  // namespace

TEST(LimbCircle, RecoversACircleFromAShortArcAndRefusesALine)
{
    const ImagePoint centre{812.3, 640.7};
    std::optional<LimbCircle> fit = FitLimbCircle(ArcPoints(centre, 1403.2, 100, 150, 7));
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->Centre.X, centre.X, 1e-6);
    EXPECT_NEAR(fit->Centre.Y, centre.Y, 1e-6);
    EXPECT_NEAR(fit->Radius, 1403.2, 1e-6);
    EXPECT_LT(fit->RmsResidual, 1e-6);

    // Scattered points on a 50 degree arc: the algebraic start alone comes
    // out several pixels small; the geometric fit does not.
    std::mt19937 random(7);
    std::normal_distribution<double> scatter(0, 0.3);
    std::vector<ImagePoint> noisy = ArcPoints(centre, 1403.2, 100, 150, 40);
    for (ImagePoint& p : noisy) p.X += scatter(random), p.Y += scatter(random);
    fit = FitLimbCircle(noisy);
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->Radius, 1403.2, 2.0);
    EXPECT_NEAR(fit->RmsResidual, 0.3, 0.1);

    EXPECT_FALSE(FitLimbCircle({
        {0,  0 },
        {10, 10}
    }));
    EXPECT_FALSE(FitLimbCircle({
        {0,  0 },
        {10, 10},
        {20, 20},
        {35, 35}
    }));
    EXPECT_FALSE(FitLimbCircle({
        {5, 5},
        {5, 5},
        {5, 5}
    }));
}

TEST(LimbCircle, ClicksNearTheLitLimbOfASyntheticPictureGiveCentreAndRadiusToAFifthOfAPixel)
{
    // A noisy, blurred gibbous Moon, lit from the west: half its limb is dark.
    SyntheticMoon moon;
    moon.SemiDiameter = 954.876;
    moon.SunEast = -0.6, moon.SunNorth = -0.12, moon.SunToward = std::sqrt(1 - 0.36 - 0.0144);
    moon.NoiseLevel = 600;
    PictureGeometry g;
    g.Width = 1300, g.Height = 1260;
    g.CentreX = 648.37, g.CentreY = 633.81;
    g.PixelsPerArcsecond = 0.6113;
    g.TurnDegrees = 23;
    const PhotoRaster raster = RasterOf(DrawSyntheticMoon(moon, g), g);
    const double radius = moon.SemiDiameter * g.PixelsPerArcsecond;

    // Clicks on 120 degrees of the lit limb, each up to 1.5 pixels off, as
    // a hand at 1:1 places them.
    std::mt19937 random(3);
    std::uniform_real_distribution<double> off(-1.5, 1.5);
    std::vector<ImagePoint> clicks;
    const double towardSun = std::atan2(moon.SunNorth, moon.SunEast);
    for (int i = 0; i < 9; ++i) {
        const double a = towardSun + (-60 + 120.0 * i / 8) * std::numbers::pi / 180;
        const PicturePoint p = OnPicture(g, moon.SemiDiameter * std::cos(a), moon.SemiDiameter * std::sin(a));
        const ImagePoint click{p.X + off(random), p.Y + off(random)};
        std::optional<ImagePoint> onEdge = SnapToEdge(raster, click);
        ASSERT_TRUE(onEdge) << "no edge near " << click.X << ", " << click.Y;
        clicks.push_back(*onEdge);
    }
    const std::optional<LimbCircle> fit = FitLimbCircle(clicks);
    ASSERT_TRUE(fit);
    std::printf("limb from 9 clicks: centre off by %.3f / %.3f px, radius by %.3f px\n", fit->Centre.X - g.CentreX,
                fit->Centre.Y - g.CentreY, fit->Radius - radius);
    EXPECT_NEAR(fit->Centre.X, g.CentreX, 0.2);
    EXPECT_NEAR(fit->Centre.Y, g.CentreY, 0.2);
    EXPECT_NEAR(fit->Radius, radius, 0.2);

    // In the dark sky, far from any edge, a click is kept as it is.
    EXPECT_FALSE(SnapToEdge(raster, {20, 20}));
}

TEST(PhotoCalibration, DirectionsOnThePictureAgreeWithTheSyntheticRenderer)
{
    // North up and east left unless turned; the turn runs counterclockwise;
    // a mirror puts east right. The renderer states the same convention in
    // code of its own.
    for (bool mirrored : {false, true}) {
        for (double turn : {0.0, 90.0, -131.4, 179.0}) {
            const PhotoCalibration c{
                {512.5, 480.25},
                1.37, turn, mirrored
            };
            PictureGeometry g;
            g.CentreX = c.Centre.X, g.CentreY = c.Centre.Y, g.PixelsPerArcsecond = c.PixelsPerArcsecond;
            g.TurnDegrees = turn, g.Mirrored = mirrored;
            for (const SkyOffset sky : {
                     SkyOffset{300,    0    },
                     SkyOffset{0,      300  },
                     SkyOffset{-512.3, 211.9}
            }) {
                const ImagePoint p = SkyToImage(c, sky);
                const PicturePoint q = OnPicture(g, sky.East, sky.North);
                EXPECT_NEAR(p.X, q.X, 1e-9) << turn << (mirrored ? " mirrored" : "");
                EXPECT_NEAR(p.Y, q.Y, 1e-9) << turn << (mirrored ? " mirrored" : "");
                const SkyOffset back = ImageToSky(c, p);
                EXPECT_NEAR(back.East, sky.East, 1e-9);
                EXPECT_NEAR(back.North, sky.North, 1e-9);
            }
        }
    }
    const PhotoCalibration upright{
        {500, 500},
        1, 0, false
    };
    EXPECT_LT(SkyToImage(upright, {0, 100}).Y, 500);  // north up
    EXPECT_LT(SkyToImage(upright, {100, 0}).X, 500);  // east left
    EXPECT_NEAR(SkyToImage(
                    {
                        {500, 500},
                        1, 90, false
    },
                    {0, 100})
                    .X,
                400, 1e-9);  // turned left
}

TEST(PhotoCalibration, TwoFormationsGiveTurnAndMirrorOneTakesTheUsersMirror)
{
    const PhotoCalibration truth{
        {700.2, 650.9},
        0.8123, -37.5, true
    };
    const std::vector<SkyOffset> places{
        {-412.7, 301.2 },
        {255.1,  -620.4}
    };
    std::vector<IdentifiedFormation> formations;
    for (const SkyOffset& sky : places) formations.push_back({sky, SkyToImage(truth, sky)});

    std::optional<Orientation> fitted = FitOrientation(truth.Centre, truth.PixelsPerArcsecond, formations, false);
    ASSERT_TRUE(fitted);
    EXPECT_TRUE(fitted->Mirrored);
    EXPECT_NEAR(fitted->Turn, -37.5, 1e-9);
    EXPECT_LT(fitted->RmsResidual, 1e-9);

    // One formation cannot tell the mirror; the user's choice holds, and the
    // turn carries the formation to where it was clicked.
    for (bool mirror : {false, true}) {
        fitted = FitOrientation(truth.Centre, truth.PixelsPerArcsecond, {formations[0]}, mirror);
        ASSERT_TRUE(fitted);
        EXPECT_EQ(fitted->Mirrored, mirror);
        const ImagePoint p =
            SkyToImage({truth.Centre, truth.PixelsPerArcsecond, fitted->Turn, mirror}, formations[0].Predicted);
        EXPECT_NEAR(p.X, formations[0].Clicked.X, 1e-9);
        EXPECT_NEAR(p.Y, formations[0].Clicked.Y, 1e-9);
    }
    EXPECT_FALSE(FitOrientation(truth.Centre, 1, {}, false));
    EXPECT_FALSE(FitOrientation(truth.Centre, 1,
                                {
                                    {{10, 10}, truth.Centre}
    },
                                false));
}

TEST(BrightnessStretch, TableRunsFromBlackToWhiteAndHotPixelsDoNotSetTheWhite)
{
    const std::vector<std::uint8_t> table = StretchTable({1000, 3000});
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[1000], 0);
    EXPECT_EQ(table[2000], 128);
    EXPECT_EQ(table[3000], 255);
    EXPECT_EQ(table[65535], 255);

    PhotoRaster raster = BlankRaster(100, 100);
    for (std::size_t i = 0; i < raster.Pixels.size(); ++i)
        raster.Pixels[i] = static_cast<std::uint16_t>(2000 + i % 1000);
    for (int i = 0; i < 5; ++i) raster.Pixels[i * 997] = 65535;  // 0.05 % hot pixels
    const BrightnessStretch automatic = AutomaticStretch(raster);
    EXPECT_NEAR(automatic.Black, 2005, 2);
    EXPECT_NEAR(automatic.White, 2999, 1);

    // A flat picture still gets a usable stretch.
    const BrightnessStretch flat = AutomaticStretch(BlankRaster(10, 10));
    EXPECT_LT(flat.Black, flat.White);
}

TEST(PhotoMoment, ExifTimesAndZonesBecomeMezToTheMinute)
{
    const std::optional<CivilTime> summer = ParseExifDateTime("2026:07:18 23:35:40");
    ASSERT_TRUE(summer);
    // A camera on MESZ (UT + 2 h): 21:35:40 UT, 22:35:40 MEZ, rounded up.
    EXPECT_EQ(MezFromClock(*summer, 120), (CivilTime{2026, 7, 18, 22, 36, 0}));
    // A camera on UT at the end of a year runs into the next.
    EXPECT_EQ(MezFromClock(*ParseExifDateTime("2026:12:31 23:59:29"), 0), (CivilTime{2027, 1, 1, 0, 59, 0}));
    EXPECT_EQ(MezFromClock(*ParseExifDateTime("2028:03:01 00:10:00"), 180), (CivilTime{2028, 2, 29, 22, 10, 0}));
    EXPECT_EQ(MezFromClock(*ParseExifDateTime("2026:01:01 00:00:00"), -300), (CivilTime{2026, 1, 1, 6, 0, 0}));

    for (const char* unset : {"    :  :     :  :  ", "0000:00:00 00:00:00", "2026:02:29 10:00:00",
                              "2026-12-18 16:35:07", "2026:12:18 24:00:00", "2026:12:18 16:35"})
        EXPECT_FALSE(ParseExifDateTime(unset)) << unset;
    EXPECT_TRUE(ParseExifDateTime(std::string("2026:12:18 16:35:07\0", 20)));

    EXPECT_EQ(ParseExifOffset("+05:30"), 330);
    EXPECT_EQ(ParseExifOffset("-03:00"), -180);
    EXPECT_FALSE(ParseExifOffset("1:00"));
    EXPECT_FALSE(ParseExifOffset("+25:00"));
}
