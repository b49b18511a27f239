#include "reports/Unit2.h"

#include "platform/form_widgets.h"
#include "windowbase/resources_init.h"

#include <QLabel>
#include <QPushButton>

TForm2::TForm2(QWidget* owner, MessageService& messages, ObservationState& state, ClockSource clock)
    : MireltaDialog(owner, messages, QStringLiteral("About..."), 240, 310), state_(state), clock_(std::move(clock))
{
    InitialiseResources();
    setObjectName(QStringLiteral("Form2"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(10, 8, 220, 90);
    Image1->setPixmap(QPixmap(QStringLiteral(":/logo.png")));

    Label1 = PlaceLabel(this, "Label1", QStringLiteral("Mirelta               2.1"), 16, 104);
    Label1->setFont(FormFont(19, true));
    Label1->adjustSize();
    PlaceLabel(this, "Label2", QStringLiteral("Mond- und Sonnenbahn nach"), 16, 136);
    PlaceLabel(this, "Label3", QStringLiteral("Montenbruck / Pfleger"), 96, 152);
    PlaceLabel(this, "Label4", QStringLiteral("Physische Ephemeriden nach Meeus"), 16, 176);
    PlaceLabel(this, "Label5", QStringLiteral("Mondkarte: USGS, Clementine"), 16, 200);
    const std::pair<const char*, QString> lines[] = {
        {"Label6", QStringLiteral("Programm zur Berechnung der")   },
        {"Label7", QStringLiteral("Mond-Ephemeriden und der Höhe")},
        {"Label8", QStringLiteral("von Mondformationen")           },
    };
    int top = 224;
    for (const auto& [name, text] : lines) {
        QLabel* label = PlaceLabel(this, name, text, name == lines[0].first ? 15 : 16, top);
        label->setFont(FixedFont(11));
        label->adjustSize();
        top += 12;
    }

    Button1 = PlaceButton(this, "Button1", QStringLiteral("OK"), 64, 272, 112, 25);
    Button1->setStatusTip(QStringLiteral("Zurück zum Programm"));
    OnClick(Button1, &TForm2::Button1Click);
    SetKeyButtons(Button1);
}

void TForm2::FormCreate()
{
    CentreOverOwner();
    SetClockTime(state_, clock_);
}

void TForm2::Button1Click() { LeaveDialog(); }
