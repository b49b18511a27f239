// A row of the command line's table holds the very numbers the three
// report windows show for the same moment and site: each report is opened
// from the menu and its state read right afterwards, and each label is
// what the report makes of the number the command line printed.

#include "app/command_line.h"
#include "astronomy/sun_over_moon.h"
#include "platform/number_text.h"
#include "platform/sexagesimal.h"
#include "reports/observing_conditions.h"
#include "reports/report_texts.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <sstream>

namespace {

// Windows-1252: ö = F6.
const char* kSite = "Sch\xF6nfeld\r\n51,3333333333333\r\n13,4\r\n";
const char* kIni = "Art\r\nSch\xF6nfeld\r\n51,3333333333333\r\n13,4\r\n";

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

class CommandLineReportsTest : public QObject {
    Q_OBJECT

private slots:
    void aRowIsWhatTheThreeReportsShow()
    {
        WindowFixture f;  // 15 March 2003, 20:05 MEZ
        WriteBytes("mirelta.ini", kIni);
        WriteBytes("places.dat", kSite);
        WriteBytes("objects.dat", "");
        f.Start('.');
        QCOMPARE(QString::fromStdString(f.state.SiteName), QStringLiteral("Schönfeld"));

        std::ostringstream out, err;
        QCOMPARE(RunCommandLine({"--tabelle", "--von", "15.3.2003", "--bis", "15.3.2003", "--zeit", "20:05",
                                 "--schritt", "1440", "--ort", "Schönfeld"},
                                out, err),
                 kExitSuccess);
        std::istringstream lines(out.str());
        std::string header, line;
        std::getline(lines, header);
        std::getline(lines, line);
        std::vector<std::string> field;
        std::istringstream fields(line);
        for (std::string text; std::getline(fields, text, ';');) field.push_back(text);
        QCOMPARE(field.size(), std::size_t{19});
        QCOMPARE(field[0] + " " + field[1], std::string("15.03.2003 20:05"));
        auto number = [&](int column) { return TextToFloat(field[column], '.'); };

        // The Moon position report.
        TForm1& main = f.main();
        main.Mondposition2->trigger();
        const ObservationState afterMoonPosition = f.state;
        TForm5& moon = *f.windows->Form5;
        QCOMPARE(field[2], FloatToText(JulianDate(afterMoonPosition), '.'));
        QCOMPARE(field[3], FloatToText(afterMoonPosition.MoonRightAscension / 15, '.'));
        QCOMPARE(field[4], FloatToText(afterMoonPosition.MoonDeclination, '.'));
        QCOMPARE(field[5], FloatToText(afterMoonPosition.Azimuth, '.'));
        QCOMPARE(field[6], FloatToText(afterMoonPosition.Altitude, '.'));
        QCOMPARE(field[7], FloatToText(afterMoonPosition.MoonEclipticLongitude, '.'));
        QCOMPARE(field[8], FloatToText(afterMoonPosition.MoonEclipticLatitude, '.'));
        QCOMPARE(field[9], FloatToText(afterMoonPosition.MoonDistance, '.'));
        QCOMPARE(moon.Label10->text(), Text(JulianDateText(number(2), '.')));
        QCOMPARE(moon.Label11->text(), Text(AngleText(number(3), kHourUnit)));
        QCOMPARE(moon.Label12->text(), Text(AngleText(number(4))));
        QCOMPARE(moon.Label22->text(), Text(AngleText(number(5))));
        QCOMPARE(moon.Label23->text(), Text(AngleText(number(6))));
        QCOMPARE(moon.Label14->text(), Text(AngleText(number(7))));
        QCOMPARE(moon.Label13->text(), Text(AngleText(number(8))));
        QCOMPARE(moon.Label15->text(), Text(EarthRadiiText(number(9), '.')));
        QTest::mouseClick(moon.Button1, Qt::LeftButton);

        // The physical ephemerides report.
        main.PhysEphemeriden1->trigger();
        const ObservationState afterEphemerides = f.state;
        TForm6& ephemerides = *f.windows->Form6;
        QCOMPARE(field[10], FloatToText(afterEphemerides.LibrationLongitude, '.'));
        QCOMPARE(field[11], FloatToText(afterEphemerides.LibrationLatitude, '.'));
        QCOMPARE(field[12], FloatToText(afterEphemerides.AxisPositionAngle, '.'));
        QCOMPARE(field[13], FloatToText(afterEphemerides.SunSelenographicLatitude, '.'));
        QCOMPARE(field[14], FloatToText(afterEphemerides.TerminatorLongitude, '.'));
        QCOMPARE(ephemerides.Label11->text(), Text(AngleText(number(10))));
        QCOMPARE(ephemerides.Label10->text(), Text(AngleText(number(11))));
        QCOMPARE(ephemerides.Label14->text(), Text(AngleText(number(12))));
        QCOMPARE(ephemerides.Label13->text(), Text(AngleText(number(13))));
        QCOMPARE(ephemerides.Label12->text(), Text(AngleText(number(14))));
        // The colongitude: 90 deg minus the subsolar longitude, here on the
        // waxing Moon's morning terminator about the terminator's longitude
        // negated. The subsolar point is seen from the Moon, the report's
        // terminator from the Earth's centre: they differ by the Moon's
        // offset from that line, 0.15 deg at most.
        QCOMPARE(field[15], FloatToText(SunOverMoonFromEphemerides(afterEphemerides).Colongitude, '.'));
        QVERIFY(std::abs(number(15) + number(14)) < 0.16);
        QTest::mouseClick(ephemerides.Button1, Qt::LeftButton);

        // The observing conditions report.
        main.Sichtverhltnisseeinschtzen1->trigger();
        TForm7& conditions = *f.windows->Form7;
        QCOMPARE(field[16], FloatToText(MoonAge(f.state), '.'));
        QCOMPARE(conditions.Label3->text(), Text(field[17]));
        QCOMPARE(conditions.Label22->text(), Text(AngleText(number(5))));
        QCOMPARE(conditions.Label23->text(), Text(AngleText(number(6))));
        QTest::mouseClick(conditions.Button1, Qt::LeftButton);
    }
};

QTEST_MAIN(CommandLineReportsTest)
#include "command_line_reports_test.moc"
