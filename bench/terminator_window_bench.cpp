// Speed of the window "Lichtgrenze" with a catalogue of full size: the 9,049
// formations of the IAU gazetteer. Opening reads the catalogue, runs the
// ephemerides once, finds the formations near the terminator with their
// transit times and fills the list; it must stay well under 100 ms. Runs
// headless.

#include "app/application.h"
#include "bench/support/headless_benchmarks.h"
#include "bench/support/iau_catalogue.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_working_dir.h"

#include <benchmark/benchmark.h>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>

#include <memory>

namespace {

// One program start over the full catalogue, on 15 March 2003, 20:05 MEZ.
struct Program {
    explicit Program(const IauCatalogueOptions& options)
    {
        WriteBytes("mirelta.ini", "Art\r\nBonn\r\n50,7333\r\n7,1\r\n");
        WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
        summary = WriteIauCatalogue("objects.dat", options);
        windows = CreateWindows(state, messages, ',', [] { return ClockReading{2003, 3, 15, 20, 5}; });
    }

    TempWorkingDir dir;
    ObservationState state;
    RecordingMessageService messages;
    IauCatalogueSummary summary;
    std::unique_ptr<MireltaWindows> windows;
};

void BM_OpenTerminatorWindow(benchmark::State& run, IauCatalogueOptions options)
{
    Program program(options);
    TerminatorWindow& window = *program.windows->Terminator;
    for (auto _ : run) {
        OpenDialog(*program.windows->Form1, window);
        window.OkButton->click();
    }
    if (!program.messages.messages().isEmpty()) run.SkipWithError("error report shown");
    run.counters["formations"] = program.summary.Formations;
    run.counters["listed"] = window.FormationList->model()->rowCount();
}
BENCHMARK_CAPTURE(BM_OpenTerminatorWindow, GazetteerHeights, IauCatalogueOptions{})->Unit(benchmark::kMillisecond);
// Every formation with a height: a transit time to find for each listed one.
BENCHMARK_CAPTURE(BM_OpenTerminatorWindow, EveryFormationWithAHeight, IauCatalogueOptions{true})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunHeadlessBenchmarks(argc, argv); }
