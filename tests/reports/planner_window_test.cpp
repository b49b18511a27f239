// The window "Beobachtungsplaner": opened from the menu for the main
// window's formation with its defaults, edits checked before anything is
// replaced, the table page, and the export through an injected file choice.

#include "astronomy/Rechn.h"
#include "observing/ephemeris_table.h"
#include "reports/ephemeris_table_text.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>

namespace {

const char* kIni = "Art\r\nBerlin\r\n52,52\r\n13,405\r\n";

/// The site and the fixture's moment (15 March 2003, 20:05 MEZ).
ObservationState Observation()
{
    ObservationState s;
    s.Day = 15, s.Month = 3, s.Year = 2003, s.Hour = 20, s.Minute = 5;
    s.Latitude = 52.52, s.Longitude = 13.405;
    s.SiteName = "Berlin";
    return s;
}

}  // namespace

class PlannerWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;

    TForm1& main() { return f->main(); }
    PlannerWindow& window() { return *f->windows->Planner; }

    void Open() { main().Beobachtungsplaner1->trigger(); }

private slots:
    void init()
    {
        f = std::make_unique<WindowFixture>();
        WriteBytes("mirelta.ini", kIni);
        WriteBytes("places.dat", "Berlin\r\n52,52\r\n13,405\r\n");
        WriteBytes("objects.dat", Record("130 141 343 351", "Plato", "51,6192", "-9,3825", "", "0") +
                                      Record("150 160 150 160", "Mons Piton", "40.6", "-1.1", "2250", "1") +
                                      Record("0 5 0 5", "Ohne Lage", "", "", "", "0"));
        f->Start();
    }
    void cleanup() { f.reset(); }

    void opensForTheMainWindowsFormationWithItsDefaults()
    {
        main().ChooseObject(QStringLiteral("Plato"));
        const ObservationState before = f->state;
        Open();
        QVERIFY(!main().isEnabled());
        QVERIFY(window().isVisible());
        QCOMPARE(window().windowTitle(), QStringLiteral("Beobachtungsplaner"));
        QCOMPARE(window().FormationBox->count(), 2);  // a formation without coordinates cannot be planned
        QCOMPARE(window().FormationBox->currentText(), QStringLiteral("Plato"));
        QCOMPARE(window().DaysEdit->text(), QStringLiteral("30"));
        QCOMPARE(window().LowestSunEdit->text(), QStringLiteral("1"));
        QCOMPARE(window().HighestSunEdit->text(), QStringLiteral("10"));
        QCOMPARE(window().MoonAltitudeEdit->text(), QStringLiteral("20"));
        QCOMPARE(window().SunAltitudeEdit->text(), QStringLiteral("-6"));
        QCOMPARE(window().RangeLabel->text(), QStringLiteral("Berlin, 15. 3. 2003 0:00 bis 14. 4. 2003 0:00 MEZ"));
        QCOMPARE(window().FormationLabel->text(), QStringLiteral("51,6° N, 9,4° W, keine Höhe in der Objektliste"));

        // The list is the plan of the astronomy for these defaults.
        const std::vector<PlanInterval> expected = PlanObservations(Observation(),
                                                                    {
                                                                        {51.6192, -9.3825},
                                                                        std::nullopt
        },
                                                                    PlanningLimits{}, 30);
        QVERIFY(!expected.empty());
        QCOMPARE(window().Intervals().size(), expected.size());
        QCOMPARE(window().IntervalList->topLevelItemCount(), int(expected.size()));
        QTreeWidgetItem* first = window().IntervalList->topLevelItem(0);
        QCOMPARE(first->text(PlannerWindow::StartColumn),
                 QStringLiteral("%1:%2").arg(expected[0].Start.Hour).arg(expected[0].Start.Minute, 2, 10, QChar('0')));
        QCOMPARE(first->text(PlannerWindow::TransitColumn), QStringLiteral("- - -"));
        QCOMPARE(window().PlanCountLabel->text(),
                 QStringLiteral("%1 Zeitr%2 in 30 Tagen.")
                     .arg(expected.size())
                     .arg(expected.size() == 1 ? QStringLiteral("aum") : QStringLiteral("äume")));
        SaveScreenshot(window(), QStringLiteral("planner-plato"));

        // Planning works on copies: the observation stays as it was.
        QCOMPARE(f->state.Day, before.Day);
        QCOMPARE(f->state.Hour, before.Hour);
        QCOMPARE(f->state.MoonDistance, before.MoonDistance);
        QCOMPARE(f->state.TerminatorLongitude, before.TerminatorLongitude);

        QTest::keyClick(&window(), Qt::Key_Escape);
        QVERIFY(window().isHidden());
        QVERIFY(main().isEnabled());
    }

    void anotherFormationAndEditsGiveTheirPlan()
    {
        Open();
        QCOMPARE(window().FormationBox->currentIndex(), -1);  // nothing chosen in the main window
        QCOMPARE(window().PlanCountLabel->text(), QStringLiteral("Wählen Sie eine Formation."));
        window().FormationBox->setCurrentIndex(window().FormationBox->findText(QStringLiteral("Mons Piton")));
        QVERIFY(window().FormationLabel->text().endsWith(QStringLiteral("Höhe 2250 m")));
        const PlannedFormation piton{
            {40.6, -1.1},
            2250.0
        };
        // The lowest Sun at which a 2,250 m summit's shadow can be timed:
        // arccos(R / (R + h)) = 2.92 deg, and 0.2 deg more, up to a tenth.
        QCOMPARE(window().LowestSunEdit->text(), QStringLiteral("3,2"));
        QCOMPARE(DefaultPlanningLimits(piton).SunOverFormation.Lowest, 3.2);
        QCOMPARE(window().Intervals().size(),
                 PlanObservations(Observation(), piton, DefaultPlanningLimits(piton), 30).size());
        for (const PlanInterval& interval : window().Intervals()) QVERIFY(interval.TransitSeconds.has_value());
        // Back to a formation without height: the lower limit set by the
        // window follows; one the user typed stays.
        window().FormationBox->setCurrentIndex(window().FormationBox->findText(QStringLiteral("Plato")));
        QCOMPARE(window().LowestSunEdit->text(), QStringLiteral("1"));
        window().LowestSunEdit->setText(QStringLiteral("2"));
        window().FormationBox->setCurrentIndex(window().FormationBox->findText(QStringLiteral("Mons Piton")));
        QCOMPARE(window().LowestSunEdit->text(), QStringLiteral("2"));

        // Enter in a field computes anew and leaves the window open.
        PlanningLimits wider;
        wider.SunOverFormation = {0.5, 14};
        wider.LowestMoonAltitude = 10;
        window().LowestSunEdit->setText(QStringLiteral("0,5"));
        window().HighestSunEdit->setText(QStringLiteral("14"));
        window().MoonAltitudeEdit->setText(QStringLiteral("10"));
        window().DaysEdit->setText(QStringLiteral("60"));
        window().DaysEdit->setFocus();
        QTest::keyClick(window().DaysEdit, Qt::Key_Return);
        QVERIFY(window().isVisible());
        const std::vector<PlanInterval> expected = PlanObservations(Observation(), piton, wider, 60);
        QCOMPARE(window().Intervals().size(), expected.size());
        QVERIFY(window().Intervals().front().Start == expected.front().Start);
        QVERIFY(f->messages.messages().isEmpty());
    }

    void badEditsAreRefusedWithAGermanMessageAndKeepThePlan_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("too many days") << "DaysEdit"
                                       << "367"
                                       << "Die Zahl der Tage muss zwischen 1 und 366 liegen.";
        QTest::newRow("no days") << "DaysEdit"
                                 << "0"
                                 << "Die Zahl der Tage muss zwischen 1 und 366 liegen.";
        QTest::newRow("days not a number") << "DaysEdit"
                                           << "dreißig"
                                           << "'dreißig' ist kein gültiger Integerwert.";
        QTest::newRow("point, not comma") << "LowestSunEdit"
                                          << "1.5"
                                          << "'1.5' ist kein gültiger Gleitkommawert.";
        QTest::newRow("band upside down") << "HighestSunEdit"
                                          << "0,5"
                                          << "Die untere Sonnenhöhe über der Formation liegt über der oberen.";
        QTest::newRow("beyond the zenith") << "MoonAltitudeEdit"
                                           << "95"
                                           << "Eine Höhe muss zwischen -90° und 90° liegen.";
    }
    void badEditsAreRefusedWithAGermanMessageAndKeepThePlan()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        main().ChooseObject(QStringLiteral("Plato"));
        Open();
        const int shown = window().IntervalList->topLevelItemCount();
        QVERIFY(shown > 0);
        window().findChild<QLineEdit*>(field)->setText(text);
        window().PlanButton->click();
        QCOMPARE(f->messages.lastText(), message);
        QCOMPARE(f->messages.messages().last().caption, message.contains(QStringLiteral("gültiger"))
                                                            ? QStringLiteral("Mirelta")
                                                            : QStringLiteral("Beobachtungsplaner"));
        QCOMPARE(window().IntervalList->topLevelItemCount(), shown);
        QCOMPARE(window().findChild<QLineEdit*>(field)->text(), text);  // what was typed stays
        QVERIFY(window().isVisible());
    }

    void onTheCalendarsLastDayTheTableEndsWithIt()
    {
        f->clockReading = {9999, 12, 31, 20, 5};  // the time follows the clock
        Open();
        QCOMPARE(window().ToEdit->text(), QStringLiteral("31.12.9999"));
        window().TableButton->click();
        QVERIFY2(f->messages.messages().isEmpty(), qPrintable(f->messages.lastText()));
        QCOMPARE(window().TableRows().size(), std::size_t{4});  // 20:05 ... 23:05
    }

    void theTablePageShowsTheRowsOfTheObservationsDays()
    {
        Open();
        window().Pages->setCurrentIndex(1);
        QCOMPARE(window().FromEdit->text(), QStringLiteral("15.3.2003"));
        QCOMPARE(window().ToEdit->text(), QStringLiteral("16.3.2003"));
        QCOMPARE(window().TimeEdit->text(), QStringLiteral("20:05"));
        QCOMPARE(window().TableRows().size(), std::size_t{28});  // 20:05 ... 16.3. 23:05, hourly
        ObservationState s = Observation();
        const EphemerisRow row = ComputeEphemerisRow(s);
        QCOMPARE(window().TableRows()[0].Declination, row.Declination);
        QCOMPARE(window().TableRows()[0].SunAltitude, row.SunAltitude);
        QAbstractItemModel* model = window().TableView->model();
        QCOMPARE(model->columnCount(), 19);
        QCOMPARE(model->headerData(6, Qt::Horizontal).toString(), QStringLiteral("Höhe (°)"));
        QCOMPARE(model->data(model->index(0, 0)).toString(), QStringLiteral("15.03.2003"));
        QCOMPARE(model->data(model->index(0, 4)).toString(),
                 QString::fromStdString(FixedDecimalsText(row.Declination, 4, ',')));
        QCOMPARE(model->data(model->index(27, 1)).toString(), QStringLiteral("23:05"));
        QCOMPARE(window().TableCountLabel->text(), QStringLiteral("28 Zeilen für Berlin"));
        SaveScreenshot(window(), QStringLiteral("planner-table"));

        // Daily rows over a week.
        window().StepUnitBox->setCurrentIndex(2);
        window().ToEdit->setText(QStringLiteral("21.3.2003"));
        window().TableButton->click();
        QCOMPARE(window().TableRows().size(), std::size_t{7});
        QCOMPARE(model->data(model->index(6, 0)).toString(), QStringLiteral("21.03.2003"));

        // A bad range keeps the table.
        window().ToEdit->setText(QStringLiteral("30.2.2003"));
        window().TableButton->click();
        QCOMPARE(f->messages.lastText(),
                 QStringLiteral("'30.2.2003' ist kein gültiges Datum (Tag.Monat.Jahr, z. B. 15.3.2003)."));
        QCOMPARE(window().TableRows().size(), std::size_t{7});
        window().ToEdit->setText(QStringLiteral("31.12.2003"));
        window().StepUnitBox->setCurrentIndex(0);
        window().TableButton->click();
        QVERIFY(f->messages.lastText().startsWith(QStringLiteral("Die Tabelle hätte 419275 Zeilen")));
        QCOMPARE(window().TableRows().size(), std::size_t{7});
    }

    void aMissingCatalogueIsReportedAndTheTableStillShown()
    {
        main().ChooseObject(QStringLiteral("Plato"));
        Open();
        QVERIFY(window().IntervalList->topLevelItemCount() > 0);
        window().OkButton->click();
        std::remove("objects.dat");
        Open();
        QCOMPARE(f->messages.lastText(), QStringLiteral("objects.dat: Datei nicht gefunden."));
        QCOMPARE(window().FormationBox->count(), 0);
        QCOMPARE(window().IntervalList->topLevelItemCount(), 0);  // nothing left of the last opening
        QCOMPARE(window().TableRows().size(), std::size_t{28});
        window().OkButton->click();
        QVERIFY(main().isEnabled());
    }

    void exportWritesTheChosenFileAllOrNothing()
    {
        Open();
        QString chosen;
        QString suggested;
        window().SetExportPathChooser([&](QWidget*, const QString& suggestion) {
            suggested = suggestion;
            return chosen;
        });

        // Cancelled: nothing written, nothing said.
        window().ExportButton->click();
        QVERIFY(suggested.endsWith(QStringLiteral("/ephemeriden.csv")));
        QVERIFY(!FileExists("ephemeriden.csv"));
        QVERIFY(f->messages.messages().isEmpty());

        chosen = QDir::current().filePath(QStringLiteral("mond.csv"));
        window().ExportButton->click();
        const std::string bytes = ReadBytes("mond.csv");
        QVERIFY(bytes.rfind("Datum;Zeit (MEZ);JD;Rektaszension (h);Deklination (\xB0);Azimut (\xB0);H\xF6he (\xB0);",
                            0) == 0);
        QCOMPARE(std::count(bytes.begin(), bytes.end(), '\n'), 29L);
        QCOMPARE(std::count(bytes.begin(), bytes.end(), '\r'), 29L);
        QVERIFY(bytes.find("\r\n15.03.2003;20:05;2452714,29513889;") != std::string::npos);
        QCOMPARE(f->messages.messages().last().icon, MessageIcon::Information);
        QCOMPARE(f->messages.lastText(), QStringLiteral("Die Tabelle (28 Zeilen) ist in %1 gespeichert.").arg(chosen));

        // A folder that is not there: the general error report, no file.
        chosen = QDir::current().filePath(QStringLiteral("fehlt/mond.csv"));
        window().ExportButton->click();
        QCOMPARE(f->messages.messages().last().icon, MessageIcon::Error);
        QCOMPARE(f->messages.lastText(),
                 QStringLiteral("Schreiben von %1 nicht möglich (der Ordner fehlt); es wurde nichts geschrieben.")
                     .arg(chosen));
        QVERIFY(window().isVisible());
    }
};

QTEST_MAIN(PlannerWindowTest)
#include "planner_window_test.moc"
