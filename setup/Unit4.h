#pragma once
// The observation date and time dialog.

#include "app/dialog_protocol.h"
#include "astronomy/Rechn.h"

#include <functional>

class QPushButton;

class TForm4 : public MireltaDialog {
    Q_OBJECT
public:
    /// `refreshMainWindow` runs the main window's list selection after Ok.
    TForm4(QWidget* owner, MessageService& messages, ObservationState& state, std::function<void()> refreshMainWindow);

    /// Fill step: runs at creation and at every opening.
    void FormCreate() override;
    void Button1Click();
    void Button2Click();

    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    ObservationState& state_;
    std::function<void()> refreshMainWindow_;
};
