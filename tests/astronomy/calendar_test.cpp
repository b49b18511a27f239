// Julian dates, Julian centuries, the Moon's age and sidereal time.

#include "astronomy/lunar_phases.h"
#include "tests/astronomy/astronomy_test_support.h"

#include <gtest/gtest.h>

namespace {

struct MjdCase {
    const char* name;
    int day, month, year;
    double hour;
    double mjd;
};

TEST(ModifiedJulianDate, KnownDates)
{
    const MjdCase cases[] = {
        {"J2000.0",                         1,  1,  2000, 12,   51544.5           },
        {"MJD epoch",                       17, 11, 1858, 0,    0                 },
        {"last Julian day",                 4,  10, 1582, 0,    -100841           },
        {"first Gregorian day",             15, 10, 1582, 0,    -100840           },
        {"leap day 2000",                   29, 2,  2000, 0,    51603             },
        {"day after leap day",              1,  3,  2000, 0,    51604             },
        {"31 February is 3 March 2001",     31, 2,  2001, 0,    51971             },
        {"negative hour is the day before", 2,  1,  2000, -0.5, 51544.979166666667},
        {"hour past 24 is the day after",   1,  1,  2000, 36,   51545.5           },
    };
    for (const MjdCase& c : cases)
        EXPECT_NEAR(ModifiedJulianDate(c.day, c.month, c.year, c.hour), c.mjd, 1e-9) << c.name;
    EXPECT_EQ(ModifiedJulianDate(31, 2, 2001, 0), ModifiedJulianDate(3, 3, 2001, 0));
}

TEST(ObservationTime, MezIsUniversalTimePlusOneHour)
{
    const ObservationState j2000 = StateAt(1, 1, 2000, 13);
    EXPECT_NEAR(JulianDate(j2000), 2451545.0, 1e-9);
    EXPECT_NEAR(JulianCenturies(j2000), 0.0, 1e-15);

    // 00:30 MEZ on 5 March is 23:30 UT on 4 March.
    EXPECT_NEAR(ObservationModifiedJulianDate(StateAt(5, 3, 2003, 0, 30)), ModifiedJulianDate(4, 3, 2003, 23.5), 1e-9);
    // Minutes count as fractions of an hour.
    EXPECT_NEAR(ObservationModifiedJulianDate(StateAt(5, 3, 2003, 10, 45)), ModifiedJulianDate(5, 3, 2003, 9.75), 1e-9);
}

// 1 January 2000, 13:00 MEZ: the last true new moon was 7 December 1999,
// 22:32 UT (astronomy-engine), not the mean one of a fixed phase offset.
TEST(MoonAge, AtJ2000) { EXPECT_NEAR(MoonAge(StateAt(1, 1, 2000, 13)), 24.56, 0.005); }

TEST(MoonAge, StaysWithinOneLunation)
{
    for (int day = 1; day <= 28; ++day)
        for (int hour : {0, 7, 13, 23}) {
            const ObservationState s = StateAt(day, 2, 2004, hour);
            const double age = MoonAge(s);
            const double lunation =
                NextPhaseInstant(JulianDate(s), LunarPhase::NewMoon) - PreviousNewMoon(JulianDate(s));
            EXPECT_GE(age, 0.0) << day << ". " << hour << "h";
            EXPECT_LT(age, lunation) << day << ". " << hour << "h";
        }
}

TEST(MoonAge, GrowsOneDayPerDay)
{
    const double a = MoonAge(StateAt(10, 6, 2004, 12));
    const double b = MoonAge(StateAt(11, 6, 2004, 12));
    EXPECT_NEAR(b - a, 1.0, 1e-9);
}

TEST(LocalSiderealTime, GreenwichAtJ2000)
{
    ObservationState s = StateAt(1, 1, 2000, 13);
    UpdateLocalSiderealTime(s, 0.0, 0.0);
    EXPECT_NEAR(s.LocalSiderealTime, 18.6973746, 5e-8);
}

TEST(LocalSiderealTime, EastLongitudeIsLater)
{
    ObservationState greenwich = StateAt(20, 7, 2005, 22);
    ObservationState east = greenwich;
    const double T = JulianCenturies(greenwich);
    UpdateLocalSiderealTime(greenwich, T, 0.0);
    UpdateLocalSiderealTime(east, T, 1.5);
    const double later = east.LocalSiderealTime - greenwich.LocalSiderealTime;
    EXPECT_NEAR(later < 0 ? later + 24 : later, 1.5, 1e-9);
}

TEST(LocalSiderealTime, RangeKeepsSignBefore2001)
{
    // From 2001 on every site gives [0, 24).
    for (int month = 1; month <= 12; ++month)
        for (double lonHours : {-12.0, -0.5, 0.0, 8.0, 12.0}) {
            ObservationState s = StateAt(1, month, 2001, 0);
            UpdateLocalSiderealTime(s, JulianCenturies(s), lonHours);
            EXPECT_GE(s.LocalSiderealTime, 0.0) << "month " << month << " lon " << lonHours;
            EXPECT_LT(s.LocalSiderealTime, 24.0) << "month " << month << " lon " << lonHours;
        }
    // Before 2000 a western site can give (-24, 0]: the reduction keeps the sign.
    ObservationState s = StateAt(1, 1, 1990, 1);
    UpdateLocalSiderealTime(s, JulianCenturies(s), -8.0);
    EXPECT_LE(s.LocalSiderealTime, 0.0);
    EXPECT_GT(s.LocalSiderealTime, -24.0);
}

}  // namespace
