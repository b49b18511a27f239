// The Sun over the Moon: the subsolar point, the Sun's altitude over a
// formation, morning and evening terminator, and the transit time to expect.

#include "astronomy/sun_over_formation.h"
#include "observing/shadow_transit.h"
#include "observing/terminator_zone.h"
#include "tests/astronomy/astronomy_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

struct Phase {
    const char* name;
    int day, month, year, hour, minute;  // MEZ
    TerminatorSide visibleTerminator;
};

// March 2003: new moon on the 3rd, first quarter on the 11th, full moon on
// the 18th, last quarter on the 25th.
const Phase kPhases[] = {
    {"waxing crescent",   6,  3, 2003, 20, 0,  TerminatorSide::Morning},
    {"first quarter",     11, 3, 2003, 8,  15, TerminatorSide::Morning},
    {"waxing gibbous",    15, 3, 2003, 20, 5,  TerminatorSide::Morning},
    {"a day before full", 17, 3, 2003, 11, 0,  TerminatorSide::Morning},
    {"a day after full",  19, 3, 2003, 12, 0,  TerminatorSide::Evening},
    {"waning gibbous",    21, 3, 2003, 23, 0,  TerminatorSide::Evening},
    {"last quarter",      25, 3, 2003, 2,  51, TerminatorSide::Evening},
    {"waning crescent",   29, 3, 2003, 5,  0,  TerminatorSide::Evening},
};

class SunOverMoonAtPhase : public testing::TestWithParam<Phase> {};

TEST_P(SunOverMoonAtPhase, OverheadAtTheSubsolarPointNearlyLevelOnTheReportsTerminator)
{
    const Phase& p = GetParam();
    ObservationState s = StateAt(p.day, p.month, p.year, p.hour, p.minute);
    const SunOverMoon sun = ComputeSunOverMoon(s);

    EXPECT_NEAR(SunAltitudeOver(sun, sun.SubsolarLatitude, sun.SubsolarLongitude), 90.0, 1e-5);
    // The terminator the physical ephemerides give (degrees after the
    // conversion) looks at the Sun from the Earth's centre: the Sun seen
    // from the Moon stands on its horizon to within the Moon's offset,
    // 0.15 deg at most.
    EXPECT_NEAR(SunAltitudeOver(sun, 0.0, s.TerminatorLongitude), 0.0, 0.16);
    EXPECT_NEAR(SunAltitudeOver(sun, 0.0, s.TerminatorLongitude + 360.0),
                SunAltitudeOver(sun, 0.0, s.TerminatorLongitude), 1e-9);
    EXPECT_NEAR(sun.SubsolarLatitude, s.SunSelenographicLatitude, 0.02);
    EXPECT_NEAR(std::fmod(90.0 - sun.SubsolarLongitude + 720.0, 360.0), sun.Colongitude, 1e-9);

    // The visible terminator is the morning one while the Moon waxes: the
    // day lies east of it. While it wanes, the day lies west of it.
    EXPECT_EQ(TerminatorSideAt(sun, s.TerminatorLongitude), p.visibleTerminator);
    const double dayward = p.visibleTerminator == TerminatorSide::Morning ? 5.0 : -5.0;
    EXPECT_NEAR(SunAltitudeOver(sun, 0.0, s.TerminatorLongitude + dayward), 5.0, 0.17);
    EXPECT_NEAR(SunAltitudeOver(sun, 0.0, s.TerminatorLongitude - dayward), -5.0, 0.17);
}

INSTANTIATE_TEST_SUITE_P(March2003, SunOverMoonAtPhase, testing::ValuesIn(kPhases),
                         [](const testing::TestParamInfo<Phase>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == ' ') c = '_';
                             return name;
                         });

