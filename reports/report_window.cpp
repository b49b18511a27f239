#include "reports/report_window.h"

#include "platform/form_widgets.h"

#include <QPushButton>

ReportWindow::ReportWindow(QWidget* owner, MessageService& messages, ObservationState& state,
                           char decimalSeparator, const QString& caption)
    : MireltaDialog(owner, messages, caption, kClientWidth, kClientHeight),
      state_(state),
      decimalSeparator_(decimalSeparator)
{
    Button1 = PlaceButton(this, "Button1", QStringLiteral("Ok"), 88, 275, 121, 25);
    Button1->setStatusTip(QStringLiteral("Zurück zum Programm"));
    OnClick(Button1, &ReportWindow::Button1Click);
}

void ReportWindow::Button1Click() { LeaveDialog(); }
