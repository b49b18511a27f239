#include "windowbase/dialog_protocol.h"

#include "platform/error_report.h"
#include "platform/form_widgets.h"

#include <QCloseEvent>
#include <QScreen>

MireltaDialog::MireltaDialog(QWidget* owner, MessageService& messages, const QString& caption, int clientWidth,
                             int clientHeight, bool closeBox)
    : QWidget(nullptr), owner_(owner), messages_(messages)
{
    // A top-level window of its own: disabling the owner must not disable
    // the dialog, which it would as the owner's child.
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeBox) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
    setWindowTitle(caption);
    setFont(FormFont());
    setFixedSize(clientWidth, clientHeight);
}

void MireltaDialog::CentreOverOwner()
{
    if (!owner_) return;
    move(CentredOver(owner_->frameGeometry(), frameGeometry().size()));
}

void MireltaDialog::closeEvent(QCloseEvent* event)
{
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    Guarded([this] { CloseRequested(); });
    event->accept();
}

void MireltaDialog::LeaveDialog()
{
    hide();
    if (owner_) owner_->setEnabled(true);
}

QPoint CentredOver(const QRect& owner, const QSize& ownSize)
{
    // C++ integer division truncates toward zero, as the rule asks.
    return {owner.left() + (owner.width() - ownSize.width()) / 2,
            owner.top() + (owner.height() - ownSize.height()) / 2};
}

void CentreOnMonitor(QWidget& window)
{
    if (QScreen* monitor = window.screen())
        window.move(CentredOver(monitor->geometry(), window.frameGeometry().size()));
}

void RunFormCreate(MireltaDialog& dialog)
{
    RunGuarded(dialog.Messages(), [&] { dialog.FormCreate(); });
}

void OpenDialog(QWidget& mainWindow, MireltaDialog& dialog)
{
    mainWindow.setEnabled(false);
    dialog.show();
    RunFormCreate(dialog);
}
