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

void Send(QWidget* target, QEvent::Type type)
{
    const QPointF centre = QRectF(target->rect()).center();
    QMouseEvent event(type, centre, target->mapToGlobal(centre), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
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
        QCOMPARE(AnswerPrompt([](QInputDialog& dialog) {
                     QPushButton* cancel = ButtonNamed(dialog, QStringLiteral("Abbrechen"));
                     QVERIFY(cancel);
                     // The double click began on the button that opened the prompt.
                     Send(cancel, QEvent::MouseButtonDblClick);
                     Send(cancel, QEvent::MouseButtonRelease);
                     QVERIFY(dialog.isVisible());
                     dialog.findChild<QLineEdit*>()->setText(QStringLiteral("Neu"));
                     // A click of its own counts.
                     QPushButton* ok = ButtonNamed(dialog, QStringLiteral("OK"));
                     Send(ok, QEvent::MouseButtonPress);
                     Send(ok, QEvent::MouseButtonRelease);
                 }),
                 QStringLiteral("Neu"));
    }
};

QTEST_MAIN(PromptKeysTest)
#include "prompt_keys_test.moc"
