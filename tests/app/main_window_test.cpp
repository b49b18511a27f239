// The main window: layout, start and reload, the object list, deleting,
// the sort commands, the map markers and the dialog commands.

#include "astronomy/mountain_shadow.h"
#include "catalogue/catalogue.h"
#include "platform/text_file.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/window_fixture.h"

#include <cmath>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolButton>

namespace {

const QString kChoose = QStringLiteral("[Objekt wählen]");
const char* kIni = "Art\r\nBonn\r\n50,7333\r\n7,1\r\n";

std::string SampleCatalogue()
{
    return CatalogueRecord({"100 120 150 170", "Tycho", "-43,3", "-11,2", "4800", "1", "Krater", "Durchmesser 85 km",
                            "Strahlensystem"}) +
           Record("10 14 10 14", "Mein Berg", "10,1", "-0,5", "", "2") +
           Record("200 210 200 210", "Ohne L\xE4nge", "5", "", "", "2") +
           Record("300 310 300 310", "Albategnius", "-11,2", "4,1", "", "0") +
           Record("50 60 50 60", "\xC4rmel", "1.5", "2.25", "100", "1") +
           Record("95 125 145 175", "Tycho", "1", "1", "", "2");
}

QStringList ListItems(QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;

    void StartWith(const std::string& ini, const std::string& catalogue)
    {
        if (!ini.empty()) WriteBytes("mirelta.ini", ini);
        WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
        WriteBytes("objects.dat", catalogue);
        f->Start();
    }

    // Types a name into the list's edit field as the user would.
    void Choose(const QString& name)
    {
        QLineEdit* edit = f->main().ComboBox1->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        for (QChar c : name)  // keyClicks() knows only ASCII
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void controlsSitWhereTheWindowDesignPutsThem()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        QCOMPARE(w.windowTitle(), QStringLiteral("<<< Mirelta >>>"));
        QCOMPARE(w.centralWidget()->size(), QSize(625, 475));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        const std::pair<QWidget*, QRect> places[] = {
            {w.Panel2,     QRect(0,   0,   633, 40) },
            {w.MoonImage,  QRect(8,   48,  401, 401)},
            {w.ComboBox1,  QRect(424, 48,  153, 21) },
            {w.Button5,    QRect(580, 48,  36,  21) },
            {w.GroupBox1,  QRect(424, 78,  193, 161)},
            {w.GroupBox2,  QRect(424, 248, 193, 201)},
            {w.GroupBox3,  QRect(424, 48,  193, 401)},
            {w.StatusBar1, QRect(0,   456, 625, 19) },
            {w.Panel1,     QRect(0,   456, 625, 2)  },
            {w.Edit1,      QRect(16,  56,  65,  21) },
            {w.Panel8,     QRect(16,  88,  164, 73) },
        };
        for (const auto& [control, place] : places) QCOMPARE(control->geometry(), place);
        const int lefts[] = {19, 59, 99, 154, 194, 234, 289, 329, 369};
        QToolButton* buttons[] = {w.SpeedButton1, w.SpeedButton2, w.SpeedButton3, w.SpeedButton4, w.SpeedButton5,
                                  w.SpeedButton6, w.SpeedButton7, w.SpeedButton8, w.SpeedButton9};
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(buttons[i]->geometry(), QRect(lefts[i], 3, 34, 34));
            QVERIFY(buttons[i]->autoRaise());
            QVERIFY(!buttons[i]->icon().isNull());
        }
        for (const char* name : {"Panel3", "Panel4", "Panel5", "Panel6", "Panel7"})
            QVERIFY2(w.findChild<QFrame*>(QString::fromLatin1(name)), name);
        QVERIFY(!w.Button5->isEnabled());
        QVERIFY(w.GroupBox2->isHidden());
        QVERIFY(w.GroupBox3->isHidden());
        QVERIFY(w.Cursor1->isHidden() && w.Cursor2->isHidden() && w.Cursor3->isHidden());
        QCOMPARE(w.Label5->text(), QString());
        QCOMPARE(w.MoonImage->Picture().size(), QSize(401, 401));
        SaveScreenshot(w, QStringLiteral("main_window_start"));
    }

