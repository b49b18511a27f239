// The object list from the keyboard: Down after a reload, and the inline
// completion of typed names.

#include "platform/name_completion.h"
#include "platform/text_file.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// "Tycho A" stands before "Tycho" in file order; "Armin" before "Ärmel".
std::string Catalogue()
{
    return Record("10 20 10 20", "Tycho A", "-42", "-10", "", "0") +
           Record("100 120 150 170", "Tycho", "-43,3", "-11,2", "4800", "1") +
           Record("30 40 30 40", "Copernicus", "9,7", "-20,1", "3760", "1") +
           Record("50 60 50 60", "Armin", "1", "1", "", "2") + Record("60 70 60 70", "\xC4rmel", "2", "2", "", "2");
}

}  // namespace

class ObjectListKeysTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> f;

    TForm1& main() { return f->main(); }
    QLineEdit* edit() { return main().ComboBox1->lineEdit(); }

    void Start(const char* sortKey)
    {
        WriteBytes("mirelta.ini", std::string(sortKey) + "\r\nBonn\r\n50,7\r\n7,1\r\n");
        WriteBytes("places.dat", "Bonn\r\n50,7\r\n7,1\r\n");
        WriteBytes("objects.dat", Catalogue());
        f->Start();
    }

    // Keystrokes in the list, where the keyboard's focus rests, after the
    // text it showed was selected and deleted.
    void TypeAnew(const QString& text)
    {
        Clear();
        Type(text);
    }

    void Type(const QString& text)
    {
        for (QChar c : text)  // keyClicks() knows only ASCII
            QTest::sendKeyEvent(QTest::Click, main().ComboBox1, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    void Clear()
    {
        edit()->selectAll();
        QTest::keyClick(main().ComboBox1, Qt::Key_Delete);
    }

private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void downAfterAReloadChoosesTheFirstName_data()
    {
        QTest::addColumn<QString>("reload");
        QTest::addColumn<QString>("first");
        QTest::newRow("start") << ""
                               << "Tycho A";
        QTest::newRow("sorted alphabetically") << "Objektlistealphabetischsortieren1"
                                               << "Ärmel";
    }

    void downAfterAReloadChoosesTheFirstName()
    {
        QFETCH(QString, reload);
        QFETCH(QString, first);
        Start("Art");
        if (!reload.isEmpty()) {
            TypeAnew(QStringLiteral("Cope"));  // a name is chosen before the reload
            main().findChild<QAction*>(reload)->trigger();
        }
        QCOMPARE(main().ComboBox1->currentText(), QStringLiteral("[Objekt wählen]"));
        QTest::keyClick(main().ComboBox1, Qt::Key_Down);
        QCOMPARE(main().ComboBox1->currentText(), first);
        QCOMPARE(main().Label5->text(), first);
    }

    void typingCompletesToAName_data()
    {
        QTest::addColumn<QString>("sortKey");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");  // the completed remainder
        QTest::newRow("prefix") << "Art"
                                << "Cope"
                                << "Copernicus"
                                << "rnicus";
        QTest::newRow("any letter case") << "Art"
                                         << "cOPE"
                                         << "Copernicus"
                                         << "rnicus";
        QTest::newRow("first in file order") << "Art"
                                             << "Tych"
                                             << "Tycho A"
                                             << "o A";
        QTest::newRow("first in alphabetical order") << "Alph"
                                                     << "Tych"
                                                     << "Tycho"
                                                     << "o";
        QTest::newRow("an equal name wins") << "Art"
                                            << "tycho"
                                            << "Tycho"
                                            << "";
        QTest::newRow("umlaut as typed") << "Art"
                                         << "är"
                                         << "Ärmel"
                                         << "mel";
        QTest::newRow("vowel as typed") << "Art"
                                        << "Ar"
                                        << "Armin"
                                        << "min";
    }

    void typingCompletesToAName()
    {
        QFETCH(QString, sortKey);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QString, selected);
        Start(sortKey.toLatin1().constData());
        TypeAnew(typed);
        QCOMPARE(edit()->text(), text);
        QCOMPARE(edit()->selectedText(), selected);
        // The completed name counts as chosen.
        QCOMPARE(main().ComboBox1->itemText(main().ComboBox1->currentIndex()), text);
        QCOMPARE(main().Label5->text(), text);
        QVERIFY(f->messages.messages().isEmpty());
    }

    void theNextKeystrokeReplacesTheCompletion()
    {
        Start("Art");
        TypeAnew(QStringLiteral("Tycho"));
        QCOMPARE(main().Label5->text(), QStringLiteral("Tycho"));
        QVERIFY(!main().GroupBox2->isHidden());  // origin "1": the height panel
        main().Edit1->setText(QStringLiteral("2"));
        Type(QStringLiteral(" "));  // "Tycho " completes to "Tycho A"
        QCOMPARE(edit()->text(), QStringLiteral("Tycho A"));
        QCOMPARE(main().Label5->text(), QStringLiteral("Tycho A"));
        QVERIFY(main().GroupBox2->isHidden());
        QVERIFY(main().Edit1->text().isEmpty());

        // Backspace takes away the selected remainder and completes nothing.
        TypeAnew(QStringLiteral("Cop"));
        QTest::keyClick(main().ComboBox1, Qt::Key_Backspace);
        QCOMPARE(edit()->text(), QStringLiteral("Cop"));
        QTest::keyClick(main().ComboBox1, Qt::Key_Backspace);
        QCOMPARE(edit()->text(), QStringLiteral("Co"));

        // A text no name begins with leaves the group as it was.
        Type(QStringLiteral("x"));
        QCOMPARE(edit()->text(), QStringLiteral("Cox"));
        QCOMPARE(main().Label5->text(), QStringLiteral("Copernicus"));
        QVERIFY(main().GroupBox2->isHidden());
    }

    void completionIndex_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("index");
        const QStringList names{"Tycho A", "Tycho", "Ärmel", "armin", "Mare"};
        QTest::newRow("nothing typed") << names << "" << -1;
        QTest::newRow("no name begins with it") << names << "Tychos" << -1;
        QTest::newRow("first prefix") << names << "t" << 0;
        QTest::newRow("equal wins") << names << "TYCHO" << 1;
        QTest::newRow("capital umlaut from small") << names << "ä" << 2;
        QTest::newRow("no umlaut for its vowel") << names << "Ar" << 3;
        QTest::newRow("whole name with blank") << names << "tycho a" << 0;
    }

    void completionIndex()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, typed);
        QFETCH(int, index);
        QCOMPARE(CompletionIndex(names, typed), index);
    }
};

QTEST_MAIN(ObjectListKeysTest)
#include "object_list_keys_test.moc"
