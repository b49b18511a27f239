// The window "Höhe aus Foto" in the real program, on a synthetic photograph
// drawn from the independent shadow table for 18.12.2026 18:00 MEZ at
// Berlin: clicks on the lit limb and two formations calibrate it, the
// prediction lies over the picture where the table puts the formations,
// the camera's clock is asked once, a damaged picture changes nothing, and
// the program's own observation stays as it was.

#include "photo/photo_preferences.h"
#include "tests/photo/exif_sample.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/window_fixture.h"
#include "tools/synthetic_photo/table_scene.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <cmath>
#include <filesystem>
#include <numbers>

namespace {

std::string Coordinate(double degrees)
{
    std::string text = std::to_string(degrees);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

ImagePoint AsImagePoint(PicturePoint p) { return {p.X, p.Y}; }

}  // namespace

class PhotoWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;
    std::vector<ShadowCase> cases;
    TableScene scene;
    PictureGeometry camera;  ///< turned and mirrored, as through a star diagonal
    std::filesystem::path pictures;

    PhotoWindow& photo() { return *f->windows->Photo; }

    // Clicks the picture's point at 8:1, as a user does for a precise point.
    void ClickPicture(ImagePoint point)
    {
        photo().View->CentreOn(point, 8);
        const QPointF at = photo().View->ScreenAtPicture(point);
        QTest::mouseClick(photo().View, Qt::LeftButton, {}, QPoint(int(std::floor(at.x())), int(std::floor(at.y()))));
    }

    void ChooseFormation(QComboBox* box, const QString& name)
    {
        const int index = box->findText(name);
        QVERIFY2(index > 0, qPrintable(name));
        box->setCurrentIndex(index);
    }

    // Opens the synthetic picture and sets its moment and site.
    void OpenSyntheticPicture()
    {
        photo().SetPhotoChooser(
            [this](QWidget*, const QString&) { return QString::fromStdString((pictures / "mond.tif").string()); });
        QTest::mouseClick(photo().OpenButton, Qt::LeftButton);
        QVERIFY(photo().Photo());
        QVERIFY(photo().HintLabel->text().startsWith(QStringLiteral("Klicken Sie Punkte auf den hellen Mondrand")));
        photo().DateEdit->setText(QStringLiteral("18.12.2026"));
        photo().TimeEdit->setText(QStringLiteral("18:00"));
        photo().SiteBox->setCurrentIndex(photo().SiteBox->findText(QStringLiteral("Berlin")));
        photo().MomentChange();
    }

    void Calibrate()
    {
        OpenSyntheticPicture();
        const PictureGeometry& g = camera;
        // Points over 120 degrees of the lit limb, toward the Sun.
        const double towardSun = std::atan2(scene.Moon.SunNorth, scene.Moon.SunEast);
        for (int i = 0; i < 7; ++i) {
            const double a = towardSun + (-60 + 120.0 * i / 6) * std::numbers::pi / 180;
            ClickPicture(AsImagePoint(
                OnPicture(g, scene.Moon.SemiDiameter * std::cos(a), scene.Moon.SemiDiameter * std::sin(a))));
        }
        for (const auto& [step, box, name] : {
                 std::tuple{photo().FirstFormationStep,  photo().FirstFormationBox,  "Tycho"      },
                 std::tuple{photo().SecondFormationStep, photo().SecondFormationBox, "Aristoteles"}
        }) {
            step->click();
            ChooseFormation(box, QString::fromLatin1(name));
            const SkyPlace foot = scene.Feet.at(name);
            ClickPicture(AsImagePoint(OnPicture(g, foot.East, foot.North)));
        }
    }

private slots:
    void initTestCase()
    {
        cases = CasesAt(ReadShadowTable(MIRELTA_SHADOW_TABLE), "18.12.2026", "18:00", "Berlin");
        const ChapterPicture picture = TheChapterPicture();
        scene = picture.Scene;
        camera = picture.Camera;
        pictures = std::filesystem::temp_directory_path() / ("mirelta-photo-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(pictures);
        const PictureGeometry& g = camera;
        QVERIFY(SaveSyntheticMoon(DrawSyntheticMoon(scene.Moon, g), g, (pictures / "mond.tif").string()));
    }
    void cleanupTestCase() { std::filesystem::remove_all(pictures); }

    void init()
    {
        f = std::make_unique<WindowFixture>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString((f->dir.path() / "einstellungen").string()));
        WriteBytes("mirelta.ini", "Art\r\nBerlin\r\n52,52\r\n13,405\r\n");
        WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\nBerlin\r\n52,52\r\n13,405\r\n");
        std::string objects;
        for (const auto& [name, place] : scene.Feet) {
            const auto c = std::find_if(cases.begin(), cases.end(), [&](auto& x) { return x.Object == name; });
            objects += Record("1 2 1 2", name, Coordinate(c->ObjectLatitude), Coordinate(c->ObjectLongitude),
                              name == "Copernicus" ? "3800" : "", "1");
        }
        // A formation in the lunar night at that moment, west of the morning terminator.
        objects += Record("1 2 1 2", "Grimaldi", "-5,2", "-68,6", "", "1");
        WriteBytes("objects.dat", objects);
        f->Start();
        f->main().show();
        f->main().HoeheausFoto1->trigger();
        QVERIFY(photo().isVisible());
        QVERIFY(!f->main().isEnabled());
    }
    void cleanup() { f.reset(); }

