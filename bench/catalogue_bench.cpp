// Speed of the object list: every list change (each keystroke, with its
// completion) and every reload reads objects.dat again from its start, so
// both must stay quick with a large catalogue. Runs headless; the catalogue of 10,000 records is generated.

#include "app/application.h"
#include "bench/support/headless_benchmarks.h"
#include "catalogue/catalogue.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_working_dir.h"

#include <benchmark/benchmark.h>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <memory>
#include <string>

namespace {

constexpr int kRecords = 10000;

std::string RecordName(int i) { return "Formation " + std::to_string(i) + (i % 3 ? " Mons" : " Kr\xE4ter"); }

// A catalogue of `kRecords` records with realistic line lengths.
void WriteLargeCatalogue()
{
    std::string file;
    file.reserve(kRecords * 120);
    for (int i = 0; i < kRecords; ++i) {
        int x = 7 + i % 380, y = 7 + (i / 380) % 380;
        file += CatalogueRecord(
            {std::to_string(x) + " " + std::to_string(x + 6) + " " + std::to_string(y) + " " + std::to_string(y + 6),
             RecordName((i * 7919) % kRecords), "-12,3456", "45,6789", i % 4 ? "" : "1500", i % 2 ? "1" : "0", "Krater",
             "Durchmesser 12 km", "Benannt nach einem Astronomen"});
    }
    WriteBytes("objects.dat", file);
}

// One program start's worth of windows over the generated catalogue.
struct Program {
    explicit Program(const char* sortKey)
    {
        WriteBytes("mirelta.ini", std::string(sortKey) + "\r\nBonn\r\n50,7333\r\n7,1\r\n");
        WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
        WriteLargeCatalogue();
        windows = CreateWindows(state, messages, ',');
    }
    TForm1& main() { return *windows->Form1; }

    TempWorkingDir dir;
    ObservationState state;
    RecordingMessageService messages;
    std::unique_ptr<MireltaWindows> windows;
};

// A name that is not in the file: the selection scans every record.
void BM_ListSelectionFullScan(benchmark::State& run)
{
    Program program("Art");
    program.main().ComboBox1->setEditText(QStringLiteral("Kein solches Objekt"));
    for (auto _ : run) program.main().ComboBox1Change();
    if (!program.messages.messages().isEmpty()) run.SkipWithError("error report shown");
}
BENCHMARK(BM_ListSelectionFullScan)->Unit(benchmark::kMillisecond);

// The catalogue lookup alone, without the window.
void BM_FindObjectByNameFullScan(benchmark::State& run)
{
    Program program("Art");
    SelectedObjectTexts selected;
    for (auto _ : run) benchmark::DoNotOptimize(FindObjectByName("Kein solches Objekt", selected));
}
BENCHMARK(BM_FindObjectByNameFullScan)->Unit(benchmark::kMillisecond);

// One keystroke in the list's edit field that completes a name: the search
// over every name of the list, then the list selection with the completed
// name (which reads the file up to its record).
void BM_KeystrokeThatCompletes(benchmark::State& run)
{
    Program program("Art");
    QComboBox* list = program.main().ComboBox1;
    for (auto _ : run) {
        list->lineEdit()->setText(QStringLiteral("Formation 999"));
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("9"));
        QCoreApplication::sendEvent(list, &key);
    }
    if (!list->lineEdit()->text().startsWith(QStringLiteral("Formation 9999 "))) run.SkipWithError("no completion");
}
BENCHMARK(BM_KeystrokeThatCompletes)->Unit(benchmark::kMillisecond);

void BM_ReloadInFileOrder(benchmark::State& run)
{
    Program program("Art");
    for (auto _ : run) program.main().FormCreate();
    if (program.main().ComboBox1->count() != kRecords) run.SkipWithError("list not filled");
}
BENCHMARK(BM_ReloadInFileOrder)->Unit(benchmark::kMillisecond);

void BM_ReloadAlphabetical(benchmark::State& run)
{
    Program program("Alph");
    for (auto _ : run) program.main().FormCreate();
    if (program.main().ComboBox1->count() != kRecords) run.SkipWithError("list not filled");
}
BENCHMARK(BM_ReloadAlphabetical)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunHeadlessBenchmarks(argc, argv); }
