// Planning ahead: moments on the MEZ scale, the Sun above the site, the
// ephemeris table's moments and the planner's intervals at their edges,
// each interval re-checked with the single-moment functions.

#include "observing/ephemeris_table.h"
#include "observing/observation_planner.h"
#include "observing/shadow_transit.h"
#include "observing/sun_at_site.h"
#include "tests/astronomy/astronomy_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr double kBerlinLatitude = 52.52, kBerlinLongitude = 13.405;

// Plato, with the catalogue's height.
const PlannedFormation kPlato{
    {51.6, -9.4},
    2400.0
};

std::int64_t Minutes(const MezMoment& m) { return MinuteNumber(m); }

TEST(MezMoment, StepsAcrossDayMonthYearAndLeapDay)
{
    struct Case {
        MezMoment from;
        std::int64_t minutes;
        MezMoment to;
    };
    const Case cases[] = {
        {{2003, 3, 15, 23, 55},  10,                  {2003, 3, 16, 0, 5}  },
        {{2003, 12, 31, 23, 59}, 1,                   {2004, 1, 1, 0, 0}   },
        {{2004, 2, 28, 23, 50},  20,                  {2004, 2, 29, 0, 10} },
        {{2003, 2, 28, 23, 50},  20,                  {2003, 3, 1, 0, 10}  },
        {{1969, 12, 31, 23, 0},  90,                  {1970, 1, 1, 0, 30}  },
        {{2003, 1, 1, 0, 0},     365 * MinutesPerDay, {2004, 1, 1, 0, 0}   },
        {{1900, 3, 1, 0, 0},     -1,                  {1900, 2, 28, 23, 59}}, // 1900 is no leap year
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MomentOfMinute(Minutes(c.from) + c.minutes), c.to) << c.from.Day << "." << c.from.Month;
        EXPECT_EQ(MomentOfMinute(Minutes(c.from)), c.from);
    }
}

TEST(SunAtSite, AgreesWithAModernEphemerisAndLeavesTheStateAlone)
{
    // astronomy-engine (VSOP87, geocentric, no refraction); azimuth from the south.
    struct Case {
        int day, month, year, hour, minute;
        double latitude, longitude, altitude, azimuth;
    };
    const Case cases[] = {
        {15, 3,  2003, 20, 5,  52.52, 13.405, -17.9801, 111.1456},
        {21, 6,  2003, 13, 0,  52.52, 13.405, 59.2781,  23.8056 },
        {21, 12, 2003, 8,  30, -33.9, 18.4,   46.5486,  269.2806},
    };
    for (const Case& c : cases) {
        ObservationState s = StateAt(c.day, c.month, c.year, c.hour, c.minute, c.latitude, c.longitude);
        s.Altitude = 12.5;
        s.NutationInLongitude = 0.25;
        const SunAtSite sun = SunHorizontalPosition(s);
        EXPECT_NEAR(sun.Altitude, c.altitude, 0.01) << c.day << "." << c.month;
        EXPECT_NEAR(sun.Azimuth, c.azimuth, 0.02) << c.day << "." << c.month;
        EXPECT_EQ(s.Altitude, 12.5);
        EXPECT_EQ(s.NutationInLongitude, 0.25);
    }
}

TEST(EphemerisTableRange, RunsToTheEndOfTheLastDay)
{
    struct Case {
        MezMoment first;
        MezMoment lastDay;
        int step;
        std::int64_t rows;
    };
    const Case cases[] = {
        {{2003, 3, 15, 0, 0},   {2003, 3, 16, 0, 0},  60,   48  },
        {{2003, 3, 15, 20, 5},  {2003, 3, 16, 0, 0},  60,   28  }, // 20:05 ... 16.3. 23:05
        {{2003, 3, 15, 20, 5},  {2003, 3, 20, 0, 0},  1440, 6   }, // one row a day at 20:05
        {{2003, 1, 1, 0, 0},    {2003, 12, 31, 0, 0}, 60,   8760},
        {{2003, 3, 15, 23, 59}, {2003, 3, 15, 0, 0},  7,    1   },
        {{2003, 3, 16, 0, 0},   {2003, 3, 15, 0, 0},  60,   0   },
    };
    for (const Case& c : cases) {
        const EphemerisTableRange range{c.first, c.lastDay, c.step};
        ASSERT_EQ(range.RowCount(), c.rows);
        if (c.rows == 0) continue;
        EXPECT_EQ(range.RowMoment(0), c.first);
        const MezMoment last = range.RowMoment(c.rows - 1);
        EXPECT_EQ(MezMoment(last.Year, last.Month, last.Day, 0, 0), c.lastDay);
    }
}

