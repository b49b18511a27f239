// The site dialog with its coordinate entry: refresh, choice, Ok and
// Abbrechen, and the changes of the site list. The coordinate dialog is
// answered from a script each time it is shown, while the site dialog waits.

#include "platform/number_text.h"
#include "setup/Unit3.h"
#include "setup/Unit9.h"
#include "setup/site_list_file.h"
#include "tests/data/shipped_files.h"
#include "tests/support/recording_messages.h"
#include "tests/support/window_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <deque>

namespace {

const char* const kIni =
    "Art\r\nAm S\xFC"
    "dhang\r\n51,3333333333333\r\n-0.5\r\nfifth\r\n";
const char* const kSites =
    "Z\xFCrich\r\n47,3769\r\n8,5417\r\n"
    "Bonn\r\n-0,5\r\n7,1\r\n"
    "\xD6sterberg\r\n48\r\n13\r\n"
    "aachen\r\n50,7753\r\n6,0839\r\n"
    "Am S\xFC"
    "dhang\r\n51,3333333333333\r\n-0.5\r\n"
    "Bonn\r\n1\r\n2\r\n"
    "Kaputt\r\nnord\r\n7\r\n";

// One answer to a showing of the coordinate dialog: the fields to type
// (none: leave them as shown) and the button to press.
struct Answer {
    QStringList fields;
    bool ok = true;
};

// What the coordinate dialog looked like when it was shown.
struct Showing {
    QString caption, prompt;
    QStringList fields;
    bool siteDialogEnabled = true;
    bool focusInDegrees = false;
};

// Answers the coordinate dialog each time it is shown, after the site
// dialog has started waiting; without an answer left it cancels.
class CoordinateScript : public QObject {
public:
    CoordinateScript(TForm9& form, QWidget& siteDialog) : form_(form), siteDialog_(siteDialog)
    {
        form_.installEventFilter(this);
    }

    std::deque<Answer> answers;
    QList<Showing> shown;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            shown.append({form_.windowTitle(), form_.Label1->text(), Fields(), siteDialog_.isEnabled()});
            QTimer::singleShot(0, this, [this] { Respond(); });
        }
        return false;
    }

private:
    QStringList Fields() const { return {form_.Edit1->text(), form_.Edit2->text(), form_.Edit3->text()}; }

    void Respond()
    {
        shown.last().focusInDegrees = form_.focusWidget() == form_.Edit1;
        Answer answer = answers.empty() ? Answer{{}, false} : answers.front();
        if (!answers.empty()) answers.pop_front();
        if (!answer.fields.isEmpty()) {
            form_.Edit1->setText(answer.fields[0]);
            form_.Edit2->setText(answer.fields[1]);
            form_.Edit3->setText(answer.fields[2]);
        }
        (answer.ok ? form_.Button1 : form_.Button2)->click();
    }

    TForm9& form_;
    QWidget& siteDialog_;
};

QStringList Items(QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}

}  // namespace

class SiteDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempWorkingDir> dir;
    QWidget mainWindow;
    RecordingMessageService messages;
    ObservationState state;
    int refreshes = 0;
    std::unique_ptr<TForm3> form;
    std::unique_ptr<TForm9> form9;
    std::unique_ptr<CoordinateScript> script;

    void Start(const std::string& ini = kIni, const std::string& sites = kSites)
    {
        if (!ini.empty()) WriteBytes("mirelta.ini", ini);
        if (!sites.empty()) WriteBytes("places.dat", sites);
        form = std::make_unique<TForm3>(&mainWindow, messages, state, ',', [this] { ++refreshes; });
        RunFormCreate(*form);
        form9 = std::make_unique<TForm9>(form.get(), messages, ',');
        RunFormCreate(*form9);
        form->SetCoordinateDialog(form9.get());
        script = std::make_unique<CoordinateScript>(*form9, *form);
        OpenDialog(mainWindow, *form);
    }

    void Choose(const QString& name)
    {
        QList<QListWidgetItem*> found = form->ListBox1->findItems(name, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        form->ListBox1->setCurrentItem(found.first());
    }

    QStringList Shown() const { return {form->Label4->text(), form->Label5->text(), form->Label6->text()}; }

private slots:
    void init()
    {
        dir = std::make_unique<TempWorkingDir>();
        messages = RecordingMessageService();
        state = ObservationState{};
        refreshes = 0;
        mainWindow.setGeometry(200, 150, 625, 475);
    }

    void cleanup()
    {
        script.reset();
        form9.reset();
        form.reset();
        dir.reset();
    }

    void refreshReadsTheStoredSiteAndListsTheNamesInGermanOrder()
    {
        Start();
        QVERIFY(messages.messages().isEmpty());
        QCOMPARE(QString::fromStdString(state.SiteName), QStringLiteral("Am Südhang"));
        QCOMPARE(state.Latitude, 51.3333333333333);
        QCOMPARE(state.Longitude, -0.5);  // written elsewhere with a point
        QCOMPARE(Shown(), (QStringList{"Am Südhang", "51° 19' 59\"", "-0° 30' 0\""}));
        QCOMPARE(Items(form->ListBox1),
                 (QStringList{"aachen", "Am Südhang", "Bonn", "Bonn", "Kaputt", "Österberg", "Zürich"}));
        QVERIFY(!form->Button3->isEnabled() && !form->Button4->isEnabled());

        QCOMPARE(form->frameGeometry().topLeft(),
                 CentredOver(mainWindow.frameGeometry(), form->frameGeometry().size()));
        for (QLabel* label : {form->Label1, form->Label2, form->Label3, form->Label4, form->Label5, form->Label6})
            QVERIFY(form->GroupBox1->rect().contains(label->geometry()));
        QVERIFY(form->Label3->geometry().right() < form->Label6->x());
        for (QPushButton* button : form->findChildren<QPushButton*>())
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width(),
                     qPrintable(button->text()));
        SaveScreenshot(*form, QStringLiteral("site_dialog"));
    }

    void refreshFailuresStopWhereTheyOccur()
    {
        Start(kIni, "");  // no site list
        QCOMPARE(messages.lastText(), QStringLiteral("places.dat: Datei nicht gefunden."));
        QCOMPARE(QString::fromStdString(state.SiteName), QStringLiteral("Am Südhang"));
        QCOMPARE(form->ListBox1->count(), 0);
        QCOMPARE(form->Label4->text(), QString());  // labels not reached

        WriteBytes("places.dat", "");
        RunFormCreate(*form);
        QCOMPARE(Items(form->ListBox1), QStringList{""});

        // A stored site that is no site is reported with its line and not
        // taken: nothing is computed from it.
        WriteBytes("mirelta.ini", "Art\r\nBonn\r\nnord\r\n7\r\n");
        RunFormCreate(*form);
        QCOMPARE(messages.lastText(), QStringLiteral("mirelta.ini, Zeile 3: 'nord' ist kein gültiger Gleitkommawert."));
        QCOMPARE(QString::fromStdString(state.SiteName), QStringLiteral("Am Südhang"));
        QCOMPARE(state.Latitude, 51.3333333333333);
        QCOMPARE(form->ListBox1->count(), 0);
        WriteBytes("mirelta.ini", "Art\r\nBonn\r\n1e300\r\n7\r\n");
        RunFormCreate(*form);
        QCOMPARE(messages.lastText(),
                 QStringLiteral("mirelta.ini, Zeile 3: '1e300' liegt außerhalb des gültigen Bereichs von -90 bis 90."));
        QCOMPARE(state.Latitude, 51.3333333333333);
    }

    void aMissingSiteListIsReportedOncePerOpening()
    {
        // Start (creation), opening and Abbrechen each refresh the dialog;
        // Abbrechen does not repeat what the opening has just shown.
        Start(kIni, "");  // creation and opening: one message each
        QCOMPARE(messages.messages().size(), 2);
        form->Button2->click();
        QCOMPARE(messages.messages().size(), 2);
        QVERIFY(form->isHidden() && mainWindow.isEnabled());
        // A failure the opening did not show is reported.
        OpenDialog(mainWindow, *form);
        QCOMPARE(messages.messages().size(), 3);
        std::remove("mirelta.ini");
        form->Button2->click();
        QCOMPARE(messages.lastText(), QStringLiteral("mirelta.ini: Datei nicht gefunden."));
    }

    void listClickShowsTheFirstRecordRoundedAndLeavesTheState()
    {
        Start();
        Choose(QStringLiteral("Am Südhang"));
        QVERIFY(form->Button3->isEnabled() && form->Button4->isEnabled());
        QCOMPARE(Shown(), (QStringList{"Am Südhang", "51° 20' 0\"", "-0° 30' 0\""}));
        Choose(QStringLiteral("Bonn"));
        QCOMPARE(Shown(), (QStringList{"Bonn", "-0° 30' 0\"", "7° 6' 0\""}));
        QCOMPARE(form->SiteLatitudeText, std::string("-0,5"));
        QCOMPARE(state.Latitude, 51.3333333333333);

        Choose(QStringLiteral("Kaputt"));
        QCOMPARE(messages.lastText(), QStringLiteral("places.dat, Zeile 20: 'nord' ist kein gültiger Gleitkommawert."));
        QCOMPARE(Shown(), (QStringList{"Bonn", "-0° 30' 0\"", "7° 6' 0\""}));

        // A name gone from the file since the refresh changes nothing shown.
        Choose(QStringLiteral("Zürich"));
        WriteBytes("places.dat", "Bonn\r\n50\r\n7\r\n");
        Choose(QStringLiteral("aachen"));
        QCOMPARE(Shown(), (QStringList{"Zürich", "47° 22' 37\"", "8° 32' 30\""}));
        QCOMPARE(form->SiteLatitudeText, std::string("47,3769"));
    }

    void okMakesTheShownSiteCurrent()
    {
        Start();
        form->Button1->click();  // without a click: the stored site again
        QCOMPARE(ReadBytes("mirelta.ini"), std::string(kIni));
        QVERIFY(form->isHidden() && mainWindow.isEnabled());
        QCOMPARE(refreshes, 1);

        OpenDialog(mainWindow, *form);
        Choose(QStringLiteral("Zürich"));
        form->Button1->click();
        QCOMPARE(QString::fromStdString(state.SiteName), QStringLiteral("Zürich"));
        QCOMPARE(state.Latitude, 47.3769);
        QCOMPARE(state.Longitude, 8.5417);
        QCOMPARE(ReadBytes("mirelta.ini"), std::string("Art\r\nZ\xFCrich\r\n47,3769\r\n8,5417\r\nfifth\r\n"));
        QCOMPARE(refreshes, 2);

        // A record whose number does not convert is never shown, so Ok
        // cannot store its name with another site's coordinates.
        OpenDialog(mainWindow, *form);
        QCOMPARE(form->Label4->text(), QStringLiteral("Zürich"));
        Choose(QStringLiteral("Kaputt"));
        QVERIFY(messages.lastText().startsWith(QStringLiteral("places.dat, Zeile ")));
        QCOMPARE(form->Label4->text(), QStringLiteral("Zürich"));
        form->Button1->click();
        QCOMPARE(QString::fromStdString(state.SiteName), QStringLiteral("Zürich"));
        QCOMPARE(state.Latitude, 47.3769);
        QCOMPARE(ReadBytes("mirelta.ini"), std::string("Art\r\nZ\xFCrich\r\n47,3769\r\n8,5417\r\nfifth\r\n"));
        QCOMPARE(refreshes, 3);
    }

    void cancelPutsTheStoredSiteBack()
    {
        Start();
        Choose(QStringLiteral("Zürich"));
        form->Button2->click();
        QCOMPARE(QString::fromStdString(state.SiteName), QStringLiteral("Am Südhang"));
        QCOMPARE(form->Label4->text(), QStringLiteral("Am Südhang"));
        QCOMPARE(ReadBytes("mirelta.ini"), std::string(kIni));
        QVERIFY(form->isHidden() && mainWindow.isEnabled());
        QCOMPARE(refreshes, 0);

        // A close request of the window manager acts the same.
        OpenDialog(mainWindow, *form);
        Choose(QStringLiteral("Zürich"));
        QVERIFY(form->close());
        QCOMPARE(QString::fromStdString(state.SiteName), QStringLiteral("Am Südhang"));
        QVERIFY(form->isHidden() && mainWindow.isEnabled());

        // Even without mirelta.ini the dialog can be left.
        OpenDialog(mainWindow, *form);
        std::remove("mirelta.ini");
        form->Button2->click();
        QCOMPARE(messages.lastText(), QStringLiteral("mirelta.ini: Datei nicht gefunden."));
        QVERIFY(form->isHidden() && mainWindow.isEnabled());
    }

    void addChecksTheRangesAndAppends()
    {
        Start();
        messages.QueuePromptAnswer(QStringLiteral("Höhenweg"));
        script->answers = {{{"90", "0", "1"}}, {{"-90", "", ""}}, {{"181", "", ""}}, {{"180", "", ""}}};
        form->Button5->click();
        QCOMPARE(script->shown.size(), 4);
        QCOMPARE(script->shown[0].caption, QStringLiteral("Neuer Beobachtungsort"));
        QCOMPARE(script->shown[0].prompt, kLatitudePrompt);
        QCOMPARE(script->shown[0].fields, (QStringList{"", "", ""}));
        QVERIFY(!script->shown[0].siteDialogEnabled);
        QVERIFY(script->shown[0].focusInDegrees);
        QCOMPARE(script->shown[1].fields, (QStringList{"90", "0", "1"}));  // the refused entry stays
        QCOMPARE(script->shown[2].prompt, kLongitudePrompt);
        QCOMPARE(script->shown[2].fields, (QStringList{"", "", ""}));
        QCOMPARE(messages.messages()[0].kind, RecordedMessage::Kind::Prompt);
        QCOMPARE(messages.messages()[0].caption, QStringLiteral("Neuer Beobachtungsort"));
        QCOMPARE(messages.messages()[0].text, QStringLiteral("Bitte geben Sie den Namen des neuen Ortes ein:"));
        QCOMPARE(messages.messages()[1].text, QStringLiteral("Beobachtungsorte auf der Erde haben alle eine "
                                                             "geographische Breite zwischen -90° und +90°"));
        QCOMPARE(messages.messages()[1].icon, MessageIcon::Warning);
        QCOMPARE(messages.messages()[2].text, QStringLiteral("Beobachtungsorte auf der Erde haben alle eine "
                                                             "geographische Länge zwischen -180° und +180°"));
        QCOMPARE(ReadBytes("places.dat"), std::string(kSites) + "H\xF6henweg\r\n-90\r\n180\r\n");
        QVERIFY(Items(form->ListBox1).contains(QStringLiteral("Höhenweg")));
        QVERIFY(form->isEnabled() && form->isVisible() && form9->isHidden());
        QCOMPARE(QString::fromStdString(state.SiteName), QStringLiteral("Am Südhang"));
    }

    void addEndsWithoutChanges_data()
    {
        QTest::addColumn<QString>("name");  // null: the prompt is cancelled
        QTest::addColumn<int>("answers");
        QTest::addColumn<int>("showings");
        QTest::addColumn<QString>("message");
        QTest::newRow("name prompt cancelled") << QString() << 0 << 0 << QString();
        QTest::newRow("latitude cancelled") << "Neu" << 0 << 1 << QString();
        QTest::newRow("latitude left empty") << "Neu" << 1 << 1 << QString();
        QTest::newRow("longitude cancelled") << "Neu" << 2 << 2 << QString();
        QTest::newRow("latitude not a number") << "Neu" << 3 << 1 << "'5x' ist kein gültiger Gleitkommawert.";
        QTest::newRow("name the file cannot hold") << "Łódź" << 0 << 0 << "Der Name \u201EŁódź\u201C enthält";
    }

    void addEndsWithoutChanges()
    {
        QFETCH(QString, name);
        QFETCH(int, answers);
        QFETCH(int, showings);
        QFETCH(QString, message);
        Start();
        messages.QueuePromptAnswer(name);
        const std::deque<Answer> scripts[] = {
            {               },
            {{{"", "", ""}}  },
            {{{"50", "", ""}}, {{}, false}},
            {{{"5x", "", ""}}               }
        };
        script->answers = scripts[answers];
        form->Button5->click();
        QCOMPARE(script->shown.size(), showings);
        QCOMPARE(ReadBytes("places.dat"), std::string(kSites));
        if (message.isEmpty())
            QCOMPARE(messages.messages().size(), 1);
        else
            QVERIFY2(messages.lastText().startsWith(message), qPrintable(messages.lastText()));
        QVERIFY(form->isEnabled() && form->isVisible());
    }

    void editReplacesEveryRecordOfTheShownName()
    {
        Start();
        Choose(QStringLiteral("Bonn"));
        messages.QueuePromptAnswer(QString());  // Abbrechen keeps the name
        // Latitude first refused, then taken unchanged; longitude changed.
        script->answers = {{{"-91", "", ""}}, {}, {{"-180", "", ""}}};
        form->Button4->click();
        QCOMPARE(messages.messages()[0].caption, QStringLiteral("Ortsdaten ändern"));
        QCOMPARE(messages.messages()[0].text, QStringLiteral("Bitte geben Sie einen neuen Namen ein:"));
        QCOMPARE(script->shown.size(), 3);
        QCOMPARE(script->shown[0].caption, QStringLiteral("Ortsdaten ändern"));
        QCOMPARE(script->shown[0].fields, (QStringList{"-0", "30", "0"}));
        QCOMPARE(script->shown[1].fields, (QStringList{"-0", "30", "0"}));  // filled anew after the refusal
        QCOMPARE(script->shown[2].fields, (QStringList{"7", "6", "0"}));
        QCOMPARE(ReadBytes("places.dat"), std::string("Z\xFCrich\r\n47,3769\r\n8,5417\r\n"
                                                      "Bonn\r\n-0,5\r\n-180\r\n"
                                                      "\xD6sterberg\r\n48\r\n13\r\n"
                                                      "aachen\r\n50,7753\r\n6,0839\r\n"
                                                      "Am S\xFC"
                                                      "dhang\r\n51,3333333333333\r\n-0.5\r\n"
                                                      "Bonn\r\n-0,5\r\n-180\r\n"
                                                      "Kaputt\r\nnord\r\n7\r\n"));
        QVERIFY(!form->Button4->isEnabled());
    }

    void editWithoutChangesKeepsTheCoordinatesWithinASecond()
    {
        Start();
        Choose(QStringLiteral("aachen"));
        messages.QueuePromptAnswer(QStringLiteral("Aachen"));
        script->answers = {{}, {}};
        form->Button4->click();
        QCOMPARE(Items(form->ListBox1).count(QStringLiteral("aachen")), 0);
        std::optional<StoredSite> edited = FindSite("Aachen");
        QVERIFY(edited);
        QVERIFY(std::abs(FileTextToFloat(edited->LatitudeText) - 50.7753) <= 0.5 / 3600);
        QVERIFY(std::abs(FileTextToFloat(edited->LongitudeText) - 6.0839) <= 0.5 / 3600);
        QVERIFY(edited->LatitudeText != "50,7753");  // it went through the fields
    }

    void removeAsksFirstAndDropsEveryRecordOfTheName()
    {
        Start();
        Choose(QStringLiteral("Bonn"));
        form->Button3->click();  // answered No
        QCOMPARE(messages.messages()[0].caption, QStringLiteral("Eintrag löschen"));
        QCOMPARE(messages.lastText(), QStringLiteral("Soll der Ort Bonn wirklich aus der Liste gelöscht werden?"));
        QCOMPARE(ReadBytes("places.dat"), std::string(kSites));
        messages.QueueConfirmAnswer(true);
        form->Button3->click();
        QCOMPARE(ReadBytes("places.dat"), std::string("Z\xFCrich\r\n47,3769\r\n8,5417\r\n"
                                                      "\xD6sterberg\r\n48\r\n13\r\n"
                                                      "aachen\r\n50,7753\r\n6,0839\r\n"
                                                      "Am S\xFC"
                                                      "dhang\r\n51,3333333333333\r\n-0.5\r\n"
                                                      "Kaputt\r\nnord\r\n7\r\n"));
        QCOMPARE(Items(form->ListBox1).count(QStringLiteral("Bonn")), 0);
        QCOMPARE(form->Label4->text(), QStringLiteral("Am Südhang"));
    }

    void shippedSitesShowWithoutErrorsAndFit()
    {
        CopyShippedFile("mirelta.ini");
        CopyShippedFile("places.dat");
        Start(std::string(), std::string());
        QVERIFY(form->ListBox1->count() > 1);
        const int listWidth = form->ListBox1->viewport()->width();
        int widestRow = 0;
        for (int row = 0; row < form->ListBox1->count(); ++row) {
            form->ListBox1->setCurrentRow(row);
            QString name = form->Label4->text();
            if (name.size() > form->ListBox1->item(widestRow)->text().size()) widestRow = row;
            QCOMPARE(name, form->ListBox1->item(row)->text());
            QVERIFY2(form->Label4->fontMetrics().horizontalAdvance(name) <= form->Label4->width(), qPrintable(name));
            QVERIFY2(form->ListBox1->fontMetrics().horizontalAdvance(name) < listWidth, qPrintable(name));
        }
        QVERIFY2(messages.messages().isEmpty(), qPrintable(messages.lastText()));
        form->ListBox1->setCurrentRow(widestRow);
        SaveScreenshot(*form, QStringLiteral("site_dialog_longest_name"));
    }

    void createdAtStartItReadsTheSiteForTheWholeProgram()
    {
        WindowFixture f;
        WriteBytes("mirelta.ini", kIni);
        WriteBytes("places.dat", kSites);
        WriteBytes("objects.dat", "");
        f.Start();
        QCOMPARE(QString::fromStdString(f.state.SiteName), QStringLiteral("Am Südhang"));
        QCOMPARE(f.state.Longitude, -0.5);
        QVERIFY(f.windows->Form3->isHidden());
        f.main().Beobachtungsortauswhlen1->trigger();
        QVERIFY(f.windows->Form3->isVisible() && !f.main().isEnabled());
    }
};

QTEST_MAIN(SiteDialogTest)
#include "site_dialog_test.moc"
