// Heights from timings that an independent simulation made with a modern
// ephemeris and nothing of this program (tools/height_check: astronomy-engine,
// its Moon, Sun and IAU rotation model, the timing found by iteration): the
// whole chain, from the date, site and formation to the height, must give
// the simulation's heights back.

#include "astronomy/mountain_shadow.h"
#include "tests/astronomy/astronomy_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifndef MIRELTA_SHADOW_TIMINGS
#error "MIRELTA_SHADOW_TIMINGS must name tools/height_check/shadow_timings.csv"
#endif

namespace {

/// One row of shadow_timings.csv.
struct Timing {
    ObservationState state;  // date, time (MEZ) and site
    SelenographicPoint formation;
    double height = 0;       // metres, the truth
    double seconds = 0;      // the simulated transit
    double sunAltitude = 0;  // degrees over the summit
    SkyOffset summit;        // arcseconds from the topocentric disc centre
};

std::vector<Timing> ReadTimings()
{
    std::ifstream file(MIRELTA_SHADOW_TIMINGS);
    std::string line;
    std::getline(file, line);  // the header
    std::vector<Timing> timings;
    while (std::getline(file, line)) {
        std::vector<std::string> field;
        std::stringstream fields(line);
        for (std::string text; std::getline(fields, text, ';');) field.push_back(text);
        if (field.size() < 20) continue;
        int day = 0, month = 0, year = 0, hour = 0, minute = 0;
        std::sscanf(field[0].c_str(), "%d.%d.%d", &day, &month, &year);
        std::sscanf(field[1].c_str(), "%d:%d", &hour, &minute);
        Timing t;
        t.state = StateAt(day, month, year, hour, minute, std::stod(field[3]), std::stod(field[4]));
        t.formation = {std::stod(field[6]), std::stod(field[7])};
        t.height = std::stod(field[8]);
        t.seconds = std::stod(field[9]);
        t.sunAltitude = std::stod(field[11]);
        t.summit = {std::stod(field[13]), std::stod(field[14])};
        timings.push_back(t);
    }
    return timings;
}

double Quantile(std::vector<double> values, double q)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(q * values.size()))];
}

/// Checks the bounds on the recovered heights (recovered / true) and keeps
/// median, 5 %, 95 % and the extremes as properties of the test.
void ExpectWithinBounds(const std::vector<double>& ratios, const std::string& name)
{
    std::vector<double> errors;
    for (double r : ratios) errors.push_back(std::fabs(r - 1));
    EXPECT_LE(Quantile(errors, 0.95), 0.03) << name << ": 95 % within 3 %";
    EXPECT_LE(*std::max_element(errors.begin(), errors.end()), 0.07) << name << ": all within 7 %";
    const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
    char figures[160];
    std::snprintf(figures, sizeof figures, "n %zu, median %.4f, 5-95 %% %.4f-%.4f, extremes %.4f %.4f", ratios.size(),
                  Quantile(ratios, 0.5), Quantile(ratios, 0.05), Quantile(ratios, 0.95), *low, *high);
    testing::Test::RecordProperty(name, figures);
}

TEST(ShadowTimings, TheWholeChainGivesTheSimulatedHeightsBack)
{
    const std::vector<Timing> timings = ReadTimings();
    ASSERT_GT(timings.size(), 10000u) << MIRELTA_SHADOW_TIMINGS;
    std::vector<double> all, timeable;  // recovered / true; timeable: 0.5 s and more
    double sunWorst = 0, summitWorst = 0;
    for (const Timing& t : timings) {
        ObservationState state = t.state;
        const ShadowScene scene = PrepareShadowScene(state, t.formation.Latitude, t.formation.Longitude);
        const HeightResult result = HeightFromTransit(scene, t.seconds);
        ASSERT_TRUE(result.Height) << state.Day << "." << state.Month << "." << state.Year << " " << state.Hour << ":"
                                   << state.Minute << ", " << t.height << " m, " << t.seconds
                                   << " s: " << NoHeightExplanation(result.Reason);
        all.push_back(*result.Height / t.height);
        if (t.seconds >= 0.5) timeable.push_back(all.back());
        // What the observer compares with the sky: the Sun over the
        // formation, and where the summit stands on the disc.
        sunWorst = std::max(sunWorst, std::fabs(scene.SunAltitude - t.sunAltitude));
        const SkyOffset summit = CastShadow(scene, t.height)->Summit;
        summitWorst = std::max(summitWorst, std::hypot(summit.East - t.summit.East, summit.North - t.summit.North));
    }
    ExpectWithinBounds(all, "all");
    ASSERT_GT(timeable.size(), 1000u);
    ExpectWithinBounds(timeable, "from_half_a_second");
    EXPECT_LT(sunWorst, 0.05);    // degrees
    EXPECT_LT(summitWorst, 0.5);  // arcseconds
    RecordProperty("sun_altitude_worst_mdeg", static_cast<int>(sunWorst * 1000));
    RecordProperty("summit_worst_marcsec", static_cast<int>(summitWorst * 1000));
}

}  // namespace