/// The three conditions with the single-moment functions the windows use.
bool AllHoldAt(const ObservationState& base, const MezMoment& moment, const PlannedFormation& formation,
               const PlanningLimits& limits)
{
    ObservationState s = base;
    SetObservationMoment(s, moment);
    const bool dark = SunHorizontalPosition(s).Altitude <= limits.HighestSunAltitude;
    const SunOverMoon sun = ComputeSunOverMoon(s);
    const SelenographicPoint& p = formation.Position;
    const bool lit = FacesEarth(s, p.Latitude, p.Longitude) &&
                     limits.SunOverFormation.Contains(SunAltitudeOver(sun, p.Latitude, p.Longitude));
    MoonPosition(s, JulianCenturies(s), s.MoonRightAscension, s.MoonDeclination, s.MoonDistance);
    HorizontalPosition(s, s.MoonRightAscension, s.MoonDeclination, s.Longitude, JulianCenturies(s));
    return dark && lit && s.Altitude >= limits.LowestMoonAltitude;
}

MezMoment Shifted(const MezMoment& m, std::int64_t minutes) { return MomentOfMinute(Minutes(m) + minutes); }

TEST(Planner, EveryIntervalHoldsFromItsFirstToItsLastMinuteAndNotBeyond)
{
    const ObservationState s = StateAt(1, 1, 2003, 20, 5, kBerlinLatitude, kBerlinLongitude);
    const PlanningLimits limits;
    const std::vector<PlanInterval> plan = PlanObservations(s, kPlato, limits, 60);
    ASSERT_GE(plan.size(), 4u);
    bool overMidnight = false;
    for (const PlanInterval& i : plan) {
        SCOPED_TRACE(std::to_string(i.Start.Day) + "." + std::to_string(i.Start.Month));
        EXPECT_TRUE(AllHoldAt(s, i.Start, kPlato, limits));
        EXPECT_TRUE(AllHoldAt(s, i.End, kPlato, limits));
        EXPECT_FALSE(AllHoldAt(s, Shifted(i.Start, -1), kPlato, limits));
        EXPECT_FALSE(AllHoldAt(s, Shifted(i.End, +1), kPlato, limits));
        overMidnight = overMidnight || i.Start.Day != i.End.Day;

        // The best moment: inside, and its figures are those of the
        // single-moment functions the window "Lichtgrenze" uses.
        EXPECT_LE(Minutes(i.Start), Minutes(i.Best));
        EXPECT_LE(Minutes(i.Best), Minutes(i.End));
        ObservationState b = s;
        SetObservationMoment(b, i.Best);
        PrepareMountainHeight(b);
        const SunOverMoon sun = SunOverMoonFromEphemerides(b);
        EXPECT_EQ(i.MoonAltitude, b.Altitude);
        EXPECT_EQ(i.Colongitude, sun.Colongitude);
        EXPECT_EQ(i.SunOverFormation, SunAltitudeOver(sun, 51.6, -9.4));
        EXPECT_EQ(i.TransitSeconds, ExpectedTransitTime(b, 51.6, -9.4, 2400.0));
        // No neighbouring minute offers a longer transit time.
        for (int step : {-1, 1}) {
            const MezMoment next = Shifted(i.Best, step);
            if (Minutes(next) < Minutes(i.Start) || Minutes(next) > Minutes(i.End) || !i.TransitSeconds) continue;
            ObservationState n = s;
            SetObservationMoment(n, next);
            PrepareMountainHeight(n);
            const std::optional<double> t = ExpectedTransitTime(n, 51.6, -9.4, 2400.0);
            if (t) {
                EXPECT_LE(*t, *i.TransitSeconds);
            }
        }
    }
    EXPECT_TRUE(overMidnight);
}

TEST(Planner, IntervalsOpenAtTheRangeEndsAreCutThere)
{
    // From 1 February 2003 the plan finds Plato from 10.2. 17:45 to 11.2.
    // 0:52; a plan of 10 days ends at 11.2. 0:00, inside it, and a plan
    // from 11.2. begins inside it.
    const PlanningLimits limits;
    const ObservationState from1st = StateAt(1, 2, 2003, 20, 5, kBerlinLatitude, kBerlinLongitude);
    const std::vector<PlanInterval> whole = PlanObservations(from1st, kPlato, limits, 11);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].Start, MezMoment(2003, 2, 10, 17, 45));
    EXPECT_EQ(whole[0].End, MezMoment(2003, 2, 11, 0, 52));

    const std::vector<PlanInterval> cutAtEnd = PlanObservations(from1st, kPlato, limits, 10);
    ASSERT_EQ(cutAtEnd.size(), 1u);
    EXPECT_EQ(cutAtEnd[0].Start, whole[0].Start);
    EXPECT_EQ(cutAtEnd[0].End, MezMoment(2003, 2, 11, 0, 0));
    EXPECT_EQ(PlanEnd(from1st, 10), MezMoment(2003, 2, 11, 0, 0));

    const ObservationState from11th = StateAt(11, 2, 2003, 22, 0, kBerlinLatitude, kBerlinLongitude);
    const std::vector<PlanInterval> cutAtStart = PlanObservations(from11th, kPlato, limits, 1);
    ASSERT_FALSE(cutAtStart.empty());
    EXPECT_EQ(cutAtStart[0].Start, MezMoment(2003, 2, 11, 0, 0));
    EXPECT_EQ(cutAtStart[0].End, whole[0].End);
}

