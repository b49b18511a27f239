#pragma once
// How the program's dialogs come and go. Windows are never destroyed while
// the program runs: a command of the main window disables the main window,
// shows the dialog (without a modal loop of its own) and runs the dialog's
// FormCreate again, which rebuilds its content from the current state; the
// dialog's own buttons hide it and enable the main window again.

#include "platform/error_report.h"
#include "platform/message_service.h"

#include <QWidget>

class QAbstractButton;
class QKeyEvent;

/// Base of every dialog window: fixed client size, no layouts, the
/// program's font, the way back to the window that opened it, the keys
/// Enter and Escape, and the hints of its controls shown as tooltips.
class MireltaDialog : public QWidget {
    Q_OBJECT
public:
    /// `owner` is the window the dialog is opened from and centred over.
    MireltaDialog(QWidget* owner, MessageService& messages, const QString& caption, int clientWidth, int clientHeight,
                  bool closeBox = false);

    /// Rebuilds the dialog's content; runs at creation and at every opening.
    virtual void FormCreate() {}

    /// left = owner's left + (owner's width - own width) div 2, top likewise.
    void CentreOverOwner();

    QWidget* Owner() const { return owner_; }
    MessageService& Messages() const { return messages_; }

    /// Runs a handler inside the error guard: an error ends it where it
    /// occurs and is shown by the general error report.
    template <class Handler>
    void Guarded(Handler&& handler)
    {
        RunGuarded(messages_, std::forward<Handler>(handler));
    }

protected:
    /// Hides the dialog and enables the owner again.
    void LeaveDialog();

    /// The buttons the keys stand for: Enter clicks `ok` (the window's
    /// "Ok"/"OK"), Escape clicks `cancel` ("Abbrechen"), or `ok` where the
    /// window has no cancel button. Enter on a focused button clicks that
    /// button instead, as Space does.
    void SetKeyButtons(QAbstractButton* ok, QAbstractButton* cancel = nullptr);

    /// Whether the hints (status tips) of the controls show as tooltips when
    /// the pointer rests on them; on unless a window switches them off.
    void SetShowHints(bool show) { showHints_ = show; }

    /// What a close request does (the close box, or a window manager's
    /// Alt+F4 on a dialog without one): leave the dialog as its cancel
    /// button would, so the owner is never left disabled behind a hidden
    /// dialog. Runs guarded.
    virtual void CloseRequested() { LeaveDialog(); }

    /// Routes a close request to CloseRequested; ignored while the dialog
    /// itself is disabled because a dialog it opened is still showing.
    void closeEvent(QCloseEvent* event) override;

    /// Enter and Escape, which every child leaves to its window.
    void keyPressEvent(QKeyEvent* event) override;

    /// Shows the hint of the control under the pointer as its tooltip.
    bool event(QEvent* event) override;

    /// Connects a button's click to a handler of the dialog, run guarded.
    template <class Button, class Dialog>
    void OnClick(Button* button, void (Dialog::*handler)())
    {
        auto* self = static_cast<Dialog*>(this);
        connect(button, &Button::clicked, this, [self, handler] { self->Guarded([&] { (self->*handler)(); }); });
    }

private:
    /// The innermost control at `position` (dialog pixels) that has a hint.
    QWidget* HintedControlAt(const QPoint& position) const;

    QWidget* owner_;
    MessageService& messages_;
    QAbstractButton* okButton_ = nullptr;
    QAbstractButton* cancelButton_ = nullptr;
    bool showHints_ = true;
};

/// Whether `event` is `key` without modifiers (Enter may come from the keypad).
bool IsPlainKey(const QKeyEvent& event, Qt::Key key);

/// Enter on a focused button of `window` clicks it, as Space does: every
/// window's buttons take both keys. Returns whether it did.
bool ClickFocusedButtonOnEnter(QWidget& window, QKeyEvent& event);

/// Runs a dialog's FormCreate inside the error guard.
void RunFormCreate(MireltaDialog& dialog);

/// The dialog command: disable `mainWindow`, show `dialog`, run its FormCreate.
void OpenDialog(QWidget& mainWindow, MireltaDialog& dialog);

/// The centring rule shared by every dialog: top-left of a window of
/// `ownSize` centred over `owner` (outer frames), halves truncated.
QPoint CentredOver(const QRect& owner, const QSize& ownSize);

/// Moves `window` (its outer frame) to the middle of the monitor that holds it.
void CentreOnMonitor(QWidget& window);
