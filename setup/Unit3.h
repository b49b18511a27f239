#pragma once
// The observation site dialog.

#include "app/dialog_protocol.h"
#include "astronomy/Rechn.h"

#include <functional>

class QPushButton;
class TForm9;

class TForm3 : public MireltaDialog {
    Q_OBJECT
public:
    /// `refreshMainWindow` runs the main window's list selection after Ok.
    TForm3(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator,
           std::function<void()> refreshMainWindow);

    /// The coordinate entry dialog, created after this one.
    void SetCoordinateDialog(TForm9* form9) { form9_ = form9; }

    /// Refresh: runs at creation and at every opening.
    void FormCreate() override;
    void Button1Click();
    void Button2Click();

    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    ObservationState& state_;
    char decimalSeparator_;
    std::function<void()> refreshMainWindow_;
    TForm9* form9_ = nullptr;
};
