#include "platform/message_service.h"

#include "platform/form_widgets.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// A box opens where the click that asked for it happened, and often one of
// its buttons lies under the pointer ("Abbrechen" of the name prompt over
// "neuer Ort"): the second click of a double click would press it at once.
// While the box is open, a double click whose first click the box never saw
// is dropped with its release.
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
        auto* widget = qobject_cast<QWidget*>(receiver);
        if (!widget || widget->window() != &box_) return false;
        if (type == QEvent::MouseButtonPress) {
            boxSawAPress_ = true;
        } else if (type == QEvent::MouseButtonDblClick && !boxSawAPress_) {
            dropRelease_ = true;
            return true;
        } else if (type == QEvent::MouseButtonRelease && dropRelease_) {
            dropRelease_ = false;
            return true;
        }
        return false;
    }

private:
    QWidget& box_;
    bool boxSawAPress_ = false;
    bool dropRelease_ = false;
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
