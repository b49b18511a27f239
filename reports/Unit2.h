#pragma once
// The about box: program name and version, logo, credits. Its creation also
// sets the observation date and time from the clock, once per run.

#include "astronomy/Rechn.h"
#include "windowbase/dialog_protocol.h"

class QLabel;
class QPushButton;

class TForm2 : public MireltaDialog {
    Q_OBJECT
public:
    TForm2(QWidget* owner, MessageService& messages, ObservationState& state, ClockSource clock = ReadSystemClock);

    /// Runs once, at creation: centres the box over the main window and
    /// reads the clock into the observation state (summer time taken back
    /// to MEZ). Opening the box later does not run it again.
    void FormCreate() override;
    void Button1Click();

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;

private:
    ObservationState& state_;
    ClockSource clock_;
};
