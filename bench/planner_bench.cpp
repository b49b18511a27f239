// Speed of planning ahead:
//   - a plan of 30 days at 10-minute steps for one formation (limit 50 ms);
//   - the terminator-zone check for all 9,049 formations of the IAU
//     gazetteer at one moment, the ephemerides included (limit 5 ms);
//   - a one-year hourly table (8,760 rows) from the command line, as a
//     whole process: start, places.dat, computation, printing (limit
//     300 ms), and the same in the process for comparison.
// Needs no display: the program is started without windows.

#include "app/command_line.h"
#include "astronomy/sun_over_formation.h"
#include "bench/support/iau_catalogue.h"
#include "catalogue/catalogue.h"
#include "observing/observation_planner.h"
#include "platform/number_text.h"
#include "tests/support/temp_working_dir.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ostream>
#include <streambuf>

namespace {

ObservationState Berlin(int day, int month, int year)
{
    ObservationState s;
    s.Day = static_cast<std::uint16_t>(day);
    s.Month = static_cast<std::uint16_t>(month);
    s.Year = static_cast<std::uint16_t>(year);
    s.Hour = 20;
    s.Minute = 5;
    s.Latitude = 52.52;
    s.Longitude = 13.405;
    return s;
}

// Plato with a height, so that every interval also seeks its longest transit
// time: the most work a plan does.
const PlannedFormation kPlato{
    {51.6192, -9.3825},
    2400.0
};

void BM_Plan30Days(benchmark::State& run, int month)
{
    const ObservationState state = Berlin(1, month, 2003);
    std::size_t intervals = 0;
    for (auto _ : run) {
        const std::vector<PlanInterval> plan = PlanObservations(state, kPlato, PlanningLimits{}, 30);
        intervals = plan.size();
        benchmark::DoNotOptimize(plan.data());
    }
    run.counters["intervals"] = static_cast<double>(intervals);
}
// Winter: long nights, several intervals; summer: short nights.
BENCHMARK_CAPTURE(BM_Plan30Days, January, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Plan30Days, October, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Plan30Days, June, 6)->Unit(benchmark::kMillisecond);

/// The formations of the full gazetteer as points, read once.
std::vector<SelenographicPoint> GazetteerPoints()
{
    TempWorkingDir dir;
    WriteIauCatalogue("objects.dat");
    std::vector<SelenographicPoint> points;
    for (const LunarObject& object : ReadAllObjects())
        points.push_back(
            {FileTextToFloat(object.SelenographicLatitude), FileTextToFloat(object.SelenographicLongitude)});
    return points;
}

void BM_TerminatorZoneOfTheGazetteer(benchmark::State& run)
{
    const std::vector<SelenographicPoint> points = GazetteerPoints();
    const PlanningLimits limits;
    std::size_t inZone = 0;
    for (auto _ : run) {
        ObservationState state = Berlin(15, 3, 2003);
        const SunOverMoon sun = ComputeSunOverMoon(state);
        const std::vector<std::size_t> zone = FormationsInTerminatorZone(state, sun, points, limits.SunOverFormation);
        inZone = zone.size();
        benchmark::DoNotOptimize(zone.data());
    }
    run.counters["formations"] = static_cast<double>(points.size());
    run.counters["inZone"] = static_cast<double>(inZone);
}
BENCHMARK(BM_TerminatorZoneOfTheGazetteer)->Unit(benchmark::kMillisecond);

const std::vector<std::string> kYearTable = {"--tabelle", "--von", "1.1.2003", "--bis", "31.12.2003",
                                             "--schritt", "60",    "--ort",    "Berlin"};

struct SiteList {
    SiteList() { WriteBytes("places.dat", "Berlin\r\n52,52\r\n13,405\r\n"); }
    TempWorkingDir dir;
};

/// Counts what is written and throws it away.
class CountingBuffer : public std::streambuf {
public:
    std::size_t bytes = 0;

protected:
    int overflow(int c) override
    {
        ++bytes;
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        bytes += static_cast<std::size_t>(n);
        return n;
    }
};

void BM_YearTableInProcess(benchmark::State& run)
{
    SiteList folder;
    CountingBuffer buffer;
    std::ostream out(&buffer);
    for (auto _ : run)
        if (RunCommandLine(kYearTable, out, out) != kExitSuccess) run.SkipWithError("command line failed");
    run.counters["bytes"] = static_cast<double>(buffer.bytes) / static_cast<double>(run.iterations());
}
BENCHMARK(BM_YearTableInProcess)->Unit(benchmark::kMillisecond);

/// The program itself, started as a user starts it, its output to /dev/null.
void BM_YearTableWholeProcess(benchmark::State& run)
{
    SiteList folder;
    std::vector<std::string> words = {MIRELTA_PROGRAM};
    words.insert(words.end(), kYearTable.begin(), kYearTable.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : run) {
        pid_t child = 0;
        int status = 0;
        if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != kExitSuccess) {
            run.SkipWithError("the program did not run");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_YearTableWholeProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
