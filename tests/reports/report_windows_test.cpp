// The three report windows: where their controls sit, what a fill shows
// for a known date and site, and that an opening refills from the state.

#include "reports/phase_picture.h"
#include "tests/reports/observation_at.h"
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
    if (!match.hasMatch()) {
        qWarning() << "not a sexagesimal text:" << text;
        return std::nan("");
    }
    const double value = match.captured(2).toDouble() + match.captured(3).toDouble() / 60 +
                         match.captured(4).toDouble() / 3600;
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

void ExpectPlace(QWidget* widget, QPoint topLeft)
{
    QVERIFY2(widget, "missing control");
    QCOMPARE(widget->pos(), topLeft);
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
    QVERIFY(letter->font().bold());
    QCOMPARE(letter->font().pixelSize(), 16);
    const QString text = caption->text();
    const int blanks = text.indexOf(QStringLiteral("    "));
    QVERIFY2(blanks > 0, qPrintable(text));
    const QFontMetrics metrics = caption->fontMetrics();
    const int gapLeft = caption->x() + metrics.horizontalAdvance(text.left(blanks));
    const int gapRight = caption->x() + metrics.horizontalAdvance(text.left(blanks + 4));
    const QRect glyph = letter->fontMetrics().boundingRect(letter->text()).translated(letter->x(), 0);
    QVERIFY2(glyph.left() >= gapLeft && glyph.right() < gapRight,
             qPrintable(QStringLiteral("%1 at %2..%3, gap %4..%5")
                            .arg(letter->text())
                            .arg(glyph.left())
                            .arg(glyph.right())
                            .arg(gapLeft)
                            .arg(gapRight)));
}

