#pragma once
// The main function of the benchmark programs that need windows: they run
// headless (the offscreen platform unless QT_QPA_PLATFORM says otherwise)
// inside a QApplication.

namespace benchmark {
class BenchmarkReporter;
}

/// Creates the application object and runs the benchmarks named on the
/// command line, reported by `display` (the console unless given); returns
/// the program's exit code.
int RunHeadlessBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* display = nullptr);
