// Keys and hints of every window: Enter and Escape in every dialog, Enter on
// a focused button, the Tab order (reading order, never a tool bar button),
// and the hints shown as tooltips in every window whose hints are on.

#include "platform/text_file.h"
#include "setup/Unit9.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <map>

namespace {

// A self-defined object in the disc: its choice shows "entf." and the
// height panel.
const std::string kCatalogue = Record("190 210 190 210", "Mein Berg", "10", "5", "", "2");

// The name a control is known by: focus may rest on an unnamed part of it
// (the edit field of the object list).
QString ControlName(QWidget* widget)
{
    while (widget && (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))))
        widget = widget->parentWidget();
    return widget ? widget->objectName() : QString();
}

}  // namespace

class KeysAndHintsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;

    // Opens a window by its name as the user would; "Form1" is the main
    // window, "Form1 new object" its mode for a new object with the entry
    // fields enabled.
    QWidget* Open(const QString& name)
    {
        TForm1& w = f->main();
        w.show();
        const std::map<QString, QAction*> commands = {
            {QStringLiteral("Form2"),            w.About1                     },
            {QStringLiteral("Form3"),            w.Beobachtungsortauswhlen1   },
            {QStringLiteral("Form4"),            w.DatumundUhrzeitfestlegen1  },
            {QStringLiteral("Form5"),            w.Mondposition2              },
            {QStringLiteral("Form6"),            w.PhysEphemeriden1           },
            {QStringLiteral("Form7"),            w.Sichtverhltnisseeinschtzen1},
            {QStringLiteral("TerminatorWindow"), w.Lichtgrenzeheute1          },
            {QStringLiteral("PlannerWindow"),    w.Beobachtungsplaner1        },
            {QStringLiteral("JournalWindow"),    w.Messprotokoll1             },
            {QStringLiteral("PhotoWindow"),      w.HoeheausFoto1              },
        };
        if (name == QLatin1String("Form1")) {
            w.ChooseObject(QStringLiteral("Mein Berg"));
            return &w;
        }
        if (name == QLatin1String("Form1 new object")) {
            w.NeuesObjektdefinieren1->trigger();
            w.FrameStartX = w.FrameStartY = 190;
            w.FrameEndX = w.FrameEndY = 210;
            w.Button4->click();
            return &w;
        }
        if (name == QLatin1String("Form9")) {
            // As the site dialog shows it for an entry.
            w.Beobachtungsortauswhlen1->trigger();
            f->windows->Form3->setEnabled(false);
            f->windows->Form9->show();
            return f->windows->Form9.get();
        }
        commands.at(name)->trigger();
        if (name == QLatin1String("Form3")) {
            // A chosen site enables "entferne Auswahl" and "bearbeite Auswahl".
            QListWidget* list = f->windows->Form3->ListBox1;
            list->setCurrentRow(0);
        }
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == name) return top;
        return nullptr;
    }

