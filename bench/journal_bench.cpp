// Speed of the measurement journal with a long history: 2,000 and 10,000
// saved timings (20 a night over 100 or 500 nights, of 50 formations).
// Saving one more (Enter in the height panel: append through the twin, read
// the journal again for the status bar) and opening the window
// "Messprotokoll" on all formations should stay under the 100 ms a user
// notices. Runs headless.

#include "app/application.h"
#include "bench/support/headless_benchmarks.h"
#include "bench/support/long_journal.h"
#include "journal/journal_statistics.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_working_dir.h"

#include <benchmark/benchmark.h>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

namespace {

void BM_SaveMeasurement(benchmark::State& run)
{
    TempWorkingDir dir;
    const int nights = static_cast<int>(run.range(0));
    const std::string journal = WriteLongJournal(nights);
    const JournalMeasurement saved = JournalTiming(nights - 1, kJournalTimingsPerNight);
    for (auto _ : run) {
        run.PauseTiming();
        WriteBytes(kJournalFileName, journal);
        run.ResumeTiming();
        AppendToJournal(saved, ',');
        const Journal read = ReadJournal();
        benchmark::DoNotOptimize(NightStatistics(read.Entries, saved.Formation, NightOf(saved)));
    }
    run.counters["measurements"] = nights * kJournalTimingsPerNight;
}
BENCHMARK(BM_SaveMeasurement)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_OpenJournalWindow(benchmark::State& run)
{
    TempWorkingDir dir;
    WriteBytes("mirelta.ini", "Art\r\nBonn\r\n50,7333\r\n7,1\r\n");
    WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
    WriteBytes("objects.dat", "");
    WriteLongJournal(static_cast<int>(run.range(0)));
    ObservationState state;
    RecordingMessageService messages;
    std::unique_ptr<MireltaWindows> windows = CreateWindows(state, messages, ',', [] {
        return ClockReading{2003, 3, 15, 20, 5};
    });
    JournalWindow& window = *windows->Journal;
    for (auto _ : run) {
        OpenDialog(*windows->Form1, window);
        window.OkButton->click();
    }
    if (!messages.messages().isEmpty()) run.SkipWithError("a message was shown");
    run.counters["rows"] = static_cast<double>(window.Measurements->RowCount());
    run.counters["groups"] = window.StatisticsList->topLevelItemCount();
}
BENCHMARK(BM_OpenJournalWindow)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunHeadlessBenchmarks(argc, argv); }
