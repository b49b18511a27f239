#include "setup/Unit3.h"

#include "platform/form_widgets.h"

#include <QPushButton>

TForm3::TForm3(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator,
               std::function<void()> refreshMainWindow)
    : MireltaDialog(owner, messages, QStringLiteral("Beobachtungsort"), 305, 271),
      state_(state),
      decimalSeparator_(decimalSeparator),
      refreshMainWindow_(std::move(refreshMainWindow))
{
    setObjectName(QStringLiteral("Form3"));
    Button1 = PlaceButton(this, "Button1", QStringLiteral("Ok"), 16, 240, 121, 25);
    Button1->setStatusTip(QStringLiteral("Werte übernehmen"));
    Button2 = PlaceButton(this, "Button2", QStringLiteral("Abbrechen"), 168, 240, 121, 25);
    Button2->setStatusTip(QStringLiteral("Abbruch"));
    OnClick(Button1, &TForm3::Button1Click);
    OnClick(Button2, &TForm3::Button2Click);
}

void TForm3::FormCreate() { CentreOverOwner(); }

void TForm3::Button1Click() { LeaveDialog(); }

void TForm3::Button2Click() { LeaveDialog(); }
