#include "bench/support/headless_benchmarks.h"

#include <benchmark/benchmark.h>
#include <QApplication>

namespace {

QtMessageHandler qtDefaultHandler = nullptr;

// The offscreen platform says at every shown popup that it cannot raise a
// window or grab the keyboard; that is no news in a benchmark's report.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    qtDefaultHandler(type, context, text);
}

}  // namespace

int RunHeadlessBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* display)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qtDefaultHandler = qInstallMessageHandler(QuietOffscreenNotes);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (display)
        benchmark::RunSpecifiedBenchmarks(display);
    else
        benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
