// Timing of the lunar and solar theories, the physical ephemerides, the
// ephemeris chain (compared with astronomy-engine's same chain by
// scripts/compare_ephemeris_chain.sh), the Moon's age and the whole
// computation the height panel runs at every keystroke.

#include "astronomy/Rechn.h"
#include "astronomy/mountain_shadow.h"
#include "astronomy/sun_over_moon.h"

#include <benchmark/benchmark.h>

namespace {

ObservationState EveningState()
{
    ObservationState s;
    s.Day = 10;
    s.Month = 3;
    s.Year = 2003;
    s.Hour = 20;
    s.Latitude = 50.0;
    s.Longitude = 10.0;
    return s;
}

/// A series of the form f(T, longitude, latitude, distance).
using Series = void (*)(double, double&, double&, double&);

void BM_Series(benchmark::State& bench, Series series)
{
    double T = 0.0322;
    for (auto _ : bench) {
        double longitude = 0, latitude = 0, distance = 0;
        benchmark::DoNotOptimize(T);
        series(T, longitude, latitude, distance);
        benchmark::DoNotOptimize(longitude);
        benchmark::DoNotOptimize(latitude);
        benchmark::DoNotOptimize(distance);
    }
}
BENCHMARK_CAPTURE(BM_Series, MoonEclipticPosition, &MoonEclipticPosition);
BENCHMARK_CAPTURE(BM_Series, SunPosition, &SunPosition);

void BM_PhysicalEphemerides(benchmark::State& bench)
{
    ObservationState s;
    const double T = (48724 - 51544.5) / 36525;
    for (auto _ : bench) {
        s.NutationInLongitude = 0.0000224;
        PhysicalEphemerides(s, T, 133.162004, -3.231110, 57.759016, 134.68847, 22.3395, 23513276.4473);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_PhysicalEphemerides);

// The Moon's age over a year, hour by hour: from the true new moon, against
// the mean lunation with a fixed offset it replaced (the baseline).
void BM_MoonAge(benchmark::State& bench, bool trueNewMoon)
{
    ObservationState s = EveningState();
    int hour = 0;
    for (auto _ : bench) {
        s.Day = static_cast<std::uint16_t>(1 + hour / 24 % 28);
        s.Month = static_cast<std::uint16_t>(1 + hour / (24 * 28) % 12);
        s.Hour = static_cast<std::uint16_t>(hour % 24);
        ++hour;
        if (trueNewMoon) {
            benchmark::DoNotOptimize(MoonAge(s));
        } else {
            double age = (Frac((JulianDate(s) + 0.5) / SynodicMonth) - 0.33) * SynodicMonth - 1.0;
            benchmark::DoNotOptimize(age < 0 ? age + SynodicMonth : age);
        }
    }
}
BENCHMARK_CAPTURE(BM_MoonAge, TrueNewMoon, true);
BENCHMARK_CAPTURE(BM_MoonAge, MeanLunationBaseline, false);

/// The moment of iteration `i`: a minute later each time, through a month,
/// so that no result is ever reused.
void StepMinute(ObservationState& s, int i)
{
    const int minutes = i % (28 * 24 * 60);
    s.Day = static_cast<std::uint16_t>(1 + minutes / (24 * 60));
    s.Hour = static_cast<std::uint16_t>(minutes / 60 % 24);
    s.Minute = static_cast<std::uint16_t>(minutes % 60);
}

void WithSubsolarPoint(ObservationState& s) { benchmark::DoNotOptimize(ComputeSunOverMoon(s)); }

// The ephemeris chain: the Moon's position, the Sun's, the physical
// ephemerides with the Sun seen from the Moon, and the Moon's place in the
// site's sky (EphemerisChain); the same without the subsolar point, as the
// reports run it (ReportsEphemerisChain). astronomy-engine's same chains:
// tools/terminator_check/time_ephemeris_chain.mjs.
void BM_Chain(benchmark::State& bench, void (*ephemerides)(ObservationState&))
{
    ObservationState s = EveningState();
    int i = 0;
    for (auto _ : bench) {
        StepMinute(s, i++);
        ephemerides(s);
        HorizontalPosition(s, s.MoonRightAscension, s.MoonDeclination, s.Longitude, JulianCenturies(s));
        benchmark::DoNotOptimize(s.Altitude);
    }
}
BENCHMARK_CAPTURE(BM_Chain, EphemerisChain, WithSubsolarPoint);
BENCHMARK_CAPTURE(BM_Chain, ReportsEphemerisChain, ComputePhysicalEphemeridesInDegrees);

// What the height panel computes per change of the transit time field: the
// chain, the view from the site, and the height solved from the time.
void BM_HeightPanelChain(benchmark::State& bench)
{
    ObservationState s = EveningState();
    double transit = 0.8;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(transit);
        const ShadowView view = PrepareShadowView(s);
        // A formation with the Sun 5 degrees over it.
        const SelenographicPoint formation = BodyToSelenographic(view.Globe.SunDirection);  // the subsolar point ...
        double lambdaC = 0;
        const auto height =
            MountainHeight(s, transit, 10.0, formation.Longitude - 85.0, lambdaC);  // ... 85 degrees west of it
        if (!height) bench.SkipWithError("no height");
        benchmark::DoNotOptimize(height);
        benchmark::DoNotOptimize(lambdaC);
    }
}
BENCHMARK(BM_HeightPanelChain);

// The height alone, for a scene prepared before: the solution to 1e-3 m.
void BM_HeightFromTransit(benchmark::State& bench)
{
    ObservationState s = EveningState();
    const ShadowView view = PrepareShadowView(s);
    const ShadowScene scene = SceneOf(view, {10.0, BodyToSelenographic(view.Globe.SunDirection).Longitude - 85.0});
    double transit = 0.8;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(transit);
        const HeightResult result = HeightFromTransit(scene, transit);
        if (!result.Height) bench.SkipWithError("no height");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_HeightFromTransit);

}  // namespace

BENCHMARK_MAIN();