    void limbAndTwoFormationsCalibrateThePictureAndThePredictionFitsIt()
    {
        const ObservationState before = f->state;
        Calibrate();
        const PictureGeometry& g = camera;
        const PhotoCalibrationResult& result = photo().Calibration();
        QVERIFY(result.Calibration);
        qInfo("limb off by %.3f / %.3f px, radius by %.3f px; turn off by %.3f degrees",
              result.Limb->Centre.X - g.CentreX, result.Limb->Centre.Y - g.CentreY,
              result.Limb->Radius - scene.Moon.SemiDiameter * g.PixelsPerArcsecond,
              result.Calibration->Turn - g.TurnDegrees);

        QVERIFY2(std::hypot(result.Limb->Centre.X - g.CentreX, result.Limb->Centre.Y - g.CentreY) < 0.2,
                 qPrintable(photo().LimbLabel->text()));
        QVERIFY(std::abs(result.Limb->Radius - scene.Moon.SemiDiameter * g.PixelsPerArcsecond) < 0.2);
        QVERIFY(result.Calibration->Mirrored);
        QVERIFY2(std::abs(result.Calibration->Turn - g.TurnDegrees) < 0.05, qPrintable(photo().TurnLabel->text()));
        QVERIFY(photo().MirrorBox->isChecked());

        // Every formation of the table lies where the prediction draws it.
        const ViewMarks& marks = photo().View->Marks();
        QVERIFY(marks.Prediction);
        QVERIFY(!marks.Prediction->Terminator.empty());
        double worst = 0;
        std::size_t compared = 0;
        for (const OverlayLabel& label : marks.Prediction->Formations) {
            if (!scene.Feet.count(label.Name)) continue;  // not in the table at that moment
            const SkyPlace foot = scene.Feet.at(label.Name);
            const PicturePoint truth = OnPicture(g, foot.East, foot.North);
            worst = std::max(worst, std::hypot(label.At.X - truth.X, label.At.Y - truth.Y));
            ++compared;
        }
        qInfo("prediction off the table by %.2f px at most (1 px = 1 arcsecond)", worst);
        QVERIFY(worst < 1.0);
        QCOMPARE(compared, scene.Feet.size());

        // The program's observation is not the picture's.
        QCOMPARE(f->state.Day, before.Day);
        QCOMPARE(f->state.Year, before.Year);
        QCOMPARE(f->state.Hour, before.Hour);
        QCOMPARE(f->state.SiteName, before.SiteName);

        photo().View->ShowWhole();
        SaveScreenshot(photo(), QStringLiteral("photo_calibrated"));
        photo().View->CentreOn(AsImagePoint(OnPicture(g, scene.Feet.at("Plato").East, scene.Feet.at("Plato").North)),
                               2);
        SaveScreenshot(photo(), QStringLiteral("photo_zoomed"));
    }

