#pragma once
// The main function of the benchmark programs that need windows: they run
// headless (the offscreen platform unless QT_QPA_PLATFORM says otherwise)
// inside a QApplication.

/// Creates the application object and runs the benchmarks named on the
/// command line; returns the program's exit code.
int RunHeadlessBenchmarks(int argc, char** argv);
