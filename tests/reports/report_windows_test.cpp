// The three report windows: what a fill shows for a known date and site,
// that the texts fit their places, and that an opening refills from the state.

#include "reports/phase_picture.h"
#include "tests/support/observation_at.h"
#include "tests/support/window_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <cmath>

namespace {

// 15 March 2003, 20:05 MEZ (the fixture's clock) at this site.
const char* kIni = "Art\r\nSonneberg\r\n51,3333333333333\r\n13,4\r\n";

constexpr double kHalfSecond = 0.5 / 3600;

// "-6° 26' 36"" or "8h 13' 48"" back to a number of degrees or hours.
double SexagesimalValue(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(-?)(\\d+)(?:° |h )(\\d+)' (\\d+)\"$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return std::nan("");
    const double value =
        match.captured(2).toDouble() + match.captured(3).toDouble() / 60 + match.captured(4).toDouble() / 3600;
    return match.captured(1).isEmpty() ? value : -value;
}

// The observation as the fixture sets it, for computing values apart from
// the windows.
ObservationState KnownObservation()
{
    ObservationState state = ObservationAt(15, 3, 2003, 20, 5);
    state.Latitude = 51.3333333333333;
    state.Longitude = 13.4;
    return state;
}

// The Moon's place for the known observation, from the astronomy alone.
ObservationState KnownMoonPlace()
{
    ObservationState s = KnownObservation();
    MoonPosition(s, JulianCenturies(s), s.MoonRightAscension, s.MoonDeclination, s.MoonDistance);
    HorizontalPosition(s, s.MoonRightAscension, s.MoonDeclination, s.Longitude, JulianCenturies(s));
    return s;
}

void ExpectAngle(QLabel* label, double expected)
{
    const double shown = SexagesimalValue(label->text());
    QVERIFY2(std::abs(shown - expected) <= kHalfSecond + 1e-9,
             qPrintable(label->objectName() + ": " + label->text() + " for " + QString::number(expected, 'f', 6)));
}

// The letter sits at height `top` over the four blanks its caption leaves
// before the colon.
void ExpectInGap(QLabel* letter, QLabel* caption, int top)
{
    QCOMPARE(letter->y(), top);
    const QString text = caption->text();
    const int blanks = text.indexOf(QStringLiteral("    "));
    QVERIFY2(blanks > 0, qPrintable(text));
    const QFontMetrics metrics = caption->fontMetrics();
    const int gapLeft = caption->x() + metrics.horizontalAdvance(text.left(blanks));
    const int gapRight = caption->x() + metrics.horizontalAdvance(text.left(blanks + 4));
    const QRect glyph = letter->fontMetrics().boundingRect(letter->text()).translated(letter->x(), 0);
    QVERIFY2(glyph.left() >= gapLeft && glyph.right() < gapRight, qPrintable(letter->text()));
}

}  // namespace

class ReportWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;

