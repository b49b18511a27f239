// The Sun and Moon theories.

#include "tests/astronomy/astronomy_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double Deg = DegreeFactor;

TEST(PositiveFrac, AlwaysInUnitInterval)
{
    EXPECT_EQ(PositiveFrac(-0.25), 0.75);
    EXPECT_EQ(PositiveFrac(2.5), 0.5);
    EXPECT_EQ(PositiveFrac(-3.0), 0.0);
}

TEST(SunPosition, WorkedExamples)
{
    double L = 0, B = 0, R = 0;
    SunPosition(0.0, L, B, R);
    EXPECT_NEAR(L, 280.3775, 5e-5) << "J2000.0";
    EXPECT_NEAR(R, 0.983327, 5e-7) << "J2000.0";
    EXPECT_LT(std::fabs(B), 1.0 / 3600) << "J2000.0";

    const ObservationState july = StateAt(4, 7, 2003, 1);  // 0h UT
    SunPosition(JulianCenturies(july), L, B, R);
    EXPECT_NEAR(R, 1.016728, 5e-7) << "4 July 2003";
    EXPECT_LT(std::fabs(B), 1.0 / 3600) << "4 July 2003";
}

TEST(SunPosition, AgreesWithEllipticOrbitOverTwoCenturies)
{
    // Meeus, Astronomical Algorithms, ch. 25 (low accuracy, about 0.01 deg):
    // an independent check that no large term of the tables is mistyped.
    for (double T = -1.0; T <= 1.0; T += 0.0137) {
        double L = 0, B = 0, R = 0;
        SunPosition(T, L, B, R);
        const double L0 = 280.46646 + 36000.76983 * T + 0.0003032 * T * T;
        const double M = (357.52911 + 35999.05029 * T - 0.0001537 * T * T) * Deg;
        const double e = 0.016708634 - 0.000042037 * T;
        const double C = (1.914602 - 0.004817 * T - 0.000014 * T * T) * std::sin(M) +
                         (0.019993 - 0.000101 * T) * std::sin(2 * M) + 0.000289 * std::sin(3 * M);
        const double v = M + C * Deg;
        const double radius = 1.000001018 * (1 - e * e) / (1 + e * std::cos(v));
        EXPECT_NEAR(std::remainder(L - (L0 + C), 360.0), 0.0, 0.015) << "T=" << T;
        EXPECT_NEAR(R, radius, 1e-4) << "T=" << T;
        EXPECT_GE(L, 0.0) << "T=" << T;
        EXPECT_LT(L, 360.0) << "T=" << T;
        EXPECT_LT(std::fabs(B), 1.5 / 3600) << "T=" << T;
    }
}

TEST(SunPosition, TermWithTimePowerScalesThePreviousPair)
{
    SunTermContext c;
    c.T = 2.0;
    c.EarthCos(1) = std::cos(0.3);
    c.EarthSin(1) = std::sin(0.3);
    c.PlanetCos(0) = 1.0;
    c.PlanetSin(0) = 0.0;
    AddTerm(c, 1, 0, 0, 0, 1, 10, 0, 0, 0);
    AddTerm(c, 1, 0, 1, 0, 1, 10, 0, 0, 0);
    AddTerm(c, 1, 0, 2, 0, 1, 10, 0, 0, 0);
    EXPECT_NEAR(c.DL, (1 + 2 + 4) * std::sin(0.3), 1e-12);
    EXPECT_NEAR(c.DR, (1 + 2 + 4) * 10 * std::cos(0.3), 1e-12);
    EXPECT_EQ(c.DB, 0.0);
}

struct MoonCase {
    const char* name;
    double T, lambda, beta, R;
};

TEST(MoonEclipticPosition, WorkedExamples)
{
    const MoonCase cases[] = {
        {"T = 0",             0.0,          223.318916, 5.170888,  63.096471},
        {"T = 0.03",          0.03,         259.577972, -1.005740, 58.055533},
        {"T = 0.5",           0.5,          18.660413,  3.391077,  59.367923},
        {"1992 April 12, 0h", T1992April12, 133.162004, -3.231110, 57.759016},
    };
    for (const MoonCase& c : cases) {
        double lambda = 0, beta = 0, R = 0;
        MoonEclipticPosition(c.T, lambda, beta, R);
        EXPECT_NEAR(lambda, c.lambda, 5e-7) << c.name;
        EXPECT_NEAR(beta, c.beta, 5e-7) << c.name;
        EXPECT_NEAR(R, c.R, 5e-7) << c.name;
    }
}

TEST(MoonEclipticPosition, StaysInRangeAndMovesAtTheLunarRate)
{
    double b = 0, r = 0;
    const double step = 0.5 / 36525;  // half a day
    for (double T = -2.0 + step; T < 2.0; T += 97 * step) {
        double lambda = 0, beta = 0, R = 0, later = 0;
        MoonEclipticPosition(T, lambda, beta, R);
        MoonEclipticPosition(T + step, later, b, r);
        EXPECT_GE(lambda, 0.0) << "T=" << T;
        EXPECT_LT(lambda, 360.0) << "T=" << T;
        EXPECT_LE(std::fabs(beta), 5.35) << "T=" << T;
        EXPECT_GT(R, 55.0) << "T=" << T;
        EXPECT_LT(R, 64.0) << "T=" << T;
        // 11 to 15.5 degrees a day.
        const double motion = std::remainder(later - lambda, 360.0);
        EXPECT_GT(motion, 5.5) << "T=" << T;
        EXPECT_LT(motion, 7.75) << "T=" << T;
    }
}

}  // namespace
