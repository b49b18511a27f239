// Physical ephemerides of the Moon and the mountain height.

#include "tests/astronomy/astronomy_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double Deg = DegreeFactor;

struct Ephemerides {
    double L, B, P, terminator, Bs;
};

Ephemerides InDegrees(const ObservationState& s)
{
    return {s.LibrationLongitude / Deg, s.LibrationLatitude / Deg, s.AxisPositionAngle / Deg,
            s.TerminatorLongitude / Deg, s.SunSelenographicLatitude / Deg};
}

/// The worked example of 1992 April 12, with the right ascension as given.
Ephemerides Example1992(double rightAscension)
{
    ObservationState s;
    s.NutationInLongitude = 0.0000224;
    PhysicalEphemerides(s, T1992April12, 133.162004, -3.231110, 57.759016, rightAscension, 22.3395, 23513276.4473);
    return InDegrees(s);
}

TEST(PhysicalEphemerides, WorkedExample1992April12)
{
    const Ephemerides e = Example1992(134.68847);
    EXPECT_NEAR(e.L, -1.2319, 5e-5);
    EXPECT_NEAR(e.B, 4.2018, 5e-5);
    EXPECT_NEAR(e.P, 15.0840, 5e-5);
    // The terminator follows the Sun's longitude one to one, and the example
    // gives that input to four decimals only (22.3395); this program's
    // -21.97125 lies within that input's rounding of the quoted -21.9712.
    EXPECT_NEAR(e.terminator, -21.9712, 1e-4);
    EXPECT_NEAR(e.Bs, 1.4527, 5e-5);
}

TEST(PhysicalEphemerides, LibrationDependsOnlyOnMoonAndNutation)
{
    for (double alpha : {0.0, 120.0}) {
        for (double R : {23513276.4473, 2.3e7}) {
            ObservationState s;
            s.NutationInLongitude = -0.0000734;
            PhysicalEphemerides(s, 0.032238193, 259.174972, -1.574735, 60.1, alpha, 3.0, R);
            const Ephemerides e = InDegrees(s);
            EXPECT_NEAR(e.L, 5.5785, 5e-5) << "alpha " << alpha << " R " << R;
            EXPECT_NEAR(e.B, 2.0503, 5e-5) << "alpha " << alpha << " R " << R;
        }
    }
}

TEST(PhysicalEphemerides, NutationIsRescaledInPlace)
{
    ObservationState s;
    s.NutationInLongitude = 0.0000224;
    PhysicalEphemerides(s, T1992April12, 133.162004, -3.231110, 57.759016, 134.68847, 22.3395, 23513276.4473);
    EXPECT_DOUBLE_EQ(s.NutationInLongitude, 0.0000224 * Deg);
}

TEST(PhysicalEphemerides, NegativePositionAngleIsReportedBelow360)
{
    // Turning the right ascension by 180 degrees flips the sign of the
    // arcsine's argument: P = -15.0840 is reported as 344.9160.
    EXPECT_NEAR(Example1992(134.68847 + 180).P, 344.9160, 5e-5);

    // 26 March 2003, 01:00 MEZ: the axis is tilted 8.27 deg west of north.
    ObservationState s = StateAt(26, 3, 2003, 1);
    ComputePhysicalEphemeridesInDegrees(s);
    EXPECT_NEAR(s.AxisPositionAngle, 351.73, 0.005);
}

TEST(PhysicalEphemerides, RangesOverAYear)
{
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= 28; day += 3) {
            ObservationState s = StateAt(day, month, 2004, 22);
            ComputePhysicalEphemeridesInDegrees(s);
            const auto where = [&] { return ::testing::Message() << day << "." << month; };
            EXPECT_LT(std::fabs(s.LibrationLongitude), 8.5) << where();
            EXPECT_LT(std::fabs(s.LibrationLatitude), 7.0) << where();
            EXPECT_TRUE((s.AxisPositionAngle >= 0 && s.AxisPositionAngle <= 90) ||
                        (s.AxisPositionAngle >= 270 && s.AxisPositionAngle < 360))
                << where() << " P " << s.AxisPositionAngle;
            EXPECT_GE(s.TerminatorLongitude, -90.0) << where();
            EXPECT_LE(s.TerminatorLongitude, 90.0) << where();
            EXPECT_LT(std::fabs(s.SunSelenographicLatitude), 1.65) << where();
        }
}

