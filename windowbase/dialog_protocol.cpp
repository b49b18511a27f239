#include "windowbase/dialog_protocol.h"

#include "platform/error_report.h"
#include "platform/form_widgets.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QToolTip>

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

void MireltaDialog::SetKeyButtons(QAbstractButton* ok, QAbstractButton* cancel)
{
    okButton_ = ok;
    cancelButton_ = cancel;
}

void MireltaDialog::keyPressEvent(QKeyEvent* event)
{
    // A key a child used never arrives here.
    if (ClickFocusedButtonOnEnter(*this, *event)) return;
    QAbstractButton* target = nullptr;
    if (IsPlainKey(*event, Qt::Key_Return) || IsPlainKey(*event, Qt::Key_Enter))
        target = okButton_;
    else if (IsPlainKey(*event, Qt::Key_Escape))
        target = cancelButton_ ? cancelButton_ : okButton_;
    if (!target) {
        QWidget::keyPressEvent(event);
        return;
    }
    // click() does nothing on a disabled button; its handler runs guarded.
    target->click();
    event->accept();
}

bool MireltaDialog::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip || !showHints_) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    if (QWidget* control = HintedControlAt(help->pos())) {
        QToolTip::showText(help->globalPos(), control->statusTip(), control);
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

QWidget* MireltaDialog::HintedControlAt(const QPoint& position) const
{
    for (QWidget* control = childAt(position); control && control != this; control = control->parentWidget())
        if (!control->statusTip().isEmpty()) return control;
    return nullptr;
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

bool IsPlainKey(const QKeyEvent& event, Qt::Key key)
{
    // Enter also from the keypad, as a dialog box takes it.
    return event.key() == key &&
           (event.modifiers() == Qt::NoModifier || (event.modifiers() == Qt::KeypadModifier && key == Qt::Key_Enter));
}

bool ClickFocusedButtonOnEnter(QWidget& window, QKeyEvent& event)
{
    if (!IsPlainKey(event, Qt::Key_Return) && !IsPlainKey(event, Qt::Key_Enter)) return false;
    auto* focused = qobject_cast<QAbstractButton*>(window.focusWidget());
    if (!focused || !focused->isVisible()) return false;
    focused->click();
    event.accept();
    return true;
}

void RunFormCreate(MireltaDialog& dialog)
{
    RunGuarded(dialog.Messages(), [&] { dialog.FormCreate(); });
}

void OpenDialog(QWidget& mainWindow, MireltaDialog& dialog)
{
    mainWindow.setEnabled(false);
    dialog.show();
    // The keyboard goes to the dialog, also where no window manager hands
    // a new window the focus: the disabled main window would swallow it.
    dialog.activateWindow();
    RunFormCreate(dialog);
}
