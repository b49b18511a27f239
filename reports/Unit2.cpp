#include "reports/Unit2.h"

#include "platform/form_widgets.h"

#include <QLabel>
#include <QPushButton>

TForm2::TForm2(QWidget* owner, MessageService& messages)
    : MireltaDialog(owner, messages, QStringLiteral("About..."), 240, 310)
{
    setObjectName(QStringLiteral("Form2"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(10, 8, 220, 90);
    Image1->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    Button1 = PlaceButton(this, "Button1", QStringLiteral("OK"), 64, 272, 112, 25);
    Button1->setStatusTip(QStringLiteral("Zurück zum Programm"));
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

void TForm2::FormCreate() { CentreOverOwner(); }

void TForm2::Button1Click() { LeaveDialog(); }
