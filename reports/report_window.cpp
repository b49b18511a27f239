#include "reports/report_window.h"

#include "platform/form_widgets.h"

#include <QPushButton>

ReportWindow::ReportWindow(QWidget* owner, MessageService& messages, const QString& caption)
    : MireltaDialog(owner, messages, caption, kClientWidth, kClientHeight)
{
    Button1 = PlaceButton(this, "Button1", QStringLiteral("Ok"), 88, 275, 121, 25);
    Button1->setStatusTip(QStringLiteral("Zurück zum Programm"));
    connect(Button1, &QPushButton::clicked, this, &ReportWindow::Button1Click);
}

void ReportWindow::Button1Click() { LeaveDialog(); }
