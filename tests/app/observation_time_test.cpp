// The observation time and the computer's clock: "Uhrzeit mitführen", the
// site and moment in the status bar; and small faults a new user meets
// (the transit field's separator, the access keys of "Mondzustand...", the
// longest date in "Sichtverhältnisse", where the azimuth is counted from).

#include "app/command_line.h"
#include "app/observation_status.h"
#include "app/preferences.h"
#include "journal/measurement_journal.h"
#include "reports/ephemeris_table_model.h"
#include "reports/ephemeris_table_text.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>

namespace {

const char* kIni = "Art\r\nBonn\r\n50,7333\r\n7,1\r\n";

}  // namespace

class ObservationTimeTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;

    TForm1& w() { return f->main(); }

    void Start()
    {
        WriteBytes("mirelta.ini", kIni);
        WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
        // The Sun stands 5 deg over Schickard that evening: timings of 1 to
        // 2.5 s give heights of 3.5 to 6.5 km.
        WriteBytes("objects.dat", CatalogueRecord({"100 120 150 170", "Schickard", "-44,38", "-55,11", "1500", "1",
                                                   "Krater", "Durchmesser 227 km", "Wallebene"}));
        f->Start();
        w().ComboBox1->setEditText(QStringLiteral("Schickard"));
        w().ComboBox1Change();
    }

    void SetClock(int hour, int minute) { f->clockReading = {2003, 3, 15, hour, minute}; }

    QString Moment() const
    {
        return QStringLiteral("%1.%2.%3 %4:%5")
            .arg(f->state.Day)
            .arg(f->state.Month)
            .arg(f->state.Year)
            .arg(f->state.Hour)
            .arg(f->state.Minute);
    }

