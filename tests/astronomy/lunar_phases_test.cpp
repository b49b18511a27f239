// The instants of the Moon's phases, Delta T, and the Moon's age counted
// from the true new moon.
//
// Reference instants: astronomy-engine 2.1.19 (npm), SearchMoonPhase and
// SearchMoonQuarter, as Julian dates in UT; tools/terminator_check/
// check_phases.mjs compares every phase of 1900-2100 the same way.

#include "astronomy/lunar_phases.h"
#include "astronomy/delta_t.h"
#include "tests/astronomy/astronomy_test_support.h"

#include <gtest/gtest.h>

namespace {

constexpr double kTwoMinutes = 2.0 / 1440;
constexpr double kMinute = 1.0 / 1440;

struct PhaseCase {
    const char* when;  ///< the instant in UT, for the failure message
    LunarPhase phase;
    double jdUt;
};

constexpr PhaseCase kReference[] = {
    {"new moon 1900-01-01 13:52",      LunarPhase::NewMoon,      2415021.07814},
    {"new moon 1950-01-18 08:00",      LunarPhase::NewMoon,      2433299.83343},
    {"new moon 2000-01-06 18:14",      LunarPhase::NewMoon,      2451550.26001},
    {"new moon 2026-12-09 00:52",      LunarPhase::NewMoon,      2461383.53647},
    {"new moon 2099-01-21 09:08",      LunarPhase::NewMoon,      2487724.88054},
    {"first quarter 2026-12-17 05:43", LunarPhase::FirstQuarter, 2461391.73837},
    {"full moon 2026-12-24 01:29",     LunarPhase::FullMoon,     2461398.56163},
    {"last quarter 2026-12-01 06:09",  LunarPhase::LastQuarter,  2461375.75642},
};

TEST(LunarPhases, KnownInstantsWithinTwoMinutes)
{
    for (const PhaseCase& c : kReference) {
        // Asked from any time of the preceding three weeks, the answer is
        // the same phase.
        for (double before : {0.01, 7.0, 21.0}) {
            EXPECT_NEAR(NextPhaseInstant(c.jdUt - before, c.phase), c.jdUt, kTwoMinutes) << c.when << ", " << before;
        }
        if (c.phase == LunarPhase::NewMoon) {
            EXPECT_NEAR(PreviousNewMoon(c.jdUt + 20), c.jdUt, kTwoMinutes) << c.when;
        }
    }
}

TEST(LunarPhases, StrictlyAfterAndAtOrBefore)
{
    const double newMoon = NextPhaseInstant(2461380.0, LunarPhase::NewMoon);
    // At the instant itself the next one is a lunation later, the last one
    // is this one; a minute earlier it is the one before.
    EXPECT_NEAR(NextPhaseInstant(newMoon, LunarPhase::NewMoon) - newMoon, SynodicMonth, 0.8);
    EXPECT_EQ(PreviousNewMoon(newMoon), newMoon);
    EXPECT_NEAR(newMoon - PreviousNewMoon(newMoon - kMinute), SynodicMonth, 0.8);
    // The quarters follow in their order within one lunation.
    double previous = newMoon;
    for (LunarPhase phase : {LunarPhase::FirstQuarter, LunarPhase::FullMoon, LunarPhase::LastQuarter}) {
        const double instant = NextPhaseInstant(newMoon, phase);
        EXPECT_GT(instant, previous + 6) << static_cast<int>(phase);
        EXPECT_LT(instant, previous + 9) << static_cast<int>(phase);
        previous = instant;
    }
}

TEST(LunarPhases, FarDatesStillGiveAnInstant)
{
    // The time dialog takes the years 1 to 9999.
    for (double jd : {1721426.0, 5373484.0}) {
        const double next = NextPhaseInstant(jd, LunarPhase::FullMoon);
        EXPECT_GT(next, jd);
        EXPECT_LT(next, jd + 31);
        const double last = PreviousNewMoon(jd);
        EXPECT_LE(last, jd);
        EXPECT_GT(last, jd - 31);
    }
}

TEST(DeltaT, MeasuredValuesAndNoJumpBetweenSpans)
{
    // Measured Delta T (Espenak & Meeus, table of observed values), seconds.
    const std::pair<double, double> measured[] = {
        {1900, -2.7},
        {1950, 29.1},
        {1980, 50.5},
        {2000, 63.8},
    };
    for (auto [year, seconds] : measured) EXPECT_NEAR(DeltaTSeconds(year), seconds, 0.6) << year;
    // A wrong coefficient shows as a step where one polynomial hands over to
    // the next.
    for (double year : {1600.0, 1700.0, 1800.0, 1860.0, 1900.0, 1920.0, 1941.0, 1961.0, 1986.0, 2005.0, 2050.0})
        EXPECT_NEAR(DeltaTSeconds(year - 1e-6), DeltaTSeconds(year), 1.0) << year;
    EXPECT_NEAR(DeltaTSeconds(2150 - 1e-6), DeltaTSeconds(2150), 1.0);
}

TEST(MoonAge, CountsFromTheTrueNewMoon)
{
    // 1 January 2000, 13:00 MEZ: the last new moon was 7 December 1999,
    // 22:32 UT (astronomy-engine), 24.561 days earlier.
    EXPECT_NEAR(MoonAge(StateAt(1, 1, 2000, 13)), 24.561, 0.002);
    // 9 December 2026: 0:52 UT new moon; a minute before the age is nearly a
    // lunation, two minutes after it is almost nothing.
    EXPECT_GT(MoonAge(StateAt(9, 12, 2026, 1, 50)), 29);
    EXPECT_LT(MoonAge(StateAt(9, 12, 2026, 1, 55)), 4.0 / 1440);
}

}  // namespace
