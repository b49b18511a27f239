// Angle primitives, coordinate conversions, the Moon's equatorial position
// and the horizontal position.

#include "tests/astronomy/astronomy_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double Deg = DegreeFactor;

TEST(Atan2Degrees, Quadrants)
{
    struct Case {
        double y, x, degrees;
    };
    const Case cases[] = {
        {0,  0,  0               },
        {1,  1,  45              },
        {1,  -1, 135             },
        {-1, -1, -135            },
        {0,  -1, 180             },
        {0,  1,  0               },
        {1,  0,  90              },
        {-1, 0,  -90             },
        {1,  -2, 153.434948822922},
        {-2, 1,  -63.434948822922},
    };
    for (const Case& c : cases) EXPECT_NEAR(Atan2Degrees(c.y, c.x), c.degrees, 1e-9) << "y=" << c.y << " x=" << c.x;
}

TEST(ArcSine, EndsAndDomain)
{
    EXPECT_EQ(ArcSine(1.0), HalfPi);
    EXPECT_EQ(ArcSine(-1.0), -HalfPi);
    EXPECT_NEAR(ArcSine(0.5), 30 * Deg, 1e-12);
    EXPECT_EQ(ArcSine(1.0 + 1e-14), HalfPi) << "rounding beyond 1 counts as 1";
    EXPECT_TRUE(std::isnan(ArcSine(1.01)));
    EXPECT_FALSE(ArcSineInDomain(1.01).has_value());
    EXPECT_FALSE(ArcSineInDomain(-1.01).has_value());
    EXPECT_FALSE(ArcSineInDomain(std::nan("")).has_value());
    ASSERT_TRUE(ArcSineInDomain(-1.0).has_value());
    EXPECT_EQ(*ArcSineInDomain(-1.0), -HalfPi);
}

TEST(AddAngles, SumOfThirtyAndSixtyDegrees)
{
    double c = 0, s = 0;
    AddAngles(std::cos(30 * Deg), std::sin(30 * Deg), std::cos(60 * Deg), std::sin(60 * Deg), c, s);
    EXPECT_NEAR(c, 0.0, 1e-12);
    EXPECT_NEAR(s, 1.0, 1e-12);
}

TEST(SphericalCoordinates, RoundTripAndLongitudeRange)
{
    double x = 0, y = 0, z = 0, r = 0, lat = 0, lon = 0;
    SphericalToCartesian(2.0, 30.0, 250.0, x, y, z);
    CartesianToSpherical(x, y, z, r, lat, lon);
    EXPECT_NEAR(r, 2.0, 1e-12);
    EXPECT_NEAR(lat, 30.0, 1e-9);
    EXPECT_NEAR(lon, 250.0, 1e-9);

    CartesianToSpherical(-1, -1, 0, r, lat, lon);
    EXPECT_NEAR(lon, 225.0, 1e-9) << "negative y lies between 180 and 360";
    CartesianToSpherical(1, -1e-300, 0, r, lat, lon);
    EXPECT_GE(lon, 0.0) << "a hair below longitude 0";
    EXPECT_LT(lon, 360.0) << "a hair below longitude 0";
}

TEST(EclipticToEquatorial, SolsticePointHasDeclinationOfObliquity)
{
    double x = 0, y = 1, z = 0, r = 0, dec = 0, ra = 0;
    EclipticToEquatorial(0.0, x, y, z);
    CartesianToSpherical(x, y, z, r, dec, ra);
    EXPECT_NEAR(dec, 23.43929111, 1e-8);
    EXPECT_NEAR(ra, 90.0, 1e-9);
}

TEST(ApplyNutation, NutationInLongitudeOf1987April10)
{
    // Meeus, Astronomical Algorithms, example 22.a: -3.788" (full series);
    // the four main terms used here come within 0.1".
    ObservationState s;
    double x = 0.3, y = -0.8, z = 0.5;
    const double before = std::sqrt(x * x + y * y + z * z);
    ApplyNutation(s, (ModifiedJulianDate(10, 4, 1987, 0) - 51544.5) / 36525, x, y, z);
    EXPECT_NEAR(s.NutationInLongitude * 206264.8062, -3.788, 0.1);
    EXPECT_NEAR(std::sqrt(x * x + y * y + z * z) / before, 1.0, 1e-8) << "a rotation";
}

TEST(MoonPosition, EquatorialPositionOf1992April12)
{
    // Meeus, example 47.a gives the apparent position 134.688470, 13.768368
    // (with aberration and the full nutation); this program's agrees to ~6".
    ObservationState s;
    double ra = 0, dec = 0, distance = 0;
    MoonPosition(s, T1992April12, ra, dec, distance);
    EXPECT_NEAR(ra, 134.688470, 0.003);
    EXPECT_NEAR(dec, 13.768368, 0.003);
    EXPECT_NEAR(s.MoonEclipticLongitude, 133.162004, 5e-7);
    EXPECT_NEAR(s.MoonEclipticLatitude, -3.231110, 5e-7);
    EXPECT_NEAR(distance, 57.759016, 1e-6) << "nutation barely changes the length";
    EXPECT_NE(s.NutationInLongitude, 0.0);
}

