// Speed of the program as a user meets it: the real windows, created as at
// start and driven through their menus, keys, mouse and buttons, headless,
// each with three catalogues as objects.dat:
//   - shipped          the catalogue the program ships (data/objects.dat);
//   - iau9049          every formation of the IAU gazetteer, far-side ones
//                      clamped to the limb (bench/support/iau_catalogue.h);
//   - generated100000  100,000 generated formations (generated_catalogue.h).
// Every interaction is set beside the baseline ReadIntoMemory: reading the
// same objects.dat once into memory. The summary at the end gives each
// median, its ratio to that baseline and its target. See bench/README.md.

#include "app/application.h"
#include "bench/support/generated_catalogue.h"
#include "bench/support/headless_benchmarks.h"
#include "bench/support/iau_catalogue.h"
#include "bench/support/long_journal.h"
#include "bench/support/ratio_summary.h"
#include "catalogue/catalogue.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_working_dir.h"

#include <benchmark/benchmark.h>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace {

// ---------------------------------------------------------------- the catalogues

struct Catalogue {
    const char* Name;
    std::function<std::string()> Make;
};

const Catalogue kCatalogues[] = {
    {"shipped",         [] { return ReadBytes(MIRELTA_SHIPPED_CATALOGUE); }},
    {"iau9049",
     [] {
         TempWorkingDir dir;
         WriteIauCatalogue(kCatalogueFileName);
         return ReadBytes(kCatalogueFileName);
     }                                                                     },
    {"generated100000", [] { return GeneratedCatalogue(100000); }          },
};

// The catalogue files of this run, each written once.
class CatalogueFiles {
public:
    CatalogueFiles() : folder_(std::filesystem::temp_directory_path() / ("mirelta-bench-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(folder_);
    }
    ~CatalogueFiles()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // The file of `catalogue`, written when first asked for.
    std::filesystem::path Of(const Catalogue& catalogue)
    {
        const std::filesystem::path file = folder_ / catalogue.Name;
        if (!std::filesystem::exists(file)) std::ofstream(file, std::ios::binary) << catalogue.Make();
        return file;
    }

private:
    std::filesystem::path folder_;
};

std::filesystem::path CatalogueFile(const Catalogue& catalogue)
{
    static CatalogueFiles files;
    return files.Of(catalogue);
}

constexpr int kJournalNights = 50;  // 1,000 saved measurements
constexpr int kSites = 1000;

// A site list of `count` sites with German names, umlauts included.
std::string SiteList(int count)
{
    static const char* const kTowns[] = {"M\xFCnchen", "K\xF6ln", "Bonn", "\xD6hringen", "Z\xFCrich", "Graz"};
    std::string file;
    for (int i = 0; i < count; ++i)
        file += std::string(kTowns[i % 6]) + " Sternwarte " + std::to_string(i) + "\r\n" + std::to_string(45 + i % 10) +
                ",5\r\n" + std::to_string(5 + i % 12) + ",25\r\n";
    return file;
}

// The bytes of a catalogue's last record: it starts after the thirteenth
// line end from the back.
std::size_t LastRecordSize(const std::string& catalogue)
{
    int lineEnds = 0;
    for (std::size_t i = catalogue.size(); i > 0; --i)
        if (catalogue[i - 1] == '\n' && ++lineEnds == 13) return catalogue.size() - i;
    return catalogue.size();
}

// ---------------------------------------------------------------- the program

struct ProgramFiles {
    const char* SortKey = "Art";
    int Sites = 1;
};

void Settle() { QCoreApplication::processEvents(); }

// The working folder of one program start: mirelta.ini, places.dat, the
// catalogue (a link to its file) and a journal of 1,000 measurements; the windows are created as
// at start, on 15 March 2003, 20:05 MEZ, and the main window is shown.
struct Program {
    Program(const Catalogue& catalogue, ProgramFiles files = {}, bool start = true)
    {
        static const bool prepared = (PrepareApplication(), true);
        (void)prepared;
        WriteConfiguration(files.SortKey);
        WriteBytes("places.dat", files.Sites == 1 ? std::string("Bonn\r\n50,7333\r\n7,1\r\n") : SiteList(files.Sites));
        std::filesystem::create_symlink(CatalogueFile(catalogue), kCatalogueFileName);
        WriteLongJournal(kJournalNights);
        if (start) Start();
    }

