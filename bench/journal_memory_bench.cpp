// Peak memory of "Messprotokoll" on a long history: 100,000 saved timings
// (20 a night over 5,000 nights, of 50 formations). Target: the whole
// program stays under 150 MB with the window open on all formations.
//
// Each run is a fresh process (this program started again with --probe), so
// that nothing freed by an earlier run is reused and the figure is the one a
// user's program reaches: the peak resident memory getrusage reports for
// the child. The baseline is the same start without opening the window; the
// difference is what the window costs. Runs headless.

#include "app/application.h"
#include "bench/support/headless_benchmarks.h"
#include "bench/support/long_journal.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_working_dir.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTreeView>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kNights = 5000;  // 100,000 timings
constexpr const char* kProbe = "--probe";

// The child: the program's start in the current folder, then (with `open`)
// "Messprotokoll" on all formations. Exit code 0, or 1 when a message came.
int Probe(int argc, char** argv, bool open)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ObservationState state;
    RecordingMessageService messages;
    std::unique_ptr<MireltaWindows> windows = CreateWindows(state, messages, ',', [] {
        return ClockReading{2003, 3, 15, 20, 5};
    });
    if (open) {
        OpenDialog(*windows->Form1, *windows->Journal);
        if (windows->Journal->Measurements->RowCount() == 0) return 1;
    }
    QApplication::processEvents();
    return messages.messages().isEmpty() ? 0 : 1;
}

// Runs the probe in `folder`; returns its peak resident memory in MiB, or a
// negative number when it failed.
double ProbePeakMiB(const std::string& folder, bool open)
{
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string mode = open ? "open" : "start";
    char* argv[] = {const_cast<char*>(self.c_str()), const_cast<char*>(kProbe), mode.data(), nullptr};
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    pid_t child = 0;
    int status = 0;
    struct rusage usage {};
    const bool started = posix_spawn(&child, argv[0], nullptr, nullptr, argv, environ) == 0;
    std::filesystem::current_path(here);
    if (!started || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

void PeakMemory(benchmark::State& run, bool open)
{
    TempWorkingDir dir;
    WriteBytes("mirelta.ini", "Art\r\nBonn\r\n50,7333\r\n7,1\r\n");
    WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
    WriteBytes("objects.dat", "");
    WriteLongJournal(kNights);
    const std::string folder = std::filesystem::current_path().string();
    double peak = 0;
    for (auto _ : run) {
        peak = ProbePeakMiB(folder, open);
        if (peak < 0) {
            run.SkipWithError("the probe failed (a message was shown, or nothing listed)");
            break;
        }
    }
    run.counters["peak_MiB"] = peak;
    run.counters["measurements"] = kNights * kJournalTimingsPerNight;
}

// The baseline: the program's start in the same folder, no window opened.
void BM_StartWithLongJournal(benchmark::State& run) { PeakMemory(run, false); }
BENCHMARK(BM_StartWithLongJournal)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenJournalWindowMemory(benchmark::State& run) { PeakMemory(run, true); }
BENCHMARK(BM_OpenJournalWindowMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], kProbe) == 0) return Probe(argc, argv, std::strcmp(argv[2], "open") == 0);
    return RunHeadlessBenchmarks(argc, argv);
}
