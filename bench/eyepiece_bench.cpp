// Speed of the window "Mond im Okular": drawing its picture of 800 x 800
// pixels, a zoom step and a pan step must each stay under a frame (16 ms),
// opening the window under 100 ms. The baseline, run in the same program,
// copies a finished 800 x 800 picture: what merely touching its pixels
// costs. Runs headless, over the shipped catalogue and over all 9,049
// formations of the IAU gazetteer, on 13 December 2026, 17:00 MEZ (a
// crescent) in Bonn.

#include "app/application.h"
#include "bench/support/headless_benchmarks.h"
#include "bench/support/iau_catalogue.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_working_dir.h"

#include <benchmark/benchmark.h>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QSettings>

#include <memory>

namespace {

constexpr int kPictureSize = 800;

enum class Catalogue { Shipped, Gazetteer };

// Paints the picture as the screen would get it: grab() runs the picture's
// paint event at once, also offscreen, where repaint() may wait for the
// next frame.
void Paint(EyepieceWindow& window) { benchmark::DoNotOptimize(window.View->grab()); }

struct Program {
    explicit Program(Catalogue catalogue)
    {
        // The preferences are kept with QSettings: never in the user's file.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QDir::currentPath());
        WriteBytes("mirelta.ini", "Art\r\nBonn\r\n50,7333\r\n7,1\r\n");
        WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
        if (catalogue == Catalogue::Gazetteer)
            WriteIauCatalogue("objects.dat", {});
        else
            QFile::copy(QStringLiteral(MIRELTA_SHIPPED_CATALOGUE), QStringLiteral("objects.dat"));
        windows = CreateWindows(state, messages, ',', [] { return ClockReading{2026, 12, 13, 17, 0}; });
        windows->Form1->show();
    }

    /// Opens the window with its picture 800 x 800 pixels.
    EyepieceWindow& OpenLarge()
    {
        EyepieceWindow& window = *windows->Eyepiece;
        windows->Form1->MondimOkular1Click();
        window.resize(window.width() + kPictureSize - window.View->width(),
                      window.height() + kPictureSize - window.View->height());
        Paint(window);
        return window;
    }

