// The coordinate entry dialog: the text it hands back, its refusals, and
// that every way out enables the site dialog again.

#include "setup/Unit9.h"
#include "tests/support/recording_messages.h"
#include "tests/support/window_fixture.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

class CoordinateDialogTest : public QObject {
    Q_OBJECT

private:
    QWidget siteDialog;
    RecordingMessageService messages;
    std::unique_ptr<TForm9> form;

    void Open(char decimalSeparator, const QString& prompt, const QStringList& fields)
    {
        form = std::make_unique<TForm9>(&siteDialog, messages, decimalSeparator);
        RunFormCreate(*form);
        form->Label1->setText(prompt);
        form->Edit1->setText(fields.value(0));
        form->Edit2->setText(fields.value(1));
        form->Edit3->setText(fields.value(2));
        form->EnteredLatitudeText = "old latitude";
        form->EnteredLongitudeText = "old longitude";
        siteDialog.setEnabled(false);
        form->show();
    }

    void VerifyLeft()
    {
        QVERIFY(form->isHidden());
        QVERIFY(siteDialog.isEnabled());
    }

private slots:
    void init() { messages.clear(); }

    void centredOnTheScreenAtCreation()
    {
        Open(',', kLatitudePrompt, {"-51", "20", "30"});
        for (QLabel* sign : {form->Label2, form->Label3, form->Label4})
            QVERIFY(sign->geometry().right() < form->width());
        QRect screen = form->screen()->geometry();
        QCOMPARE(form->pos(),
                 QPoint(screen.left() + (screen.width() - 268) / 2, screen.top() + (screen.height() - 100) / 2));
        SaveScreenshot(*form, QStringLiteral("coordinate_dialog"));
    }

    void okHandsBackTheDecimalDegreeText_data()
    {
        QTest::addColumn<QStringList>("fields");  // degrees, minutes, seconds
        QTest::addColumn<char>("separator");
        QTest::addColumn<QString>("text");
        QTest::newRow("51 20") << QStringList{"51", "20", ""} << ',' << "51,3333333333333";
        QTest::newRow("51 20 30: seconds added to the 15-digit text")
            << QStringList{"51", "20", "30"} << ',' << "51,3416666666666";
        QTest::newRow("-33 30 0") << QStringList{"-33", "30", "0"} << ',' << "-33,5";
        QTest::newRow("-0 30") << QStringList{"-0", "30", ""} << ',' << "-0,5";
        QTest::newRow("sign after a blank") << QStringList{" -5", "30", ""} << ',' << "-5,5";
        QTest::newRow("-0 after a blank") << QStringList{" -0", "30", ""} << ',' << "-0,5";
        QTest::newRow("degrees alone as typed") << QStringList{"12", "", ""} << ',' << "12";
        QTest::newRow("decimal degrees") << QStringList{"51,5", "", ""} << ',' << "51,5";
        QTest::newRow("not a number, handed on") << QStringList{"abc", "", ""} << ',' << "abc";
        QTest::newRow("all empty") << QStringList{"", "", ""} << ',' << "";
        QTest::newRow("minutes with their own sign") << QStringList{"10", "-6", ""} << ',' << "9,9";
        QTest::newRow("minutes beyond 59") << QStringList{"10", "75", ""} << ',' << "11,25";
        QTest::newRow("point as separator") << QStringList{"-7", "15", ""} << '.' << "-7.25";
    }

    void okHandsBackTheDecimalDegreeText()
    {
        QFETCH(QStringList, fields);
        QFETCH(char, separator);
        QFETCH(QString, text);
        for (const QString& prompt : {kLatitudePrompt, kLongitudePrompt}) {
            Open(separator, prompt, fields);
            form->Button1->click();
            VerifyLeft();
            QVERIFY(messages.messages().isEmpty());
            bool latitude = prompt == kLatitudePrompt;
            QCOMPARE(QString::fromStdString(latitude ? form->EnteredLatitudeText : form->EnteredLongitudeText), text);
            QCOMPARE(QString::fromStdString(latitude ? form->EnteredLongitudeText : form->EnteredLatitudeText),
                     latitude ? QStringLiteral("old longitude") : QStringLiteral("old latitude"));
        }
    }

    void wrongFieldsKeepTheDialogOpen_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("message");
        QTest::newRow("minutes not a number") << QStringList{"51", "x", ""} << "Mirelta"
                                              << "'x' ist kein gültiger Integerwert.";
        QTest::newRow("seconds not a number") << QStringList{"51", "1", "1."} << "Mirelta"
                                              << "'1.' ist kein gültiger Integerwert.";
        QTest::newRow("minutes without degrees") << QStringList{"", "5", ""} << "Mirelta"
                                                 << "'' ist kein gültiger Gleitkommawert.";
        QTest::newRow("degrees not a number with minutes") << QStringList{"51.5", "5", ""} << "Mirelta"
                                                           << "'51.5' ist kein gültiger Gleitkommawert.";
        QTest::newRow("fractional minutes") << QStringList{"51", ",5", ""} << "Mirelta"
                                            << "',5' ist kein gültiger Integerwert.";
        QTest::newRow("fractional seconds") << QStringList{"51", "1", "5,"} << "Mirelta"
                                            << "'5,' ist kein gültiger Integerwert.";
    }

    void wrongFieldsKeepTheDialogOpen()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, caption);
        QFETCH(QString, message);
        Open(',', kLatitudePrompt, fields);
        form->Button1->click();
        QCOMPARE(messages.messages().size(), 1);
        QCOMPARE(messages.messages()[0].caption, caption);
        QCOMPARE(messages.lastText(), message);
        QVERIFY(form->isVisible());
        QVERIFY(!siteDialog.isEnabled());
        QCOMPARE(QString::fromStdString(form->EnteredLongitudeText), QStringLiteral("old longitude"));
    }

    void cancelEmptiesOnlyThePromptedResult()
    {
        Open(',', kLatitudePrompt, {"51", "", ""});
        form->Button2->click();
        VerifyLeft();
        QCOMPARE(QString::fromStdString(form->EnteredLatitudeText), QStringLiteral(""));
        QCOMPARE(QString::fromStdString(form->EnteredLongitudeText), QStringLiteral("old longitude"));

        Open(',', kLongitudePrompt, {"7", "", ""});
        QVERIFY(form->close());  // the close box
        VerifyLeft();
        QCOMPARE(QString::fromStdString(form->EnteredLatitudeText), QStringLiteral("old latitude"));
        QCOMPARE(QString::fromStdString(form->EnteredLongitudeText), QStringLiteral(""));
    }
};

QTEST_MAIN(CoordinateDialogTest)
#include "coordinate_dialog_test.moc"