bool IsBlue(QLabel* label) { return label->palette().color(QPalette::WindowText) == QColor(0, 0, 255); }

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
        QCOMPARE(w.windowTitle(), QStringLiteral("Mondposition"));
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
        QCOMPARE(f->state.MoonRightAscension, expected.MoonRightAscension);
        QCOMPARE(f->state.Altitude, expected.Altitude);
        SaveScreenshot(w, QStringLiteral("report_moon_position"));
    }

    void moonPositionLayout()
    {
        TForm5& w = *f->windows->Form5;
        QCOMPARE(w.size(), QSize(296, 307));
        const std::pair<QLabel*, QPoint> captions[] = {
            {w.Label4, {16, 80}},   {w.Label5, {16, 104}},  {w.Label6, {16, 128}}, {w.Label7, {16, 152}},
            {w.Label8, {16, 176}},  {w.Label9, {16, 200}},  {w.Label20, {16, 224}}, {w.Label21, {16, 248}},
        };
        for (auto [label, place] : captions) {
            ExpectPlace(label, place);
            QVERIFY2(label->font().bold(), qPrintable(label->objectName()));
        }
        QCOMPARE(w.Label16->text() + w.Label17->text() + w.Label18->text() + w.Label19->text(),
                 QStringLiteral("αδβλ"));
        ExpectInGap(w.Label16, w.Label5, 99);
        ExpectInGap(w.Label17, w.Label6, 123);
        ExpectInGap(w.Label18, w.Label7, 147);
        ExpectInGap(w.Label19, w.Label8, 171);
        QCOMPARE(w.Label6->text(), QStringLiteral("Deklination    :"));
        for (QLabel* value : {w.Label10, w.Label11, w.Label12, w.Label13, w.Label14, w.Label15, w.Label22, w.Label23}) {
            QCOMPARE(value->x(), 176);
            QVERIFY2(IsBlue(value) && !value->font().bold(), qPrintable(value->objectName()));
            // Every text fits its label.
            QVERIFY2(value->fontMetrics().horizontalAdvance(value->text()) <= value->width(),
                     qPrintable(value->text()));
        }
        QCOMPARE(w.Label23->y(), 248);
        QCOMPARE(w.Button1->geometry(), QRect(88, 275, 121, 25));
    }

    void physicalEphemeridesShowTheResultsInDegrees()
    {
        TForm6& w = *f->windows->Form6;
        QCOMPARE(w.windowTitle(), QStringLiteral("Physische Ephemeriden"));
        QCOMPARE(w.Label1->text(), QStringLiteral("Mondephemeriden für den 15. 3. 2003 um 20:05 Uhr MEZ"));
        QCOMPARE(w.Label3->text(), QStringLiteral("(51° 19' 59\" n./s. Breite und 13° 24' 0\" ö./w. Länge)"));

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
        SaveScreenshot(w, QStringLiteral("report_physical_ephemerides"));
    }

    void physicalEphemeridesLayout()
    {
        TForm6& w = *f->windows->Form6;
        const std::pair<QLabel*, QPoint> captions[] = {
            {w.Label4, {16, 80}},   {w.Label16, {16, 93}},  {w.Label5, {16, 117}}, {w.Label17, {16, 130}},
            {w.Label7, {16, 154}},  {w.Label19, {16, 167}}, {w.Label6, {16, 191}}, {w.Label18, {16, 204}},
            {w.Label8, {16, 228}},  {w.Label20, {16, 241}},
        };
        for (auto [label, place] : captions) {
            ExpectPlace(label, place);
            QVERIFY2(label->font().bold(), qPrintable(label->objectName()));
        }
        QCOMPARE(w.Label20->text(), QStringLiteral("Mondachse    /P:"));
        QCOMPARE(w.Label22->text(), QStringLiteral("ϑ"));
        ExpectInGap(w.Label22, w.Label20, 237);
        // Values end at one right edge.
        const int right = w.Label10->geometry().right();
        const std::pair<QLabel*, int> values[] = {
            {w.Label10, 93}, {w.Label11, 130}, {w.Label13, 167}, {w.Label12, 204}, {w.Label14, 241}};
        for (auto [value, top] : values) {
            ExpectPlace(value, {176, top});
            QCOMPARE(value->geometry().right(), right);
            QVERIFY(value->alignment() & Qt::AlignRight);
            QVERIFY2(IsBlue(value), qPrintable(value->objectName()));
            QVERIFY(value->fontMetrics().horizontalAdvance(QStringLiteral("-359° 59' 59\"")) <= value->width());
        }
        QVERIFY(right < w.width());
        for (QLabel* line : {w.Label1, w.Label2, w.Label3})
            QVERIFY2(!line->font().bold() && !IsBlue(line), qPrintable(line->objectName()));

        // The longest date line still fits the window.
        f->state.Day = 30;
        f->state.Month = 12;
        f->state.Hour = 23;
        f->state.Minute = 59;
        w.FormCreate();
        QCOMPARE(w.Label1->text(), QStringLiteral("Mondephemeriden für den 30. 12. 2003 um 23:59 Uhr MEZ"));
        QVERIFY(w.Label1->fontMetrics().horizontalAdvance(w.Label1->text()) <= w.Label1->width());
        QVERIFY(w.Label1->geometry().right() < w.width());
        SaveScreenshot(w, QStringLiteral("report_physical_ephemerides_long_date"));
    }

    void observingConditionsForAKnownEvening()
    {
        TForm7& w = *f->windows->Form7;
        QCOMPARE(w.windowTitle(), QStringLiteral("Sichtverhältnisse"));
        QCOMPARE(w.Label4->text(), QStringLiteral("Mondphase am 15.3.2003"));
        QCOMPARE(w.Label5->text(), QStringLiteral("um 20:05 Uhr MEZ:"));

        const ObservationState expected = KnownMoonPlace();
        const double age = MoonAge(expected);
        // Three days before the full moon of 18 March 2003: waxing, gibbous.
        QVERIFY2(age > 11 && age < 12.7, qPrintable(QString::number(age)));
        QCOMPARE(w.Label3->text(), QStringLiteral("zunehmend"));
        const QImage picture = w.Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(picture, PhasePicture(static_cast<int>(std::lround(age))));

        ExpectAngle(w.Label22, expected.Azimuth);
        ExpectAngle(w.Label23, expected.Altitude);
        // High in the south-east after the March daylight window (to 18:45).
        QVERIFY2(expected.Altitude >= 10, qPrintable(QString::number(expected.Altitude)));
        QCOMPARE(w.Label1->text(), QStringLiteral("Es herrschen günstige"));
        QCOMPARE(w.Label2->text(), QStringLiteral("Mondbeobachtungsbedingungen!"));
        SaveScreenshot(w, QStringLiteral("report_observing_conditions"));
    }

    void observingConditionsLayout()
    {
        TForm7& w = *f->windows->Form7;
        QCOMPARE(w.GroupBox1->geometry(), QRect(8, 8, 281, 153));
        QCOMPARE(w.GroupBox2->geometry(), QRect(8, 176, 281, 89));
        QVERIFY(w.GroupBox1->font().bold());
        QCOMPARE(w.Image1->parentWidget(), w.GroupBox1);
        QCOMPARE(w.Image1->geometry(), QRect(8, 24, 130, 120));
        const std::pair<QLabel*, QPoint> inPhaseBox[] = {
            {w.Label4, {144, 32}},  {w.Label5, {144, 48}},   {w.Label3, {152, 68}},
            {w.Label20, {144, 100}}, {w.Label21, {144, 124}}, {w.Label22, {208, 100}}, {w.Label23, {208, 124}},
        };
        for (auto [label, place] : inPhaseBox) {
            QCOMPARE(label->parentWidget(), w.GroupBox1);
            ExpectPlace(label, place);
        }
        QCOMPARE(w.Label1->parentWidget(), w.GroupBox2);
        ExpectPlace(w.Label1, {8, 24});
        ExpectPlace(w.Label2, {8, 42});
        for (QLabel* large : {w.Label3, w.Label1, w.Label2}) {
            QCOMPARE(large->font().pixelSize(), 13);
            QVERIFY(IsBlue(large));
        }
        // The longest verdict line fits inside its frame.
        QVERIFY(w.Label1->x() + w.Label1->fontMetrics().horizontalAdvance(
                                    QStringLiteral("eine Beobachtung ist nicht möglich.")) < w.GroupBox2->width());
        QVERIFY(w.Label1->fontMetrics().horizontalAdvance(QStringLiteral("Bei Vollmond können keine Mondberge")) <=
                w.Label1->width());
        QCOMPARE(w.Label22->geometry().right(), w.Label23->geometry().right());
        QVERIFY(w.Label22->alignment() & Qt::AlignRight);
        QVERIFY(w.Label22->fontMetrics().horizontalAdvance(QStringLiteral("359° 59' 59\"")) <= w.Label22->width());
    }

    void openingRefillsFromTheCurrentStateCentredOverTheMainWindow()
    {
        TForm1& main = f->main();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        main.move(main.pos() + QPoint(-31, 17));
        TForm5& position = *f->windows->Form5;
        TForm6& ephemerides = *f->windows->Form6;
        TForm7& conditions = *f->windows->Form7;

        // A new time shows only at the next opening.
        f->state.Day = 6;
        f->state.Month = 1;
        f->state.Hour = 0;
        f->state.Minute = 9;
        QCOMPARE(position.Label1->text(), QStringLiteral("Mondposition für den 15. 3. 2003 um 20:05 Uhr MEZ"));

        main.Mondposition2->trigger();
        QCOMPARE(position.Label1->text(), QStringLiteral("Mondposition für den 6. 1. 2003 um 0:09 Uhr MEZ"));
        QCOMPARE(position.frameGeometry().topLeft(),
                 CentredOver(main.frameGeometry(), position.frameGeometry().size()));
        position.Button1->click();

        main.PhysEphemeriden1->trigger();
        QCOMPARE(ephemerides.Label1->text(), QStringLiteral("Mondephemeriden für den 6. 1. 2003 um 0:09 Uhr MEZ"));
        ephemerides.Button1->click();

        main.Sichtverhltnisseeinschtzen1->trigger();
        QVERIFY(conditions.isVisible());
        QCOMPARE(conditions.Label4->text(), QStringLiteral("Mondphase am 6.1.2003"));
        QCOMPARE(conditions.Label5->text(), QStringLiteral("um 0:09 Uhr MEZ:"));
        conditions.Button1->click();
        QVERIFY(main.isEnabled());
        QVERIFY2(f->messages.messages().isEmpty(), qPrintable(f->messages.lastText()));
    }
};

QTEST_MAIN(ReportWindowsTest)
#include "report_windows_test.moc"