    TempWorkingDir dir;
    ObservationState state;
    RecordingMessageService messages;
    std::unique_ptr<MireltaWindows> windows;
};

void Check(benchmark::State& run, Program& program)
{
    if (!program.messages.messages().isEmpty()) run.SkipWithError("error report shown");
    if (program.windows->Eyepiece->View->size() != QSize(kPictureSize, kPictureSize))
        run.SkipWithError("the picture is not 800 x 800 pixels");
}

// Baseline: copying a finished picture of the same size.
void BM_CopyPicture(benchmark::State& run)
{
    QImage picture(kPictureSize, kPictureSize, QImage::Format_RGB32);
    picture.fill(Qt::darkGray);
    QImage target(kPictureSize, kPictureSize, QImage::Format_RGB32);
    for (auto _ : run) {
        QPainter painter(&target);
        painter.drawImage(0, 0, picture);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_CopyPicture)->Unit(benchmark::kMillisecond);

// The whole picture drawn anew, as after a change of the orientation (here
// mirrored and back): every pixel of the disc traced, the names placed,
// everything painted.
void BM_DrawPicture(benchmark::State& run, Catalogue catalogue, int zoomSteps)
{
    Program program(catalogue);
    EyepieceWindow& window = program.OpenLarge();
    window.View->ZoomBy(zoomSteps);
    ViewOrientation orientation;
    for (auto _ : run) {
        orientation.Mirrored = !orientation.Mirrored;
        window.View->SetOrientation(orientation);
        Paint(window);
    }
    Check(run, program);
}
BENCHMARK_CAPTURE(BM_DrawPicture, WholeMoon, Catalogue::Shipped, 0)->Unit(benchmark::kMillisecond);
// Zoomed in so far that the Moon fills every pixel.
BENCHMARK_CAPTURE(BM_DrawPicture, Zoom4, Catalogue::Shipped, 6)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawPicture, WholeMoonGazetteer, Catalogue::Gazetteer, 0)->Unit(benchmark::kMillisecond);

// The tracing of the pixels alone, without names, marks or painting.
void BM_TracePixels(benchmark::State& run, int zoomSteps)
{
    Program program(Catalogue::Shipped);
    EyepieceWindow& window = program.OpenLarge();
    window.View->ZoomBy(zoomSteps);
    const EyepieceRenderer renderer(window.Globe());
    const EyepieceFrame frame = window.View->Frame();
    QImage albedo = QImage(QStringLiteral(":/moon_albedo.jpg")).convertToFormat(QImage::Format_Grayscale8);
    const AlbedoTexture map(
        AlbedoMap{albedo.width(), albedo.height(), albedo.constBits(), static_cast<int>(albedo.bytesPerLine())});
    QImage picture(kPictureSize, kPictureSize, QImage::Format_RGB32);
    for (auto _ : run) {
        renderer.Render(map, frame, reinterpret_cast<std::uint32_t*>(picture.bits()),
                        static_cast<int>(picture.bytesPerLine() / 4), 0, kPictureSize);
        benchmark::DoNotOptimize(picture.constBits());
    }
    Check(run, program);
}
BENCHMARK_CAPTURE(BM_TracePixels, WholeMoon, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TracePixels, Zoom4, 6)->Unit(benchmark::kMillisecond);

// One step of the mouse wheel in and out again around a point on the Moon.
void BM_ZoomStep(benchmark::State& run, Catalogue catalogue)
{
    Program program(catalogue);
    EyepieceWindow& window = program.OpenLarge();
    window.View->ZoomBy(3);
    int step = 1;
    for (auto _ : run) {
        window.View->ZoomBy(step, QPointF(300, 420));
        Paint(window);
        step = -step;
    }
    Check(run, program);
}
BENCHMARK_CAPTURE(BM_ZoomStep, Shipped, Catalogue::Shipped)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ZoomStep, Gazetteer, Catalogue::Gazetteer)->Unit(benchmark::kMillisecond);

// One move of a drag (12 pixels) at zoom 4, back and forth.
void BM_PanStep(benchmark::State& run, Catalogue catalogue)
{
    Program program(catalogue);
    EyepieceWindow& window = program.OpenLarge();
    window.View->ZoomBy(6);
    int step = 12;
    for (auto _ : run) {
        window.View->PanBy(step, step / 2);
        Paint(window);
        step = -step;
    }
    Check(run, program);
}
BENCHMARK_CAPTURE(BM_PanStep, Shipped, Catalogue::Shipped)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PanStep, Gazetteer, Catalogue::Gazetteer)->Unit(benchmark::kMillisecond);

// Opening the window again (the menu command) until its picture is painted:
// the globe, the day's rise and set, the terminator survey, the picture.
void BM_OpenWindow(benchmark::State& run, Catalogue catalogue)
{
    Program program(catalogue);
    EyepieceWindow& window = program.OpenLarge();
    for (auto _ : run) {
        window.CloseButton->click();
        program.windows->Form1->MondimOkular1Click();
        Paint(window);
    }
    Check(run, program);
}
BENCHMARK_CAPTURE(BM_OpenWindow, Shipped, Catalogue::Shipped)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenWindow, Gazetteer, Catalogue::Gazetteer)->Unit(benchmark::kMillisecond);

// The first opening after the start: the albedo map is decoded too.
void BM_OpenWindowFirstTime(benchmark::State& run)
{
    for (auto _ : run) {
        run.PauseTiming();
        auto program = std::make_unique<Program>(Catalogue::Shipped);
        run.ResumeTiming();
        program->windows->Form1->MondimOkular1Click();
        Paint(*program->windows->Eyepiece);
        run.PauseTiming();
        program.reset();
        run.ResumeTiming();
    }
}
BENCHMARK(BM_OpenWindowFirstTime)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) { return RunHeadlessBenchmarks(argc, argv); }
