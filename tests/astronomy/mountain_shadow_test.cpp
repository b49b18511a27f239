// The shadow measurement: a geometry worked by hand, the refusals, and a
// timing simulated with the test's own vectors that must give every height
// back.

#include "astronomy/mountain_shadow.h"
#include "tests/astronomy/astronomy_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr double R = MoonRadiusKm;
constexpr double ArcsecondsPerRadian = 206264.80624709636;
constexpr double MoonDistanceKm = 384400.0;
constexpr double Rate = 14.5;  // arcseconds of right ascension per second

/// The Moon at right ascension 0 on the equator, seen from the Earth's
/// centre, its selenographic point (0, 0) facing the Earth and its pole
/// north: body x toward the Earth, body y (east on the Moon) toward
/// decreasing right ascension. The Sun stands `sunAltitude` over (0, 0),
/// in the direction of the Moon's east (the disc's west), so a shadow runs
/// toward the east on the sky.
ShadowView ViewAtTheDiscCentre(double sunAltitude, double moonAltitude = 40)
{
    MoonGlobe g;
    g.AxisX = {-1, 0, 0};
    g.AxisY = {0, -1, 0};
    g.AxisZ = {0, 0, 1};
    g.MoonFromEarth = {MoonDistanceKm, 0, 0};
    const double a = sunAltitude * DegreeFactor;
    g.SunDirection = {std::sin(a), std::cos(a), 0};
    return {g, Rate, moonAltitude};
}

/// Central angle from the foot to the shadow's tip, radians: in the
/// triangle centre, summit, tip the angle at the summit is 90 deg - a and
/// the law of sines gives the one at the tip.
double TipAngle(double sunAltitude, double heightMetres)
{
    const double a = sunAltitude * DegreeFactor;
    return a - std::acos((R + heightMetres / 1000) * std::cos(a) / R);
}

TEST(ShadowModel, KnownGeometryAtTheDiscCentre)
{
    const double sunAltitude = 4.0;
    const ShadowScene scene = SceneOf(ViewAtTheDiscCentre(sunAltitude), {0, 0});
    ASSERT_EQ(scene.Refusal, NoHeightReason::None);
    EXPECT_NEAR(scene.SunAltitude, sunAltitude, 1e-12);
    for (double height : {300.0, 1500.0, 3000.0, 4200.0}) {  // grazing: 4,247 m
        // The summit stands on the line of sight to the centre; the tip lies
        // R sin(theta) east of it, R (1 - cos(theta)) farther away.
        const double theta = TipAngle(sunAltitude, height);
        const double tangent = R * std::sin(theta) / (MoonDistanceKm - R * std::cos(theta));
        const double east = std::atan(tangent) * ArcsecondsPerRadian;  // in right ascension
        const std::optional<ShadowOnSky> shadow = CastShadow(scene, height);
        ASSERT_TRUE(shadow) << height;
        EXPECT_NEAR(shadow->Summit.East, 0, 1e-9) << height;
        EXPECT_NEAR(shadow->Summit.North, 0, 1e-9) << height;
        EXPECT_NEAR(shadow->Tip.East, tangent * ArcsecondsPerRadian, 1e-9) << height;
        EXPECT_NEAR(shadow->Tip.North, 0, 1e-9) << height;
        EXPECT_NEAR(shadow->TransitSeconds, east / Rate, 1e-9) << height;

        const HeightResult fromTime = HeightFromTransit(scene, east / Rate);
        ASSERT_TRUE(fromTime.Height) << height;
        EXPECT_NEAR(*fromTime.Height, height, 1e-3);
        const HeightResult fromLength = HeightFromShadowLength(scene, shadow->Tip.East);
        ASSERT_TRUE(fromLength.Height) << height;
        EXPECT_NEAR(*fromLength.Height, height, 1e-3);
    }
}

