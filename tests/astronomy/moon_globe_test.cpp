// The Moon's globe seen from a site: its frame against the physical
// ephemerides, its orientation on the sky, the topocentric view, and the
// projection both ways.

#include "astronomy/moon_globe.h"
#include "astronomy/mountain_height.h"
#include "tests/astronomy/astronomy_test_support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <ostream>
#include <string>

namespace {

struct Sighting {
    const char* name;
    int day, month, year, hour, minute;  // MEZ
    double latitude, longitude;          // site, degrees
    // From astronomy-engine 2.1.19 (its IAU rotation model of the Moon, its
    // Moon and observer vectors, rotated to the true equator of date), not
    // from this program: the sub-observer point, the semi-diameter and the
    // axis seen from the site, and where Plato appears.
    double subLatitude, subLongitude, semiDiameter, axisAngle, platoEast, platoNorth;
};

const Sighting kSightings[] = {
    {"Berlin 1950",    1,  1,  1950, 0,  0,  52.52, 13.405, -4.5119, -3.4649, 907.61, 348.690, -90.78, 751.83},
    {"Cape Town 1987", 8,  6,  1987, 11, 17, -33.9, 18.4,   1.6215,  -6.8418, 946.01, 19.060,  262.14, 678.19},
    {"Colorado 2024",  15, 11, 2024, 22, 34, 40.0,  -105.0, -4.1083, 3.1975,  985.80, 346.527, -59.79, 824.28},
};

void PrintTo(const Sighting& c, std::ostream* os) { *os << c.name; }

class GlobeSighting : public testing::TestWithParam<Sighting> {};

TEST_P(GlobeSighting, AgreesWithAnIndependentEphemeris)
{
    const Sighting& c = GetParam();
    ObservationState s = StateAt(c.day, c.month, c.year, c.hour, c.minute, c.latitude, c.longitude);
    const MoonGlobe globe = ViewMoonGlobe(s);

    const SelenographicPoint sub = SubObserverPoint(globe);
    // The program's libration and the IAU model differ by a few hundredths
    // of a degree (mean-Earth against the modern rotation model).
    EXPECT_NEAR(sub.Latitude, c.subLatitude, 0.04);
    EXPECT_NEAR(sub.Longitude, c.subLongitude, 0.04);
    EXPECT_NEAR(SemiDiameterFromSite(globe), c.semiDiameter, 0.1);
    EXPECT_NEAR(AxisPositionAngleFromSite(globe), c.axisAngle, 0.03);
    const SkyOffset plato = SkyOffsetFromSite(globe, SelenographicToBody({51.6, -9.4}));
    EXPECT_NEAR(plato.East, c.platoEast, 1.0);
    EXPECT_NEAR(plato.North, c.platoNorth, 1.0);
}

TEST_P(GlobeSighting, FrameIsTheOneOfThePhysicalEphemerides)
{
    const Sighting& c = GetParam();
    ObservationState s = StateAt(c.day, c.month, c.year, c.hour, c.minute, c.latitude, c.longitude);
    const MoonGlobe g = ViewMoonGlobe(s);

    // A proper rotation: orthonormal and right-handed.
    EXPECT_NEAR(Dot(g.AxisX, g.AxisY), 0, 1e-12);
    EXPECT_NEAR(Dot(g.AxisX, g.AxisZ), 0, 1e-12);
    EXPECT_NEAR(Dot(Cross(g.AxisX, g.AxisY), g.AxisZ), 1, 1e-12);

    // From the Earth's centre the disc's centre is (B, L) and the pole stands
    // at position angle P.
    const SelenographicPoint subEarth = BodyToSelenographic(EquatorialToBody(g, -g.MoonFromEarth));
    EXPECT_NEAR(subEarth.Latitude, s.LibrationLatitude, 1e-9);
    EXPECT_NEAR(subEarth.Longitude, s.LibrationLongitude, 1e-9);
    MoonGlobe geocentric = g;
    geocentric.SiteFromEarth = {};
    EXPECT_NEAR(std::remainder(AxisPositionAngleFromSite(geocentric) - s.AxisPositionAngle, 360.0), 0, 1e-9);

    // East on the Moon faces west on the sky: Mare Crisium lies on the disc's
    // west side, Plato on its north side (P is never more than 25 degrees).
    const SkyOffset crisium = SkyOffsetFromSite(g, SelenographicToBody({17.0, 59.1}));
    const SkyOffset plato = SkyOffsetFromSite(g, SelenographicToBody({51.6, -9.4}));
    EXPECT_LT(crisium.East * std::cos(s.AxisPositionAngle * DegreeFactor), 0);
    EXPECT_GT(plato.North, 0);
}

INSTANTIATE_TEST_SUITE_P(ThreeSites, GlobeSighting, testing::ValuesIn(kSightings), [](const auto& info) {
    std::string name = info.param.name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
});

TEST(MoonGlobe, SiteSeesMoreOfTheLimbTowardItsZenith)
{
    // The site stands up to an Earth radius off the line to the Earth's
    // centre: seen from the Moon it is displaced by about one parallax
    // (57') times the sine of the zenith distance, toward its zenith, so the
    // sub-observer point moves that far from (B, L).
    ObservationState s = StateAt(13, 12, 2026, 6, 0, 52.52, 13.405);
    const MoonGlobe g = ViewMoonGlobe(s);
    const Vector3 zenith = Unit(g.SiteFromEarth);
    const Vector3 towardMoon = Unit(g.MoonFromEarth);
    const double sinZenithDistance = Length(Cross(zenith, towardMoon));
    const double parallax = std::asin(Length(g.SiteFromEarth) / Length(g.MoonFromEarth)) / DegreeFactor;

    const Vector3 subSite = SelenographicToBody(SubObserverPoint(g), 1.0);
    const Vector3 subEarth = Unit(EquatorialToBody(g, -g.MoonFromEarth));
    const double shift = std::acos(Dot(subSite, subEarth)) / DegreeFactor;
    EXPECT_NEAR(shift, parallax * sinZenithDistance, 0.01);
    EXPECT_GT(shift, 0.3);  // the Moon is low in the morning sky: a large shift

    // Toward the zenith: the body direction of the zenith gains.
    const Vector3 zenithInBody = EquatorialToBody(g, zenith);
    EXPECT_GT(Dot(subSite, zenithInBody), Dot(subEarth, zenithInBody));
}

// The parallactic angle and the altitude seen from the site, by the
// textbook's formulas from the geocentric place: the parallax in right
// ascension and declination (Meeus ch. 40, the site's rho sin phi' and
// rho cos phi' from ch. 11) and tan q = sin H' / (tan phi cos d' - sin d'
// cos H') (ch. 14); the altitude at culmination from astronomy-engine.
TEST(MoonGlobe, ParallacticAngleAndAltitudeSeenFromTheSite)
{
    struct Case {
        int day, month, year, hour, minute;
        double latitude, longitude;
        double referenceAltitude;  // astronomy-engine, NaN where not taken
    };
    const Case cases[] = {
        {13, 12, 2026, 15, 32, 52.52,    13.405,  18.218}, // culmination in Berlin
        {16, 1,  2027, 18, 14, -33.9249, 18.4241, 36.619}, // and in Cape Town
        {13, 12, 2026, 12, 0,  52.52,    13.405,  NAN   }, // rising in the south-east
        {18, 12, 2026, 23, 30, 52.52,    13.405,  NAN   }, // setting in the west
        {21, 12, 2026, 5,  0,  -33.9249, 18.4241, NAN   },
    };
    for (const Case& c : cases) {
        ObservationState s = StateAt(c.day, c.month, c.year, c.hour, c.minute, c.latitude, c.longitude);
        const MoonGlobe g = ViewMoonGlobe(s);
        const double phi = c.latitude * DegreeFactor;
        const double u = std::atan(0.99664719 * std::tan(phi));
        const double rhoSin = 0.99664719 * std::sin(u), rhoCos = std::cos(u);
        const double sinParallax = 1.0 / s.MoonDistance;
        const double H = (15.0 * s.LocalSiderealTime - s.MoonRightAscension) * DegreeFactor;
        const double d = s.MoonDeclination * DegreeFactor;
        const double shift =
            std::atan2(-rhoCos * sinParallax * std::sin(H), std::cos(d) - rhoCos * sinParallax * std::cos(H));
        const double dTopo = std::atan2((std::sin(d) - rhoSin * sinParallax) * std::cos(shift),
                                        std::cos(d) - rhoCos * sinParallax * std::cos(H));
        const double hTopo = H - shift;
        const double q =
            std::atan2(std::sin(hTopo), std::tan(phi) * std::cos(dTopo) - std::sin(dTopo) * std::cos(hTopo));
        EXPECT_NEAR(std::remainder(ParallacticAngleFromSite(g) - q / DegreeFactor, 360.0), 0, 0.01) << c.hour;
        const double altitude =
            std::asin(std::sin(phi) * std::sin(dTopo) + std::cos(phi) * std::cos(dTopo) * std::cos(hTopo)) /
            DegreeFactor;
        EXPECT_NEAR(MoonAltitudeFromSite(g), altitude, 0.01) << c.hour;
        if (!std::isnan(c.referenceAltitude)) {
            EXPECT_NEAR(MoonAltitudeFromSite(g), c.referenceAltitude, 0.02);
        }
    }
}

TEST(MoonGlobe, ProjectionRoundTripsOnTheVisibleHemisphere)
{
    ObservationState s = StateAt(18, 12, 2026, 16, 35, 52.52, 13.405);
    const MoonGlobe g = ViewMoonGlobe(s);
    const SelenographicPoint centre = SubObserverPoint(g);
    for (double lat = -80; lat <= 80; lat += 20)
        for (double lon = -170; lon <= 180; lon += 10) {
            const Vector3 body = SelenographicToBody({lat, lon});
            const double facing = Dot(Unit(body), SelenographicToBody(centre, 1.0));
            if (std::fabs(facing) < 0.02) continue;  // at the limb
            EXPECT_EQ(VisibleFromSite(g, body), facing > 0) << lat << " " << lon;
            if (facing < 0) continue;
            const auto back = SurfacePointAt(g, SkyOffsetFromSite(g, body));
            ASSERT_TRUE(back.has_value()) << lat << " " << lon;
            EXPECT_NEAR(back->Latitude, lat, 1e-6);
            EXPECT_NEAR(std::remainder(back->Longitude - lon, 360.0), 0, 1e-6);
        }

    // The line of sight grazes the sphere at the semi-diameter.
    const double r = SemiDiameterFromSite(g);
    EXPECT_TRUE(SurfacePointAt(g, {0, r - 0.01}).has_value());
    EXPECT_FALSE(SurfacePointAt(g, {0, r + 0.01}).has_value());
    EXPECT_FALSE(SurfacePointAt(g, {-(r + 0.01), 0}).has_value());
    // A summit above the surface appears beyond the limb it stands on.
    const Vector3 limbward = SelenographicToBody({0, centre.Longitude + 89.0});
    const Vector3 summit = SelenographicToBody({0, centre.Longitude + 89.0}, MoonRadiusKm + 5.0);
    EXPECT_GT(std::hypot(SkyOffsetFromSite(g, summit).East, SkyOffsetFromSite(g, summit).North),
              std::hypot(SkyOffsetFromSite(g, limbward).East, SkyOffsetFromSite(g, limbward).North));
}

TEST(MoonGlobe, SunShinesFromTheSubsolarPointSeenFromTheMoon)
{
    ObservationState s = StateAt(18, 12, 2026, 16, 35, 52.52, 13.405);
    const MoonGlobe g = ViewMoonGlobe(s);
    EXPECT_NEAR(Length(g.SunDirection), 1.0, 1e-12);
    const SelenographicPoint subsolar = BodyToSelenographic(g.SunDirection);
    const SunOverMoon sun = SunOverMoonFromEphemerides(s);
    EXPECT_NEAR(subsolar.Latitude, sun.SubsolarLatitude, 1e-9);
    EXPECT_NEAR(std::remainder(subsolar.Longitude - sun.SubsolarLongitude, 360.0), 0, 1e-9);
    // Waxing (first quarter was the day before): the Sun stands about 90
    // degrees east of the morning terminator the physical ephemerides give.
    EXPECT_NEAR(std::remainder(subsolar.Longitude - (s.TerminatorLongitude + 90.0), 360.0), 0, 0.16);
}

}  // namespace
