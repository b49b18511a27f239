#include "platform/message_service.h"

#include "platform/form_widgets.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

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
    box.exec();
}

bool QtMessageService::Confirm(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, BoxParent());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
    box.setDefaultButton(QMessageBox::Yes);
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
    if (dialog.exec() != QDialog::Accepted) return defaultText;
    return dialog.textValue();
}
