// The main window's observation time and the computer's clock: the item
// "Uhrzeit mitführen" in "Mondzustand...", the clock read again before each
// computation while it is checked, the minute timer that moves the lit map
// along, and the site and moment in the status bar.

#include "app/Unit1.h"
#include "app/observation_status.h"
#include "app/preferences.h"
#include "observing/mez_moment.h"
#include "platform/form_widgets.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>

namespace {

// How often the clock is looked at: the minute shown changes at most this
// late, and the lit map is lit anew only when it has.
constexpr int kClockCheckMilliseconds = 5000;

}  // namespace

void TForm1::CreateClockCommand()
{
    UhrzeitMitfuehren1 = AddCommand(Mondzustand1, "UhrzeitMitfuehren1", QStringLiteral("&Uhrzeit mitführen"),
                                    &TForm1::UhrzeitMitfuehren1Click);
    UhrzeitMitfuehren1->setCheckable(true);
    UhrzeitMitfuehren1->setChecked(ReadFollowsClockPreference());

    StatusText = new QLabel(StatusBar1);
    StatusText->setObjectName(QStringLiteral("StatusText"));
    StatusText->setFont(FormFont());
    // A normal widget of the bar: hidden while a hint or a message shows.
    StatusBar1->addWidget(StatusText, 1);

    clockTimer_ = new QTimer(this);
    clockTimer_->setInterval(kClockCheckMilliseconds);
    connect(clockTimer_, &QTimer::timeout, this, [this] { Guarded(&TForm1::ClockTimer1Timer); });
    clockTimer_->start();
}

bool TForm1::ReadClockIfFollowing()
{
    if (!UhrzeitMitfuehren1->isChecked()) return false;
    const MezMoment before = ObservationMoment(state_);
    SetClockTime(state_, clock_);
    if (ObservationMoment(state_) == before) return false;
    ShowObservationStatus();
    return true;
}

void TForm1::UhrzeitMitfuehren1Click()
{
    const bool follows = UhrzeitMitfuehren1->isChecked();
    WriteFollowsClockPreference(follows);
    if (!follows) {
        ShowObservationStatus();  // the time stays where it is
        return;
    }
    SetClockTime(state_, clock_);
    ObservationChanged();
}

void TForm1::ObservationTimeChosen()
{
    UhrzeitMitfuehren1->setChecked(false);
    WriteFollowsClockPreference(false);
    ObservationChanged();
}

void TForm1::ObservationChanged()
{
    ShowObservationStatus();
    UpdateMapLighting();
    ComboBox1Change();
    UpdateEyepieceView();
}

void TForm1::ClockTimer1Timer()
{
    if (!ReadClockIfFollowing()) return;
    UpdateMapLighting();
    UpdateEyepieceView();
}

void TForm1::ShowObservationStatus()
{
    StatusText->setText(QString::fromStdString(ObservationStatusText(state_, UhrzeitMitfuehren1->isChecked())));
}