private slots:
    void init()
    {
        f = std::make_unique<WindowFixture>();
        WriteBytes("mirelta.ini", "Art\r\nBonn\r\n50,7333\r\n7,1\r\n");
        WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
        WriteBytes("objects.dat", kCatalogue);
        f->Start();
    }

    void cleanup()
    {
        f.reset();
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void enterAndEscapeActAsTheWindowsButtons_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("focus");  // the control the key is pressed in
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("button");  // the one button that acts
        const int enter = Qt::Key_Return;
        const int keypadEnter = Qt::Key_Enter;
        const int escape = Qt::Key_Escape;
        QTest::newRow("about box, Enter") << "Form2"
                                          << "Button1" << enter << "Button1";
        QTest::newRow("about box, Escape: its only button") << "Form2"
                                                            << "Button1" << escape << "Button1";
        QTest::newRow("site, Enter in the list: Ok") << "Form3"
                                                     << "ListBox1" << enter << "Button1";
        QTest::newRow("site, Escape: Abbrechen") << "Form3"
                                                 << "ListBox1" << escape << "Button2";
        QTest::newRow("site, Enter on Abbrechen") << "Form3"
                                                  << "Button2" << enter << "Button2";
        QTest::newRow("site, Enter on neuer Ort") << "Form3"
                                                  << "Button5" << enter << "Button5";
        QTest::newRow("time, keypad Enter in a field") << "Form4"
                                                       << "Edit1" << keypadEnter << "Button1";
        QTest::newRow("time, Escape in a field") << "Form4"
                                                 << "Edit5" << escape << "Button2";
        QTest::newRow("time, Enter on Abbrechen") << "Form4"
                                                  << "Button2" << enter << "Button2";
        QTest::newRow("Moon position, Enter") << "Form5"
                                              << "Button1" << enter << "Button1";
        QTest::newRow("Moon position, Escape") << "Form5"
                                               << "Button1" << escape << "Button1";
        QTest::newRow("ephemerides, Escape") << "Form6"
                                             << "Button1" << escape << "Button1";
        QTest::newRow("conditions, Escape") << "Form7"
                                            << "Button1" << escape << "Button1";
        QTest::newRow("coordinate, Enter in a field") << "Form9"
                                                      << "Edit2" << enter << "Button1";
        QTest::newRow("coordinate, Escape in a field") << "Form9"
                                                       << "Edit1" << escape << "Button2";
        QTest::newRow("coordinate, Enter on Abbrechen") << "Form9"
                                                        << "Button2" << enter << "Button2";
        QTest::newRow("Lichtgrenze, Enter in the list") << "TerminatorWindow"
                                                        << "FormationList" << enter << "OkButton";
        QTest::newRow("Lichtgrenze, Escape") << "TerminatorWindow"
                                             << "FormationList" << escape << "OkButton";
        QTest::newRow("planner, Escape in a field") << "PlannerWindow"
                                                    << "DaysEdit" << escape << "OkButton";
        QTest::newRow("planner, Enter in the list") << "PlannerWindow"
                                                    << "IntervalList" << enter << "OkButton";
        QTest::newRow("journal, Enter in the list") << "JournalWindow"
                                                    << "MeasurementList" << enter << "OkButton";
        QTest::newRow("journal, Escape") << "JournalWindow"
                                         << "MeasurementList" << escape << "OkButton";
        QTest::newRow("photo, Enter as it opens") << "PhotoWindow"
                                                  << "OkButton" << enter << "OkButton";
        QTest::newRow("photo, Escape in the date") << "PhotoWindow"
                                                   << "DateEdit" << escape << "OkButton";
    }

    void enterAndEscapeActAsTheWindowsButtons()
    {
        QFETCH(QString, window);
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, button);
        QWidget* dialog = Open(window);
        QVERIFY(dialog && dialog->isVisible());
        std::map<QString, std::unique_ptr<QSignalSpy>> clicks;
        for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
            clicks[b->objectName()] = std::make_unique<QSignalSpy>(b, &QAbstractButton::clicked);
        QWidget* control = dialog->findChild<QWidget*>(focus);
        QVERIFY(control);
        control->setFocus();
        QTest::keyClick(control, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        for (const auto& [name, spy] : clicks) QVERIFY2(spy->count() == (name == button ? 1 : 0), qPrintable(name));
        if (button != QLatin1String("Button5")) QVERIFY(dialog->isHidden());  // "neuer Ort" asks for a name
        QVERIFY(f->messages.messages().size() <= 1);                          // at most the prompt for the name
    }

    void enterOnAFocusedButtonOfTheMainWindowClicksIt()
    {
        TForm1& w = *static_cast<TForm1*>(Open(QStringLiteral("Form1")));
        QSignalSpy clicks(w.Button5, &QPushButton::clicked);
        w.Button5->setFocus();
        QTest::keyClick(w.Button5, Qt::Key_Return);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(f->messages.lastText(), QStringLiteral("Soll das Objekt Mein Berg wirklich gelöscht werden?"));
        // Enter in a field is the field's, never a button's.
        w.Edit1->setFocus();
        QTest::keyClick(w.Edit1, Qt::Key_Return);
        QCOMPARE(clicks.count(), 1);
    }

    void tabFollowsTheReadingOrder_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("main window") << "Form1" << QStringList{"ComboBox1", "Button5", "Edit1"};
        QTest::newRow("main window, new object")
            << "Form1 new object" << QStringList{"Button4", "Edit2", "Edit3", "Edit9", "Edit11", "Edit4",   "Edit10",
                                                 "Edit12",  "Edit5", "Edit6", "Edit7", "Edit8",  "Button2", "Button3"};
        QTest::newRow("about box") << "Form2" << QStringList{"Button1"};
        QTest::newRow("site") << "Form3"
                              << QStringList{"ListBox1", "Button3", "Button4", "Button5", "Button1", "Button2"};
        QTest::newRow("time") << "Form4"
                              << QStringList{"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Button1", "Button2"};
        QTest::newRow("Moon position") << "Form5" << QStringList{"Button1"};
        QTest::newRow("ephemerides") << "Form6" << QStringList{"Button1"};
        QTest::newRow("conditions") << "Form7" << QStringList{"Button1"};
        QTest::newRow("coordinate") << "Form9" << QStringList{"Edit1", "Edit2", "Edit3", "Button1", "Button2"};
        QTest::newRow("Lichtgrenze") << "TerminatorWindow" << QStringList{"FormationList", "OkButton"};
        QTest::newRow("planner") << "PlannerWindow"
                                 << QStringList{"Pages",           "FormationBox",   "DaysEdit",
                                                "LowestSunEdit",   "HighestSunEdit", "MoonAltitudeEdit",
                                                "SunAltitudeEdit", "PlanButton",     "IntervalList",
                                                "OkButton"};
        // "Löschen" and "Exportieren..." wait, disabled, for rows to act on.
        QTest::newRow("journal") << "JournalWindow"
                                 << QStringList{"FormationChoice", "MeasurementList", "StatisticsList", "OkButton"};
        // The camera's clock and "Messung speichern" wait disabled; the
        // picture takes the focus by a click.
        QTest::newRow("photo") << "PhotoWindow"
                               << QStringList{"OpenButton",
                                              "DateEdit",
                                              "TimeEdit",
                                              "SiteBox",
                                              "BlackSlider",
                                              "WhiteSlider",
                                              "AutoButton",
                                              "ZoomOutButton",
                                              "ZoomInButton",
                                              "WholeButton",
                                              "LimbStep",
                                              "SnapBox",
                                              "FirstFormationStep",
                                              "FirstFormationBox",
                                              "SecondFormationStep",
                                              "SecondFormationBox",
                                              "MirrorBox",
                                              "ShadowStep",
                                              "MeasuredFormationBox",
                                              "PredictionBox",
                                              "UndoButton",
                                              "OkButton"};
    }

    void tabFollowsTheReadingOrder()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, order);
        QWidget* shown = Open(window);
        QVERIFY(shown);
        shown->findChild<QWidget*>(order.first())->setFocus();
        // Once round the window, back to the first control.
        QStringList visited{ControlName(shown->focusWidget())};
        for (int i = 0; i < order.size(); ++i) {
            QTest::keyClick(shown->focusWidget(), Qt::Key_Tab);
            visited << ControlName(shown->focusWidget());
        }
        QCOMPARE(visited, order + QStringList{order.first()});
    }

    void hintsShowAsTooltips_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        const QString back = QStringLiteral("Zurück zum Programm");
        QTest::newRow("about box") << "Form2"
                                   << "Button1" << back;
        QTest::newRow("site, Ok") << "Form3"
                                  << "Button1"
                                  << "Werte übernehmen";
        QTest::newRow("site, Abbrechen") << "Form3"
                                         << "Button2"
                                         << "Abbruch";
        QTest::newRow("site, entferne Auswahl") << "Form3"
                                                << "Button3"
                                                << "löscht den ausgewählten Ortseintrag";
        QTest::newRow("site, neuer Ort") << "Form3"
                                         << "Button5"
                                         << "fügt einen neuen Ort mit Daten hinzu";
        QTest::newRow("time, Ok") << "Form4"
                                  << "Button1"
                                  << "Werte übernehmen";
        QTest::newRow("time, Abbrechen") << "Form4"
                                         << "Button2"
                                         << "Abbruch";
        QTest::newRow("Moon position") << "Form5"
                                       << "Button1" << back;
        QTest::newRow("ephemerides: hints off") << "Form6"
                                                << "Button1"
                                                << "";
        QTest::newRow("conditions") << "Form7"
                                    << "Button1" << back;
        QTest::newRow("coordinate: no hints") << "Form9"
                                              << "Button1"
                                              << "";
        QTest::newRow("Lichtgrenze") << "TerminatorWindow"
                                     << "OkButton" << back;
        QTest::newRow("a label without hint") << "Form3"
                                              << "Label1"
                                              << "";
    }

    void hintsShowAsTooltips()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, hint);
        QWidget* shown = Open(window);
        QWidget* target = shown->findChild<QWidget*>(control);
        QVERIFY(target);
        // What the pointer resting on the control sends.
        const QPoint centre = target->rect().center();
        QHelpEvent rest(QEvent::ToolTip, centre, target->mapToGlobal(centre));
        QApplication::sendEvent(target, &rest);
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), hint);
    }
};

QTEST_MAIN(KeysAndHintsTest)
#include "keys_and_hints_test.moc"
