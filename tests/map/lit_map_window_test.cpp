// "Beleuchtung auf der Karte": the map lit for the observation's date and
// time, day and night on the right sides of the terminator, following the
// time dialog, and never in the way of the new object's rubber band.

#include "map/lit_map.h"
#include "map/map_geometry.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const char* kIni = "Art\r\nBonn\r\n50,7333\r\n7,1\r\n";
const std::string kCatalogue = Record("100 120 150 170", "Tycho", "-43,3", "-11,2", "4800", "1");

// Night pixels keep 3/8 of each colour channel (96/256).
int NightChannel(int channel) { return channel * 96 >> 8; }

}  // namespace

class LitMapWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;
    QImage artwork;

    TForm1& w() { return f->main(); }
    const QImage& Picture() { return w().MoonImage->Picture(); }

    // The lit map for the state's date and time, made apart from the window.
    QImage Expected()
    {
        QImage picture = artwork;
        MapLighting lighting(artwork);
        ObservationState state = f->state;
        lighting.Light(picture, ComputeSunOverMoon(state));
        return picture;
    }

    void SwitchLighting(bool on)
    {
        if (w().BeleuchtungaufderKarte1->isChecked() != on) w().BeleuchtungaufderKarte1->trigger();
    }

    void SetTime(const QStringList& fields) { f->ChooseTime(fields); }

private slots:
    void init()
    {
        f = std::make_unique<WindowFixture>();
        WriteBytes("mirelta.ini", kIni);
        WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
        WriteBytes("objects.dat", kCatalogue);
        f->Start();
        artwork = Picture().copy();
    }
    void cleanup() { f.reset(); }

    void offAtStart()
    {
        QVERIFY(w().BeleuchtungaufderKarte1->isCheckable());
        QVERIFY(!w().BeleuchtungaufderKarte1->isChecked());
        QCOMPARE(Picture(), artwork);
    }

    void dayAndNightOnTheirSidesOfTheTerminator()
    {
        SwitchLighting(true);
        // 15 March 2003, 20:05 MEZ: a waxing Moon, the day east of the
        // terminator the physical ephemerides give.
        ObservationState s = f->state;
        ComputePhysicalEphemeridesInDegrees(s);
        for (double latitude : {-30.0, 0.0, 30.0}) {
            const MapPixel day = MapPixelOf(latitude, s.TerminatorLongitude + 6);
            const MapPixel night = MapPixelOf(latitude, s.TerminatorLongitude - 6);
            QCOMPARE(Picture().pixel(day.x, day.y), artwork.pixel(day.x, day.y));
            const QRgb was = artwork.pixel(night.x, night.y), is = Picture().pixel(night.x, night.y);
            QCOMPARE(qRed(is), NightChannel(qRed(was)));
            QCOMPARE(qGreen(is), NightChannel(qGreen(was)));
            QCOMPARE(qBlue(is), NightChannel(qBlue(was)));
        }
        QCOMPARE(Picture().pixel(2, 2), artwork.pixel(2, 2));  // off the disc
        // The markers and the pick work on as before.
        w().MoonImageMouseOver(110, 160);
        w().Cursor1Click();
        QCOMPARE(w().Label5->text(), QStringLiteral("Tycho"));
    }

    void followsTheTimeDialogAndSwitchesOff()
    {
        SwitchLighting(true);
        const QImage before = Picture().copy();
        QCOMPARE(Picture(), Expected());
        SetTime({"22", "3", "2003", "20", "5"});  // waning
        QVERIFY(Picture() != before);
        QCOMPARE(Picture(), Expected());
        SwitchLighting(false);
        QCOMPARE(Picture(), artwork);
    }

    void rubberBandRestoresTheLitMap()
    {
        SwitchLighting(true);
        w().NeuesObjektdefinieren1->trigger();
        w().MoonImageMouseOver(150, 150);
        w().Cursor3MouseDown(11, 11);
        w().Cursor3MouseOver(41, 31, Qt::LeftButton, Qt::NoModifier);
        QVERIFY(Picture() != Expected());  // the band is drawn
        // Even a new lighting under the band leaves it removable.
        f->clockReading.Day = 20;  // the time follows the clock
        w().UpdateMapLighting();
        QCOMPARE(f->state.Day, 20);
        w().Cursor3MouseOver(61, 51, Qt::LeftButton, Qt::NoModifier);
        w().Cursor3MouseUp(11, 11);
        w().Button3->click();  // cancel: the band is drawn again, i.e. erased
        QCOMPARE(Picture(), Expected());
    }
};

QTEST_MAIN(LitMapWindowTest)
#include "lit_map_window_test.moc"
