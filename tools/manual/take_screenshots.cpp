// Takes the manual's pictures of the program's windows, offscreen, for one
// fixed evening (10 March 2003, 20:05 MEZ, the shipped site Berlin) from the
// shipped data files:
//
//   manual_screenshots <data folder> <picture folder>
//
// Every picture starts from the program's windows created anew as at start,
// in a working folder seeded from the data folder, so the entries of kShots
// do not depend on one another: a new window is one more entry. A window is
// drawn with a plain title bar holding its caption, as the desktop would
// frame it. Any message box the program shows on the way stops the tool.

#include "app/application.h"
#include "app/preferences.h"
#include "platform/form_widgets.h"
#include "tools/synthetic_photo/table_scene.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <numbers>
#include <tuple>

namespace {

// The evening of every picture: the Moon twelve hours before first quarter,
// high in the evening sky, the terminator across the middle of the disc.
constexpr ClockReading kEvening{2003, 3, 10, 20, 5};

// A formation near the terminator that evening with a catalogue height
// whose shadow can be timed (the Sun 8.3 deg over it, well above the 3.5 deg
// a 3,100 m summit needs), and the transit time "Lichtgrenze" expects for it.
const QString kMeasuredFormation = QStringLiteral("Manilius");
const QString kTransitSeconds = QStringLiteral("0,86");

// A series of timings of that shadow, as an observer stops them one after
// the other; a second series on the next good evening (see "planer"), when
// 0.74 s are to be expected.
const QStringList kFirstSeries = {QStringLiteral("0,86"), QStringLiteral("0,82"), QStringLiteral("0,9"),
                                  QStringLiteral("0,8"),  QStringLiteral("0,88"), QStringLiteral("0,85"),
                                  QStringLiteral("0,78"), QStringLiteral("0,86"), QStringLiteral("0,93"),
                                  QStringLiteral("0,83"), QStringLiteral("0,87"), QStringLiteral("0,8")};
constexpr ClockReading kSecondEvening{2003, 5, 8, 23, 0};
const QStringList kSecondSeries = {QStringLiteral("0,74"), QStringLiteral("0,71"), QStringLiteral("0,77"),
                                   QStringLiteral("0,73"), QStringLiteral("0,79"), QStringLiteral("0,72")};

// Message boxes are not part of any picture: each one is an error here.
class FailingMessages : public MessageService {
public:
    void Show(const QString& caption, const QString& text, MessageIcon) override { Fail(caption, text); }
    bool Confirm(const QString& caption, const QString& text) override
    {
        Fail(caption, text);
        return false;
    }
    /// Answers as "Abbrechen" does: with the default text.
    QString Prompt(const QString&, const QString&, const QString& defaultText) override { return defaultText; }
    bool failed = false;

private:
    void Fail(const QString& caption, const QString& text)
    {
        std::fprintf(stderr, "message box \"%s\": %s\n", qPrintable(caption), qPrintable(text));
        failed = true;
    }
};

// The program's windows as at start.
struct Session {
    Session()
    {
        // Every picture starts as a first start does: the time follows the
        // (fixed) clock.
        WriteFollowsClockPreference(true);
        windows = CreateWindows(state, messages, ',', [] { return kEvening; });
        windows->Form1->show();
    }
    TForm1& main() { return *windows->Form1; }
    ObservationState state;
    FailingMessages messages;
    std::unique_ptr<MireltaWindows> windows;
};

void Settle() { QApplication::processEvents(); }

// Height of the title bar Framed draws.
constexpr int kTitleBar = 24;

// The window's content below a title bar with its caption.
QImage Framed(QWidget& window)
{
    Settle();
    const QPixmap content = window.grab();
    const QSize size = content.deviceIndependentSize().toSize();
    QImage image(size.width() + 2, size.height() + kTitleBar + 1, QImage::Format_RGB32);
    image.fill(QColor(60, 72, 90));
    QPainter painter(&image);
    QApplication::windowIcon().paint(&painter, QRect(6, 4, 16, 16));
    painter.setPen(Qt::white);
    painter.setFont(FormFont(12, true));
    const QRect caption(28, 0, size.width() - 30, kTitleBar);
    painter.drawText(caption, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(window.windowTitle(), Qt::ElideRight, caption.width()));
    painter.drawPixmap(QRect(QPoint(1, kTitleBar), size), content);
    return image;
}

// The top left of the main window with one of its menus open, as far as
// the menu reaches.
QImage WithMenuOpen(Session& s, QMenu* menu)
{
    TForm1& w = s.main();
    w.menuBar()->setActiveAction(menu->menuAction());
    Settle();
    QImage image = Framed(w);
    const QPoint menuTopLeft = menu->mapToGlobal(QPoint(0, 0)) - w.mapToGlobal(QPoint(0, 0)) + QPoint(1, kTitleBar);
    const QPixmap items = menu->grab();
    QPainter(&image).drawPixmap(menuTopLeft, items);
    constexpr int kMargin = 24;
    const QSize size = items.deviceIndependentSize().toSize();
    return image.copy(0, 0, std::min(image.width(), menuTopLeft.x() + size.width() + kMargin),
                      std::min(image.height(), menuTopLeft.y() + size.height() + kMargin));
}

QImage OpenedWindow(Session& s, void (TForm1::*command)(), QWidget* window)
{
    (s.main().*command)();
    return Framed(*window);
}

QImage MainWindow(Session& s)
{
    s.main().ChooseObject(QStringLiteral("Copernicus"));
    return Framed(s.main());
}

QImage LitMap(Session& s)
{
    s.main().BeleuchtungaufderKarte1->trigger();
    s.main().ChooseObject(QStringLiteral("Theophilus"));
    return Framed(s.main());
}

QImage HeightMeasurement(Session& s)
{
    TForm1& w = s.main();
    w.BeleuchtungaufderKarte1->trigger();
    w.ChooseObject(kMeasuredFormation);
    w.Edit1->setText(kTransitSeconds);
    return Framed(w);
}

// A key typed into a control, as the keyboard delivers it.
void Type(QWidget* control, Qt::Key key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(control, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(control, &release);
}

void TypeText(QWidget* control, const QString& text)
{
    for (QChar c : text) Type(control, Qt::Key(c.toUpper().unicode()), QString(c));
}

// Each timing typed into the field of the height panel and saved with Enter.
void SaveTimings(Session& s, const QStringList& timings)
{
    TForm1& w = s.main();
    for (const QString& seconds : timings) {
        w.Edit1->setFocus();
        TypeText(w.Edit1, seconds);
        Type(w.Edit1, Qt::Key_Return);
    }
}

// The evening of the second series, set in the time dialog as the user would.
void SetSecondEvening(Session& s)
{
    s.main().DatumundUhrzeitfestlegen1Click();
    TForm4& time = *s.windows->Form4;
    const int fields[] = {kSecondEvening.Day, kSecondEvening.Month, kSecondEvening.Year, kSecondEvening.Hour,
                          kSecondEvening.Minute};
    QLineEdit* edits[] = {time.Edit1, time.Edit2, time.Edit3, time.Edit4, time.Edit5};
    for (size_t i = 0; i < std::size(edits); ++i) edits[i]->setText(QString::number(fields[i]));
    time.Button1Click();
}

// The main window right after the fifth timing of the evening was saved:
// the field is empty again and the status bar reports the series.
QImage SavedMeasurement(Session& s)
{
    TForm1& w = s.main();
    w.BeleuchtungaufderKarte1->trigger();
    w.ChooseObject(kMeasuredFormation);
    SaveTimings(s, kFirstSeries.mid(0, 5));
    return Framed(w);
}

// The journal after two evenings of timings of one formation.
QImage Journal(Session& s)
{
    TForm1& w = s.main();
    w.ChooseObject(kMeasuredFormation);
    SaveTimings(s, kFirstSeries);
    SetSecondEvening(s);
    w.ChooseObject(kMeasuredFormation);
    SaveTimings(s, kSecondSeries);
    w.Messprotokoll1->trigger();
    return Framed(*s.windows->Journal);
}

// "Cope" typed into the object list: completed to Copernicus, the rest
// selected. The picture shows the list and the group "Objekt" only.
QImage Completion(Session& s)
{
    TForm1& w = s.main();
    QLineEdit* typed = w.ComboBox1->lineEdit();
    typed->setFocus();
    typed->selectAll();
    TypeText(typed, QStringLiteral("Cope"));
    const QImage window = Framed(w);
    constexpr int kMargin = 8;
    const QPoint topLeft = w.ComboBox1->mapTo(&w, QPoint(0, 0)) + QPoint(1, kTitleBar);
    const QPoint bottomRight =
        w.GroupBox1->mapTo(&w, QPoint(w.GroupBox1->width(), w.GroupBox1->height())) + QPoint(1, kTitleBar);
    return window.copy(QRect(topLeft, bottomRight).adjusted(-kMargin, -kMargin, kMargin, kMargin));
}

QImage NewObject(Session& s)
{
    TForm1& w = s.main();
    w.NeuesObjektdefinieren1Click();
    // A frame dragged around a small crater, as the mouse events arrive:
    // the press at the cross-hair's centre, the move, the release.
    w.MoonImageMouseOver(262, 262);
    w.Cursor3MouseDown(11, 11);
    w.Cursor3MouseOver(11 + 16, 11 + 14, Qt::LeftButton, Qt::NoModifier);
    w.Cursor3MouseUp(11, 11);
    w.Button4Click();
    w.Edit2->setText(QStringLiteral("Mein Krater"));
    w.Edit5->setText(QStringLiteral("1200"));
    w.Edit6->setText(QStringLiteral("Krater"));
    w.Edit7->setText(QStringLiteral("Eigene Beobachtung"));
    return Framed(w);
}

// The site dialog after a click on the current site, as before an edit.
QImage SiteDialog(Session& s)
{
    s.main().Beobachtungsortauswhlen1Click();
    TForm3& sites = *s.windows->Form3;
    const QList<QListWidgetItem*> current = sites.ListBox1->findItems(sites.Label4->text(), Qt::MatchExactly);
    if (!current.isEmpty()) sites.ListBox1->setCurrentItem(current.first());
    sites.ListBox1Click();
    return Framed(sites);
}

QImage CoordinateEntry(Session& s)
{
    s.main().Beobachtungsortauswhlen1Click();
    TForm3& sites = *s.windows->Form3;
    TForm9& entry = *s.windows->Form9;
    // "bearbeite Auswahl" keeps the shown name (the prompt answers with it)
    // and waits in the coordinate dialog, filled with the site's latitude.
    QImage picture;
    std::function<void()> takeWhenShown = [&] {
        if (!entry.isVisible()) {
            QTimer::singleShot(10, takeWhenShown);
            return;
        }
        picture = Framed(entry);
        entry.Button2Click();
    };
    QTimer::singleShot(0, takeWhenShown);
    sites.Button4Click();
    return picture;
}

QImage PlannerPage(Session& s, int page)
{
    s.main().ChooseObject(kMeasuredFormation);
    s.main().Beobachtungsplaner1Click();
    PlannerWindow& planner = *s.windows->Planner;
    // Three lunations show how the good evenings come back.
    planner.DaysEdit->setText(QStringLiteral("90"));
    planner.PlanButtonClick();
    planner.Pages->setCurrentIndex(page);
    return Framed(planner);
}

// The chapter "Höhe aus einem Foto": a synthetic picture drawn from the
// independent shadow table for 18 December 2026, 18:00 MEZ, at Berlin,
// turned and mirrored as through a star diagonal, with three shadows.
const ChapterPicture& ThePhotoScene()
{
    static const ChapterPicture picture = TheChapterPicture();
    return picture;
}

ImagePoint OnThePicture(double east, double north)
{
    const PicturePoint p = OnPicture(ThePhotoScene().Camera, east, north);
    return {p.X, p.Y};
}

// The picture opened, its moment set, and calibrated by seven limb points
// and two formations, as the chapter describes it.
PhotoWindow& CalibratedPhoto(Session& s)
{
    const ChapterPicture& photo = ThePhotoScene();
    const QString path = QDir::current().absoluteFilePath(QStringLiteral("mond.tif"));
    if (!QFile::exists(path))
        SaveSyntheticMoon(DrawSyntheticMoon(photo.Scene.Moon, photo.Camera), photo.Camera, path.toStdString());
    s.main().HoeheausFoto1Click();
    PhotoWindow& window = *s.windows->Photo;
    window.SetPhotoChooser([path](QWidget*, const QString&) { return path; });
    window.OpenButtonClick();
    window.DateEdit->setText(QStringLiteral("18.12.2026"));
    window.TimeEdit->setText(QStringLiteral("18:00"));
    window.SiteBox->setCurrentIndex(window.SiteBox->findText(QStringLiteral("Berlin")));
    window.MomentChange();
    const SyntheticMoon& moon = photo.Scene.Moon;
    const double towardSun = std::atan2(moon.SunNorth, moon.SunEast);
    for (int i = 0; i < 7; ++i) {
        const double a = towardSun + (-60 + 20.0 * i) * std::numbers::pi / 180;
        window.PictureClick(OnThePicture(moon.SemiDiameter * std::cos(a), moon.SemiDiameter * std::sin(a)));
    }
    for (const auto& [step, box, name] : {
             std::tuple{window.FirstFormationStep,  window.FirstFormationBox,  "Tycho"      },
             std::tuple{window.SecondFormationStep, window.SecondFormationBox, "Aristoteles"}
    }) {
        step->setChecked(true);
        box->setCurrentIndex(box->findText(QString::fromLatin1(name)));
        const SkyPlace foot = photo.Scene.Feet.at(name);
        window.PictureClick(OnThePicture(foot.East, foot.North));
    }
    window.View->ShowWhole();
    return window;
}

// The summit and the tip of one of the picture's shadows clicked.
void ClickShadow(PhotoWindow& window, const ShadowCase& shadow)
{
    window.ShadowStep->setChecked(true);
    window.PictureClick(OnThePicture(shadow.SummitEast, shadow.SummitNorth));
    window.PictureClick(OnThePicture(shadow.TipEast, shadow.TipNorth));
}

QImage PhotoCalibrated(Session& s) { return Framed(CalibratedPhoto(s)); }

QImage PhotoMeasured(Session& s)
{
    PhotoWindow& window = CalibratedPhoto(s);
    const ShadowCase& copernicus = ThePhotoScene().Scene.Shadows.front();
    ClickShadow(window, copernicus);
    window.View->CentreOn(OnThePicture(copernicus.SummitEast, copernicus.SummitNorth), 4);
    return Framed(window);
}

// Three photo measurements, then two timings of Copernicus at the same
// moment (the table's transit time and one 2 % longer), in "Messprotokoll".
QImage JournalWithPhotos(Session& s)
{
    PhotoWindow& window = CalibratedPhoto(s);
    for (const ShadowCase& shadow : ThePhotoScene().Scene.Shadows) {
        ClickShadow(window, shadow);
        window.SaveButtonClick();
    }
    window.OkButtonClick();
    s.state.Day = 18, s.state.Month = 12, s.state.Year = 2026, s.state.Hour = 18, s.state.Minute = 0;
    TForm1& w = s.main();
    w.ObservationTimeChosen();  // as the time dialog's Ok: no longer the clock's time
    w.ChooseObject(QStringLiteral("Copernicus"));
    const double seconds = ThePhotoScene().Scene.Shadows.front().TransitSeconds;
    SaveTimings(s, {QString::number(seconds, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(',')),
                    QString::number(seconds * 1.02, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','))});
    w.Messprotokoll1->trigger();
    return Framed(*s.windows->Journal);
}

QImage DateiMenu(Session& s) { return WithMenuOpen(s, s.main().Datei1); }
QImage MondzustandMenu(Session& s) { return WithMenuOpen(s, s.main().Mondzustand1); }
QImage AboutBox(Session& s) { return OpenedWindow(s, &TForm1::About1Click, s.windows->Form2.get()); }
QImage TimeDialog(Session& s)
{
    return OpenedWindow(s, &TForm1::DatumundUhrzeitfestlegen1Click, s.windows->Form4.get());
}
QImage MoonPositionReport(Session& s) { return OpenedWindow(s, &TForm1::Mondposition2Click, s.windows->Form5.get()); }
QImage EphemeridesReport(Session& s) { return OpenedWindow(s, &TForm1::PhysEphemeriden1Click, s.windows->Form6.get()); }
QImage ConditionsReport(Session& s)
{
    return OpenedWindow(s, &TForm1::Sichtverhltnisseeinschtzen1Click, s.windows->Form7.get());
}
QImage TerminatorWindowShot(Session& s)
{
    return OpenedWindow(s, &TForm1::Lichtgrenzeheute1Click, s.windows->Terminator.get());
}
// "Mond im Okular" turned as chosen, with a formation chosen in the main
// window; zoomed, around it and with the pointer resting on it.
QImage EyepiecePicture(Session& s, const QString& formation, SelenographicPoint place, ViewOrientation orientation,
                       int zoomSteps)
{
    s.main().ChooseObject(formation);
    s.main().MondimOkular1Click();
    EyepieceWindow& window = *s.windows->Eyepiece;
    (orientation.ZenithUp ? window.ZenithUpButton : window.NorthUpButton)->setChecked(true);
    window.MirroredBox->setChecked(orientation.Mirrored);
    window.Rotated180Box->setChecked(orientation.Rotated180);
    window.OrientationClick();
    if (zoomSteps > 0) {
        window.View->ZoomBy(zoomSteps, window.View->PixelOf(place).value_or(QPointF()));
        const QPointF at = window.View->PixelOf(place).value_or(QPointF());
        QMouseEvent move(QEvent::MouseMove, at, window.View->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(window.View, &move);
    }
    return Framed(window);
}
QImage EyepieceShot(Session& s) { return EyepiecePicture(s, QStringLiteral("Copernicus"), {9.62, -20.08}, {}, 0); }
QImage EyepieceZenithShot(Session& s)
{
    return EyepiecePicture(s, QStringLiteral("Copernicus"), {9.62, -20.08}, {true, true, false}, 0);
}
QImage EyepieceZoomShot(Session& s) { return EyepiecePicture(s, kMeasuredFormation, {26.69, 4.12}, {}, 5); }
QImage PlannerShot(Session& s) { return PlannerPage(s, 0); }
QImage EphemerisTableShot(Session& s) { return PlannerPage(s, 1); }

struct Shot {
    const char* file;  ///< <file>.png in the picture folder
    QImage (*take)(Session&);
};

// clang-format off
const Shot kShots[] = {
    {"hauptfenster",            MainWindow},
    {"hauptfenster_beleuchtet", LitMap},
    {"menue_datei",             DateiMenu},
    {"menue_mondzustand",       MondzustandMenu},
    {"hoehenberechnung",        HeightMeasurement},
    {"messung_gespeichert",     SavedMeasurement},
    {"messprotokoll",           Journal},
    {"foto_kalibriert",         PhotoCalibrated},
    {"foto_messung",            PhotoMeasured},
    {"messprotokoll_foto",      JournalWithPhotos},
    {"objektliste_ergaenzung",  Completion},
    {"neues_objekt",            NewObject},
    {"about",                   AboutBox},
    {"beobachtungsort",         SiteDialog},
    {"koordinaten",             CoordinateEntry},
    {"beobachtungszeit",        TimeDialog},
    {"mondposition",            MoonPositionReport},
    {"ephemeriden",             EphemeridesReport},
    {"sichtverhaeltnisse",      ConditionsReport},
    {"lichtgrenze",             TerminatorWindowShot},
    {"mond_im_okular",          EyepieceShot},
    {"mond_im_okular_zenit",    EyepieceZenithShot},
    {"mond_im_okular_zoom",     EyepieceZoomShot},
    {"planer",                  PlannerShot},
    {"ephemeridentabelle",      EphemerisTableShot},
};
// clang-format on

bool SeedWorkingFolder(const QString& dataFolder, const QString& workingFolder)
{
    for (const char* name : {"mirelta.ini", "places.dat", "objects.dat"}) {
        if (!QFile::copy(dataFolder + QLatin1Char('/') + QLatin1String(name),
                         workingFolder + QLatin1Char('/') + QLatin1String(name))) {
            std::fprintf(stderr, "cannot copy %s from %s\n", name, qPrintable(dataFolder));
            return false;
        }
    }
    return QDir::setCurrent(workingFolder);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    PrepareApplication();
    if (argc != 3) {
        std::fprintf(stderr, "usage: manual_screenshots <data folder> <picture folder>\n");
        return 2;
    }
    const QString dataFolder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString pictureFolder = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QTemporaryDir workingFolder;
    if (!workingFolder.isValid() || !QDir().mkpath(pictureFolder) ||
        !SeedWorkingFolder(dataFolder, workingFolder.path()))
        return 1;
    // The program's preferences stay in the scratch folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       workingFolder.filePath(QStringLiteral("einstellungen")));

    for (const Shot& shot : kShots) {
        // Every entry starts without saved measurements.
        QFile::remove(QLatin1String(kJournalFileName));
        Session session;
        const QImage picture = shot.take(session);
        const QString file = pictureFolder + QLatin1Char('/') + QLatin1String(shot.file) + QStringLiteral(".png");
        if (session.messages.failed || picture.isNull() || !picture.save(file)) {
            std::fprintf(stderr, "no picture %s\n", qPrintable(file));
            return 1;
        }
    }
    std::printf("%zu pictures in %s\n", std::size(kShots), qPrintable(pictureFolder));
    return 0;
}
