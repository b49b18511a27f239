// Edit fields and the prompt hold one line: what a data file stores.

#include "platform/form_widgets.h"
#include "platform/message_service.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

class OneLineFieldsTest : public QObject {
    Q_OBJECT

private slots:
    void lineBreaksBecomeBlanksOtherControlCharactersGo_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("kept");
        QTest::newRow("CR LF") << QStringLiteral("Kopiert\r\nZweite Zeile") << QStringLiteral("Kopiert Zweite Zeile");
        QTest::newRow("LF, CR") << QStringLiteral("a\nb\rc") << QStringLiteral("a b c");
        QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("a b");
        QTest::newRow("others") << QStringLiteral("a\x01\x1B\x7F\u0000b") << QStringLiteral("ab");
        QTest::newRow("plain") << QStringLiteral("Mare Crisium – „Meer“ ü €")
                               << QStringLiteral("Mare Crisium – „Meer“ ü €");
    }

    void lineBreaksBecomeBlanksOtherControlCharactersGo()
    {
        QFETCH(QString, given);
        QFETCH(QString, kept);
        QWidget parent;
        QLineEdit* edit = PlaceEdit(&parent, "Edit2", 0, 0, 100, 21, 30);
        edit->setText(given);
        QCOMPARE(edit->text(), kept);
        edit->clear();
        edit->insert(given);  // the way a paste arrives
        QCOMPARE(edit->text(), kept);
        QCOMPARE(edit->cursorPosition(), kept.size());
    }

    void thePromptKeepsOneLine()
    {
        QtMessageService messages;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* edit = dialog->findChild<QLineEdit*>();
            edit->selectAll();
            edit->insert(QStringLiteral("Neuer\nOrt"));
            dialog->accept();
        });
        QCOMPARE(messages.Prompt(QStringLiteral("Neuer Beobachtungsort"), QStringLiteral("Name:"), QString()),
                 QStringLiteral("Neuer Ort"));
    }
};

QTEST_MAIN(OneLineFieldsTest)
#include "one_line_fields_test.moc"