private slots:
    void init()
    {
        f = std::make_unique<WindowFixture>();
        WriteBytes("mirelta.ini", kIni);
        WriteBytes("objects.dat", "");
        WriteBytes("places.dat", "");
        f->Start();
        // The site as the site dialog leaves it, whatever it read.
        const ObservationState known = KnownObservation();
        f->state.SiteName = "Sonneberg";
        f->state.Latitude = known.Latitude;
        f->state.Longitude = known.Longitude;
        for (MireltaDialog* report : {static_cast<MireltaDialog*>(f->windows->Form5.get()),
                                      static_cast<MireltaDialog*>(f->windows->Form6.get()),
                                      static_cast<MireltaDialog*>(f->windows->Form7.get())})
            RunFormCreate(*report);
    }
    void cleanup() { f.reset(); }

    void moonPositionShowsTheRoutinesResultsInItsUnits()
    {
        TForm5& w = *f->windows->Form5;
        QCOMPARE(w.Label1->text(), QStringLiteral("Mondposition für den 15. 3. 2003 um 20:05 Uhr MEZ"));
        QCOMPARE(w.Label2->text(), QStringLiteral("in Sonneberg"));
        QCOMPARE(w.Label3->text(), QStringLiteral("(51° 19' 59\" n./s. Breite und 13° 24' 0\" ö./w. Länge)"));
        // 19:05 UT on the day that begins at JD 2452713.5
        QCOMPARE(w.Label10->text(), QStringLiteral("2452714,295"));

        const ObservationState expected = KnownMoonPlace();
        ExpectAngle(w.Label11, expected.MoonRightAscension / 15);
        QVERIFY(w.Label11->text().contains(QStringLiteral("h ")));
        ExpectAngle(w.Label12, expected.MoonDeclination);
        ExpectAngle(w.Label13, expected.MoonEclipticLatitude);
        ExpectAngle(w.Label14, expected.MoonEclipticLongitude);
        ExpectAngle(w.Label22, expected.Azimuth);
        ExpectAngle(w.Label23, expected.Altitude);
        const QString distanceText = QString::number(std::round(expected.MoonDistance * 1e6) / 1e6, 'f', 6)
                                         .remove(QRegularExpression(QStringLiteral("0+$")))
                                         .replace(QLatin1Char('.'), QLatin1Char(','));
        QCOMPARE(w.Label15->text(), distanceText + QStringLiteral(" Erdradien"));
        // The results stay in the state for whoever reads them next.
        QCOMPARE(f->state.Altitude, expected.Altitude);

        ExpectInGap(w.Label16, w.Label5, 99);
        ExpectInGap(w.Label17, w.Label6, 123);
        ExpectInGap(w.Label18, w.Label7, 147);
        ExpectInGap(w.Label19, w.Label8, 171);
        for (QLabel* value : {w.Label10, w.Label11, w.Label12, w.Label13, w.Label14, w.Label15, w.Label22, w.Label23}) {
            QCOMPARE(value->x(), 176);
            QVERIFY2(value->fontMetrics().horizontalAdvance(value->text()) <= value->width(),
                     qPrintable(value->text()));
        }
        SaveScreenshot(w, QStringLiteral("report_moon_position"));
    }

    void physicalEphemeridesShowTheResultsInDegrees()
    {
        TForm6& w = *f->windows->Form6;
        QCOMPARE(w.Label1->text(), QStringLiteral("Mondephemeriden für den 15. 3. 2003 um 20:05 Uhr MEZ"));

        ObservationState expected = KnownObservation();
        MoonPosition(expected, JulianCenturies(expected), expected.MoonRightAscension, expected.MoonDeclination,
                     expected.MoonDistance);
        double sunLongitude = 0, sunLatitude = 0, sunDistance = 0;
        SunPosition(JulianCenturies(expected), sunLongitude, sunLatitude, sunDistance);
        const double rescaledSunDistance = sunDistance / 6378.169 * 1.49598e11;
        PhysicalEphemerides(expected, JulianCenturies(expected), expected.MoonEclipticLongitude,
                            expected.MoonEclipticLatitude, expected.MoonDistance, expected.MoonRightAscension,
                            sunLongitude, rescaledSunDistance);
        const double toDegrees = 1 / 0.0174532925199433;
        ExpectAngle(w.Label10, expected.LibrationLatitude * toDegrees);
        ExpectAngle(w.Label11, expected.LibrationLongitude * toDegrees);
        ExpectAngle(w.Label12, expected.TerminatorLongitude * toDegrees);
        ExpectAngle(w.Label13, expected.SunSelenographicLatitude * toDegrees);
        ExpectAngle(w.Label14, expected.AxisPositionAngle * toDegrees);
        // The state keeps the rescaled distance and the results in degrees.
        QCOMPARE(f->state.SunDistance, rescaledSunDistance);
        QVERIFY(std::abs(f->state.AxisPositionAngle - expected.AxisPositionAngle * toDegrees) < 1e-9);

        ExpectInGap(w.Label22, w.Label20, 237);
        // The values end at one right edge, wide enough for the longest.
        for (QLabel* value : {w.Label10, w.Label11, w.Label12, w.Label13, w.Label14}) {
            QCOMPARE(value->geometry().right(), w.Label10->geometry().right());
            QVERIFY(value->alignment() & Qt::AlignRight);
            QVERIFY(value->fontMetrics().horizontalAdvance(QStringLiteral("-359° 59' 59\"")) <= value->width());
        }
        QVERIFY(w.Label10->geometry().right() < w.width());
        SaveScreenshot(w, QStringLiteral("report_physical_ephemerides"));

        // The longest date line still fits the window.
        f->state.Day = 30;
        f->state.Month = 12;
        f->state.Hour = 23;
        f->state.Minute = 59;
        w.FormCreate();
        QCOMPARE(w.Label1->text(), QStringLiteral("Mondephemeriden für den 30. 12. 2003 um 23:59 Uhr MEZ"));
        QVERIFY(w.Label1->fontMetrics().horizontalAdvance(w.Label1->text()) <= w.Label1->width());
        QVERIFY(w.Label1->geometry().right() < w.width());
    }

    void observingConditionsForAKnownEvening()
    {
        TForm7& w = *f->windows->Form7;
        QCOMPARE(w.Label4->text(), QStringLiteral("Mondphase am 15.3.2003"));
        QCOMPARE(w.Label5->text(), QStringLiteral("um 20:05 Uhr MEZ:"));

        const ObservationState expected = KnownMoonPlace();
        const double age = MoonAge(expected);
        // Three days before the full moon of 18 March 2003: waxing, gibbous.
        QVERIFY2(age > 11 && age < 12.7, qPrintable(QString::number(age)));
        QCOMPARE(w.Label3->text(), QStringLiteral("zunehmend"));
        QCOMPARE(w.Image1->parentWidget(), w.GroupBox1);
        QCOMPARE(w.Image1->geometry(), QRect(8, 24, 130, 120));
        const QImage picture = w.Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(picture, PhasePicture(static_cast<int>(std::lround(age))));

        ExpectAngle(w.Label22, expected.Azimuth);
        ExpectAngle(w.Label23, expected.Altitude);
        // High in the south-east after the March daylight window (to 18:45).
        QVERIFY2(expected.Altitude >= 10, qPrintable(QString::number(expected.Altitude)));
        QCOMPARE(w.Label1->text(), QStringLiteral("Es herrschen günstige"));
        QCOMPARE(w.Label2->text(), QStringLiteral("Mondbeobachtungsbedingungen!"));

        // The verdict lines are children of the lower frame, and the
        // longest fits inside it.
        QCOMPARE(w.Label1->parentWidget(), w.GroupBox2);
        QVERIFY(w.Label1->x() +
                    w.Label1->fontMetrics().horizontalAdvance(QStringLiteral("Bei Vollmond können keine Mondberge")) <
                w.GroupBox2->width());
        QVERIFY(w.Label22->fontMetrics().horizontalAdvance(QStringLiteral("359° 59' 59\"")) <= w.Label22->width());
        SaveScreenshot(w, QStringLiteral("report_observing_conditions"));
    }

    void openingRefillsFromTheCurrentStateCentredOverTheMainWindow()
    {
        TForm1& main = f->main();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        main.move(main.pos() + QPoint(-31, 17));
        TForm5& position = *f->windows->Form5;

        // A new time (the clock's, which the time follows) shows only at the
        // next opening.
        f->clockReading = {2003, 1, 6, 0, 9};
        QCOMPARE(position.Label1->text(), QStringLiteral("Mondposition für den 15. 3. 2003 um 20:05 Uhr MEZ"));

        main.Mondposition2->trigger();
        QCOMPARE(position.Label1->text(), QStringLiteral("Mondposition für den 6. 1. 2003 um 0:09 Uhr MEZ"));
        QCOMPARE(position.frameGeometry().topLeft(),
                 CentredOver(main.frameGeometry(), position.frameGeometry().size()));
        position.Button1->click();

        main.PhysEphemeriden1->trigger();
        QCOMPARE(f->windows->Form6->Label1->text(),
                 QStringLiteral("Mondephemeriden für den 6. 1. 2003 um 0:09 Uhr MEZ"));
        f->windows->Form6->Button1->click();

        main.Sichtverhltnisseeinschtzen1->trigger();
        QCOMPARE(f->windows->Form7->Label5->text(), QStringLiteral("um 0:09 Uhr MEZ:"));
        f->windows->Form7->Button1->click();
        QVERIFY(main.isEnabled());
        QVERIFY2(f->messages.messages().isEmpty(), qPrintable(f->messages.lastText()));
    }
};

QTEST_MAIN(ReportWindowsTest)
#include "report_windows_test.moc"
