// The one-line prompt from the keyboard and the mouse: Enter answers with
// the text, Escape with the default, Tab goes in reading order, and the
// second click of the double click that opened it does not press its
// buttons.

#include "platform/message_service.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs `answer` on the prompt once it is open and returns the prompt's result.
QString AnswerPrompt(const std::function<void(QInputDialog&)>& answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        answer(*dialog);
        // An answer that failed half-way must not leave the test waiting.
        if (dialog->isVisible()) dialog->reject();
    });
    QtMessageService messages;
    return messages.Prompt(QStringLiteral("Ortsdaten ändern"), QStringLiteral("Name:"), QStringLiteral("Alt"));
}

QPushButton* ButtonNamed(QInputDialog& dialog, const QString& text)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

// One press or release of the left button as the window system reports it,
// at `global` on the screen, at a time in milliseconds: Qt makes a second
// press close enough in time and place a double click, whichever window it
// lands on.
void Mouse(QWidget& target, const QPointF& global, QEvent::Type type, int time)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    const QPointF local = target.mapTo(target.window(), QRectF(target.rect()).center());
    qt_handleMouseEvent(target.window()->windowHandle(), local, global, held, Qt::LeftButton, type, Qt::NoModifier,
                        time);
}

}  // namespace

class PromptKeysTest : public QObject {
    Q_OBJECT

private slots:
    void enterAnswersWithTheTextEscapeWithTheDefault_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("answer");
        QTest::newRow("Enter") << int(Qt::Key_Return) << "Neu";
        QTest::newRow("Escape") << int(Qt::Key_Escape) << "Alt";
    }

    void enterAnswersWithTheTextEscapeWithTheDefault()
    {
        QFETCH(int, key);
        QFETCH(QString, answer);
        QCOMPARE(AnswerPrompt([key](QInputDialog& dialog) {
                     auto* edit = dialog.findChild<QLineEdit*>();
                     edit->setText(QStringLiteral("Neu"));
                     QTest::keyClick(edit, Qt::Key(key));
                 }),
                 answer);
    }

    void tabGoesFromTheFieldToOkAndAbbrechen()
    {
        QStringList order;
        AnswerPrompt([&order](QInputDialog& dialog) {
            auto* edit = dialog.findChild<QLineEdit*>();
            edit->setFocus();
            for (int i = 0; i < 3; ++i) {
                QWidget* focused = dialog.focusWidget();
                auto* button = qobject_cast<QPushButton*>(focused);
                order << (button ? button->text() : focused == edit ? QStringLiteral("Feld") : QString());
                QTest::keyClick(focused, Qt::Key_Tab);
            }
            order << (dialog.focusWidget() == edit ? QStringLiteral("Feld") : QString());
            dialog.reject();
        });
        QCOMPARE(order, (QStringList{"Feld", "OK", "Abbrechen", "Feld"}));
    }

    void theSecondClickOfTheOpeningDoubleClickMissesTheButtons()
    {
        // The first click of a double click opens the prompt; the second
        // lands where the pointer still is, on the prompt's "Abbrechen".
        QWidget opener;
        opener.setGeometry(50, 50, 120, 40);
        opener.show();
        QVERIFY(QTest::qWaitForWindowExposed(&opener));
        const QPointF pointer(100, 70);
        constexpr int kFirst = 100000;  // ms; the second click follows 100 ms later
        Mouse(opener, pointer, QEvent::MouseButtonPress, kFirst);
        Mouse(opener, pointer, QEvent::MouseButtonRelease, kFirst + 20);
        QCOMPARE(AnswerPrompt([&pointer](QInputDialog& dialog) {
                     auto* edit = dialog.findChild<QLineEdit*>();
                     QPushButton* cancel = ButtonNamed(dialog, QStringLiteral("Abbrechen"));
                     QVERIFY(edit && cancel);
                     edit->setFocus();
                     Mouse(*cancel, pointer, QEvent::MouseButtonPress, kFirst + 100);
                     Mouse(*cancel, pointer, QEvent::MouseButtonRelease, kFirst + 120);
                     QVERIFY(dialog.isVisible());
                     QCOMPARE(dialog.focusWidget(), edit);  // typing goes on in the field
                     edit->setText(QStringLiteral("Neu"));
                     // A click of its own counts.
                     QTest::mouseClick(ButtonNamed(dialog, QStringLiteral("OK")), Qt::LeftButton);
                 }),
                 QStringLiteral("Neu"));
    }
};

QTEST_MAIN(PromptKeysTest)
#include "prompt_keys_test.moc"