private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void checkedTheTimingIsComputedAndSavedForTheMomentItIsTyped()
    {
        Start();
        QVERIFY(w().UhrzeitMitfuehren1->isChecked());  // on at the first start
        SetClock(20, 15);                              // ten minutes later
        QTest::keyClicks(w().Edit1, QStringLiteral("1,5"));
        QCOMPARE(w().Label26->text(), QStringLiteral("(Messung am 15. 3. 2003 um 20:15 Uhr"));
        SetClock(20, 17);  // saved two minutes after typing: computed again
        QTest::keyClick(w().Edit1, Qt::Key_Return);
        const Journal journal = ReadJournal();
        QCOMPARE(journal.Entries.size(), std::size_t{1});
        QCOMPARE(journal.Entries[0].Measurement.Hour, 20);
        QCOMPARE(journal.Entries[0].Measurement.Minute, 17);
    }

    void checkedReportsAndTheMinuteTimerReadTheClock()
    {
        Start();
        SetClock(21, 30);
        w().Sichtverhltnisseeinschtzen1->trigger();
        QCOMPARE(f->windows->Form7->Label5->text(), QStringLiteral("um 21:30 Uhr MEZ:"));
        f->windows->Form7->Button1->click();

        SetClock(21, 31);
        w().ClockTimer1Timer();
        QCOMPARE(Moment(), QStringLiteral("15.3.2003 21:31"));
        QCOMPARE(w().StatusText->text(), QStringLiteral("Bonn · 15. 3. 2003 21:31 MEZ (laufend)"));
    }

    void aTimeChosenInTheDialogUnchecksAndCheckingReturnsToNow()
    {
        Start();
        w().DatumundUhrzeitfestlegen1->trigger();
        TForm4& dialog = *f->windows->Form4;
        dialog.Edit4->setText(QStringLiteral("3"));
        dialog.Button1->click();
        QVERIFY(!w().UhrzeitMitfuehren1->isChecked());
        QVERIFY(!ReadFollowsClockPreference());  // remembered for the next start
        QCOMPARE(w().StatusText->text(), QStringLiteral("Bonn · 15. 3. 2003 3:05 MEZ"));

        SetClock(22, 0);  // unchecked, nothing reads the clock
        QTest::keyClicks(w().Edit1, QStringLiteral("1"));
        w().ClockTimer1Timer();
        w().Mondposition2->trigger();
        f->windows->Form5->Button1->click();
        QCOMPARE(Moment(), QStringLiteral("15.3.2003 3:5"));

        w().UhrzeitMitfuehren1->trigger();
        QVERIFY(w().UhrzeitMitfuehren1->isChecked());
        QVERIFY(ReadFollowsClockPreference());
        QCOMPARE(Moment(), QStringLiteral("15.3.2003 22:0"));
        QCOMPARE(w().StatusText->text(), QStringLiteral("Bonn · 15. 3. 2003 22:00 MEZ (laufend)"));

        // Unchecked in the menu, the time stays and so does a typed timing.
        QTest::keyClicks(w().Edit1, QStringLiteral("1"));
        SetClock(22, 30);
        w().UhrzeitMitfuehren1->trigger();
        QVERIFY(!ReadFollowsClockPreference());
        QCOMPARE(w().Edit1->text(), QStringLiteral("1"));
        QCOMPARE(w().StatusText->text(), QStringLiteral("Bonn · 15. 3. 2003 22:00 MEZ"));
    }

    void uncheckedAtTheNextStartWhenLeftUnchecked()
    {
        f->UseScratchSettings();
        WriteFollowsClockPreference(false);
        f->clockReading = {2003, 7, 14, 9, 5};
        Start();
        QVERIFY(!w().UhrzeitMitfuehren1->isChecked());
        // The start still reads the clock once, summer time taken back.
        QCOMPARE(w().StatusText->text(), QStringLiteral("Bonn · 14. 7. 2003 8:05 MEZ"));
    }

    void statusLineShowsWhenNoHintIs()
    {
        Start();
        w().show();
        QVERIFY(QTest::qWaitForWindowExposed(&w()));
        QVERIFY(w().StatusText->isVisible());
        QStatusTipEvent hint(w().ComboBox1->statusTip());
        QApplication::sendEvent(&w(), &hint);
        QVERIFY(!w().StatusText->isVisible());
        QStatusTipEvent noHint{QString()};
        QApplication::sendEvent(&w(), &noHint);
        QVERIFY(w().StatusText->isVisible());
        SaveScreenshot(w(), QStringLiteral("main_window_status"));
        QVERIFY(w().StatusText->fontMetrics().horizontalAdvance(w().StatusText->text()) < w().StatusBar1->width());

        ObservationState s;
        s.Day = 7, s.Month = 12, s.Year = 2026, s.Hour = 9, s.Minute = 5;
        QCOMPARE(ObservationStatusText(s, false), std::string("7. 12. 2026 9:05 MEZ"));  // no site yet
    }

    void conditionsReportHoldsTheLongestDate()
    {
        f->clockReading = {2026, 12, 18, 20, 5};
        Start();
        w().Sichtverhltnisseeinschtzen1->trigger();
        QLabel* date = f->windows->Form7->Label4;
        QCOMPARE(date->text(), QStringLiteral("Mondphase am 18.12.2026"));
        QVERIFY(QFontMetrics(date->font()).horizontalAdvance(date->text()) <= date->width());
        QVERIFY(date->geometry().right() < f->windows->Form7->GroupBox1->width());
        SaveScreenshot(*f->windows->Form7, QStringLiteral("conditions_long_date"));
    }

    void azimuthSaysWhereItIsCountedFrom()
    {
        Start();
        const QString south = QStringLiteral("von Süden über Westen");
        for (QLabel* label : {f->windows->Form5->Label20, f->windows->Form5->Label22, f->windows->Form7->Label20,
                              f->windows->Form7->Label22})
            QVERIFY2(label->statusTip().contains(south), qPrintable(label->objectName()));
        const EphemerisTableModel table(',', nullptr);
        QVERIFY(table.headerData(static_cast<int>(EphemerisAzimuthColumn), Qt::Horizontal, Qt::ToolTipRole)
                    .toString()
                    .contains(south));
        QCOMPARE(table.headerData(static_cast<int>(EphemerisAzimuthColumn), Qt::Horizontal).toString(),
                 QStringLiteral("Azimut (°)"));
        QVERIFY(QString::fromStdString(UsageText()).contains(QStringLiteral("Azimut von Süden über Westen")));
    }

    void transitFieldTakesAPointLikeAComma()
    {
        Start();
        QTest::keyClicks(w().Edit1, QStringLiteral("2,5"));
        const QString height = w().Label35->text();
        w().Edit1->clear();
        QTest::keyClicks(w().Edit1, QStringLiteral("2.5"));
        QVERIFY2(height.front().isDigit(), qPrintable(height));  // a height, not a reason
        QCOMPARE(w().Label35->text(), height);
        QVERIFY2(f->messages.messages().isEmpty(), qPrintable(f->messages.lastText()));
    }

    void everyItemOfMondzustandHasItsOwnAccessKey()
    {
        Start();
        QSet<QChar> keys;
        for (QAction* item : w().Mondzustand1->actions()) {
            const int amp = item->text().indexOf(QLatin1Char('&'));
            if (item->isSeparator()) continue;
            QVERIFY2(amp >= 0, qPrintable(item->text()));
            const QChar key = item->text().at(amp + 1).toLower();
            QVERIFY2(!keys.contains(key), qPrintable(item->text()));
            keys.insert(key);
        }
    }
};

QTEST_MAIN(ObservationTimeTest)
#include "observation_time_test.moc"
