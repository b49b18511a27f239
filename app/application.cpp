#include "app/application.h"

#include "catalogue/catalogue.h"
#include "platform/error_report.h"
#include "platform/form_widgets.h"
#include "windowbase/resources_init.h"

#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <set>
#include <string>

namespace {

// The start runs eight FormCreates; one missing file can fail several of
// them (without mirelta.ini both the main window and the site dialog stop).
// Each failure is shown once.
class StartGuard {
public:
    explicit StartGuard(MessageService& messages) : messages_(messages) {}

    template <class Step>
    void operator()(Step&& step)
    {
        try {
            step();
        } catch (const std::exception& error) {
            if (shown_.insert(error.what()).second) ShowErrorReport(messages_, error);
        }
    }

private:
    MessageService& messages_;
    std::set<std::string> shown_;
};

// A dialog is created hidden and filled once right away.
template <class Dialog, class... Extra>
std::unique_ptr<Dialog> CreateDialog(StartGuard& guarded, QWidget* owner, MessageService& messages, Extra&&... extra)
{
    auto dialog = std::make_unique<Dialog>(owner, messages, std::forward<Extra>(extra)...);
    guarded([&] { dialog->FormCreate(); });
    return dialog;
}

// The formations for the windows "Lichtgrenze" and "Beobachtungsplaner":
// made from the catalogue file, and made anew only when it has changed.
std::shared_ptr<const std::vector<CatalogueFormation>> CatalogueFormations()
{
    static std::shared_ptr<const std::vector<CatalogueFormation>> made;
    static std::uint64_t madeFrom = 0;
    const std::uint64_t version = CatalogueVersion();
    if (made && version == madeFrom) return made;
    made.reset();
    auto formations = std::make_shared<std::vector<CatalogueFormation>>();
    std::vector<LunarObject> objects = ReadAllObjects(ObjectTexts::ForLists);
    formations->reserve(objects.size());
    for (LunarObject& object : objects)
        formations->push_back({std::move(object.Name), std::move(object.Description1),
                               std::move(object.SelenographicLatitude), std::move(object.SelenographicLongitude),
                               std::move(object.Height)});
    made = formations;
    madeFrom = version;
    return made;
}

}  // namespace

void PrepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Mirelta"));
    InitialiseResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setFont(FormFont());
    // Qt's own texts (shortcut names such as "Strg+S", the file dialog, the
    // edit fields' context menu) in German where the translations are
    // installed; without them these few texts stay English.
    auto* qtTexts = new QTranslator(qApp);
    if (qtTexts->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTexts);
}

std::unique_ptr<MireltaWindows> CreateWindows(ObservationState& state, MessageService& messages, char decimalSeparator,
                                              const ClockSource& clock)
{
    StartGuard guarded(messages);
    auto windows = std::make_unique<MireltaWindows>();
    windows->Form1 = std::make_unique<TForm1>(state, messages, decimalSeparator);
    guarded([&] { windows->Form1->FormCreate(); });
    TForm1* main = windows->Form1.get();
    main->SetClock(clock);

    windows->Form2 = CreateDialog<TForm2>(guarded, main, messages, state, clock);
    // After a new site or time the main window lights the map (when asked
    // to) and shows the chosen object anew; a time chosen in the dialog
    // also stops the time following the clock.
    windows->Form3 =
        CreateDialog<TForm3>(guarded, main, messages, state, decimalSeparator, [main] { main->ObservationChanged(); });
    windows->Form4 = CreateDialog<TForm4>(guarded, main, messages, state, [main] { main->ObservationTimeChosen(); });
    windows->Form5 = CreateDialog<TForm5>(guarded, main, messages, state, decimalSeparator);
    windows->Form6 = CreateDialog<TForm6>(guarded, main, messages, state, decimalSeparator);
    windows->Form7 = CreateDialog<TForm7>(guarded, main, messages, state, decimalSeparator);
    windows->Form9 = CreateDialog<TForm9>(guarded, windows->Form3.get(), messages, decimalSeparator);
    windows->Form3->SetCoordinateDialog(windows->Form9.get());
    // Not filled at start: it reads the catalogue only when it is opened.
    windows->Terminator = std::make_unique<TerminatorWindow>(
        main, messages, state, decimalSeparator, CatalogueFormations,
        [main](const std::string& name) { main->ChooseObject(QString::fromStdString(name)); });

    windows->Planner = std::make_unique<PlannerWindow>(main, messages, state, decimalSeparator, CatalogueFormations,
                                                       [main] { return main->ComboBox1->currentText().toStdString(); });

    // Opens on the formation the main window shows.
    windows->Journal = std::make_unique<JournalWindow>(main, messages, decimalSeparator,
                                                       [main] { return main->Label5->text().toStdString(); });

    // Not modal: it stays open beside the main window, follows its changes
    // of time and site and names the formation it shows.
    windows->Eyepiece = std::make_unique<EyepieceWindow>(
        main, messages, state, decimalSeparator, CatalogueFormations,
        [main] { return main->Label5->text().toStdString(); },
        [main](const std::string& name) { main->ChooseObject(QString::fromStdString(name)); });
    QObject::connect(main, &TForm1::ObjectShown, windows->Eyepiece.get(), &EyepieceWindow::ChosenChanged);

    // Computes on its own copy of the state, for the picture's moment and site.
    windows->Photo = std::make_unique<PhotoWindow>(main, messages, state, decimalSeparator, CatalogueFormations);

    main->SetDialogs({windows->Form2.get(), windows->Form3.get(), windows->Form4.get(), windows->Form5.get(),
                      windows->Form6.get(), windows->Form7.get(), windows->Terminator.get(), windows->Planner.get(),
                      windows->Journal.get(), windows->Eyepiece.get(), windows->Photo.get()});
    main->ShowObservationStatus();
    return windows;
}