TEST(ShadowModel, LowestSunForAShadowOnLitGround)
{
    // arccos(R / (R + h)): 2.7 deg for 2 km, 4.1 deg for 4.5 km.
    EXPECT_NEAR(LowestSunForShadow(2000), 2.75, 0.01);
    EXPECT_NEAR(LowestSunForShadow(4500), 4.12, 0.01);
    EXPECT_NEAR(GrazingHeightMetres(LowestSunForShadow(3000)), 3000, 1e-6);
    EXPECT_EQ(GrazingHeightMetres(0), 0);
}

TEST(ShadowModel, RefusesWhatNoHeightCanGive)
{
    struct Case {
        const char* name;
        double sunAltitude, moonAltitude, longitude, transit;
        NoHeightReason reason;
    };
    // At a Sun 3 deg high the shadow ends on lit ground only below 2,385 m;
    // the longest one grazes the Moon 3 deg from the foot (91 km, 49") and
    // takes 3.4 s.
    const double a = 3 * DegreeFactor;
    const double longest = std::atan(R * std::sin(a) / (MoonDistanceKm - R * std::cos(a))) * ArcsecondsPerRadian / Rate;
    const Case cases[] = {
        {"lunar night",                      -1, 40, 0,   1.0,            NoHeightReason::NightSide       },
        {"Moon below the horizon",           4,  -1, 0,   1.0,            NoHeightReason::MoonBelowHorizon},
        {"far side",                         4,  40, 170, 1.0,            NoHeightReason::NotVisible      },
        {"longer than any lit shadow",       3,  40, 0,   longest + 0.01, NoHeightReason::ShadowIntoNight },
        {"only a 20 km summit is that high", 30, 40, 0,   5.0,            NoHeightReason::TooHigh         },
        {"no time",                          4,  40, 0,   0.0,            NoHeightReason::OutOfRange      },
        {"over five seconds",                4,  40, 0,   5.01,           NoHeightReason::OutOfRange      },
        {"not a number",                     4,  40, 0,   std::nan(""),   NoHeightReason::OutOfRange      },
    };
    for (const Case& c : cases) {
        const ShadowScene scene = SceneOf(ViewAtTheDiscCentre(c.sunAltitude, c.moonAltitude), {0, c.longitude});
        const HeightResult result = HeightFromTransit(scene, c.transit);
        EXPECT_FALSE(result.Height) << c.name;
        EXPECT_EQ(result.Reason, c.reason) << c.name;
        EXPECT_FALSE(NoHeightText(c.reason).empty()) << c.name;
    }
    // A shadow running north-south on the sky, along the reticle line: its
    // summit and tip cross together whatever the height.
    ShadowView alongTheLine = ViewAtTheDiscCentre(4);
    alongTheLine.Globe.SunDirection = {std::sin(4 * DegreeFactor), 0, std::cos(4 * DegreeFactor)};
    EXPECT_EQ(HeightFromTransit(SceneOf(alongTheLine, {0, 0}), 1.0).Reason, NoHeightReason::Ambiguous);
    // Just inside the limit a height results, below the grazing height.
    const HeightResult inside = HeightFromTransit(SceneOf(ViewAtTheDiscCentre(3), {0, 0}), longest - 0.01);
    ASSERT_TRUE(inside.Height);
    EXPECT_LT(*inside.Height, 2385.2);
    EXPECT_GT(*inside.Height, 2380);
}

// --- The test's own forward simulation ---------------------------------------

/// Summit and shadow tip (body frame, km) of a summit `heightMetres` over
/// `place`, worked from the Sun's altitude by the law of sines; empty where
/// the Sun is down or the grazing ray misses the Moon.
std::optional<std::pair<Vector3, Vector3>> SummitAndTip(const MoonGlobe& g, SelenographicPoint place,
                                                        double heightMetres)
{
    const double b = place.Latitude * DegreeFactor, l = place.Longitude * DegreeFactor;
    const Vector3 up{std::cos(b) * std::cos(l), std::cos(b) * std::sin(l), std::sin(b)};
    const double sinAltitude = Dot(up, g.SunDirection);
    if (sinAltitude <= 0) return std::nullopt;
    const double k = (R + heightMetres / 1000) * std::sqrt(1 - sinAltitude * sinAltitude) / R;
    if (k >= 1) return std::nullopt;
    const double theta = std::asin(sinAltitude) - std::acos(k);
    const Vector3 away = Unit(sinAltitude * up - g.SunDirection);  // along the ground, from the Sun
    return std::pair{(R + heightMetres / 1000) * up, R * (std::cos(theta) * up + std::sin(theta) * away)};
}