TEST(PhysicalEphemerides, SunDistanceIsRescaledBeforeTheEphemerides)
{
    // One astronomical unit / 6378.169 * 1.49598e11.
    EXPECT_NEAR(SunDistanceForEphemerides(1.0), 23454693.6589482, 1e-6);

    ObservationState s = StateAt(15, 3, 2003, 20, 5);
    double sunLongitude = 0, sunLatitude = 0, astronomicalUnits = 0;
    SunPosition(JulianCenturies(s), sunLongitude, sunLatitude, astronomicalUnits);
    ComputePhysicalEphemeridesInDegrees(s);
    EXPECT_DOUBLE_EQ(s.SunDistance, astronomicalUnits / 6378.169 * 1.49598e11);
}

// --- Semi-diameter and mountain height -------------------------------------

TEST(SetMoonSemiDiameter, MeanDistance)
{
    ObservationState s;
    SetMoonSemiDiameter(s, SemiDiameterArgument(60.27));
    EXPECT_NEAR(s.MoonSemiDiameter, 933.0, 0.5);
    EXPECT_NEAR(s.MoonSemiDiameter * 60.27, 56230.12, 0.01);
}

/// A Moon in the evening sky with plausible ephemerides, in degrees.
ObservationState HeightState(int day)
{
    ObservationState s = StateAt(day, 3, 2003, 20);
    s.MoonDeclination = 12.0;
    s.AxisPositionAngle = 350.0;
    s.LibrationLongitude = 2.0;
    s.LibrationLatitude = -3.0;
    s.Altitude = 35.0;
    s.MoonSemiDiameter = 933.0;
    s.TerminatorLongitude = -10.0;
    s.SunSelenographicLatitude = 1.2;
    return s;
}

// 10 March 2003 the Moon waxes, 22 March it wanes.
constexpr int WaxingDay = 10, WaningDay = 22;

TEST(MountainHeight, TerminatorCorrectionSign)
{
    ASSERT_LT(MoonAge(HeightState(WaxingDay)), SynodicMonth / 2);
    ASSERT_GE(MoonAge(HeightState(WaningDay)), SynodicMonth / 2);
    struct Case {
        const char* name;
        int day;
        double Bs, latitude;
        double sign;
    };
    const Case cases[] = {
        {"waxing, Bs >= 0",                   WaxingDay, 1.2,  30,  +1},
        {"waxing, Bs < 0",                    WaxingDay, -1.2, 30,  -1},
        {"waning, Bs >= 0",                   WaningDay, 1.2,  30,  -1},
        {"waning, Bs < 0",                    WaningDay, -1.2, 30,  +1},
        {"southern latitude does not decide", WaxingDay, 1.2,  -30, +1},
        {"Bs = 0 gives 0",                    WaxingDay, 0.0,  30,  0 },
    };
    for (const Case& c : cases) {
        ObservationState s = HeightState(c.day);
        s.SunSelenographicLatitude = c.Bs;
        double lambdaC = 99;
        MountainHeight(s, 2.0, c.latitude, 5.0, lambdaC);
        EXPECT_NEAR(lambdaC, c.sign * std::fabs(std::sin(c.latitude * Deg) * c.Bs), 1e-12) << c.name;
    }
}

