#include "setup/Unit9.h"

#include "platform/form_widgets.h"

#include <QPushButton>
#include <QScreen>

TForm9::TForm9(QWidget* owner, MessageService& messages, char decimalSeparator)
    : MireltaDialog(owner, messages, QString(), 268, 100, /*closeBox=*/true), decimalSeparator_(decimalSeparator)
{
    setObjectName(QStringLiteral("Form9"));
    Button1 = PlaceButton(this, "Button1", QStringLiteral("OK"), 57, 67, 74, 22);
    Button2 = PlaceButton(this, "Button2", QStringLiteral("Abbrechen"), 138, 67, 74, 22);
    OnClick(Button1, &TForm9::Button1Click);
    OnClick(Button2, &TForm9::Button2Click);
}

void TForm9::FormCreate()
{
    if (QScreen* monitor = screen()) {
        QRect area = monitor->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
}

void TForm9::Button1Click() { LeaveDialog(); }

void TForm9::Button2Click() { LeaveDialog(); }
