// Heights measured on photographs against the independent shadow table:
// every summit and tip of tools/height_check/shadow_timings.csv (written
// with astronomy-engine, nothing of the program) is put on a picture by the
// synthetic camera of tools/synthetic_photo, clicked to an eighth of a pixel
// as at 8:1, and measured through a calibration whose scale comes from the
// limb the picture shows. The height must come back within 1 % plus the
// range that ±1 pixel at each end of the shadow spans.

#include "astronomy/mountain_shadow.h"
#include "photo/photo_shadow.h"
#include "tests/astronomy/astronomy_test_support.h"
#include "tools/synthetic_photo/shadow_table.h"
#include "tools/synthetic_photo/synthetic_photo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {

ObservationState StateOf(const ShadowCase& c)
{
    return StateAt(c.Day, c.Month, c.Year, c.Hour, c.Minute, c.SiteLatitude, c.SiteLongitude);
}

// A click at 8:1 lands on an eighth of a pixel.
ImagePoint Clicked(PicturePoint p) { return {std::round(p.X * 8) / 8, std::round(p.Y * 8) / 8}; }

}  // namespace

TEST(PhotoHeight, EveryShadowOfTheTableComesBackWithinOnePercentAndThePixels)
{
    const std::vector<ShadowCase> table = ReadShadowTable(MIRELTA_SHADOW_TABLE);
    ASSERT_GT(table.size(), 10000u);
    std::map<std::tuple<std::string, std::string, std::string>, std::vector<const ShadowCase*>> moments;
    for (const ShadowCase& c : table) moments[{c.Date, c.Time, c.Site}].push_back(&c);

    // A short focal length (1 pixel an arcsecond) and a long one (4).
    for (const double pixelsPerArcsecond : {1.0, 4.0}) {
        int measured = 0, outside = 0, withinOnePercent = 0, tooShort = 0;
        double worstBeyondPixels = 0;
        for (const auto& [moment, cases] : moments) {
            ObservationState state = StateOf(*cases.front());
            const ShadowView view = PrepareShadowView(state);
            PictureGeometry camera;
            camera.CentreX = 2000.5, camera.CentreY = 1990.25;
            camera.PixelsPerArcsecond = pixelsPerArcsecond;
            camera.TurnDegrees = 33;
            // The calibration as the window makes it: the limb's radius in
            // pixels over the program's own semi-diameter.
            const double limbRadius = cases.front()->SemiDiameter * pixelsPerArcsecond;
            const PhotoCalibration calibration{
                {camera.CentreX, camera.CentreY},
                ScaleFromLimb(limbRadius, SemiDiameterFromSite(view.Globe)),
                camera.TurnDegrees,
                false
            };
            for (const ShadowCase* c : cases) {
                const ShadowScene scene = SceneOf(view, {c->ObjectLatitude, c->ObjectLongitude});
                const ImagePoint summit = Clicked(OnPicture(camera, c->SummitEast, c->SummitNorth));
                const ImagePoint tip = Clicked(OnPicture(camera, c->TipEast, c->TipNorth));
                const PhotoShadow shadow = MeasurePhotoShadow(scene, calibration, summit, tip);
                ++measured;
                // A shadow shorter than the clicks can tell (the sun high,
                // the summit near the limb): both clicks fall on one point.
                if (summit.X == tip.X && summit.Y == tip.Y) {
                    ++tooShort;
                    EXPECT_EQ(shadow.Result.Reason, NoHeightReason::OutOfRange);
                    EXPECT_LT(std::hypot(c->TipEast - c->SummitEast, c->TipNorth - c->SummitNorth) * pixelsPerArcsecond,
                              0.18);
                    continue;
                }
                if (!shadow.Result.Height) {
                    ++outside;
                    ADD_FAILURE() << c->Date << " " << c->Time << " " << c->Site << " " << c->Object << " " << c->Height
                                  << " m: " << NoHeightText(shadow.Result.Reason);
                    continue;
                }
                const double h = *shadow.Result.Height;
                const double pixels = std::max(h - shadow.Lowest.value_or(h), shadow.Highest.value_or(h) - h);
                const double error = std::abs(h - c->Height);
                if (error <= 0.01 * c->Height) ++withinOnePercent;
                worstBeyondPixels = std::max(worstBeyondPixels, (error - pixels) / c->Height);
                if (error > 0.01 * c->Height + pixels) {
                    ++outside;
                    ADD_FAILURE() << c->Date << " " << c->Time << " " << c->Site << " " << c->Object << " " << c->Height
                                  << " m measured as " << h << " m, pixels give " << pixels << " m";
                }
            }
        }
        // With four pixels an arcsecond the clicks matter little: most
        // heights then agree within 1 % by the model alone.
        if (pixelsPerArcsecond >= 4) {
            EXPECT_GT(withinOnePercent, measured / 2);
        }
        std::printf(
            "%g px/arcsec: %d shadows, %d too short to click, %d within 1 %% alone, %d outside 1 %% + pixels; "
            "largest error beyond the pixels' range %.2f %%\n",
            pixelsPerArcsecond, measured, tooShort, withinOnePercent, outside, 100 * worstBeyondPixels);
    }
}