TEST(SunOverMoon, SeenFromTheMoonNotFromTheEarth)
{
    // Every 6 hours through a lunation the subsolar point differs from the
    // one of the physical ephemerides (the Sun seen from the Earth's centre)
    // by Meeus's first-order terms for the Moon's distance from that line:
    // (delta/R) cos(beta) sin(lambda0 - lambda) in the Sun's ecliptic
    // longitude seen from the Moon, (delta/R) beta in its latitude. On the
    // Moon's equator, tilted by I = 1.54 deg to the ecliptic, the first moves
    // the subsolar longitude as much and its latitude by -I cos(W) times as
    // much (W the Sun's longitude from the node); the second moves the
    // latitude by its negative.
    double largest = 0;
    for (int step = 0; step < 4 * 30; ++step) {
        ObservationState s = StateAt(1 + step / 4, 3, 2003, 6 * (step % 4));
        const SunOverMoon sun = ComputeSunOverMoon(s);
        const SunOverMoon again = SunOverMoonFromEphemerides(s);
        ASSERT_EQ(sun.SubsolarLongitude, again.SubsolarLongitude);
        ASSERT_EQ(sun.SubsolarLatitude, again.SubsolarLatitude);

        // The report keeps only the terminator, l0 - 90 or l0 + 90.
        const double waxing = s.TerminatorLongitude + 90, waning = s.TerminatorLongitude - 90;
        const double fromEarth =
            std::fabs(std::remainder(waxing - sun.SubsolarLongitude, 360.0)) < 90 ? waxing : waning;
        // The Sun's distance was rescaled to thousandths of an Earth radius.
        const double k = s.MoonDistance / (s.SunDistance / 1000);
        const double b = s.MoonEclipticLatitude * DegreeFactor;
        const double shift =
            k * std::cos(b) * std::sin((s.SunEclipticLongitude - s.MoonEclipticLongitude) * DegreeFactor);
        EXPECT_NEAR(std::remainder(sun.SubsolarLongitude - fromEarth, 360.0), shift / DegreeFactor, 0.002) << step;
        const double T = JulianCenturies(s);
        const double node = 125.044555 - 1934.1361849 * T;  // degrees
        const double W = (s.SunEclipticLongitude + 180 - node) * DegreeFactor;
        const double tilt = 1.54242 * DegreeFactor * std::cos(W) * shift;
        EXPECT_NEAR(sun.SubsolarLatitude - s.SunSelenographicLatitude,
                    -k * s.MoonEclipticLatitude - tilt / DegreeFactor, 0.0005)
            << step;
        largest = std::max(largest, std::fabs(shift / DegreeFactor));
    }
    EXPECT_GT(largest, 0.14);
}

