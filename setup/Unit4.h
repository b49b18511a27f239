#pragma once
// The observation date and time dialog (MEZ, never summer time).

#include "astronomy/Rechn.h"
#include "setup/time_fields.h"
#include "windowbase/dialog_protocol.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm4 : public MireltaDialog {
    Q_OBJECT
public:
    /// `refreshMainWindow` runs the main window's list selection after Ok.
    TForm4(QWidget* owner, MessageService& messages, ObservationState& state, std::function<void()> refreshMainWindow);

    /// Fill step: runs at creation and at every opening.
    void FormCreate() override;
    /// Ok: checks the fields and stores them in the state.
    void Button1Click();
    /// Abbrechen: the state keeps its date and time.
    void Button2Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    /// A close request acts as Abbrechen.
    void CloseRequested() override { Button2Click(); }

private:
    ObservationState& state_;
    std::function<void()> refreshMainWindow_;
};
