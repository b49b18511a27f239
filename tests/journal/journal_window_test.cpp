// Saving measurements from the height panel (Enter in Edit1, "Messung
// speichern", Ctrl+S) and the window "Messprotokoll": what it lists, its
// statistics, deleting after a question, exporting, and the reports of a
// damaged or write-protected journal.

#include "journal/measurement_journal.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <tuple>

namespace {

const char* kIni = "Art\r\nBonn\r\n50,7333\r\n7,1\r\n";

// Lines of the journal file, header included.
int LinesOf(const std::string& name)
{
    const std::string bytes = ReadBytes(name);
    return static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
}

QStringList Column(QTreeWidget* list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) texts << list->topLevelItem(i)->text(column);
    return texts;
}

QStringList Column(QTreeView* list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->model()->rowCount(); ++i) texts << list->model()->index(i, column).data().toString();
    return texts;
}

// Marks a row of the list, as a click would.
void Mark(QTreeView* list, int row)
{
    list->selectionModel()->select(list->model()->index(row, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

JournalMeasurement Saved(const std::string& formation, int minute, double height)
{
    JournalMeasurement m;
    m.Day = 15, m.Month = 3, m.Year = 2003, m.Hour = 20, m.Minute = minute;
    m.SiteName = "Bonn";
    m.Formation = formation;
    m.TransitSeconds = 1;
    m.Height = height;
    m.CatalogueHeight = "4800";
    return m;
}

}  // namespace

class JournalWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;

    TForm1& main() { return f->main(); }
    JournalWindow& journal() { return *f->windows->Journal; }

    void Time(const QString& seconds)
    {
        main().Edit1->clear();
        QTest::keyClicks(main().Edit1, seconds);
    }
    void PressEnter() { QTest::keyClick(main().Edit1, Qt::Key_Return); }
    QString Status() const { return f->main().StatusBar1->currentMessage(); }

private slots:
    void init()
    {
        f = std::make_unique<WindowFixture>();
        WriteBytes("mirelta.ini", kIni);
        WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
        // At the fixture's 15 March 2003, 20:05 the Sun stands 5 deg over
        // Schickard: timings of 0.5 to 2 s give heights of 2 to 6 km.
        // "Randberg" sees the Sun 38 deg high: no summit casts a shadow of
        // seconds there.
        WriteBytes("objects.dat", Record("100 120 150 170", "Schickard", "-44,38", "-55,11", "1500", "1") +
                                      Record("10 14 10 14", "Randberg", "0", "80", "1000", "1"));
        f->Start();
        f->state.SiteName = "Bonn";
        main().show();
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
    }
    void cleanup() { f.reset(); }

    void nothingShownNothingSaved_data()
    {
        QTest::addColumn<QString>("formation");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty field") << "Schickard"
                                     << "";
        QTest::newRow("not a number") << "Schickard"
                                      << "2,5x";
        QTest::newRow("beyond 5 s after a shown height") << "Schickard"
                                                         << "5,01";
        QTest::newRow("zero") << "Schickard"
                              << "0";
        QTest::newRow("no height") << "Randberg"
                                   << "5";
    }
    void nothingShownNothingSaved()
    {
        QFETCH(QString, formation);
        QFETCH(QString, text);
        QVERIFY(!main().Messungspeichern1->isEnabled());  // nothing at start
        main().ChooseObject(formation);
        Time(QStringLiteral("1"));  // a height for Schickard, a reason for Randberg
        QCOMPARE(main().Messungspeichern1->isEnabled(), formation == QStringLiteral("Schickard"));
        Time(text);
        f->messages.clear();
        QVERIFY(!main().Messungspeichern1->isEnabled());
        PressEnter();
        QTest::keyClick(&main(), Qt::Key_S, Qt::ControlModifier);
        main().Messungspeichern1Click();  // even when called directly
        QVERIFY(!FileExists(kJournalFileName));
        QCOMPARE(main().Edit1->text(), text);
        // Where the field still holds a time the panel measured, the reason.
        QCOMPARE(Status(),
                 QStringLiteral("Keine errechnete Höhe: es wurde nichts gespeichert.") +
                     (formation == QStringLiteral("Randberg")
                          ? QStringLiteral(" Nur ein Gipfel von über 20 km Höhe würfe einen so langen Schatten.")
                          : QString()));
        QVERIFY(f->messages.messages().isEmpty());
    }

    void fiveTimingsSavedWithEnterGiveMeanAndStandardError()
    {
        main().ChooseObject(QStringLiteral("Schickard"));
        const QStringList timings = {"1,1", "1,2", "1,3", "1,2", "1,25"};
        for (int i = 0; i < timings.size(); ++i) {
            Time(timings[i]);
            QVERIFY(main().Messungspeichern1->isEnabled());
            if (i < 4)
                PressEnter();
            else
                QTest::keyClick(&main(), Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(main().Edit1->text(), QString());  // ready for the next timing
            QVERIFY(!main().Messungspeichern1->isEnabled());
            QVERIFY2(Status().startsWith(QStringLiteral("Messung %1 für Schickard gespeichert: Mittel ").arg(i + 1)),
                     qPrintable(Status()));
        }
        QVERIFY(f->messages.messages().isEmpty());
        QCOMPARE(LinesOf(kJournalFileName), 6);
        QVERIFY(Status().endsWith(QStringLiteral(" m (5 Messungen)")));
        QVERIFY(Status().contains(QStringLiteral(" m ± ")));
        SaveScreenshot(main(), QStringLiteral("main_window_saved"));

        main().Messprotokoll1->trigger();
        QVERIFY(journal().isVisible());
        QVERIFY(!main().isEnabled());
        QCOMPARE(journal().windowTitle(), QStringLiteral("Messprotokoll"));
        QCOMPARE(journal().FormationChoice->currentText(), QStringLiteral("Schickard"));
        QCOMPARE(journal().CountLabel->text(), QStringLiteral("5 Messungen von Schickard"));
        // Newest first: all in one minute, so the last saved leads.
        QCOMPARE(Column(journal().MeasurementList, JournalWindow::TransitColumn),
                 QStringList({"1,25 s", "1,2 s", "1,3 s", "1,2 s", "1,1 s"}));
        QTreeWidget* statistics = journal().StatisticsList;
        QCOMPARE(Column(statistics, JournalWindow::NightColumn),
                 QStringList({"15./16. 3. 2003", QStringLiteral("alle Nächte")}));
        QTreeWidgetItem* night = statistics->topLevelItem(0);
        QCOMPARE(night->text(JournalWindow::CountColumn), QStringLiteral("5"));
        // The status bar named the same mean and standard error.
        QVERIFY(Status().contains(QStringLiteral("Mittel ") + night->text(JournalWindow::MeanColumn) +
                                  QStringLiteral(" ± ") + night->text(JournalWindow::StandardErrorColumn)));
        QVERIFY(night->text(JournalWindow::MeanDeviationColumn).endsWith(QLatin1Char('%')));
        for (QLabel* label : {journal().CountLabel, journal().ExplanationLabel}) QVERIFY(!label->text().isEmpty());
        SaveScreenshot(journal(), QStringLiteral("journal"));

        QTest::keyClick(journal().MeasurementList, Qt::Key_Escape);
        QVERIFY(journal().isHidden());
        QVERIFY(main().isEnabled());
    }

    void aWriteProtectedJournalIsReportedAndTheTimingKept()
    {
        AppendToJournal(Saved("Schickard", 1, 2000), ',');
        const std::string before = ReadBytes(kJournalFileName);
        std::filesystem::permissions(kJournalFileName, std::filesystem::perms::owner_read);
        main().ChooseObject(QStringLiteral("Schickard"));
        Time(QStringLiteral("1,5"));
        PressEnter();
        QCOMPARE(f->messages.lastText(), QStringLiteral("Schreiben von messungen.csv nicht möglich (die Datei ist "
                                                        "schreibgeschützt); die Datei ist unverändert."));
        QCOMPARE(ReadBytes(kJournalFileName), before);
        QCOMPARE(main().Edit1->text(), QStringLiteral("1,5"));  // nothing lost: Enter again once it is writable
        QVERIFY(main().Messungspeichern1->isEnabled());
    }

    void deletingAsksAndExportWritesTheShownRows()
    {
        for (auto [formation, minute, height] : {
                 std::tuple{"Schickard", 1, 4700.0},
                 std::tuple{"Euler",     2, 2100.0},
                 std::tuple{"Schickard", 3, 4900.0}
        })
            AppendToJournal(Saved(formation, minute, height), ',');
        main().Messprotokoll1->trigger();  // no formation shown: all of them
        QCOMPARE(journal().FormationChoice->currentText(), QStringLiteral("Alle Formationen"));
        QTreeView* list = journal().MeasurementList;
        QCOMPARE(Column(list, JournalWindow::FormationColumn), QStringList({"Schickard", "Euler", "Schickard"}));
        QVERIFY(!journal().DeleteButton->isEnabled());

        Mark(list, 1);
        const std::string before = ReadBytes(kJournalFileName);
        f->messages.QueueConfirmAnswer(false);
        journal().DeleteButton->click();
        QCOMPARE(f->messages.lastText(), QStringLiteral("Soll die markierte Messung wirklich gelöscht werden?"));
        QCOMPARE(ReadBytes(kJournalFileName), before);
        f->messages.QueueConfirmAnswer(true);
        journal().DeleteButton->click();
        QCOMPARE(Column(list, JournalWindow::FormationColumn), QStringList({"Schickard", "Schickard"}));
        QCOMPARE(LinesOf(kJournalFileName), 3);

        journal().FormationChoice->setCurrentText(QStringLiteral("Schickard"));
        Mark(list, 0);
        journal().SetExportPathChooser([&](QWidget*) { return QDir::current().filePath(QStringLiteral("aus.csv")); });
        journal().ExportButton->click();
        const Journal exported = ReadJournal("aus.csv");
        QCOMPARE(exported.Entries.size(), size_t(2));
        QCOMPARE(exported.Entries[0].Measurement.Minute, 3);  // in the order shown
        QVERIFY(f->messages.lastText().startsWith(QStringLiteral("2 Messungen nach ")));
        journal().OkButton->click();
    }

    void aDamagedLineIsReportedWhenTheJournalOpens()
    {
        main().Messprotokoll1->trigger();  // no file: an empty journal, no message
        QVERIFY(f->messages.messages().isEmpty());
        QCOMPARE(journal().CountLabel->text(), QStringLiteral("Keine Messungen"));
        journal().OkButton->click();

        AppendToJournal(Saved("Schickard", 1, 4700), ',');
        WriteBytes(kJournalFileName, ReadBytes(kJournalFileName) + "15.03.2003;kaputt\r\n");
        main().Messprotokoll1->trigger();
        QVERIFY(f->messages.lastText().startsWith(QStringLiteral("messungen.csv, Zeile 3: 2 statt 13 Feldern")));
        QCOMPARE(journal().CountLabel->text(), QStringLiteral("1 Messung; 1 unlesbare Zeile übersprungen"));
        Mark(journal().MeasurementList, 0);
        f->messages.QueueConfirmAnswer(false);
        journal().DeleteButton->click();
        QVERIFY(f->messages.lastText().endsWith(
            QStringLiteral("Die unlesbare Zeile 3 von messungen.csv bleibt dabei unverändert.")));
        journal().OkButton->click();

        // Many damaged lines: five are named, the rest counted.
        std::string many = ReadBytes(kJournalFileName);
        for (int i = 0; i < 7; ++i) many += "kaputt\r\n";
        WriteBytes(kJournalFileName, many);
        main().Messprotokoll1->trigger();
        QVERIFY(f->messages.lastText().contains(QStringLiteral("\nund 3 weitere Zeilen\n")));
        Mark(journal().MeasurementList, 0);
        f->messages.QueueConfirmAnswer(false);
        journal().DeleteButton->click();
        QVERIFY2(f->messages.lastText().endsWith(QStringLiteral(
                     "Die unlesbaren Zeilen 3, 4, 5, 6, 7 und 3 weitere von messungen.csv bleiben dabei unverändert.")),
                 qPrintable(f->messages.lastText()));
    }

    void aJournalWindows1252CannotHoldOpensReadOnlyAndTakesNewTimings()
    {
        WriteBytes(kJournalFileName,
                   "15.03.2003;20:05;Zürich;47,3769;8,5417;Ωmega;23,3;-29,2;1,5;2143,4;2150;0,1;4,5\n");
        main().Messprotokoll1->trigger();
        QCOMPARE(Column(journal().MeasurementList, JournalWindow::FormationColumn), QStringList({"Ωmega"}));
        QVERIFY2(f->messages.lastText().startsWith(QStringLiteral("messungen.csv, Zeile 1: ")),
                 qPrintable(f->messages.lastText()));
        QVERIFY(f->messages.lastText().contains(QStringLiteral("löscht aber keine")));
        Mark(journal().MeasurementList, 0);
        QVERIFY(!journal().DeleteButton->isEnabled());
        SaveScreenshot(journal(), QStringLiteral("journal_read_only"));
        journal().OkButton->click();

        main().ChooseObject(QStringLiteral("Schickard"));
        Time(QStringLiteral("1,5"));
        PressEnter();
        QVERIFY2(Status().startsWith(QStringLiteral("Messung 1 für Schickard gespeichert")), qPrintable(Status()));
        QCOMPARE(ReadJournal().Entries.size(), size_t(2));
    }
};

QTEST_MAIN(JournalWindowTest)
#include "journal_window_test.moc"
