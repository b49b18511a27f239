// Speed of the lit map: every change of the observation's date or time
// lights the map anew, which must stay well under one frame (16.7 ms).
// Runs headless.

#include "bench/support/headless_benchmarks.h"
#include "map/lit_map.h"
#include "tests/support/window_fixture.h"
#include "windowbase/resources_init.h"

#include <benchmark/benchmark.h>
#include <QAction>

namespace {

// Another minute at every run, as a change in the time dialog would be.
void NextMinute(ObservationState& state)
{
    state.Minute = static_cast<std::uint16_t>((state.Minute + 1) % 60);
    if (state.Minute == 0) state.Day = static_cast<std::uint16_t>(state.Day % 28 + 1);
}

// The Sun's place, the shading of the whole picture and its exchange.
void BM_LightTheMap(benchmark::State& run)
{
    InitialiseResources();
    const QImage artwork = QImage(QStringLiteral(":/moon_map.bmp")).convertToFormat(QImage::Format_RGB32);
    QImage picture = artwork;
    MapLighting lighting(artwork);
    ObservationState state;
    state.Day = 15, state.Month = 3, state.Year = 2003, state.Hour = 20, state.Minute = 5;
    for (auto _ : run) {
        NextMinute(state);
        lighting.Light(picture, ComputeSunOverMoon(state));
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_LightTheMap)->Unit(benchmark::kMillisecond);

// The main window's whole redraw: lighting and painting the map widget.
void BM_MainWindowRedrawsTheLitMap(benchmark::State& run)
{
    WindowFixture program;
    WriteBytes("mirelta.ini", "Art\r\nBonn\r\n50,7333\r\n7,1\r\n");
    WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
    WriteBytes("objects.dat", "");
    program.Start();
    TForm1& main = program.main();
    main.show();
    main.BeleuchtungaufderKarte1->trigger();
    for (auto _ : run) {
        NextMinute(program.state);
        main.UpdateMapLighting();
        main.MoonImage->repaint();
    }
    if (!program.messages.messages().isEmpty()) run.SkipWithError("error report shown");
}
BENCHMARK(BM_MainWindowRedrawsTheLitMap)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunHeadlessBenchmarks(argc, argv); }
