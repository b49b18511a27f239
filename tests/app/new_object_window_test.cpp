// The main window's mode for defining a new object: outlining a frame on the
// map, confirming it, entering the data and saving or cancelling.

#include "catalogue/catalogue.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

const char* kIni = "Art\r\nBonn\r\n50,7333\r\n7,1\r\n";
const std::string kCatalogue = Record("100 120 150 170", "Tycho", "-43,3", "-11,2", "4800", "1");

}  // namespace

class NewObjectWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;
    QImage originalMap;

    TForm1& w() { return f->main(); }

    // Drags the cross-hair from map pixel `from` to `to` with the left button,
    // as the mouse events arrive: first at the map, then at the cross-hair.
    void Drag(QPoint from, QPoint to)
    {
        w().MoonImageMouseOver(from.x(), from.y());
        w().Cursor3MouseDown(11, 11);
        QPoint step = to - from;
        w().Cursor3MouseOver(11 + step.x(), 11 + step.y(), Qt::LeftButton, Qt::NoModifier);
        w().Cursor3MouseUp(11, 11);
    }

    QList<QWidget*> EntryFields()
    {
        QList<QWidget*> fields;
        for (const char* name :
             {"Label20", "Label21", "Label22", "Label23", "Label24", "Label25", "Edit2", "Edit3", "Edit4", "Edit5",
              "Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "Edit11", "Edit12", "Button2"})
            fields << w().GroupBox3->findChild<QWidget*>(QString::fromLatin1(name));
        return fields;
    }

private slots:
    void init()
    {
        f = std::make_unique<WindowFixture>();
        WriteBytes("mirelta.ini", kIni);
        WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
        WriteBytes("objects.dat", kCatalogue);
        f->Start();
        originalMap = w().MoonImage->Picture().copy();
        w().NeuesObjektdefinieren1->trigger();
    }
    void cleanup() { f.reset(); }

    void enteringTheModeSwapsThePanels()
    {
        QVERIFY(!w().GroupBox3->isHidden());
        for (QWidget* hidden : {static_cast<QWidget*>(w().GroupBox1), static_cast<QWidget*>(w().GroupBox2),
                                static_cast<QWidget*>(w().ComboBox1), static_cast<QWidget*>(w().Button5),
                                static_cast<QWidget*>(w().Cursor1), static_cast<QWidget*>(w().Cursor2)})
            QVERIFY(hidden->isHidden());
        for (QMenu* menu : {w().Datei1, w().Mondzustand1, w().Info1}) QVERIFY(!menu->menuAction()->isEnabled());
        QVERIFY(!w().SpeedButton1->isEnabled());
        for (QWidget* field : EntryFields()) QVERIFY2(!field->isEnabled(), qPrintable(field->objectName()));
        // The bold captions look disabled too, not just the plain ones.
        QLabel* nameCaption = w().GroupBox3->findChild<QLabel*>(QStringLiteral("Label20"));
        QVERIFY(nameCaption->palette().color(QPalette::Disabled, QPalette::WindowText) !=
                nameCaption->palette().color(QPalette::Active, QPalette::WindowText));
        QVERIFY(w().Button4->isEnabled());
        QVERIFY(w().Button3->isEnabled());
        w().MoonImageMouseOver(150, 150);  // the map now moves the red cross-hair
        QVERIFY(!w().Cursor3->isHidden());
        QVERIFY(w().Cursor1->isHidden());
        // Every caption fits the panel and its own label.
        for (QLabel* label : w().GroupBox3->findChildren<QLabel*>()) {
            if (label->text().isEmpty()) continue;
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->text()));
            QVERIFY2(w().GroupBox3->rect().contains(label->geometry()), qPrintable(label->text()));
        }
        SaveScreenshot(w(), QStringLiteral("new_object_mode"));
    }

    void aFrameAroundTheDiscCentreProposesItsCoordinates()
    {
        Drag({190, 190}, {210, 210});
        QCOMPARE(w().FrameStartX, 190);
        QCOMPARE(w().FrameEndY, 210);
        QVERIFY(w().MoonImage->Picture() != originalMap);  // the rubber band is drawn
        // The centre (200, 200) lies at latitude 7.35 and longitude 6.33.
        QCOMPARE(w().Edit3->text(), QStringLiteral("7"));
        QCOMPARE(w().Edit4->text(), QStringLiteral("6"));
        for (QLineEdit* field : {w().Edit9, w().Edit10, w().Edit11, w().Edit12})
            QCOMPARE(field->text(), QStringLiteral("0"));
        QTest::mouseClick(w().Button4, Qt::LeftButton);
        for (QWidget* field : EntryFields()) QVERIFY2(field->isEnabled(), qPrintable(field->objectName()));
        SaveScreenshot(w(), QStringLiteral("new_object_frame"));
    }

    void savingAppendsTheRecordAndLeavesTheMode()
    {
        Drag({210, 215}, {190, 185});  // from bottom right to top left
        w().Button4Click();
        w().Edit2->setText(QStringLiteral("Mein Hügel"));
        w().Edit3->setText(QStringLiteral("-0"));
        w().Edit9->setText(QStringLiteral("30"));
        w().Edit11->clear();  // empty seconds count as 0
        w().Edit5->setText(QStringLiteral("350"));
        w().Edit6->setText(QStringLiteral("flache Kuppe"));
        w().Button2Click();
        QCOMPARE(f->messages.lastText(), QStringLiteral("Daten wurden hinzugefügt."));
        QCOMPARE(f->messages.messages().last().icon, MessageIcon::Information);
        QCOMPARE(ReadBytes("objects.dat"),
                 kCatalogue +
                     "190\r\n210\r\n185\r\n215\r\nMein H\xFCgel\r\n-0,5\r\n6\r\n350\r\nflache Kuppe\r\n\r\n\r\n2\r\n");
        QVERIFY(w().GroupBox3->isHidden());
        QVERIFY(!w().GroupBox1->isHidden());
        QVERIFY(w().Datei1->menuAction()->isEnabled());
        QCOMPARE(w().MoonImage->Picture(), originalMap);  // rubber band erased
        QCOMPARE(w().ComboBox1->itemText(w().ComboBox1->count() - 1), QStringLiteral("Mein Hügel"));
        QCOMPARE(w().ComboBox1->currentText(), QStringLiteral("[Objekt wählen]"));

        // The new object can be picked on the map and deleted again.
        w().PointerLeft = 200 - 11;
        w().PointerTop = 200 - 11;
        w().Cursor1Click();
        QCOMPARE(w().Label5->text(), QStringLiteral("Mein Hügel"));
        QVERIFY(w().Button5->isEnabled());
        QVERIFY(!w().GroupBox2->isHidden());
    }

    void aFailedCheckKeepsThePanelAndWritesNothing()
    {
        Drag({190, 190}, {210, 210});
        w().Button4Click();
        w().Edit2->setText(QStringLiteral("Hoch"));
        w().Edit3->setText(QStringLiteral("95"));
        w().Edit10->clear();
        w().Button2Click();
        QCOMPARE(f->messages.lastText(),
                 QStringLiteral(
                     "Beobachtbare Objekte auf dem Mond haben eine selenographische Breite zwischen -90° und +90°"));
        QCOMPARE(f->messages.messages().last().icon, MessageIcon::Warning);
        QCOMPARE(w().Edit10->text(), QStringLiteral("0"));  // the empty field now shows 0
        QCOMPARE(ReadBytes("objects.dat"), kCatalogue);
        QVERIFY(!w().GroupBox3->isHidden());
        QCOMPARE(w().Edit2->text(), QStringLiteral("Hoch"));
    }

    void textsTheCatalogueCannotHoldAreRefused()
    {
        Drag({190, 190}, {210, 210});
        w().Button4Click();
        w().Edit2->setText(QStringLiteral("Krater Ω"));
        w().Button2Click();
        QVERIFY(f->messages.lastText().contains(QStringLiteral("Ω")));
        QCOMPARE(f->messages.messages().last().icon, MessageIcon::Warning);
        QCOMPARE(ReadBytes("objects.dat"), kCatalogue);
        QVERIFY(!w().GroupBox3->isHidden());
    }

    void pastedLineBreaksBecomeBlanksAndTheRecordStaysWhole()
    {
        Drag({190, 190}, {210, 210});
        w().Button4Click();
        QGuiApplication::clipboard()->setText(QStringLiteral("Kopiert\r\nZweite\tZeile\x07"));
        w().Edit2->setFocus();
        QTest::keySequence(w().Edit2, QKeySequence::Paste);
        QCOMPARE(w().Edit2->text(), QStringLiteral("Kopiert Zweite Zeile"));
        w().Edit6->setText(QStringLiteral("eins\nzwei"));  // set, not typed: the same rule
        QCOMPARE(w().Edit6->text(), QStringLiteral("eins zwei"));
        w().Button2Click();
        QCOMPARE(f->messages.lastText(), QStringLiteral("Daten wurden hinzugefügt."));
        QCOMPARE(*ReadObjectNames(), (std::vector<std::string>{"Tycho", "Kopiert Zweite Zeile"}));
        SelectedObjectTexts selected;
        std::optional<LunarObject> stored = FindObjectByName("Kopiert Zweite Zeile", selected);
        QVERIFY(stored);
        QCOMPARE(stored->Description1, std::string("eins zwei"));
        QCOMPARE(stored->Origin, std::string("2"));
    }

    void aMissingCatalogueIsReportedAndTheModeStays()
    {
        Drag({190, 190}, {210, 210});
        w().Button4Click();
        w().Edit2->setText(QStringLiteral("Neu"));
        std::remove("objects.dat");
        QTest::mouseClick(w().Button2, Qt::LeftButton);
        QCOMPARE(f->messages.lastText(), QStringLiteral("objects.dat: Datei nicht gefunden."));
        QVERIFY(!w().GroupBox3->isHidden());
        QVERIFY(!FileExists("objects.dat"));
    }

    void releasingOutsideTheDiscDiscardsTheFrame()
    {
        Drag({190, 190}, {210, 210});
        Drag({12, 12}, {20, 20});  // centre in the dark corner
        QCOMPARE(w().MoonImage->Picture(), originalMap);
        QCOMPARE(w().FrameStartX, 0);
        QCOMPARE(w().FrameEndY, 0);
        for (QLineEdit* field : {w().Edit3, w().Edit4, w().Edit9, w().Edit10, w().Edit11, w().Edit12})
            QCOMPARE(field->text(), QString());
        w().Button4Click();
        QCOMPARE(f->messages.lastText(), QStringLiteral("Keine oder ungültige Auswahl"));
        QVERIFY(!w().Edit2->isEnabled());
    }

    void confirmingWithoutAFrameIsRefused()
    {
        w().Button4Click();
        QCOMPARE(f->messages.lastText(), QStringLiteral("Keine oder ungültige Auswahl"));
        QCOMPARE(f->messages.messages().last().caption, QStringLiteral("Mirelta"));
    }

    void aNewDragDisablesTheFieldsAgain()
    {
        Drag({190, 190}, {210, 210});
        w().Button4Click();
        QVERIFY(w().Edit2->isEnabled());
        w().Cursor3MouseDown(11, 11);
        for (QWidget* field : EntryFields()) QVERIFY2(!field->isEnabled(), qPrintable(field->objectName()));
        QVERIFY(w().GroupBox3->findChild<QLabel*>(QStringLiteral("Label37"))->isEnabled());
    }

    void movesWithOtherButtonsOrKeysDrawNothing()
    {
        w().MoonImageMouseOver(150, 150);
        w().Cursor3MouseDown(11, 11);
        w().Cursor3MouseOver(21, 21, Qt::LeftButton, Qt::ShiftModifier);
        w().Cursor3MouseOver(25, 25, Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
        QCOMPARE(w().MoonImage->Picture(), originalMap);
        QCOMPARE(w().PointerLeft, 150 - 11 + 10 + 14);  // the cross-hair still follows
    }

    void cancellingRestoresTheNormalView()
    {
        Drag({190, 190}, {210, 210});
        w().Button4Click();
        w().Edit2->setText(QStringLiteral("Verworfen"));
        QTest::mouseClick(w().Button3, Qt::LeftButton);
        QVERIFY(w().GroupBox3->isHidden());
        QVERIFY(w().Cursor3->isHidden());
        QVERIFY(!w().ComboBox1->isHidden());
        QVERIFY(w().SpeedButton1->isEnabled());
        QVERIFY(w().Info1->menuAction()->isEnabled());
        QCOMPARE(w().Edit2->text(), QString());
        QVERIFY(!w().Edit2->isEnabled());
        QCOMPARE(w().MoonImage->Picture(), originalMap);
        QCOMPARE(ReadBytes("objects.dat"), kCatalogue);
    }
};

QTEST_MAIN(NewObjectWindowTest)
#include "new_object_window_test.moc"
