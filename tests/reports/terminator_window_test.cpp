// The window "Lichtgrenze": opened from the menu like every dialog, listing
// the formations at the terminator with the heading, left by "Ok", Enter or
// Escape, and a double click choosing the formation in the main window.

#include "astronomy/Rechn.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <cstdio>

namespace {

const char* kIni = "Art\r\nBonn\r\n50,7333\r\n7,1\r\n";

// A longitude `offset` degrees east of the morning terminator on 15 March
// 2003, 20:05 MEZ (the fixture's clock).
std::string EastOfTerminator(double offset)
{
    ObservationState s;
    s.Day = 15, s.Month = 3, s.Year = 2003, s.Hour = 20, s.Minute = 5;
    const double terminator = ComputeSunOverMoon(s).SubsolarLongitude - 90;
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", terminator + offset);
    std::string result(text);
    result[result.find('.')] = ',';
    return result;
}

}  // namespace

class TerminatorWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;

    TForm1& main() { return f->main(); }
    TerminatorWindow& window() { return *f->windows->Terminator; }
    QTreeView* list() { return window().FormationList; }
    int rows() { return list()->model()->rowCount(); }
    QString text(int row, int column) { return list()->model()->index(row, column).data().toString(); }

    void Open() { main().Lichtgrenzeheute1->trigger(); }

    void ExpectClosed()
    {
        QVERIFY(window().isHidden());
        QVERIFY(main().isEnabled());
    }

private slots:
    void init()
    {
        f = std::make_unique<WindowFixture>();
        WriteBytes("mirelta.ini", kIni);
        WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
        WriteBytes(
            "objects.dat",
            Record("100 120 150 170", "Mittagskrater", "0", EastOfTerminator(40), "", "0") +
                CatalogueRecord({"60 70 150 160", "Niedriger Berg", "0", EastOfTerminator(1.5), "", "0", "Berg"}) +
                CatalogueRecord({"40 50 150 160", "Hoher Berg", "10", EastOfTerminator(4), "2000", "1", "Berg"}) +
                CatalogueRecord({"80 90 150 160", "Zu hoher Berg", "0", EastOfTerminator(3.5), "5500", "1", "Berg"}));
        f->Start();
    }
    void cleanup() { f.reset(); }

    void opensLikeEveryDialogAndListsTheTerminator()
    {
        QVERIFY(window().isHidden());  // nothing read or shown at start
        QCOMPARE(rows(), 0);
        Open();
        QVERIFY(!main().isEnabled());
        QVERIFY(window().isVisible());
        QCOMPARE(window().windowTitle(), QStringLiteral("Lichtgrenze"));
        QVERIFY(window().HeadingLabel->text().startsWith(
            QStringLiteral("Lichtgrenze am 15. 3. 2003 um 20:05 Uhr MEZ in Bonn, Colongitude ")));
        // The formation whose shadow can be timed first, then by Sun
        // altitude; a 5,500 m summit needs the Sun 4.3 deg high.
        QCOMPARE(rows(), 3);
        QCOMPARE(text(0, TerminatorWindow::NameColumn), QStringLiteral("Hoher Berg"));
        QCOMPARE(text(0, TerminatorWindow::KindColumn), QStringLiteral("Berg"));
        QCOMPARE(text(0, TerminatorWindow::SideColumn), QStringLiteral("Morgen"));
        QCOMPARE(text(0, TerminatorWindow::HeightColumn), QStringLiteral("2000m"));
        QVERIFY(text(0, TerminatorWindow::TransitColumn).endsWith(QStringLiteral(" s")));
        QCOMPARE(text(0, TerminatorWindow::ReasonColumn), QString());
        QCOMPARE(text(1, TerminatorWindow::NameColumn), QStringLiteral("Niedriger Berg"));
        QCOMPARE(text(1, TerminatorWindow::SunAltitudeColumn), QStringLiteral("1,5°"));
        QCOMPARE(text(1, TerminatorWindow::TransitColumn), QStringLiteral("- - -"));
        QCOMPARE(text(1, TerminatorWindow::ReasonColumn), QStringLiteral("keine Höhe"));
        QCOMPARE(text(2, TerminatorWindow::NameColumn), QStringLiteral("Zu hoher Berg"));
        QCOMPARE(text(2, TerminatorWindow::TransitColumn), QStringLiteral("- - -"));
        QCOMPARE(text(2, TerminatorWindow::ReasonColumn), QStringLiteral("Sonne zu tief für 5500 m"));
        QCOMPARE(window().CountLabel->text(),
                 QStringLiteral("3 Formationen an der Lichtgrenze. Doppelklick wählt die Formation auf der Karte."));
        SaveScreenshot(window(), QStringLiteral("terminator_window"));

        window().OkButton->click();
        ExpectClosed();
    }

    void enterAndEscapeActAsOk_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void enterAndEscapeActAsOk()
    {
        QFETCH(int, key);
        Open();
        list()->setFocus();
        list()->setCurrentIndex(list()->model()->index(1, 0));
        QTest::keyClick(list(), Qt::Key(key));
        ExpectClosed();
        QCOMPARE(main().ComboBox1->currentText(), QStringLiteral("[Objekt wählen]"));  // nothing chosen
    }

    void doubleClickChoosesTheFormationInTheMainWindow()
    {
        Open();
        const QRect place = list()->visualRect(list()->model()->index(0, 0));
        // A double click arrives as a click and then the double click.
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, place.center());
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, place.center());
        ExpectClosed();
        QCOMPARE(main().ComboBox1->currentText(), QStringLiteral("Hoher Berg"));
        QCOMPARE(main().ComboBox1->currentIndex(), 2);
        QCOMPARE(main().Label5->text(), QStringLiteral("Hoher Berg"));
        QVERIFY(!main().GroupBox2->isHidden());  // origin "1": the height panel
        QVERIFY(main().Edit1->text().isEmpty());
        // The height panel measures for this formation.
        main().Edit1->setText(QStringLiteral("1"));
        QVERIFY2(main().Label35->text().front().isDigit() && main().Label35->text().endsWith(QStringLiteral("m")),
                 qPrintable(main().Label35->text()));
        QVERIFY(f->messages.messages().isEmpty());
    }

    void aMissingCatalogueIsReportedAndOkStillCloses()
    {
        std::remove("objects.dat");
        Open();
        QCOMPARE(f->messages.lastText(), QStringLiteral("objects.dat: Datei nicht gefunden."));
        window().OkButton->click();
        ExpectClosed();
    }
};

QTEST_MAIN(TerminatorWindowTest)
#include "terminator_window_test.moc"