TEST(SunOverMoon, FullMoonLightsTheWholeNearSide)
{
    ObservationState s = StateAt(18, 3, 2003, 11, 34);  // full moon, 10:34 UT
    const SunOverMoon sun = ComputeSunOverMoon(s);
    EXPECT_NEAR(sun.Colongitude, 90.0, 7.0);
    int checked = 0;
    for (double latitude = -85; latitude <= 85; latitude += 5) {
        for (double longitude = -180; longitude < 180; longitude += 5) {
            // Every point within 84 degrees of the disc centre.
            const double toCentre =
                SunAltitudeOver({s.LibrationLatitude, s.LibrationLongitude, 0}, latitude, longitude);
            if (toCentre < 6.0) continue;
            EXPECT_GT(SunAltitudeOver(sun, latitude, longitude), 0.0) << latitude << " " << longitude;
            EXPECT_TRUE(FacesEarth(s, latitude, longitude));
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
    EXPECT_FALSE(FacesEarth(s, -s.LibrationLatitude, s.LibrationLongitude + 180.0));
}

TEST(SunOverMoon, ColongitudeAdvancesSteadilyThroughALunation)
{
    // Hour by hour through March 2003: the colongitude grows by about half a
    // degree an hour, with no jump at full or new moon, where the
    // ephemerides switch from one terminator to the other.
    double previous = -1;
    for (int hour = 0; hour < 31 * 24; ++hour) {
        ObservationState s = StateAt(1 + hour / 24, 3, 2003, hour % 24);
        const double colongitude = ComputeSunOverMoon(s).Colongitude;
        ASSERT_GE(colongitude, 0.0);
        ASSERT_LT(colongitude, 360.0);
        if (previous >= 0) {
            const double step = std::fmod(colongitude - previous + 360.0, 360.0);
            ASSERT_GT(step, 0.45) << "day " << 1 + hour / 24 << " hour " << hour % 24;
            ASSERT_LT(step, 0.57) << "day " << 1 + hour / 24 << " hour " << hour % 24;
        }
        previous = colongitude;
    }
}

TEST(ExpectedTransitTime, GivesBackTheHeightThroughTheHeightFormula)
{
    ObservationState s = StateAt(15, 3, 2003, 20, 5, 50.7333, 7.1);
    PrepareMountainHeight(s);
    const double latitude = 10.0;
    const double longitude = s.TerminatorLongitude + 4.0;  // morning, Sun about 4 degrees high
    int found = 0;
    for (double height : {150.0, 800.0, 2500.0, 6000.0}) {
        const std::optional<double> t = ExpectedTransitTime(s, latitude, longitude, height);
        if (!t) continue;
        ++found;
        EXPECT_GT(*t, 0.0);
        EXPECT_LE(*t, LongestTransitSeconds);
        double lambdaC = 0;
        const std::optional<double> back = MountainHeight(s, *t, latitude, longitude, lambdaC);
        ASSERT_TRUE(back.has_value()) << height;
        EXPECT_NEAR(*back, height, 1e-3) << height;
        // The same height through the panel's whole chain.
        ObservationState panel = s;
        EXPECT_NEAR(*MeasureMountainHeight(panel, *t, latitude, longitude).Height, height, 1e-3);
    }
    EXPECT_GE(found, 3);
    // Beyond five seconds' shadow, or no height at all: nothing to expect.
    EXPECT_FALSE(ExpectedTransitTime(s, latitude, longitude, 1e6).has_value());
    EXPECT_FALSE(ExpectedTransitTime(s, latitude, longitude, 0.0).has_value());
}

TEST(ExpectedTransitTime, ReachesTheTopOfItsRange)
{
    // A height that casts a shadow of just under five seconds (here with
    // the Sun 8 deg high, a summit of about 16 km): still expected.
    ObservationState s = StateAt(15, 3, 2003, 20, 5, 50.7333, 7.1);
    PrepareMountainHeight(s);
    const double latitude = 10.0;
    const double longitude = s.TerminatorLongitude + 8.0;
    double lambdaC = 0;
    const std::optional<double> height = MountainHeight(s, 4.95, latitude, longitude, lambdaC);
    ASSERT_TRUE(height.has_value());
    const std::optional<double> t = ExpectedTransitTime(s, latitude, longitude, *height);
    ASSERT_TRUE(t.has_value());
    EXPECT_NEAR(*t, 4.95, 1e-6);
}

}  // namespace

TEST(TerminatorZone, DirectionsPassOverExactlyThoseOutsideTheZone)
{
    // A grid of points every 0.7 degrees, through a lunation, with bands
    // that end exactly on the altitude of grid points, against the check
    // of every point one by one.
    std::vector<SelenographicPoint> points;
    for (double latitude = -89.6; latitude < 90; latitude += 0.7)
        for (double longitude = -179.5; longitude < 180; longitude += 0.7) points.push_back({latitude, longitude});
    std::vector<MoonDirection> directions;
    for (const SelenographicPoint& p : points) directions.push_back(DirectionOf(p));
    for (int day = 1; day <= 29; day += 4) {
        ObservationState s = StateAt(day, 3, 2003, 21, 0);
        const SunOverMoon sun = ComputeSunOverMoon(s);
        const double edge = *VisibleSunAltitudeOver(s, sun, {0, sun.SubsolarLongitude - 89.6});
        for (const SunAltitudeBand band : {
                 SunAltitudeBand{-0.5, 12},
                 SunAltitudeBand{edge, 10},
                 SunAltitudeBand{-90,  90}
        }) {
            std::vector<std::size_t> expected;
            for (std::size_t i = 0; i < points.size(); ++i) {
                const std::optional<double> altitude = VisibleSunAltitudeOver(s, sun, points[i]);
                if (altitude && band.Contains(*altitude)) expected.push_back(i);
            }
            EXPECT_EQ(FormationsInTerminatorZone(s, sun, points, directions, band), expected) << day;
            EXPECT_EQ(FormationsInTerminatorZone(s, sun, points, band), expected) << day;
        }
    }
}
