// Speed of the window "Höhe aus Foto" on a 24-megapixel picture of 16 bits
// (6000 x 4000): opening it must take under 2 s, and zooming, panning and
// changing the stretch must each answer within one frame (16 ms) with the
// calibration's prediction drawn over the picture. Baselines in the same
// run: Qt's own decoding of the same TIFF file, and a widget of the view's
// size painting a ready picture. Runs headless.

#include "bench/support/headless_benchmarks.h"
#include "photo/photo_file.h"
#include "tests/support/window_fixture.h"
#include "tools/synthetic_photo/synthetic_photo.h"

#include <benchmark/benchmark.h>
#include <QAction>
#include <QComboBox>
#include <QImageReader>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <cmath>
#include <filesystem>
#include <random>

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// The pictures, written once per run: a lit disc with noise, as grey and
// colour TIFF and as FITS.
struct Pictures {
    std::filesystem::path Folder;
    std::string GreyTiff, ColourTiff, Fits;

    Pictures()
    {
        Folder = std::filesystem::temp_directory_path() / ("mirelta-photo-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Folder);
        GreyTiff = (Folder / "grau16.tif").string();
        ColourTiff = (Folder / "farbe16.tif").string();
        Fits = (Folder / "mond16.fits").string();
        std::vector<std::uint16_t> pixels(static_cast<std::size_t>(kWidth) * kHeight);
        std::mt19937 random(5);
        std::normal_distribution<double> noise(0, 300);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const bool disc = std::hypot(x - 3000.0, y - 2000.0) < 1800;
                pixels[static_cast<std::size_t>(y) * kWidth + x] =
                    static_cast<std::uint16_t>(std::clamp((disc ? 40000.0 : 1500.0) + noise(random), 0.0, 65535.0));
            }
        PictureGeometry size;
        size.Width = kWidth, size.Height = kHeight;
        SaveSyntheticMoon(pixels, size, GreyTiff);
        SaveSyntheticMoon(pixels, size, Fits, "2026-12-18T17:00:00");
        QImage colour(kWidth, kHeight, QImage::Format_RGBX64);
        for (int y = 0; y < kHeight; ++y) {
            auto* line = reinterpret_cast<QRgba64*>(colour.scanLine(y));
            for (int x = 0; x < kWidth; ++x) {
                const std::uint16_t v = pixels[static_cast<std::size_t>(y) * kWidth + x];
                line[x] = QRgba64::fromRgba64(v, v, v, 65535);
            }
        }
        colour.save(QString::fromStdString(ColourTiff));
    }
    ~Pictures() { std::filesystem::remove_all(Folder); }
};

const Pictures& ThePictures()
{
    static Pictures pictures;
    return pictures;
}

const std::string& PictureFor(int kind)
{
    const Pictures& p = ThePictures();
    return kind == 0 ? p.GreyTiff : kind == 1 ? p.ColourTiff : p.Fits;
}

// The program with its real windows and the shipped catalogue, the photo
// window open.
struct Program {
    WindowFixture fixture;
    PhotoWindow* photo = nullptr;

    Program()
    {
        WriteBytes("mirelta.ini", "Art\r\nBerlin\r\n52,52\r\n13,405\r\n");
        WriteBytes("places.dat", "Berlin\r\n52,52\r\n13,405\r\n");
        std::filesystem::copy_file(MIRELTA_SHIPPED_CATALOGUE, "objects.dat");
        fixture.Start();
        fixture.main().show();
        fixture.main().HoeheausFoto1->trigger();
        photo = fixture.windows->Photo.get();
        // Shown on the screen before anything is timed: a repaint of a
        // window not yet exposed paints nothing.
        if (!QTest::qWaitForWindowExposed(photo)) std::abort();
    }

    // A calibration over the whole disc, so that the prediction is drawn.
    void Calibrate()
    {
        photo->DateEdit->setText(QStringLiteral("18.12.2026"));
        photo->TimeEdit->setText(QStringLiteral("18:00"));
        photo->MomentChange();
        for (int i = 0; i < 6; ++i) {
            const double a = i * 0.9;
            photo->PictureClick({3000 + 1800 * std::cos(a), 2000 + 1800 * std::sin(a)});
        }
        photo->FirstFormationStep->setChecked(true);
        photo->FirstFormationBox->setCurrentIndex(photo->FirstFormationBox->findText(QStringLiteral("Copernicus")));
        photo->PictureClick({2400, 1700});
    }
};

