// Timing of the lunar and solar theories, the physical ephemerides, the
// Moon's age and the whole computation the height panel runs at every
// keystroke.

#include "astronomy/Rechn.h"

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

// What the height panel computes per change of the transit time field.
void BM_HeightPanelChain(benchmark::State& bench)
{
    ObservationState s = EveningState();
    double transit = 2.0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(transit);
        // Moon position, Sun position, SunDistance rescale, physical
        // ephemerides and their conversion to degrees.
        ComputePhysicalEphemeridesInDegrees(s);
        HorizontalPosition(s, s.MoonRightAscension, s.MoonDeclination, s.Longitude, JulianCenturies(s));
        SetMoonSemiDiameter(s, SemiDiameterArgument(s.MoonDistance));
        double lambdaC = 0;
        const auto height = MountainHeight(s, transit, 10.0, s.TerminatorLongitude + 5.0, lambdaC);
        benchmark::DoNotOptimize(height);
        benchmark::DoNotOptimize(lambdaC);
    }
}
BENCHMARK(BM_HeightPanelChain);

}  // namespace

BENCHMARK_MAIN();