    void valueTextsFitTheirPlaces()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        // Every fixed caption must fit inside its group.
        for (QGroupBox* group : {w.GroupBox1, w.GroupBox2}) {
            for (QLabel* label : group->findChildren<QLabel*>()) {
                if (label->text().isEmpty()) continue;
                QRect inGroup(label->mapTo(group, QPoint(0, 0)), label->size());
                QVERIFY2(group->rect().contains(inGroup), qPrintable(label->text()));
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                         qPrintable(label->text()));
            }
        }
    }

    void menuHasItsItemsWithAccessKeys()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        QStringList titles;
        for (QAction* menu : w.menuBar()->actions()) titles << menu->text();
        QCOMPARE(titles, (QStringList{"&Datei", "&Mondzustand...", "&Info"}));
        QStringList datei;
        for (QAction* item : w.Datei1->actions()) datei << (item->isSeparator() ? QStringLiteral("-") : item->text());
        QCOMPARE(datei, (QStringList{"B&eobachtungsort auswählen", "D&atum und Uhrzeit festlegen",
                                     "&Neues Objekt definieren", "-", "Objektliste alphabetisch sortieren",
                                     "Objektliste nach Art sortieren", "-", "&Beenden"}));
        QStringList mond;
        for (QAction* item : w.Mondzustand1->actions())
            mond << (item->isSeparator() ? QStringLiteral("-") : item->text());
        // The specified three, then the additions below a separator.
        QCOMPARE(mond, (QStringList{"&Sichtverhältnisse einschätzen", "&Physische Ephemeriden", "M&ondposition", "-",
                                    "&Uhrzeit mitführen", "&Beleuchtung auf der Karte", "&Lichtgrenze heute...",
                                    "B&eobachtungsplaner...", "Mond im O&kular...", "Höhe aus &Foto...", "-",
                                    "Messun&g speichern", "&Messprotokoll..."}));
        QCOMPARE(w.Messungspeichern1->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QStringList info;
        for (QAction* item : w.Info1->actions()) info << (item->isSeparator() ? QStringLiteral("-") : item->text());
        QCOMPARE(info, (QStringList{"&Hilfe", "-", "Ab&out"}));
    }

    void hintsGoToTheStatusBarAndOnlyCoordinateCaptionsHaveTooltips()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        QCOMPARE(w.MoonImage->statusTip(), QStringLiteral("Wählen Sie ein Objekt an"));
        QCOMPARE(w.Cursor3->statusTip(), QStringLiteral("Markieren Sie einen Bereich"));
        QCOMPARE(w.ComboBox1->statusTip(), QStringLiteral("Wählen Sie ein Objekt aus"));
        QCOMPARE(w.SpeedButton9->statusTip(), QStringLiteral("Programm beenden"));
        QStatusTipEvent tip(w.Button5->statusTip());
        QApplication::sendEvent(&w, &tip);
        QCOMPARE(w.StatusBar1->currentMessage(),
                 QStringLiteral("Objekt löschen (funktioniert nur mit selbst definierten Objekten)"));
        // Tooltips only on the coordinate captions and unit signs: two in the
        // group "Objekt", four for each coordinate row of the new-object panel.
        QStringList tooltips;
        for (QWidget* child : w.findChildren<QWidget*>()) {
            if (child->toolTip().isEmpty()) continue;
            QVERIFY2(qobject_cast<QLabel*>(child), qPrintable(child->objectName()));
            QCOMPARE(child->toolTip(), child->statusTip());
            tooltips << child->toolTip();
        }
        QCOMPARE(tooltips.count(QStringLiteral("selenographische Breite")), 5);
        QCOMPARE(tooltips.count(QStringLiteral("selenographische Länge")), 5);
        QCOMPARE(tooltips.size(), 10);
    }

    void startFillsTheListInFileOrder()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        QCOMPARE(ListItems(w.ComboBox1),
                 (QStringList{"Tycho", "Mein Berg", "Ohne Länge", "Albategnius", "Ärmel", "Tycho"}));
        QCOMPARE(w.ComboBox1->currentText(), kChoose);
        QVERIFY(w.ObjektlistenachArtsortieren1->isChecked());
        QVERIFY(!w.Objektlistealphabetischsortieren1->isChecked());
        QVERIFY(f->messages.messages().isEmpty());
    }

    void alphabeticalOrderSortsUmlautsWithTheirVowel()
    {
        StartWith("Alph\r\nBonn\r\n50,7\r\n7,1\r\n", SampleCatalogue());
        TForm1& w = f->main();
        QCOMPARE(ListItems(w.ComboBox1),
                 (QStringList{"Albategnius", "Ärmel", "Mein Berg", "Ohne Länge", "Tycho", "Tycho"}));
        QVERIFY(w.Objektlistealphabetischsortieren1->isChecked());
        QVERIFY(!w.ObjektlistenachArtsortieren1->isChecked());
    }

    void sortKeyInOtherCaseOrWithABlankChangesNothing_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("lower case") << "art";
        QTest::newRow("capitals") << "ALPH";
        QTest::newRow("trailing blank") << "Alph ";
        QTest::newRow("empty") << "";
    }
    void sortKeyInOtherCaseOrWithABlankChangesNothing()
    {
        QFETCH(QString, key);
        StartWith(key.toStdString() + "\r\nBonn\r\n50,7\r\n7,1\r\n", SampleCatalogue());
        TForm1& w = f->main();
        QVERIFY(!w.Objektlistealphabetischsortieren1->isChecked());
        QVERIFY(!w.ObjektlistenachArtsortieren1->isChecked());
        QCOMPARE(w.ComboBox1->itemText(0), QStringLiteral("Tycho"));  // file order
    }

    void emptyCatalogueGivesOneEmptyEntry()
    {
        StartWith(kIni, "");
        QCOMPARE(ListItems(f->main().ComboBox1), QStringList{QString()});
        QCOMPARE(f->main().ComboBox1->currentText(), kChoose);
    }

    void missingConfigurationLeavesTheListEmpty()
    {
        StartWith("", SampleCatalogue());
        QCOMPARE(f->main().ComboBox1->count(), 0);
        QCOMPARE(f->main().ComboBox1->currentText(), QString());
        // Main window and site dialog both fail on it: one message.
        QCOMPARE(f->messages.messages().size(), 1);
        QCOMPARE(f->messages.messages().first().text, QStringLiteral("mirelta.ini: Datei nicht gefunden."));
        QCOMPARE(f->messages.messages().first().caption, QStringLiteral("Mirelta"));
        QCOMPARE(f->messages.messages().first().icon, MessageIcon::Error);
    }

    void missingCatalogueIsReportedAndTheListStaysEmpty()
    {
        WriteBytes("mirelta.ini", kIni);
        f->Start();
        QCOMPARE(f->main().ComboBox1->count(), 0);
        QCOMPARE(f->messages.messages().first().text, QStringLiteral("objects.dat: Datei nicht gefunden."));
    }

    void choosingANameShowsItsRecordAndPlacesTheMarker()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        w.Edit1->setText(QStringLiteral("1,5"));
        Choose(QStringLiteral("Tycho"));
        QCOMPARE(w.Label5->text(), QStringLiteral("Tycho"));
        QCOMPARE(w.Label9->text(), QStringLiteral("-43° 18' 0\""));
        QCOMPARE(w.Label10->text(), QStringLiteral("-11° 12' 0\""));
        QCOMPARE(w.Label11->text(), QStringLiteral("4800m"));
        QCOMPARE(w.Label13->text(), QStringLiteral("Krater"));
        QCOMPARE(w.Label14->text(), QStringLiteral("Durchmesser 85 km"));
        QCOMPARE(w.Label15->text(), QStringLiteral("Strahlensystem"));
        QVERIFY(w.Cursor2->isVisible() || !w.Cursor2->isHidden());
        // Frame 100..120 x 150..170: centre (110, 160), marker top-left 11 before it.
        QCOMPARE(w.Cursor2->pos(), QPoint(8 + 110 - 11, 48 + 160 - 11));
        QVERIFY(!w.Button5->isEnabled());   // catalogue object
        QVERIFY(!w.GroupBox2->isHidden());  // origin 1 offers the measurement
        QCOMPARE(w.Edit1->text(), QString());
        QCOMPARE(QString::fromStdString(w.SelectedHeightText), QStringLiteral("4800"));
        SaveScreenshot(w, QStringLiteral("main_window_tycho"));
    }

    void userObjectsCanBeDeletedAndOfferTheMeasurementOnlyWithCoordinates()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        Choose(QStringLiteral("Mein Berg"));
        QVERIFY(w.Button5->isEnabled());
        QVERIFY(!w.GroupBox2->isHidden());
        QCOMPARE(w.Label9->text(), QStringLiteral("10° 6' 0\""));
        QCOMPARE(w.Label10->text(), QStringLiteral("-0° 30' 0\""));
        QCOMPARE(w.Label11->text(), QString());
        Choose(QStringLiteral("Ohne Länge"));
        QVERIFY(w.Button5->isEnabled());
        QVERIFY(w.GroupBox2->isHidden());
        QCOMPARE(w.Label10->text(), QString());
    }

    void numbersWrittenWithAPointStayReadable()
    {
        StartWith(kIni, SampleCatalogue());
        Choose(QStringLiteral("Ärmel"));
        QCOMPARE(f->main().Label9->text(), QStringLiteral("1° 30' 0\""));
        QCOMPARE(f->main().Label10->text(), QStringLiteral("2° 15' 0\""));
        QVERIFY(f->messages.messages().isEmpty());
    }

    void anUnknownNameKeepsThePreviousObject()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        Choose(QStringLiteral("Mein Berg"));
        QPoint marker = w.Cursor2->pos();
        Choose(QStringLiteral("Mein Bx"));  // no name begins with it
        QCOMPARE(w.Label5->text(), QStringLiteral("Mein Berg"));
        QCOMPARE(w.Cursor2->pos(), marker);
        QVERIFY(!w.Button5->isEnabled());
        QVERIFY(w.GroupBox2->isHidden());
    }

    void aLatitudeThatIsNotANumberIsReported()
    {
        StartWith(kIni, Record("1 2 3 4", "Kaputt", "zehn", "5", "", "1"));
        TForm1& w = f->main();
        Choose(QStringLiteral("Kaputt"));
        QCOMPARE(f->messages.lastText(),
                 QStringLiteral("objects.dat, Zeile 6: 'zehn' ist kein gültiger Gleitkommawert."));
        QVERIFY(w.Cursor2->isHidden());  // nothing of the record is shown
        QCOMPARE(w.Label5->text(), QString());
    }

    void programmaticTextsAreNoSelection()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        w.ComboBox1->setEditText(QStringLiteral("Tycho"));
        QCOMPARE(w.Label5->text(), QString());
        w.ComboBox1->setCurrentIndex(0);
        QCOMPARE(w.Label5->text(), QString());
    }

    void deletingAsksAndRemovesOnlyTheUsersRecords()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        Choose(QStringLiteral("Tycho"));
        w.ComboBox1->setEditText(QStringLiteral("Tycho"));
        // Shown: the catalogue Tycho; the button stays disabled for it. The
        // user's own "Tycho" is reached through its frame on the map.
        w.PointerLeft = 96 - 11;
        w.PointerTop = 146 - 11;
        w.Cursor1Click();
        QCOMPARE(w.Label5->text(), QStringLiteral("Tycho"));
        QVERIFY(w.Button5->isEnabled());

        f->messages.QueueConfirmAnswer(false);
        QTest::mouseClick(w.Button5, Qt::LeftButton);
        QCOMPARE(f->messages.messages().last().text, QStringLiteral("Soll das Objekt Tycho wirklich gelöscht werden?"));
        QCOMPARE(f->messages.messages().last().caption, QStringLiteral("Eintrag löschen"));
        QCOMPARE(ReadBytes("objects.dat"), SampleCatalogue());

        f->messages.QueueConfirmAnswer(true);
        QTest::mouseClick(w.Button5, Qt::LeftButton);
        std::string expected = SampleCatalogue();
        expected.erase(expected.rfind("95\r\n"));
        QCOMPARE(ReadBytes("objects.dat"), expected);  // the catalogue Tycho stays
        QCOMPARE(ListItems(w.ComboBox1), (QStringList{"Tycho", "Mein Berg", "Ohne Länge", "Albategnius", "Ärmel"}));
        QCOMPARE(w.ComboBox1->currentText(), kChoose);
        QVERIFY(!w.Button5->isEnabled());
        QCOMPARE(w.Label5->text(), QStringLiteral("Tycho"));  // still showing the deleted object
    }

    void sortCommandsRewriteTheFirstLineAndRecentreTheWindow()
    {
        StartWith("Art\r\nBonn\r\n50,7\r\n7,1\r\nf\xFCnf\r\n", SampleCatalogue());
        TForm1& w = f->main();
        w.FormCreate();
        QPoint centre = w.pos();
        w.move(centre + QPoint(40, 30));
        w.Objektlistealphabetischsortieren1->trigger();
        QCOMPARE(ReadBytes("mirelta.ini"), std::string("Alph\r\nBonn\r\n50,7\r\n7,1\r\nf\xFCnf\r\n"));
        QVERIFY(w.Objektlistealphabetischsortieren1->isChecked());
        QVERIFY(!w.ObjektlistenachArtsortieren1->isChecked());
        QCOMPARE(w.ComboBox1->itemText(0), QStringLiteral("Albategnius"));
        QCOMPARE(w.pos(), centre);

        w.ObjektlistenachArtsortieren1->trigger();
        w.ObjektlistenachArtsortieren1->trigger();  // also when already checked
        QCOMPARE(ReadBytes("mirelta.ini"), std::string("Art\r\nBonn\r\n50,7\r\n7,1\r\nf\xFCnf\r\n"));
        QVERIFY(w.ObjektlistenachArtsortieren1->isChecked());
        QVERIFY(!w.Objektlistealphabetischsortieren1->isChecked());
        QCOMPARE(w.ComboBox1->itemText(0), QStringLiteral("Tycho"));
        QVERIFY(!FileExists("mirelta2.ini"));
    }

    void failedSortCommandKeepsTheCheckMarks()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        std::remove("mirelta.ini");
        w.Objektlistealphabetischsortieren1->trigger();
        QCOMPARE(f->messages.lastText(), QStringLiteral("mirelta.ini: Datei nicht gefunden."));
        QVERIFY(!w.Objektlistealphabetischsortieren1->isChecked());
        QVERIFY(w.ObjektlistenachArtsortieren1->isChecked());
        QVERIFY(!FileExists("mirelta.ini"));
    }

    void appendedObjectStandsLastInFileOrder()
    {
        StartWith(kIni, SampleCatalogue());
        LunarObject object;
        object.Name = "Neu";
        object.Origin = "2";
        AppendObject(object);
        f->main().FormCreate();
        QCOMPARE(f->main().ComboBox1->itemText(f->main().ComboBox1->count() - 1), QStringLiteral("Neu"));
    }

    void heightPanelComputesForTransitTimesUpToFiveSeconds()
    {
        StartWith(kIni, SampleCatalogue());
        f->state.SiteName = "Bonn";
        TForm1& w = f->main();
        Choose(QStringLiteral("Tycho"));
        // The Sun stands 35 deg over Tycho: 0.15 s of shadow mean 3,960 m.
        QTest::keyClicks(w.Edit1, QStringLiteral("0,15"));
        QCOMPARE(w.Label26->text(), QStringLiteral("(Messung am 15. 3. 2003 um 20:05 Uhr"));
        QCOMPARE(w.Label27->text(), QStringLiteral(" MEZ  in Bonn)"));
        QVERIFY2(QRegularExpression(QStringLiteral("^39[5-6]\\d(,\\d)?m$")).match(w.Label35->text()).hasMatch(),
                 qPrintable(w.Label35->text()));
        QVERIFY(w.Label34->text().endsWith(QLatin1Char('%')) || w.Label34->text() == QStringLiteral("- - -"));
        QVERIFY(w.Label1->text().endsWith(QLatin1Char('"')));
        QVERIFY(f->state.MoonSemiDiameter > 880 && f->state.MoonSemiDiameter < 1010);
        for (QLabel* line : {w.Label26, w.Label27})
            QVERIFY2(line->fontMetrics().horizontalAdvance(line->text()) <= line->width(), qPrintable(line->text()));
        SaveScreenshot(w, QStringLiteral("main_window_height"));

        const QStringList shown = {w.Label26->text(), w.Label35->text(), w.Label34->text(), w.Label1->text()};
        auto labels = [&] {
            return QStringList{w.Label26->text(), w.Label35->text(), w.Label34->text(), w.Label1->text()};
        };
        for (const char* ignored : {"5,01", "0", "-2"}) {
            w.Edit1->setText(QString::fromLatin1(ignored));
            QCOMPARE(labels(), shown);
        }
        // Five seconds of shadow would need a summit of tens of kilometres:
        // the reason in place of the number, the sentence as its tooltip.
        w.Edit1->setText(QStringLiteral("5"));
        QCOMPARE(w.Label35->text(), QStringLiteral("über 20 km"));
        QCOMPARE(w.Label34->text(), QStringLiteral("- - -"));
        QVERIFY(w.Label35->toolTip().startsWith(QStringLiteral("Nur ein Gipfel")));
        SaveScreenshot(w, QStringLiteral("main_window_height_reason"));
        w.Edit1->setText(QStringLiteral("0,15"));
        QCOMPARE(labels(), shown);
        QVERIFY(w.Label35->toolTip().isEmpty());
        // Every reason fits the place of the number.
        QLabel probe;
        probe.setFont(w.Label35->font());
        for (NoHeightReason reason : {NoHeightReason::NightSide, NoHeightReason::MoonBelowHorizon,
                                      NoHeightReason::NotVisible, NoHeightReason::ShadowIntoNight,
                                      NoHeightReason::OutOfRange, NoHeightReason::TooHigh, NoHeightReason::Ambiguous}) {
            const QString text = QString::fromStdString(NoHeightText(reason));
            QVERIFY2(probe.fontMetrics().horizontalAdvance(text) <= w.Label35->width(), qPrintable(text));
        }
        w.Edit1->setText(QStringLiteral("2,5x"));
        QCOMPARE(f->messages.lastText(), QStringLiteral("'2,5x' ist kein gültiger Gleitkommawert."));
        QCOMPARE(labels(), shown);

        Choose(QStringLiteral("Ärmel"));  // choosing empties the field and the results
        QCOMPARE(w.Edit1->text(), QString());
        QCOMPARE(labels(), QStringList(4, QString()));
        QCOMPARE(w.Label27->text(), QString());
    }

    void heightPanelGivesBackAPeakOfTheIndependentSimulation()
    {
        // tools/height_check: a 3,800 m peak at Copernicus casts 2.110707 s of
        // shadow on 18 December 2026, 16:35 MEZ, seen from Berlin.
        StartWith(kIni, Record("140 160 180 200", "Copernicus", "9,6209", "-20,0786", "3800", "1"));
        f->clockReading = {2026, 12, 18, 16, 35};  // "Uhrzeit mitführen" reads it at the keystroke
        f->state.Latitude = 52.52, f->state.Longitude = 13.405, f->state.SiteName = "Berlin";
        Choose(QStringLiteral("Copernicus"));
        QTest::keyClicks(f->main().Edit1, QStringLiteral("2,111"));
        const QString shown = f->main().Label35->text();
        QVERIFY2(shown.endsWith(QLatin1Char('m')), qPrintable(shown));
        const double height = QString(shown).chopped(1).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
        QVERIFY2(std::fabs(height / 3800 - 1) < 0.03, qPrintable(shown));
        QCOMPARE(f->main().Label34->text(), QStringLiteral("0%"));
    }

    void heightPanelTakesCatalogueNumbersWithAPoint()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        Choose(QStringLiteral("Ärmel"));  // latitude "1.5", longitude "2.25", height 100
        w.Edit1->setText(QStringLiteral("1"));
        QVERIFY(f->messages.messages().isEmpty());
        QVERIFY(!w.Label35->text().isEmpty());
    }

    void markerFollowsTheMouseWithinItsBand()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        w.MoonImageMouseOver(200, 150);
        QVERIFY(!w.Cursor1->isHidden());
        QCOMPARE(w.PointerLeft, 189);
        QCOMPARE(w.PointerTop, 139);
        QCOMPARE(w.Cursor1->pos(), QPoint(8 + 189, 48 + 139));
        w.MoonImageMouseOver(5, 395);  // outside the band: the marker stays
        QCOMPARE(w.PointerLeft, 189);
        QCOMPARE(w.PointerTop, 139);
        w.MoonImageMouseOver(11, 389);
        QCOMPARE(w.PointerLeft, 0);
        QCOMPARE(w.PointerTop, 378);
        // Moves arriving at the marker push it no further than 0 and 379.
        w.Cursor1MouseOver(0, 12);
        QCOMPARE(w.PointerLeft, 0);
        QCOMPARE(w.PointerTop, 379);
        w.Cursor1MouseOver(21, 21);
        QCOMPARE(w.PointerTop, 379);
        QCOMPARE(w.PointerLeft, 10);
        QCOMPARE(w.Cursor1->pos(), QPoint(8 + 10, 48 + 379));
    }

    void movesOverTheSelectionMarkerMoveThePointerMarker()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        Choose(QStringLiteral("Tycho"));
        w.Cursor2MouseOver(15, 5);
        QCOMPARE(w.Cursor1->pos(), w.Cursor2->pos() + QPoint(4, -6));
        QCOMPARE(w.PointerLeft, w.Cursor2->x() - 8 + 4);
        QCOMPARE(w.PointerTop, w.Cursor2->y() - 48 - 6);
    }

    void pickShowsTheFirstFrameUnderThePointer()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        w.MoonImageMouseOver(110, 160);
        QTest::mouseClick(w.Cursor1, Qt::LeftButton, {}, QPoint(11, 11));
        QCOMPARE(w.Label5->text(), QStringLiteral("Tycho"));
        QCOMPARE(w.ComboBox1->currentText(), QStringLiteral("Tycho"));
        QVERIFY(!w.Button5->isEnabled());
        QVERIFY(!w.GroupBox2->isHidden());
        QCOMPARE(w.Cursor2->pos(), QPoint(8 + 110 - 11, 48 + 160 - 11));
    }

    void aChangeByAnotherProgramIsSeenAtTheNextKeystrokePickAndReload()
    {
        // The window keeps the catalogue it read while the file is unchanged.
        StartWith("Alph\r\nBonn\r\n50,7333\r\n7,1\r\n", SampleCatalogue());
        TForm1& w = f->main();
        Choose(QStringLiteral("Tycho"));
        QCOMPARE(w.Label13->text(), QStringLiteral("Krater"));

        // Another program renames a crater and changes Tycho's description,
        // keeping the file's length.
        std::string changed = SampleCatalogue();
        changed.replace(changed.find("Krater"), 6, "Kegel ");
        changed.replace(changed.find("Albategnius"), 11, "Zagut      ");
        QCOMPARE(changed.size(), SampleCatalogue().size());
        WriteBytes("objects.dat", changed);

        Choose(QStringLiteral("Tycho"));
        QCOMPARE(w.Label13->text(), QStringLiteral("Kegel "));
        w.PointerLeft = 305 - 11;
        w.PointerTop = 305 - 11;
        w.Cursor1Click();
        QCOMPARE(w.Label5->text(), QStringLiteral("Zagut      "));
        w.Objektlistealphabetischsortieren1->trigger();
        QCOMPARE(ListItems(w.ComboBox1),
                 (QStringList{"Ärmel", "Mein Berg", "Ohne Länge", "Tycho", "Tycho", "Zagut      "}));
    }

    void pickOnAnEdgeOfAFrameCounts()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        w.PointerLeft = 14 - 11;
        w.PointerTop = 10 - 11;
        w.Cursor1Click();
        QCOMPARE(w.Label5->text(), QStringLiteral("Mein Berg"));
        QVERIFY(w.Button5->isEnabled());
    }

    void pickBesideEveryFrameEmptiesTheGroup()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        Choose(QStringLiteral("Tycho"));
        w.PointerLeft = 380 - 11;
        w.PointerTop = 20 - 11;
        w.Cursor1Click();
        QCOMPARE(w.Label5->text(), QString());
        QCOMPARE(w.Label9->text(), QString());
        QCOMPARE(w.Label13->text(), QString());
        QCOMPARE(w.ComboBox1->currentText(), kChoose);
        QCOMPARE(w.Cursor2->pos(), QPoint(8 + 369, 48 + 9));
        QVERIFY(w.GroupBox2->isHidden());
    }

    void dialogCommandsDisableTheMainWindowUntilTheDialogIsLeft()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.SpeedButton6, Qt::LeftButton);
        TForm5& report = *f->windows->Form5;
        QVERIFY(!w.isEnabled());
        QVERIFY(report.isVisible());
        QCOMPARE(report.size(), QSize(296, 307));
        QTest::mouseClick(report.Button1, Qt::LeftButton);
        QVERIFY(w.isEnabled());
        QVERIFY(!report.isVisible());
        // A window manager's close request on a dialog without close box
        // leaves it like its button.
        w.Mondposition2->trigger();
        QVERIFY(report.close());
        QVERIFY(w.isEnabled());
        QVERIFY(!report.isVisible());

        for (QAction* command : {w.Beobachtungsortauswhlen1, w.DatumundUhrzeitfestlegen1, w.PhysEphemeriden1,
                                 w.Sichtverhltnisseeinschtzen1}) {
            command->trigger();
            QVERIFY2(!w.isEnabled(), qPrintable(command->text()));
            QWidget* shown = QApplication::topLevelWidgets().isEmpty() ? nullptr : nullptr;
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top != &w && top->isVisible() && qobject_cast<MireltaDialog*>(top)) shown = top;
            QVERIFY2(shown, qPrintable(command->text()));
            shown->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            QVERIFY(w.isEnabled());
            QVERIFY(!shown->isVisible());
        }
    }

    void helpStartsTheRegisteredPdfViewerWithTheManual()
    {
        StartWith(kIni, SampleCatalogue());
        QDir here = QDir::current();
        here.mkpath(QStringLiteral("config"));
        here.mkpath(QStringLiteral("data/applications"));
        WriteBytes("config/mimeapps.list", "[Default Applications]\napplication/pdf=leser.desktop\n");
        qputenv("XDG_CONFIG_HOME", here.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_CONFIG_DIRS", here.filePath(QStringLiteral("nothing")).toUtf8());
        qputenv("XDG_DATA_HOME", here.filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_DATA_DIRS", here.filePath(QStringLiteral("nothing")).toUtf8());

        // A viewer that cannot be started: the message names the command tried.
        WriteBytes("data/applications/leser.desktop",
                   "[Desktop Entry]\nExec=\"/gibt/es/nicht/pdf-leser\" \"--seite eins\" %U\n");
        f->main().Hilfe1->trigger();
        QCOMPARE(f->messages.messages().size(), 1);
        QCOMPARE(f->messages.messages().last().caption, QStringLiteral("Hinweis"));
        QCOMPARE(f->messages.lastText(),
                 QStringLiteral("Das Anzeigeprogramm für die Mirelta Hilfedatei konnte nicht "
                                "gestartet werden.\nVersuchter Aufruf: /gibt/es/nicht/pdf-leser "
                                "\"--seite eins\" manual.pdf"));
        f->messages.clear();

        WriteBytes("data/applications/leser.desktop", "[Desktop Entry]\nExec=\"/usr/bin/pdf-leser\" --vollbild %U\n");
        QString program;
        QStringList arguments;
        f->main().SetProcessStarter([&](const QString& p, const QStringList& a) {
            program = p;
            arguments = a;
            return true;
        });
        f->main().SpeedButton7->click();
        QCOMPARE(program, QStringLiteral("/usr/bin/pdf-leser"));
        QCOMPARE(arguments, (QStringList{"--vollbild", "manual.pdf"}));
        QVERIFY(f->messages.messages().isEmpty());

        // Without a registered viewer: the note, and nothing is started.
        WriteBytes("config/mimeapps.list", "");
        program.clear();
        f->main().Hilfe1->trigger();
        QVERIFY(program.isEmpty());
        QCOMPARE(f->messages.messages().last().caption, QStringLiteral("Hinweis"));
        QCOMPARE(f->messages.lastText(),
                 QStringLiteral("Zum Betrachten der Mirelta Hilfedatei muss ein Anzeigeprogramm für PDF-Dateien "
                                "installiert und mit diesen verknüpft sein."));
        QCOMPARE(f->messages.messages().last().icon, MessageIcon::Warning);
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
            qunsetenv(name);
    }

    void aboutBoxCreationReadsTheClockOnce()
    {
        f->clockReading = {2005, 7, 1, 0, 15};  // summer time: 30 June, 23:15 MEZ
        StartWith(kIni, SampleCatalogue());
        QCOMPARE(f->state.Day, 30);
        QCOMPARE(f->state.Month, 6);
        QCOMPARE(f->state.Year, 2005);
        QCOMPARE(f->state.Hour, 23);
        QCOMPARE(f->state.Minute, 15);
        f->clockReading = {2010, 1, 1, 12, 0};
        f->main().About1->trigger();  // opening does not read the clock again
        QCOMPARE(f->state.Year, 2005);
        SaveScreenshot(*f->windows->Form2, QStringLiteral("about_box"));
    }

    void aboutBoxOpensCentredOverTheMainWindow()
    {
        StartWith(kIni, SampleCatalogue());
        TForm1& w = f->main();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.move(w.pos() + QPoint(-37, 21));
        w.About1->trigger();
        TForm2& about = *f->windows->Form2;
        QVERIFY(about.isVisible());
        QVERIFY(!w.isEnabled());
        QCOMPARE(about.frameGeometry().topLeft(), CentredOver(w.frameGeometry(), about.frameGeometry().size()));
        about.Button1->click();
        QVERIFY(w.isEnabled());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