/// Hour angle of a body point seen from the site, radians.
double HourAngle(const MoonGlobe& g, Vector3 body)
{
    const Vector3 line = g.MoonFromEarth + body.X * g.AxisX + body.Y * g.AxisY + body.Z * g.AxisZ - g.SiteFromEarth;
    const double siderealTime = std::atan2(g.SiteFromEarth.Y, g.SiteFromEarth.X);
    return siderealTime - std::atan2(line.Y, line.X);
}

/// The stopwatch: the reticle line stands where the summit is at the first
/// instant; the tip's hour angle, followed over a minute between two
/// globes (the Moon moving, turning and lit anew), reaches it after t.
std::optional<double> SimulatedTransit(const MoonGlobe& now, const MoonGlobe& minuteLater, SelenographicPoint place,
                                       double heightMetres)
{
    const auto first = SummitAndTip(now, place, heightMetres);
    const auto later = SummitAndTip(minuteLater, place, heightMetres);
    if (!first || !later) return std::nullopt;
    const double line = HourAngle(now, first->first);
    const double tipNow = HourAngle(now, first->second);
    const double tipLater = HourAngle(minuteLater, later->second);
    return std::fabs(std::remainder(line - tipNow, TwoPi) / std::remainder(tipLater - tipNow, TwoPi)) * 60.0;
}

TEST(ShadowModel, GivesBackEveryHeightOfAnIndependentSimulation)
{
    // Every 6 hours through the lunation of December 2026, from Berlin;
    // formations all over the near side; summits of 1 to 5 km.
    int checked = 0;
    double worst = 0;
    for (int step = 0; step < 4 * 30; ++step) {
        ObservationState s = StateAt(10 + step / 4, 12, 2026, 6 * (step % 4), 7, 52.52, 13.405);
        if (s.Day > 31) s = StateAt(s.Day - 31, 1, 2027, s.Hour, 7, 52.52, 13.405);
        ObservationState next = s;
        next.Minute += 1;
        const MoonGlobe later = ViewMoonGlobe(next);
        const ShadowView view = PrepareShadowView(s);
        for (double latitude = -60; latitude <= 60; latitude += 20)
            for (double longitude = -75; longitude <= 75; longitude += 15) {
                const ShadowScene scene = SceneOf(view, {latitude, longitude});
                if (scene.Refusal != NoHeightReason::None) continue;
                for (double height : {1000.0, 2000.0, 3500.0, 5000.0}) {
                    // Keep clear of grazing, where a hair of the Sun's
                    // altitude changes the time without bound.
                    if (GrazingHeightMetres(scene.SunAltitude) < 1.02 * height) continue;
                    const std::optional<double> t = SimulatedTransit(view.Globe, later, {latitude, longitude}, height);
                    ASSERT_TRUE(t);
                    if (!(*t > 0.05 && *t <= LongestTransitSeconds)) continue;
                    const HeightResult result = HeightFromTransit(scene, *t);
                    ASSERT_TRUE(result.Height) << latitude << " " << longitude << " " << height << " m, " << *t
                                               << " s: " << NoHeightText(result.Reason);
                    const double error = std::fabs(*result.Height / height - 1);
                    EXPECT_LT(error, 1e-3) << s.Day << "." << s.Month << ". " << s.Hour << " h, " << latitude << " "
                                           << longitude << ", " << height << " m, " << *t << " s";
                    worst = std::max(worst, error);
                    ++checked;
                }
            }
    }
    EXPECT_GT(checked, 1000);
    RecordProperty("cases", checked);
    RecordProperty("worst_relative_error_ppm", static_cast<int>(worst * 1e6));
}

}  // namespace
