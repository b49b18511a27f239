#include "platform/message_service.h"

#include "platform/form_widgets.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

namespace {

// A box opens where the click that asked for it happened, and often one of
// its buttons lies under the pointer ("Abbrechen" of the name prompt over
// "neuer Ort"): the second click of a double click would press it at once.
// While the box is open, a double click whose first press the box never saw
// is dropped at the box's window, before any control takes the focus from
// it: its second press, the double click and their release.
class SecondClickGuard : public QObject {
public:
    explicit SecondClickGuard(QWidget& box) : box_(box) { QApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease)
            return false;
        if (receiver != static_cast<QObject*>(box_.windowHandle())) return false;
        if (type == QEvent::MouseButtonPress) {
            const bool secondPress = static_cast<QMouseEvent*>(event)->flags() & Qt::MouseEventCreatedDoubleClick;
            if (secondPress && !boxSawAPress_) {
                dropping_ = true;
                return true;
            }
            boxSawAPress_ = true;
            return false;
        }
        if (type == QEvent::MouseButtonDblClick) return dropping_;
        const bool release = dropping_;
        dropping_ = false;
        return release;
    }

private:
    QWidget& box_;
    bool boxSawAPress_ = false;
    bool dropping_ = false;  // from the dropped press to its release
};

// The active window owns the box so that it opens centred over it.
QWidget* BoxParent() { return QApplication::activeWindow(); }

QMessageBox::Icon ToQtIcon(MessageIcon icon)
{
    switch (icon) {
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Error:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtMessageService::Show(const QString& caption, const QString& text, MessageIcon icon)
{
    QMessageBox box(ToQtIcon(icon), caption, text, QMessageBox::Ok, BoxParent());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    SecondClickGuard guard(box);
    box.exec();
}

bool QtMessageService::Confirm(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, BoxParent());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
    box.setDefaultButton(QMessageBox::Yes);
    SecondClickGuard guard(box);
    return box.exec() == QMessageBox::Yes;
}

QString QtMessageService::Prompt(const QString& caption, const QString& prompt, const QString& defaultText)
{
    QInputDialog dialog(BoxParent());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    // The answer becomes a line of a data file, as the program's own edit
    // fields do.
    if (auto* edit = dialog.findChild<QLineEdit*>()) KeepOneLine(edit);
    SecondClickGuard guard(dialog);
    if (dialog.exec() != QDialog::Accepted) return defaultText;
    return dialog.textValue();
}
