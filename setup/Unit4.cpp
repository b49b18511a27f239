#include "setup/Unit4.h"

#include "platform/form_widgets.h"

#include <QPushButton>

TForm4::TForm4(QWidget* owner, MessageService& messages, ObservationState& state,
               std::function<void()> refreshMainWindow)
    : MireltaDialog(owner, messages, QStringLiteral("Beobachtungszeit"), 122, 153),
      state_(state),
      refreshMainWindow_(std::move(refreshMainWindow))
{
    setObjectName(QStringLiteral("Form4"));
    Button1 = PlaceButton(this, "Button1", QStringLiteral("Ok"), 8, 120, 33, 25);
    Button1->setStatusTip(QStringLiteral("Werte übernehmen"));
    Button2 = PlaceButton(this, "Button2", QStringLiteral("Abbrechen"), 48, 120, 65, 25);
    Button2->setStatusTip(QStringLiteral("Abbruch"));
    OnClick(Button1, &TForm4::Button1Click);
    OnClick(Button2, &TForm4::Button2Click);
}

void TForm4::FormCreate() { CentreOverOwner(); }

void TForm4::Button1Click() { LeaveDialog(); }

void TForm4::Button2Click() { LeaveDialog(); }