// --- Horizontal position ---------------------------------------------------

struct HorizontalCase {
    const char* name;
    double latitude, declination, hourAngle;
    double azimuth, altitude;
};

/// Runs HorizontalPosition for an object at the given hour angle, choosing
/// the right ascension from the sidereal time of the state's date and site.
ObservationState Horizontal(double latitude, double declination, double hourAngle)
{
    ObservationState s = StateAt(15, 8, 2004, 21, 0, latitude, 11.5);
    const double T = JulianCenturies(s);
    ObservationState probe = s;
    UpdateLocalSiderealTime(probe, T, s.Longitude / 15);
    const double ra = std::fmod(15 * probe.LocalSiderealTime - hourAngle + 720.0, 360.0);
    HorizontalPosition(s, ra, declination, s.Longitude, T);
    return s;
}

TEST(HorizontalPosition, CardinalPointsAndQuadrants)
{
    const HorizontalCase cases[] = {
        {"due south, upper culmination",               50,  10,  0,   0,   50},
        {"due north, culmination north of the zenith", 20,  25,  0,   180, 85},
        {"due north, lower culmination",               50,  60,  180, 180, 20},
        {"due north, southern site",                   -30, 0,   0,   180, 60},
        {"due west, setting on the equator",           50,  0,   90,  90,  0 },
        {"due east, rising on the equator",            50,  0,   -90, 270, 0 },
        {"due east, hour angle 270",                   50,  0,   270, 270, 0 },
        {"south-east, -45 stored as 315",              0,   -45, -90, 315, 0 },
        {"north-west",                                 0,   45,  90,  135, 0 },
        {"north-east",                                 0,   45,  -90, 225, 0 },
    };
    for (const HorizontalCase& c : cases) {
        const ObservationState s = Horizontal(c.latitude, c.declination, c.hourAngle);
        // Compared around the circle: due south may come out as 359.99999999999989.
        EXPECT_NEAR(std::remainder(s.Azimuth - c.azimuth, 360.0), 0.0, 1e-7) << c.name;
        EXPECT_NEAR(s.Altitude, c.altitude, 1e-7) << c.name;
        EXPECT_EQ(s.Latitude, c.latitude) << c.name << ": latitude stays in degrees";
    }
}

TEST(HorizontalPosition, AzimuthInRangeAndConsistentEverywhere)
{
    // Turning azimuth and altitude back into hour angle and declination must
    // give the inputs, which holds only if the quadrant is right.
    for (double lat : {-60.0, -20.0, 0.0, 35.0, 52.0, 70.0})
        for (double dec : {-28.0, -10.0, 0.0, 15.0, 28.0})
            for (double H = -350.0; H < 360.0; H += 13.0) {
                const ObservationState s = Horizontal(lat, dec, H);
                const double A = s.Azimuth * Deg, h = s.Altitude * Deg, phi = lat * Deg;
                const auto where = [&] {
                    return ::testing::Message() << "lat " << lat << " dec " << dec << " H " << H;
                };
                EXPECT_GE(s.Azimuth, 0.0) << where();
                EXPECT_LT(s.Azimuth, 360.0) << where();
                EXPECT_NEAR(std::sin(dec * Deg),
                            std::sin(phi) * std::sin(h) - std::cos(phi) * std::cos(h) * std::cos(A), 1e-9)
                    << where();
                EXPECT_NEAR(std::cos(dec * Deg) * std::sin(H * Deg), std::cos(h) * std::sin(A), 1e-9) << where();
                EXPECT_NEAR(std::cos(dec * Deg) * std::cos(H * Deg),
                            std::cos(phi) * std::sin(h) + std::sin(phi) * std::cos(h) * std::cos(A), 1e-9)
                    << where();
            }
}

TEST(HorizontalPosition, ZenithGivesAFiniteAzimuth)
{
    const ObservationState s = Horizontal(40, 40, 0);
    EXPECT_NEAR(s.Altitude, 90.0, 1e-6);
    EXPECT_TRUE(std::isfinite(s.Azimuth));
    EXPECT_GE(s.Azimuth, 0.0);
    EXPECT_LT(s.Azimuth, 360.0);
}

TEST(MapToSelenographic, CentreAndSymmetry)
{
    double lat = 0, lon = 0, lat2 = 0, lon2 = 0;
    MapToSelenographic(0, 0, lat, lon);
    EXPECT_NEAR(lat, 7.35, 1e-12);
    EXPECT_NEAR(lon, 6.33333333333333, 1e-12);

    MapToSelenographic(120, 80, lat, lon);
    MapToSelenographic(-120, 80, lat2, lon2);
    EXPECT_NEAR(lat, lat2, 1e-12);
    EXPECT_NEAR(lon - 6.33333333333333, -(lon2 - 6.33333333333333), 1e-12);
    EXPECT_GT(lon, 6.34) << "right is east";
    EXPECT_GT(lat, 7.36) << "up is north";
}

}  // namespace