TEST(MountainHeight, WorkedValues)
{
    // Worked by hand through the formula's steps (angles in degrees, then
    // v, w, z in radians):
    //   q = cos(dec) t 14.46 / cos P, dl = lon - L, bb = lat - cos(lon) B,
    //   s = 60.3 SD / (60.3 - sin h), tc = terminator + lambda_c,
    //   x = tc + dl (tc - dl when negative), v = asin(sin x cos bb),
    //   w = asin(q / (cos dl s)), z = asin(cos v w),
    //   height = |cos(v - z) / cos v - 1| 1738000 m.
    struct Case {
        const char* name;
        double declination, axis, librationLongitude, librationLatitude, altitude, semiDiameter, terminator, Bs;
        double transit, latitude, longitude;
        double height;
    };
    const Case cases[] = {
  // q 15.154232, dl -17, bb 13.881183, s 947.859532, x 3,
  // v 0.050829386, w 0.016719138, z 0.016698320
        {"x = tc + dl",                    10, 20,  3,  -4, 30, 940, 20,  0,   1.0, 10, -14, 1234.056298463},
 // dl -18, tc + dl = -38, so x = tc - dl = -2; v -0.033889308,
  // w 0.016811408, z 0.016802546
        {"x = tc - dl when tc + dl < 0",   10, 20,  3,  -4, 30, 940, -20, 0,   1.0, 10, -15, 1235.331072863},
 // waxing: lambda_c = sin 30 * 1.5 = 0.75, tc 10.75, x 7.75; q 11.930502,
  // s 920.797717, v 0.122503692, w 0.012974848, z 0.012877968
        {"with the terminator correction", -5, 345, -2, 5,  45, 910, 10,  1.5, 0.8, 30, -5,  2611.474133961},
    };
    for (const Case& c : cases) {
        ObservationState s = StateAt(WaxingDay, 3, 2003, 20);
        s.MoonDeclination = c.declination;
        s.AxisPositionAngle = c.axis;
        s.LibrationLongitude = c.librationLongitude;
        s.LibrationLatitude = c.librationLatitude;
        s.Altitude = c.altitude;
        s.MoonSemiDiameter = c.semiDiameter;
        s.TerminatorLongitude = c.terminator;
        s.SunSelenographicLatitude = c.Bs;
        double lambdaC = 0;
        const auto height = MountainHeight(s, c.transit, c.latitude, c.longitude, lambdaC);
        ASSERT_TRUE(height.has_value()) << c.name;
        EXPECT_NEAR(*height, c.height, 1e-6) << c.name;
    }
}

TEST(MountainHeight, ZeroTransitTimeGivesZeroHeight)
{
    double lambdaC = 0;
    const auto height = MountainHeight(HeightState(WaxingDay), 0.0, 20.0, -5.0, lambdaC);
    ASSERT_TRUE(height.has_value());
    EXPECT_EQ(*height, 0.0);
}

TEST(MountainHeight, GrowsWithTheTransitTime)
{
    double lambdaC = 0, previous = 0;
    for (double t : {0.5, 1.0, 2.0, 3.0, 5.0}) {
        const auto height = MountainHeight(HeightState(WaxingDay), t, 20.0, -5.0, lambdaC);
        ASSERT_TRUE(height.has_value()) << t << " s";
        EXPECT_GT(*height, previous) << t << " s";
        previous = *height;
    }
}

TEST(MountainHeight, ReportsLeavingItsDomain)
{
    struct Case {
        const char* name;
        double transit, latitude, longitude, axis;
    };
    const Case cases[] = {
        {"transit too long for the arcsine",     5000.0,       20.0, -5.0, 350.0},
        {"axis at 90 degrees, zero denominator", 2.0,          20.0, -5.0, 90.0 },
        {"longitude 90 from the disc centre",    2.0,          20.0, 92.0, 350.0},
        {"not a number",                         std::nan(""), 20.0, -5.0, 350.0},
    };
    for (const Case& c : cases) {
        ObservationState s = HeightState(WaxingDay);
        s.AxisPositionAngle = c.axis;
        double lambdaC = 99;
        EXPECT_FALSE(MountainHeight(s, c.transit, c.latitude, c.longitude, lambdaC).has_value()) << c.name;
        EXPECT_NEAR(lambdaC, std::sin(c.latitude * Deg) * 1.2, 1e-12) << c.name << ": the correction is still given";
    }
}

TEST(MountainHeight, FullChainForAnEveningOnTheTerminator)
{
    ObservationState s = StateAt(10, 3, 2003, 20, 0, 50.0, 10.0);
    ComputePhysicalEphemeridesInDegrees(s);
    HorizontalPosition(s, s.MoonRightAscension, s.MoonDeclination, s.Longitude, JulianCenturies(s));
    SetMoonSemiDiameter(s, SemiDiameterArgument(s.MoonDistance));
    double lambdaC = 0;
    // A formation near the morning terminator of that evening.
    const auto height = MountainHeight(s, 2.0, 10.0, s.TerminatorLongitude + 5.0, lambdaC);
    ASSERT_TRUE(height.has_value());
    EXPECT_GT(*height, 0.0);
    EXPECT_TRUE(std::isfinite(*height));
}

}  // namespace
