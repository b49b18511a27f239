// The window "Mond im Okular": it leaves the main window usable and follows
// its time; a click on a formation chooses it there and the hover tells the
// Sun's altitude the height meter uses; the orientation is kept for the next
// run; zoom and pan by keys never lose the Moon; the panel says when the
// Moon is below the horizon.

#include "map/eyepiece_window.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cmath>

namespace {

const char* kIni = "Art\r\nBerlin\r\n52,52\r\n13,405\r\n";
const std::string kCatalogue = Record("300 320 100 120", "Posidonius", "31,9", "29,9", "", "0") +
                               Record("250 270 150 170", "Roemer", "25,4", "36,4", "", "0") +
                               Record("100 120 150 170", "Tycho", "-43,3", "-11,2", "4800", "1") +
                               Record("180 200 40 60", "Plato", "51,6", "-9,4", "", "0");

/// The largest difference of a colour channel between two pictures of one size.
int LargestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max(
                {largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

}  // namespace

class EyepieceWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;

    TForm1& w() { return f->main(); }
    EyepieceWindow& eyepiece() { return *f->windows->Eyepiece; }

    void Start(ClockReading clock)
    {
        f = std::make_unique<WindowFixture>();
        f->clockReading = clock;
        WriteBytes("mirelta.ini", kIni);
        WriteBytes("places.dat", "Berlin\r\n52,52\r\n13,405\r\n");
        WriteBytes("objects.dat", kCatalogue);
        f->Start();
        w().show();
        w().MondimOkular1->trigger();
    }

    void SetTime(const QStringList& fields) { f->ChooseTime(fields); }

    QPoint PixelOf(double latitude, double longitude)
    {
        const std::optional<QPointF> pixel = eyepiece().View->PixelOf({latitude, longitude});
        return pixel ? pixel->toPoint() : QPoint(-1, -1);
    }

private slots:
    void init() { Start({2026, 12, 13, 17, 0}); }
    void cleanup()
    {
        QVERIFY(f->messages.messages().isEmpty());
        f.reset();
    }

    void besideTheMainWindowFollowingItsTime()
    {
        QVERIFY(eyepiece().isVisible());
        QVERIFY(w().isEnabled());  // not modal
        QVERIFY(eyepiece().TonightLabel->text().startsWith(QStringLiteral("Am 13.12.2026 in Berlin (MEZ):")));
        QVERIFY(eyepiece().TonightLabel->text().contains(QStringLiteral("Aufgang: 11:13")));
        // The next phases, the nearest first (astronomy-engine: 17.12.2026
        // 6:43:14 and 24.12.2026 2:28:45 MEZ).
        QVERIFY(eyepiece().TonightLabel->text().contains(
            QStringLiteral("\nErstes Viertel: 17.12.2026, 06:43\nVollmond: 24.12.2026, 02:28\n")));
        const double before = eyepiece().Globe().JulianDateUt;
        SetTime({"18", "12", "2026", "19", "0"});
        QVERIFY(eyepiece().isVisible());
        QVERIFY(eyepiece().TonightLabel->text().startsWith(QStringLiteral("Am 18.12.2026")));
        QCOMPARE(eyepiece().Globe().JulianDateUt, before + 5 + 2.0 / 24);
        eyepiece().CloseButton->click();
        QVERIFY(!eyepiece().isVisible());
        QVERIFY(w().isEnabled());
    }

    void clickChoosesTheFormationAndHoverTellsItsSun()
    {
        const QPoint posidonius = PixelOf(31.9, 29.9);
        QVERIFY(eyepiece().View->rect().contains(posidonius));
        // The hover: the name, and the place under the pointer with the
        // Sun's altitude over it as the height meter finds it.
        QTest::mouseMove(eyepiece().View, posidonius);
        const QString hover = eyepiece().HoverLabel->text();
        const std::optional<SelenographicPoint> point = eyepiece().View->PointAtPixel(QPointF(posidonius));
        QVERIFY(point.has_value());
        ObservationState s = f->state;
        const double sun = SunAltitudeOver(ComputeSunOverMoon(s), point->Latitude, point->Longitude);
        const auto decimal = [](double value) { return QString::number(value, 'f', 1).replace('.', ','); };
        const QString expected = QStringLiteral("Posidonius: ") + decimal(point->Latitude) + QStringLiteral("° N, ") +
                                 decimal(point->Longitude) + QStringLiteral("° O, Sonnenhöhe ") + decimal(sun) +
                                 QStringLiteral("°");
        QCOMPARE(hover, expected);

        QTest::mouseClick(eyepiece().View, Qt::LeftButton, Qt::NoModifier, posidonius + QPoint(3, -2));
        QCOMPARE(w().Label5->text(), QStringLiteral("Posidonius"));
        // The chosen one is named first in the picture.
        QVERIFY(!eyepiece().View->Labels().empty());
        QCOMPARE(eyepiece().View->Formations()[eyepiece().View->Labels().front().Formation].Name,
                 std::string("Posidonius"));
        // Choosing in the main window names it here as well.
        w().ChooseObject(QStringLiteral("Tycho"));
        QCOMPARE(eyepiece().View->Formations()[eyepiece().View->Labels().front().Formation].Name, std::string("Tycho"));
        // A click on the empty sky chooses nothing.
        QTest::mouseClick(eyepiece().View, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QCOMPARE(w().Label5->text(), QStringLiteral("Tycho"));
    }

    void orientationIsKeptForTheNextRun()
    {
        eyepiece().ZenithUpButton->click();
        eyepiece().MirroredBox->click();
        const double parallactic = ParallacticAngleFromSite(eyepiece().Globe());
        QCOMPARE(eyepiece().View->Frame().Transform.UpAngle(), parallactic);
        QVERIFY(eyepiece().View->Frame().Transform.Mirrored());

        // The next run, in the same working and settings folder.
        f->windows.reset();
        f->Start();
        w().show();
        w().MondimOkular1->trigger();
        QVERIFY(eyepiece().ZenithUpButton->isChecked());
        QVERIFY(eyepiece().MirroredBox->isChecked());
        QVERIFY(!eyepiece().Rotated180Box->isChecked());
        QCOMPARE(eyepiece().View->Frame().Transform.UpAngle(), parallactic);
    }

    void zoomAndPanNeverLoseTheMoon()
    {
        EyepieceView& view = *eyepiece().View;
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_Plus);
        QCOMPARE(view.Zoom(), EyepieceView::kZoomStep);
        for (int i = 0; i < 30; ++i) QTest::keyClick(&view, Qt::Key_Plus);
        QCOMPARE(view.Zoom(), EyepieceView::kLargestZoom);
        // Far to one side: the Moon stays in sight.
        for (int i = 0; i < 200; ++i) QTest::keyClick(&view, Qt::Key_Left);
        QVERIFY(view.PointAtPixel(QPointF(view.width() / 2.0, view.height() / 2.0)).has_value() ||
                view.PointAtPixel(QPointF(0.5, view.height() / 2.0)).has_value() ||
                view.PointAtPixel(QPointF(view.width() - 0.5, view.height() / 2.0)).has_value());
        QVERIFY(view.Frame().CentreX != view.width() / 2.0);
        // The picture moved by the pan, with the strips it uncovered drawn,
        // matches one drawn afresh (to the rounding of single precision).
        const QImage panned = view.Picture().copy();
        const ViewOrientation same = view.Orientation();
        view.SetOrientation({!same.ZenithUp, same.Mirrored, same.Rotated180});
        view.SetOrientation(same);
        QVERIFY(view.Picture().size() == panned.size());
        QVERIFY(LargestDifference(view.Picture(), panned) <= 2);

        eyepiece().WholeMoonButton->click();
        QCOMPARE(view.Zoom(), 1.0);
        QCOMPARE(view.Frame().CentreX, view.width() / 2.0);
        QCOMPARE(view.Frame().CentreY, view.height() / 2.0);
        QTest::keyClick(&view, Qt::Key_Minus);
        QCOMPARE(view.Zoom(), 1.0);
    }

    void withoutTheCatalogueTheMoonIsStillDrawn()
    {
        eyepiece().CloseButton->click();
        QVERIFY(QFile::remove(QStringLiteral("objects.dat")));
        w().MondimOkular1->trigger();
        // The error is reported once, the Moon drawn and the panel filled,
        // without names.
        QCOMPARE(f->messages.messages().size(), 1);
        QVERIFY(f->messages.lastText().contains(QStringLiteral("Datei nicht gefunden")));
        f->messages.clear();
        QVERIFY(eyepiece().isVisible());
        QVERIFY(eyepiece().View->Labels().empty());
        QVERIFY(
            eyepiece().TonightLabel->text().contains(QStringLiteral("Lichtgrenze: keine Formation der Objektliste")));
        const QImage& picture = eyepiece().View->Picture();
        QVERIFY(picture.pixel(picture.width() / 2, picture.height() / 2) != qRgb(0, 0, 0));
    }

    void belowTheHorizonTheWindowSaysSo()
    {
        SetTime({"13", "12", "2026", "22", "0"});  // set at 20:02
        QVERIFY2(eyepiece().TonightLabel->text().contains(QStringLiteral("Um 22:00 steht der Mond unter dem Horizont")),
                 qPrintable(eyepiece().TonightLabel->text()));
        SaveScreenshot(eyepiece(), QStringLiteral("mond_im_okular"));
    }
};

QTEST_MAIN(EyepieceWindowTest)
#include "eyepiece_window_test.moc"