    void threeShadowsGiveTheirHeightsAndStandBesideTimingsInTheJournal()
    {
        Calibrate();
        const PictureGeometry& g = camera;
        photo().ShadowStep->click();
        for (const ShadowCase& c : scene.Shadows) {
            ClickPicture(AsImagePoint(OnPicture(g, c.SummitEast, c.SummitNorth)));
            // The summit's click chooses the nearest formation of the catalogue.
            QCOMPARE(photo().MeasuredFormationBox->currentText(), QString::fromStdString(c.Object));
            ClickPicture(AsImagePoint(OnPicture(g, c.TipEast, c.TipNorth)));
            const std::optional<PhotoShadow>& shadow = photo().MeasuredShadow();
            QVERIFY(shadow && shadow->Result.Height);
            const double h = *shadow->Result.Height;
            const double pixels = std::max(h - shadow->Lowest.value_or(h), shadow->Highest.value_or(h) - h);
            qInfo("%s: %.0f m measured, %.0f m true, 1 %% is %.0f m, the pixels give %.0f m; %s", c.Object.c_str(), h,
                  c.Height, 0.01 * c.Height, pixels, qPrintable(photo().DetailLabel->text()));
            QVERIFY(std::abs(h - c.Height) <= 0.01 * c.Height + pixels);
            if (c.Object == "Copernicus") {
                photo().View->CentreOn(AsImagePoint(OnPicture(g, c.SummitEast, c.SummitNorth)), 4);
                SaveScreenshot(photo(), QStringLiteral("photo_measured"));
            }
            QVERIFY(photo().SaveButton->isEnabled());
            QTest::mouseClick(photo().SaveButton, Qt::LeftButton);
            QVERIFY(!photo().SaveButton->isEnabled());  // saved once
            QVERIFY2(photo().HintLabel->text().startsWith(
                         QStringLiteral("Messung 1 für %1 gespeichert").arg(QString::fromStdString(c.Object))),
                     qPrintable(photo().HintLabel->text()));
        }
        QVERIFY(f->messages.messages().isEmpty());
        photo().OkButton->click();
        QVERIFY(f->main().isEnabled());

        // Two timings of Copernicus at the same moment, from the table.
        f->state.Day = 18, f->state.Month = 12, f->state.Year = 2026, f->state.Hour = 18, f->state.Minute = 0;
        f->main().ObservationTimeChosen();  // as the time dialog's Ok: no longer the clock's time
        f->main().ChooseObject(QStringLiteral("Copernicus"));
        const ShadowCase& copernicus = scene.Shadows.front();
        for (double seconds : {copernicus.TransitSeconds, copernicus.TransitSeconds * 1.02}) {
            f->main().Edit1->setText(QString::number(seconds, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(',')));
            QTest::keyClick(f->main().Edit1, Qt::Key_Return);
        }
        f->main().Messprotokoll1->trigger();
        JournalWindow& journal = *f->windows->Journal;
        journal.FormationChoice->setCurrentIndex(0);  // all formations
        QAbstractItemModel* rows = journal.MeasurementList->model();
        QCOMPARE(rows->rowCount(), 5);
        QStringList transits;
        for (int row = 0; row < rows->rowCount(); ++row)
            transits << rows->index(row, JournalWindow::TransitColumn).data().toString();
        QCOMPARE(transits.count(QStringLiteral("Foto")), 3);
        QCOMPARE(rows->index(transits.indexOf(QStringLiteral("Foto")), JournalWindow::TransitColumn)
                     .data(Qt::ToolTipRole)
                     .toString(),
                 QStringLiteral("Auf dem Foto mond.tif gemessen"));
        // Copernicus: its timings' night and its photograph's, side by side.
        QStringList copernicusKinds;
        for (int i = 0; i < journal.StatisticsList->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* group = journal.StatisticsList->topLevelItem(i);
            if (group->text(JournalWindow::GroupFormationColumn) == QStringLiteral("Copernicus"))
                copernicusKinds << group->text(JournalWindow::KindColumn) + QLatin1Char(' ') +
                                       group->text(JournalWindow::CountColumn);
        }
        QCOMPARE(copernicusKinds, (QStringList{"Zeit 2", "Foto 1", "Zeit 2", "Foto 1"}));
        SaveScreenshot(journal, QStringLiteral("photo_journal"));
    }