// Counts the paint events a widget receives: every timed step must draw
// once, or it measured nothing (a repaint can wait for the next frame).
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        Paints += event->type() == QEvent::Paint;
        return false;
    }
};

void ReportPaints(benchmark::State& run, const PaintCounter& counter)
{
    run.counters["paints_per_step"] = static_cast<double>(counter.Paints) / static_cast<double>(run.iterations());
}

// Qt alone decoding the picture: the least any reader of it needs.
void BM_Baseline_QtDecodesTheTiff(benchmark::State& run)
{
    const QString path = QString::fromStdString(PictureFor(static_cast<int>(run.range(0))));
    for (auto _ : run) {
        QImage image;
        QImageReader reader(path);
        QImageReader::setAllocationLimit(4096);
        if (!reader.read(&image)) run.SkipWithError("Qt cannot read the picture");
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Baseline_QtDecodesTheTiff)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Öffnen...": reading, the display's copies, the automatic stretch, the
// globe for the moment and the first paint.
void BM_OpenPicture(benchmark::State& run)
{
    Program program;
    const QString path = QString::fromStdString(PictureFor(static_cast<int>(run.range(0))));
    for (auto _ : run) {
        program.photo->OpenPhoto(path);
        program.photo->View->repaint();
    }
    if (!program.fixture.messages.messages().isEmpty()) run.SkipWithError("a message was shown");
}
BENCHMARK(BM_OpenPicture)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// A widget of the view's size painting a ready picture: the least a repaint costs.
class ReadyPicture : public QWidget {
public:
    ReadyPicture() : picture_(700, 622, QImage::Format_Grayscale8) { picture_.fill(128); }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, picture_); }

private:
    QImage picture_;
};

void BM_Baseline_PaintReadyPicture(benchmark::State& run)
{
    ReadyPicture widget;
    widget.resize(700, 622);
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget)) run.SkipWithError("not shown");
    for (auto _ : run) widget.repaint();
}
BENCHMARK(BM_Baseline_PaintReadyPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

// One step of the wheel at the zooms from the whole picture to 8:1 and
// back, each a repaint of the view with the prediction over it.
void BM_ZoomStep(benchmark::State& run)
{
    Program program;
    program.photo->OpenPhoto(QString::fromStdString(ThePictures().GreyTiff));
    program.Calibrate();
    PhotoView& view = *program.photo->View;
    const PaintCounter counter(&view);
    bool closer = true;
    for (auto _ : run) {
        if (view.Zoom() >= PhotoView::LargestZoom) closer = false;
        if (view.Zoom() <= view.FittingZoom()) closer = true;
        view.ZoomAbout(closer ? view.Zoom() * PhotoView::ZoomStep : view.Zoom() / PhotoView::ZoomStep, {350, 311});
        view.repaint();
    }
    ReportPaints(run, counter);
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond)->UseRealTime();

// Dragging the picture by 7 pixels at 1:1 and at the whole picture.
void BM_PanStep(benchmark::State& run)
{
    Program program;
    program.photo->OpenPhoto(QString::fromStdString(ThePictures().GreyTiff));
    program.Calibrate();
    PhotoView& view = *program.photo->View;
    if (run.range(0) == 1) view.CentreOn({3000, 2000}, 1);
    const PaintCounter counter(&view);
    int step = 0;
    for (auto _ : run) {
        view.PanBy({(step++ / 40) % 2 ? 7.0 : -7.0, 3.0});
        view.repaint();
    }
    run.counters["zoom"] = view.Zoom();
    ReportPaints(run, counter);
}
BENCHMARK(BM_PanStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Moving the white slider: a new lookup table and a repaint.
void BM_StretchStep(benchmark::State& run)
{
    Program program;
    program.photo->OpenPhoto(QString::fromStdString(ThePictures().GreyTiff));
    program.Calibrate();
    const PaintCounter counter(program.photo->View);
    int value = 600;
    for (auto _ : run) {
        value = value >= 990 ? 600 : value + 7;
        program.photo->WhiteSlider->setValue(value);
        program.photo->View->repaint();
    }
    ReportPaints(run, counter);
}
BENCHMARK(BM_StretchStep)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return RunHeadlessBenchmarks(argc, argv); }
