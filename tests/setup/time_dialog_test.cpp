// The observation time dialog: the checks of Ok, the fill step, Abbrechen.

#include "platform/form_widgets.h"
#include "setup/Unit4.h"
#include "tests/support/recording_messages.h"
#include "tests/support/window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TimeDialogTest : public QObject {
    Q_OBJECT

private:
    QWidget mainWindow;
    RecordingMessageService messages;
    ObservationState state;
    int refreshes = 0;
    std::unique_ptr<TForm4> form;

    void Type(const QStringList& fields)
    {
        QLineEdit* edits[] = {form->Edit1, form->Edit2, form->Edit3, form->Edit4, form->Edit5};
        for (int i = 0; i < 5; ++i) edits[i]->setText(fields[i]);
    }

private slots:
    void init()
    {
        state = ObservationState{};
        state.Day = 15, state.Month = 3, state.Year = 2003, state.Hour = 20, state.Minute = 5;
        messages.clear();
        refreshes = 0;
        mainWindow.setGeometry(100, 100, 625, 475);
        form = std::make_unique<TForm4>(&mainWindow, messages, state, [this] { ++refreshes; });
        RunFormCreate(*form);
        OpenDialog(mainWindow, *form);
    }

    void fillShowsTheStateCentredOverTheMainWindow()
    {
        QLineEdit* edits[] = {form->Edit1, form->Edit2, form->Edit3, form->Edit4, form->Edit5};
        QLabel* labels[] = {form->Label1, form->Label2, form->Label3, form->Label4, form->Label5};
        for (int i = 0; i < 5; ++i) QVERIFY(labels[i]->geometry().right() < edits[i]->x());
        QVERIFY(form->Label6->geometry().right() < form->width());
        QCOMPARE(form->Edit3->maxLength(), 4);  // year 10000 cannot be typed
        QStringList shown;
        for (QLineEdit* edit : edits) shown << edit->text();
        QCOMPARE(shown, (QStringList{"15", "3", "2003", "20", "05"}));
        QCOMPARE(form->frameGeometry().topLeft(),
                 CentredOver(mainWindow.frameGeometry(), form->frameGeometry().size()));
        SaveScreenshot(*form, QStringLiteral("time_dialog"));
    }

    void okChecksTheRanges_data()
    {
        QTest::addColumn<QStringList>("fields");  // day, month, year, hour, minute
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("minute");
        QTest::newRow("29.2.2000") << QStringList{"29", "2", "2000", "12", "30"} << true << 30;
        QTest::newRow("29.2.1900") << QStringList{"29", "2", "1900", "12", "30"} << false << 0;
        QTest::newRow("29.2.2003") << QStringList{"29", "2", "2003", "12", "30"} << false << 0;
        QTest::newRow("29.2.2004") << QStringList{"29", "2", "2004", "12", "30"} << true << 30;
        QTest::newRow("29.2.100 before the reform") << QStringList{"29", "2", "100", "0", "0"} << false << 0;
        QTest::newRow("31.4.") << QStringList{"31", "4", "2003", "12", "30"} << false << 0;
        QTest::newRow("31.9.") << QStringList{"31", "9", "2003", "12", "30"} << false << 0;
        QTest::newRow("31.8.") << QStringList{"31", "8", "2003", "12", "30"} << true << 30;
        QTest::newRow("31.12.") << QStringList{"31", "12", "2003", "12", "30"} << true << 30;
        QTest::newRow("day 0") << QStringList{"0", "1", "2003", "12", "30"} << false << 0;
        QTest::newRow("month 13") << QStringList{"1", "13", "2003", "12", "30"} << false << 0;
        QTest::newRow("year 0") << QStringList{"1", "1", "0", "12", "30"} << false << 0;
        QTest::newRow("year 9999") << QStringList{"31", "12", "9999", "23", "59"} << true << 59;
        QTest::newRow("hour 24") << QStringList{"1", "1", "2003", "24", "0"} << false << 0;
        QTest::newRow("minute 60") << QStringList{"1", "1", "2003", "23", "60"} << false << 0;
        QTest::newRow("midnight") << QStringList{"1", "1", "2003", "0", "0"} << true << 0;
        QTest::newRow("minute 05") << QStringList{"1", "1", "2003", "0", "05"} << true << 5;
        QTest::newRow("minute 00") << QStringList{"1", "1", "2003", "0", "00"} << true << 0;
        QTest::newRow("minute -5") << QStringList{"1", "1", "2003", "0", "-5"} << false << 0;
    }

    void okChecksTheRanges()
    {
        QFETCH(QStringList, fields);
        QFETCH(bool, accepted);
        QFETCH(int, minute);
        Type(fields);
        form->Button1->click();
        if (accepted) {
            QVERIFY(messages.messages().isEmpty());
            QCOMPARE(int(state.Day), fields[0].toInt());
            QCOMPARE(int(state.Month), fields[1].toInt());
            QCOMPARE(int(state.Year), fields[2].toInt());
            QCOMPARE(int(state.Hour), fields[3].toInt());
            QCOMPARE(int(state.Minute), minute);
            QVERIFY(form->isHidden());
            QVERIFY(mainWindow.isEnabled());
            QCOMPARE(refreshes, 1);
        } else {
            QCOMPARE(messages.messages().size(), 1);
            QCOMPARE(messages.messages()[0].caption, QStringLiteral("Eingabefehler"));
            QCOMPARE(messages.lastText(),
                     QStringLiteral("Das angegebene Datum oder die angegebene Uhrzeit ist ungültig!"));
            QCOMPARE(messages.messages()[0].icon, MessageIcon::Error);
            QCOMPARE(int(state.Day), 15);
            QCOMPARE(int(state.Minute), 5);
            QVERIFY(form->isVisible());
            QVERIFY(!mainWindow.isEnabled());
            QCOMPARE(refreshes, 0);
        }
    }

    void fieldsAreReadInTheirOrder_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("report");  // empty: the range message
        QTest::newRow("month first") << QStringList{"x", "y", "2003", "12", "30"}
                                     << "'y' ist kein gültiger Integerwert.";
        QTest::newRow("bad month hides the day") << QStringList{"x", "13", "2003", "12", "30"} << QString();
        QTest::newRow("February reads the year before the day")
            << QStringList{"x", "2", "", "12", "30"} << "'' ist kein gültiger Integerwert.";
        QTest::newRow("other months read the day first")
            << QStringList{"x", "3", "", "12", "30"} << "'x' ist kein gültiger Integerwert.";
        QTest::newRow("year after a bad month")
            << QStringList{"1", "0", "20x", "12", "30"} << "'20x' ist kein gültiger Integerwert.";
        QTest::newRow("empty hour") << QStringList{"1", "1", "2003", "", "30"} << "'' ist kein gültiger Integerwert.";
        QTest::newRow("0 and a second character")
            << QStringList{"1", "1", "2003", "1", "0x"} << "'x' ist kein gültiger Integerwert.";
    }

    void fieldsAreReadInTheirOrder()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, report);
        Type(fields);
        form->Button1->click();
        QCOMPARE(messages.messages().size(), 1);
        if (report.isEmpty()) {
            QCOMPARE(messages.messages()[0].caption, QStringLiteral("Eingabefehler"));
        } else {
            QCOMPARE(messages.messages()[0].caption, QStringLiteral("Mirelta"));
            QCOMPARE(messages.lastText(), report);
        }
        QCOMPARE(int(state.Day), 15);
        QVERIFY(form->isVisible());
    }

    void cancelKeepsTheStateAndShowsItAgain()
    {
        Type({"1", "1", "1999", "1", "1"});
        form->Button2->click();
        QVERIFY(form->isHidden());
        QVERIFY(mainWindow.isEnabled());
        QCOMPARE(refreshes, 0);
        QCOMPARE(int(state.Year), 2003);
        QCOMPARE(form->Edit3->text(), QStringLiteral("2003"));
        QCOMPARE(form->Edit5->text(), QStringLiteral("05"));

        // A close request of the window manager acts the same.
        OpenDialog(mainWindow, *form);
        Type({"1", "1", "1999", "1", "1"});
        QVERIFY(form->close());
        QVERIFY(form->isHidden() && mainWindow.isEnabled());
        QCOMPARE(int(state.Year), 2003);
        QCOMPARE(form->Edit3->text(), QStringLiteral("2003"));
    }
};

QTEST_MAIN(TimeDialogTest)
#include "time_dialog_test.moc"