    static void WriteConfiguration(const char* sortKey)
    {
        WriteBytes("mirelta.ini", std::string(sortKey) + "\r\nBonn\r\n50,7333\r\n7,1\r\n");
    }

    void Start()
    {
        windows = CreateWindows(state, messages, ',', [] { return ClockReading{2003, 3, 15, 20, 5}; });
        main().show();
        Settle();
    }

    // Makes the next Start that of a program that has read nothing yet: the
    // windows go, and so does what was made of the catalogue.
    void ForgetCatalogue()
    {
        windows.reset();
        Settle();
        ForgetKeptCatalogue();
    }

    TForm1& main() { return *windows->Form1; }

    // The first formation of the catalogue that offers the height measurement.
    void ChooseMeasurableFormation()
    {
        for (const LunarObject& object : ReadAllObjects())
            if (object.OffersHeightMeasurement()) {
                main().ChooseObject(QString::fromStdString(object.Name));
                return;
            }
    }

    // An error report means the interaction did not do its work.
    bool Failed(benchmark::State& run)
    {
        if (messages.messages().isEmpty()) return false;
        run.SkipWithError(("a message was shown: " + messages.lastText()).toStdString().c_str());
        return true;
    }

    TempWorkingDir dir;
    ObservationState state;
    RecordingMessageService messages;
    std::unique_ptr<MireltaWindows> windows;
};

void SendKey(QWidget* target, Qt::Key key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// ---------------------------------------------------------------- the benchmarks

using Bench = std::function<void(benchmark::State&, const Catalogue&)>;

// The baseline: the file into memory in one read, nothing else.
void ReadIntoMemory(benchmark::State& run, const Catalogue& catalogue)
{
    Program program(catalogue, {}, false);
    std::string bytes;
    for (auto _ : run) {
        const int file = open(kCatalogueFileName, O_RDONLY | O_CLOEXEC);
        struct stat status {};
        fstat(file, &status);
        bytes.resize(static_cast<std::size_t>(status.st_size));
        const ssize_t read = ::read(file, bytes.data(), bytes.size());
        close(file);
        benchmark::DoNotOptimize(read);
    }
    run.counters["bytes"] = static_cast<double>(bytes.size());
}

// CreateWindows as the program's main runs it, then the main window shown
// and painted; the libraries are loaded already (see StartUpWholeProcess).
// Each start is that of a program that has read nothing yet.
Bench StartUpInProcess(const char* sortKey)
{
    return [=](benchmark::State& run, const Catalogue& catalogue) {
        Program program(catalogue, {.SortKey = sortKey}, false);
        for (auto _ : run) {
            run.PauseTiming();
            program.ForgetCatalogue();
            run.ResumeTiming();
            program.Start();
        }
        program.Failed(run);
    };
}

// The program's start as a whole process, to its first paint
// (bench/startup_probe.cpp), with its peak memory.
Bench StartUpWholeProcess(const char* sortKey)
{
    return [=](benchmark::State& run, const Catalogue& catalogue) {
        Program program(catalogue, {.SortKey = sortKey}, false);
        char* argv[] = {const_cast<char*>(MIRELTA_STARTUP_PROBE), nullptr};
        long peakKiB = 0;
        double cpuSeconds = 0;
        for (auto _ : run) {
            pid_t child = 0;
            int status = 0;
            struct rusage usage {};
            if (posix_spawn(&child, argv[0], nullptr, nullptr, argv, environ) != 0 ||
                wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                run.SkipWithError("the start failed (exit code 1: a message, 2: no paint)");
                break;
            }
            peakKiB = std::max(peakKiB, usage.ru_maxrss);
            cpuSeconds += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                          static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        }
        run.counters[RatioSummaryReporter::kPeakMemoryCounter] = static_cast<double>(peakKiB) / 1024;
        // The start's own processor time (the benchmark's CPU column is the waiting).
        run.counters["probe_cpu_ms"] = benchmark::Counter(cpuSeconds * 1000, benchmark::Counter::kAvgIterations);
    };
}

// A keystroke in the list's field that completes the name of the file's
// last record: the completion searches the whole list, the selection reads
// the whole file.
void ListKeystroke(benchmark::State& run, const Catalogue& catalogue)
{
    Program program(catalogue);
    const QString name = QString::fromStdString(ReadObjectNames()->back());
    QComboBox* list = program.main().ComboBox1;
    for (auto _ : run) {
        run.PauseTiming();
        list->lineEdit()->setText(name.chopped(1));
        run.ResumeTiming();
        SendKey(list, Qt::Key_unknown, name.right(1));
        Settle();
    }
    if (program.main().Label5->text() != name) run.SkipWithError("the name was not chosen");
    program.Failed(run);
}

// The drop-down list opened for the first time after the start.
void DropDownFirstOpening(benchmark::State& run, const Catalogue& catalogue)
{
    Program program(catalogue);
    for (auto _ : run) {
        run.PauseTiming();
        program.ForgetCatalogue();
        program.Start();
        run.ResumeTiming();
        program.main().ComboBox1->showPopup();
        Settle();
        run.PauseTiming();
        program.main().ComboBox1->hidePopup();
        run.ResumeTiming();
    }
    program.Failed(run);
}

// The drop-down list opened again.
void DropDownLaterOpening(benchmark::State& run, const Catalogue& catalogue)
{
    Program program(catalogue);
    QComboBox* list = program.main().ComboBox1;
    list->showPopup();
    list->hidePopup();
    for (auto _ : run) {
        list->showPopup();
        Settle();
        run.PauseTiming();
        list->hidePopup();
        Settle();
        run.ResumeTiming();
    }
    program.Failed(run);
}

// A click on the map where no frame lies (the dark corner): the pick reads
// every record.
void MapPick(benchmark::State& run, const Catalogue& catalogue)
{
    Program program(catalogue);
    TForm1& main = program.main();
    SendMouse(main.MoonImage, QEvent::MouseMove, QPoint(11, 11), Qt::NoButton, Qt::NoButton);
    const QPoint centre(11, 11);
    for (auto _ : run) {
        SendMouse(main.Cursor1, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
        SendMouse(main.Cursor1, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
        Settle();
    }
    if (main.PointerLeft != 0 || !main.Label5->text().isEmpty()) run.SkipWithError("not a pick in the corner");
    program.Failed(run);
}

// The menu's sort commands: the sort key written, the list read again.
//   - kUnchanged: the file as read before (a change of order only);
//   - kChanged: another program has replaced objects.dat before each
//     command, by turns without its last record and whole again, as after
//     deleting and saving an object: the names are read, converted and
//     sorted anew;
//   - kFirst: the first command after the start (each iteration starts
//     the program anew): nothing sorted yet.
enum class ReloadCase { kUnchanged, kChanged, kFirst };

Bench Reload(QAction* TForm1::*command, ReloadCase when)
{
    return [=](benchmark::State& run, const Catalogue& catalogue) {
        Program program(catalogue);
        const std::string whole = ReadBytes(CatalogueFile(catalogue));
        const std::string shortened = whole.substr(0, whole.size() - LastRecordSize(whole));
        bool withLast = true;
        for (auto _ : run) {
            if (when != ReloadCase::kUnchanged) {
                run.PauseTiming();
                if (when == ReloadCase::kChanged) {
                    withLast = !withLast;
                    WriteBytes("objects.new", withLast ? whole : shortened);
                    std::filesystem::rename("objects.new", kCatalogueFileName);
                } else {
                    program.ForgetCatalogue();
                    Program::WriteConfiguration("Art");
                    program.Start();
                }
                run.ResumeTiming();
            }
            (program.main().*command)->trigger();
            Settle();
        }
        if (program.main().ComboBox1->count() != static_cast<int>(ReadObjectNames()->size()))
            run.SkipWithError("the list is not full");
        program.Failed(run);
    };
}

// A keystroke in the height panel's field: the whole computation of a height.
void HeightPanelKeystroke(benchmark::State& run, const Catalogue& catalogue)
{
    Program program(catalogue);
    TForm1& main = program.main();
    program.ChooseMeasurableFormation();
    main.Edit1->setText(QStringLiteral("0,5"));
    bool typeDigit = true;
    for (auto _ : run) {
        // A digit, then Backspace: every keystroke computes.
        if (typeDigit)
            SendKey(main.Edit1, Qt::Key_1, QStringLiteral("1"));
        else
            SendKey(main.Edit1, Qt::Key_Backspace);
        typeDigit = !typeDigit;
        Settle();
    }
    // A height, not a reason why there is none: the whole solution ran.
    if (main.GroupBox2->isHidden() || main.Label35->text().isEmpty() || !main.Label35->text().front().isDigit())
        run.SkipWithError("no height shown");
    program.Failed(run);
}

// A command of the main window's menu, its window painted; then the window
// is left through the button `leave` gives, outside the time. Each
// iteration is a later opening (the window was opened once before) unless
// `First`: then the program starts anew before each, outside the time.
struct Opening {
    bool First = false;
    bool FormationChosen = false;  ///< a formation is chosen in the main window first
    ProgramFiles Files = {};
};

Bench Opens(QAction* TForm1::*command, QAbstractButton* (*leave)(MireltaWindows&), Opening how = {})
{
    return [=](benchmark::State& run, const Catalogue& catalogue) {
        Program program(catalogue, how.Files);
        auto open = [&] {
            (program.main().*command)->trigger();
            Settle();
        };
        auto close = [&] {
            leave(*program.windows)->click();
            Settle();
        };
        if (how.FormationChosen) program.ChooseMeasurableFormation();
        if (!how.First) open(), close();
        for (auto _ : run) {
            if (how.First) {
                run.PauseTiming();
                program.ForgetCatalogue();
                program.Start();
                if (how.FormationChosen) program.ChooseMeasurableFormation();
                run.ResumeTiming();
            }
            open();
            run.PauseTiming();
            close();
            run.ResumeTiming();
        }
        program.Failed(run);
    };
}

// The lit map after a change of the time: lighting and painting the map.
void LitMapRedraw(benchmark::State& run, const Catalogue& catalogue)
{
    Program program(catalogue);
    program.main().BeleuchtungaufderKarte1->trigger();
    Settle();
    for (auto _ : run) {
        ObservationState& s = program.state;
        s.Minute = static_cast<std::uint16_t>((s.Minute + 1) % 60);
        program.main().UpdateMapLighting();
        Settle();
    }
    program.Failed(run);
}

// A click on a site in the open dialog, the first and the last in turn.
void SiteDialogClick(benchmark::State& run, const Catalogue& catalogue)
{
    Program program(catalogue, {.Sites = kSites});
    program.main().Beobachtungsortauswhlen1->trigger();
    Settle();
    QListWidget* list = program.windows->Form3->ListBox1;
    int row = 0;
    for (auto _ : run) {
        row = row == 0 ? list->count() - 1 : 0;
        list->setCurrentRow(row);
        Settle();
    }
    program.Failed(run);
}

// ---------------------------------------------------------------- registration

struct Interaction {
    const char* Name;
    Bench Run;
    enum Timing {
        kPlain,         ///< as many iterations as the library chooses
        kStartsAnew,    ///< each iteration starts the program anew: a few only
        kWholeProcess,  ///< a process is started: wall-clock time
    } How;
};

// The buttons that leave the windows.
QAbstractButton* MoonPositionOk(MireltaWindows& w) { return w.Form5->Button1; }
QAbstractButton* EphemeridesOk(MireltaWindows& w) { return w.Form6->Button1; }
QAbstractButton* ConditionsOk(MireltaWindows& w) { return w.Form7->Button1; }
QAbstractButton* AboutOk(MireltaWindows& w) { return w.Form2->Button1; }
QAbstractButton* TerminatorOk(MireltaWindows& w) { return w.Terminator->OkButton; }
QAbstractButton* PlannerOk(MireltaWindows& w) { return w.Planner->OkButton; }
QAbstractButton* JournalOk(MireltaWindows& w) { return w.Journal->OkButton; }
QAbstractButton* SiteDialogCancel(MireltaWindows& w) { return w.Form3->Button2; }

// clang-format off
const Interaction kInteractions[] = {
    {"ReadIntoMemory", ReadIntoMemory, Interaction::kPlain},
    {"StartUpInProcess", StartUpInProcess("Art"), Interaction::kPlain},
    {"StartUpWholeProcess", StartUpWholeProcess("Art"), Interaction::kWholeProcess},
    {"StartUpWholeProcessAlph", StartUpWholeProcess("Alph"), Interaction::kWholeProcess},
    {"ListKeystroke", ListKeystroke, Interaction::kPlain},
    {"DropDownFirstOpening", DropDownFirstOpening, Interaction::kStartsAnew},
    {"DropDownLaterOpening", DropDownLaterOpening, Interaction::kPlain},
    {"MapPick", MapPick, Interaction::kPlain},
    {"ReloadFileOrder", Reload(&TForm1::ObjektlistenachArtsortieren1, ReloadCase::kUnchanged), Interaction::kPlain},
    {"ReloadAlphabetical", Reload(&TForm1::Objektlistealphabetischsortieren1, ReloadCase::kUnchanged), Interaction::kPlain},
    {"ReloadAlphabeticalFirst", Reload(&TForm1::Objektlistealphabetischsortieren1, ReloadCase::kFirst), Interaction::kStartsAnew},
    {"ReloadFileOrderChanged", Reload(&TForm1::ObjektlistenachArtsortieren1, ReloadCase::kChanged), Interaction::kPlain},
    {"ReloadAlphabeticalChanged", Reload(&TForm1::Objektlistealphabetischsortieren1, ReloadCase::kChanged), Interaction::kPlain},
    {"HeightPanelKeystroke", HeightPanelKeystroke, Interaction::kPlain},
    {"OpenMoonPosition", Opens(&TForm1::Mondposition2, MoonPositionOk), Interaction::kPlain},
    {"OpenPhysicalEphemerides", Opens(&TForm1::PhysEphemeriden1, EphemeridesOk), Interaction::kPlain},
    {"OpenObservingConditions", Opens(&TForm1::Sichtverhltnisseeinschtzen1, ConditionsOk), Interaction::kPlain},
    {"OpenAboutBox", Opens(&TForm1::About1, AboutOk), Interaction::kPlain},
    {"OpenTerminatorWindow", Opens(&TForm1::Lichtgrenzeheute1, TerminatorOk), Interaction::kPlain},
    {"OpenTerminatorWindowFirst", Opens(&TForm1::Lichtgrenzeheute1, TerminatorOk, {.First = true}), Interaction::kStartsAnew},
    {"OpenPlanner", Opens(&TForm1::Beobachtungsplaner1, PlannerOk, {.FormationChosen = true}), Interaction::kPlain},
    {"OpenPlannerFirst", Opens(&TForm1::Beobachtungsplaner1, PlannerOk, {.First = true, .FormationChosen = true}), Interaction::kStartsAnew},
    {"OpenJournal", Opens(&TForm1::Messprotokoll1, JournalOk), Interaction::kPlain},
    {"LitMapRedraw", LitMapRedraw, Interaction::kPlain},
    {"OpenSiteDialog", Opens(&TForm1::Beobachtungsortauswhlen1, SiteDialogCancel, {.Files = {.Sites = kSites}}), Interaction::kPlain},
    {"SiteDialogClick", SiteDialogClick, Interaction::kPlain},
};
// clang-format on

// A frame at 60 Hz for every interaction; the reloads of 100,000 names may
// take 100 ms, the start 300 ms with at most 100 MiB.
std::optional<RatioSummaryReporter::Target> TargetOf(const std::string& interaction, const std::string& catalogue)
{
    if (interaction == "ReadIntoMemory") return std::nullopt;
    if (interaction.rfind("StartUp", 0) == 0) return RatioSummaryReporter::Target{300, 100};
    if (interaction.rfind("Reload", 0) == 0 && catalogue == "generated100000")
        return RatioSummaryReporter::Target{100, {}};
    return RatioSummaryReporter::Target{16, {}};
}

void RegisterAll()
{
    // Catalogue by catalogue, so that each baseline runs beside its interactions.
    for (const Catalogue& catalogue : kCatalogues)
        for (const Interaction& interaction : kInteractions) {
            const std::string name = std::string(interaction.Name) + "/" + catalogue.Name;
            benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark(
                name.c_str(), [&interaction, &catalogue](benchmark::State& run) { interaction.Run(run, catalogue); });
            b->Unit(benchmark::kMillisecond);
            if (interaction.How == Interaction::kWholeProcess) b->UseRealTime();
            if (interaction.How == Interaction::kStartsAnew) b->Iterations(8);
        }
}

}  // namespace

int main(int argc, char** argv)
{
    RegisterAll();
    RatioSummaryReporter summary("ReadIntoMemory", TargetOf);
    return RunHeadlessBenchmarks(argc, argv, &summary);
}