TEST(Planner, NoIntervalWhenTheConditionsNeverMeet)
{
    const ObservationState s = StateAt(1, 1, 2003, 20, 5, kBerlinLatitude, kBerlinLongitude);
    const PlanningLimits limits;
    // On the far side the Sun rises and sets as anywhere, but no one sees it.
    const PlannedFormation farSide{
        {0.0, 180.0},
        2000.0
    };
    EXPECT_TRUE(PlanObservations(s, farSide, limits, 60).empty());
    // The Moon never stands 70 degrees high over Berlin.
    PlanningLimits highMoon;
    highMoon.LowestMoonAltitude = 70;
    EXPECT_TRUE(PlanObservations(s, kPlato, highMoon, 60).empty());
    // Nothing in the first days of February (see above).
    EXPECT_TRUE(
        PlanObservations(StateAt(1, 2, 2003, 0, 0, kBerlinLatitude, kBerlinLongitude), kPlato, limits, 5).empty());
}

// The intervals as the grid walk finds them looking at every step (and
// halving a step where the outcome changes), as first and last minutes.
std::vector<std::pair<std::int64_t, std::int64_t>> SpansLookingAtEveryStep(const ObservationState& base,
                                                                           const PlannedFormation& formation,
                                                                           const PlanningLimits& limits, int days)
{
    auto holds = [&](std::int64_t minute) {
        ObservationState s = base;
        SetObservationMoment(s, MomentOfMinute(minute));
        return CheckMoment(s, formation.Position, limits, true).Met;
    };
    auto firstWith = [&](bool outcome, std::int64_t before, std::int64_t after) {
        while (after - before > 1) {
            const std::int64_t middle = before + (after - before) / 2;
            (holds(middle) == outcome ? after : before) = middle;
        }
        return after;
    };
    const std::int64_t first = Minutes(PlanStart(base)), last = Minutes(PlanEnd(base, days));
    std::vector<std::pair<std::int64_t, std::int64_t>> spans;
    bool inside = holds(first);
    std::int64_t start = first;
    for (std::int64_t before = first; before < last; before = std::min(before + PlanningStepMinutes, last)) {
        const std::int64_t after = std::min(before + PlanningStepMinutes, last);
        const bool now = holds(after);
        if (now == inside) continue;
        const std::int64_t change = firstWith(now, before, after);
        if (now)
            start = change;
        else
            spans.push_back({start, change - 1});
        inside = now;
    }
    if (inside) spans.push_back({start, last});
    return spans;
}

TEST(Planner, PassingOverStepsWhoseOutcomeIsKnownMissesNothing)
{
    // The plan skips the steps at which a failing condition cannot have been
    // met yet; it must find exactly the intervals of a look at every step.
    const std::pair<double, double> sites[] = {
        {kBerlinLatitude, kBerlinLongitude},
        {-33.87,          151.21          }, // Sydney
        {69.65,           18.96           }, // Tromsø: midnight sun and polar night
    };
    const PlannedFormation formations[] = {
        kPlato,
        {{0.0, 30.0},    1500.0      },
        {{-60.0, -20.0}, std::nullopt},
        {{-5.0, 85.0},   3000.0      }, // at the limb: turned away now and then
    };
    for (const auto& [latitude, longitude] : sites)
        for (const PlannedFormation& formation : formations) {
            const ObservationState s = StateAt(20, 5, 2003, 12, 0, latitude, longitude);
            std::vector<std::pair<std::int64_t, std::int64_t>> planned;
            for (const PlanInterval& i : PlanObservations(s, formation, PlanningLimits{}, 40))
                planned.push_back({Minutes(i.Start), Minutes(i.End)});
            EXPECT_EQ(planned, SpansLookingAtEveryStep(s, formation, PlanningLimits{}, 40))
                << latitude << " " << formation.Position.Latitude << " " << formation.Position.Longitude;
        }
}

TEST(Planner, WithoutAHeightTheBestMomentHasTheLowestSun)
{
    const ObservationState s = StateAt(1, 1, 2003, 20, 5, kBerlinLatitude, kBerlinLongitude);
    const PlannedFormation noHeight{kPlato.Position, std::nullopt};
    for (const PlanInterval& i : PlanObservations(s, noHeight, PlanningLimits{}, 30)) {
        EXPECT_FALSE(i.TransitSeconds);
        for (const MezMoment& end : {i.Start, i.End}) {
            ObservationState e = s;
            SetObservationMoment(e, end);
            const SunOverMoon sun = ComputeSunOverMoon(e);
            EXPECT_LE(i.SunOverFormation, SunAltitudeOver(sun, 51.6, -9.4));
        }
    }
}

}  // namespace
