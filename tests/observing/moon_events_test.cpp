// The Moon's rise, culmination and set against astronomy-engine 2.1.19
// (SearchRiseSet: upper limb, 34' refraction, the site's parallax, sea
// level; SearchHourAngle; the altitude from its topocentric Moon without
// refraction) and the phases in the list (SearchMoonQuarter), and days at
// a polar site without a rise, without a set and without a culmination.

#include "observing/moon_events.h"
#include "astronomy/calendar.h"
#include "observing/moon_tonight.h"
#include "tests/support/observation_at.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <vector>

namespace {

struct Expected {
    MoonEventKind kind;
    double julianDate;  // UT
    double altitude;    // culmination only
};

struct Day {
    const char* name;
    MezMoment day;
    double latitude, longitude;
    std::vector<Expected> events;
};

const Day kDays[] = {
    {"Berlin",
     {2026, 12, 13},
     52.52,                               13.405,
     {{MoonEventKind::Rise, 2461387.925764, 0},
      {MoonEventKind::Culmination, 2461388.105819, 18.218},
      {MoonEventKind::Set, 2461388.293034, 0}}                                                           },
    {"CapeTown",
     {2027, 1, 16},
     -33.9249,
     18.4241,                                     {{MoonEventKind::Rise, 2461421.995425, 0},
      {MoonEventKind::Culmination, 2461422.218368, 36.619},
      {MoonEventKind::Set, 2461422.436730, 0}}                                              },
 // Longyearbyen: the Moon stays below the horizon all day, then stays
  // above it all day, then has no upper transit within the day at all.
    {"PolarNight", {2026, 12, 9},  78.22, 15.65,  {{MoonEventKind::Culmination, 2461383.964461, -16.668}}},
    {"PolarDay",   {2026, 12, 22}, 78.22, 15.65,  {{MoonEventKind::Culmination, 2461397.404273, 38.210}} },
    {"NoTransit",  {2026, 12, 24}, 78.22, 15.65,  {}                                                     },
};

void PrintTo(const Day& d, std::ostream* os) { *os << d.name; }

class MoonEventsOfADay : public testing::TestWithParam<Day> {};

TEST_P(MoonEventsOfADay, MatchAnIndependentEphemeris)
{
    const Day& d = GetParam();
    std::vector<MoonEvent> found;
    ForEachMoonEvent(d.day, d.day, d.latitude, d.longitude, [&](const MoonEvent& e) {
        if (e.Kind == MoonEventKind::Rise || e.Kind == MoonEventKind::Culmination || e.Kind == MoonEventKind::Set)
            found.push_back(e);
    });
    ASSERT_EQ(found.size(), d.events.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].Kind, d.events[i].kind) << i;
        EXPECT_NEAR(found[i].JulianDateUt, d.events[i].julianDate, 1.0 / 1440) << i;  // a minute
        EXPECT_EQ(found[i].Altitude.has_value(), found[i].Kind == MoonEventKind::Culmination) << i;
        if (found[i].Altitude) {
            EXPECT_NEAR(*found[i].Altitude, d.events[i].altitude, 0.02) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sites, MoonEventsOfADay, testing::ValuesIn(kDays),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MoonEvents, PhasesComeInTheListAtTheirInstants)
{
    // astronomy-engine's SearchMoonQuarter from 1.12.2026 0:00 MEZ on.
    const std::vector<Expected> quarters = {
        {MoonEventKind::LastQuarter,  2461375.756418, 0},
        {MoonEventKind::NewMoon,      2461383.536473, 0},
        {MoonEventKind::FirstQuarter, 2461391.738367, 0},
        {MoonEventKind::FullMoon,     2461398.561632, 0},
        {MoonEventKind::LastQuarter,  2461405.291752, 0},
        {MoonEventKind::NewMoon,      2461413.350763, 0},
    };
    std::vector<MoonEvent> phases;
    ForEachMoonEvent({2026, 12, 1}, {2027, 1, 7}, 52.52, 13.405, [&](const MoonEvent& e) {
        if (e.Kind != MoonEventKind::Rise && e.Kind != MoonEventKind::Culmination && e.Kind != MoonEventKind::Set)
            phases.push_back(e);
    });
    ASSERT_EQ(phases.size(), quarters.size());
    for (std::size_t i = 0; i < phases.size(); ++i) {
        EXPECT_EQ(phases[i].Kind, quarters[i].kind) << i;
        EXPECT_NEAR(phases[i].JulianDateUt, quarters[i].julianDate, 2.0 / 1440) << i;
        EXPECT_FALSE(phases[i].Altitude.has_value());
    }
}

TEST(MoonEvents, PolarDaysSayWhetherTheMoonStaysUpOrDown)
{
    const auto tonight = [](int day, int month, int year, int hour) {
        ObservationState state = ObservationAt(day, month, year, hour, 0);
        state.Latitude = 78.22;
        state.Longitude = 15.65;
        ObservationState scratch = state;
        return LookAtTonight(state, ViewMoonGlobe(scratch));
    };
    const MoonTonight night = tonight(9, 12, 2026, 12);
    EXPECT_TRUE(night.DownAllDay);
    EXPECT_FALSE(night.UpAllDay);
    EXPECT_FALSE(night.AboveHorizon);
    const MoonTonight day = tonight(22, 12, 2026, 12);
    EXPECT_TRUE(day.UpAllDay);
    EXPECT_FALSE(day.DownAllDay);
    EXPECT_TRUE(day.AboveHorizon);
    // An ordinary day has neither.
    ObservationState berlin = ObservationAt(13, 12, 2026, 17, 0);
    berlin.Latitude = 52.52;
    berlin.Longitude = 13.405;
    ObservationState scratch = berlin;
    const MoonTonight ordinary = LookAtTonight(berlin, ViewMoonGlobe(scratch));
    EXPECT_FALSE(ordinary.UpAllDay || ordinary.DownAllDay);
    EXPECT_TRUE(ordinary.AboveHorizon);  // 17:00, between rise 11:13 and set 20:02
}

TEST(MoonEvents, ListRunsInTimeOrderOverTheDaysAtEveryLatitude)
{
    // From the pole to the pole, a year: every day ends, and the events come
    // in time order within the range.
    const auto start = std::chrono::steady_clock::now();
    for (double latitude : {90.0, 85.0, 66.6, 0.0, -66.6, -90.0}) {
        double last = 0;
        int count = 0;
        ForEachMoonEvent({2026, 1, 1}, {2026, 12, 31}, latitude, 0.0, [&](const MoonEvent& e) {
            EXPECT_GE(e.JulianDateUt, last);
            last = e.JulianDateUt;
            ++count;
        });
        EXPECT_GT(count, 300) << latitude;                         // a culmination nearly every day, also at the poles
        EXPECT_LT(last, 2461406.5 - 1.0 / 24 + 1e-9) << latitude;  // before 1.1.2027 0:00 MEZ
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

TEST(MoonEvents, MezMinuteRoundsAndCarriesIntoTheNextDay)
{
    // 13.12.2026 19:01:58 UT is 20:01:58 MEZ: 20:02.
    EXPECT_EQ(MezMinuteOf(2461388.293034), (MezMoment{2026, 12, 13, 20, 2}));
    // 31.12.2026 22:59:40 UT is 23:59:40 MEZ: the new year's first minute.
    EXPECT_EQ(MezMinuteOf(2461406.5 - 20.0 / 86400 - 1.0 / 24), (MezMoment{2027, 1, 1, 0, 0}));
}

TEST(MoonEvents, DatesReadBackAsTheSameInstantAlsoBeforeTheCalendarReform)
{
    // The program reads dates up to 4.10.1582 in the Julian calendar: the
    // next day is 15.10.1582.
    EXPECT_EQ(MezMinuteOf(2299160.5 - 1.0 / 24), (MezMoment{1582, 10, 15, 0, 0}));
    EXPECT_EQ(MezMinuteOf(2299160.5 - 1.0 / 24 - 1.0 / 1440), (MezMoment{1582, 10, 4, 23, 59}));
    // Every printed moment, from year 1 to 9999, is the instant it came from.
    for (double jd = 1721425.0; jd < 5373484.0; jd += 1234.567) {
        const MezMoment m = MezMinuteOf(jd);
        const double back = ModifiedJulianDate(m.Day, m.Month, m.Year, m.Hour - 1 + m.Minute / 60.0) + 2400000.5;
        ASSERT_LT(std::abs(back - jd), 0.5 / 1440) << jd;
    }
    // A day of the year 1000 lists the events of that day, not of the
    // Gregorian day of the same name five days later.
    const double dayStart = ModifiedJulianDate(1, 1, 1000, -1.0) + 2400000.5;
    int count = 0;
    ForEachMoonEvent({1000, 1, 1}, {1000, 1, 1}, 52.52, 13.405, [&](const MoonEvent& e) {
        EXPECT_GE(e.JulianDateUt, dayStart);
        EXPECT_LT(e.JulianDateUt, dayStart + 1);
        EXPECT_EQ(MezMinuteOf(e.JulianDateUt).Day, 1);
        ++count;
    });
    EXPECT_GE(count, 2);
}

}  // namespace