    void aShadowGivenToAFormationInTheNightIsRefusedAndNotSaved()
    {
        Calibrate();
        const PictureGeometry& g = camera;
        const ShadowCase& c = scene.Shadows.front();
        photo().ShadowStep->click();
        ClickPicture(AsImagePoint(OnPicture(g, c.SummitEast, c.SummitNorth)));
        ClickPicture(AsImagePoint(OnPicture(g, c.TipEast, c.TipNorth)));
        QVERIFY(photo().SaveButton->isEnabled());
        photo().MeasuredFormationBox->setCurrentIndex(
            photo().MeasuredFormationBox->findText(QStringLiteral("Grimaldi")));
        QCOMPARE(photo().ResultLabel->text(), QStringLiteral("Mondnacht"));
        QCOMPARE(photo().DetailLabel->text(),
                 QStringLiteral("Die Formation liegt in der Mondnacht: die Sonne steht unter ihrem Horizont."));
        QVERIFY(!photo().SaveButton->isEnabled());
        photo().SaveButtonClick();
        QVERIFY(!FileExists(kJournalFileName));
    }

    void aDamagedPictureIsRefusedAndTheOpenOneStays()
    {
        OpenSyntheticPicture();
        const std::string whole = ReadBytes((pictures / "mond.tif").string());
        WriteBytes("kaputt.tif", whole.substr(0, whole.size() / 3));
        photo().SetPhotoChooser(
            [](QWidget*, const QString&) { return QDir::current().absoluteFilePath("kaputt.tif"); });
        f->messages.clear();
        QTest::mouseClick(photo().OpenButton, Qt::LeftButton);
        QCOMPARE(f->messages.messages().size(), 1);
        QCOMPARE(f->messages.lastText(), QStringLiteral("Das Bild \"kaputt.tif\" kann nicht gelesen werden: die Datei "
                                                        "ist beschädigt oder unvollständig."));
        QCOMPARE(photo().Photo()->FileName, std::string("mond.tif"));
        QCOMPARE(photo().FileLabel->text(), QStringLiteral("mond.tif"));
    }

    void aCameraClockIsAskedOnceAndGivesTheMezMoment()
    {
        for (const char* name : {"a.jpg", "b.jpg"}) QVERIFY(WriteCameraPicture(name, "2026:12:18 20:00:31"));
        QString next = QStringLiteral("a.jpg");
        photo().SetPhotoChooser([&](QWidget*, const QString&) { return QDir::current().absoluteFilePath(next); });
        // An answer that is no number opens nothing and keeps nothing.
        f->messages.QueuePromptAnswer(QStringLiteral("zwei"));
        QTest::mouseClick(photo().OpenButton, Qt::LeftButton);
        QCOMPARE(f->messages.messages().size(), 2);
        QCOMPARE(f->messages.lastText(), QStringLiteral("'zwei' ist kein gültiger Gleitkommawert."));
        QVERIFY(!photo().Photo());
        QVERIFY(!CameraClockOffset());

        f->messages.clear();
        f->messages.QueuePromptAnswer(QStringLiteral("2"));  // MESZ
        QTest::mouseClick(photo().OpenButton, Qt::LeftButton);
        QCOMPARE(f->messages.messages().size(), 1);
        QCOMPARE(f->messages.messages().front().kind, RecordedMessage::Kind::Prompt);
        // 20:00:31 MESZ is 18:00:31 UT, 19:01 MEZ to the minute.
        QCOMPARE(photo().DateEdit->text(), QStringLiteral("18.12.2026"));
        QCOMPARE(photo().TimeEdit->text(), QStringLiteral("19:01"));
        QCOMPARE(photo().ClockEdit->text(), QStringLiteral("2"));
        QVERIFY(photo().ClockEdit->isEnabled());

        next = QStringLiteral("b.jpg");
        QTest::mouseClick(photo().OpenButton, Qt::LeftButton);
        QCOMPARE(f->messages.messages().size(), 1);  // not asked again
        QCOMPARE(photo().TimeEdit->text(), QStringLiteral("19:01"));
        // Another zone typed: the moment follows, and is kept for the next picture.
        photo().ClockEdit->setText(QStringLiteral("1"));
        photo().MomentChange();
        QCOMPARE(photo().TimeEdit->text(), QStringLiteral("20:01"));
        QCOMPARE(CameraClockOffset().value_or(0), 60);
    }
};

QTEST_MAIN(PhotoWindowTest)
#include "photo_window_test.moc"
