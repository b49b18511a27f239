#include "reports/Unit5.h"

#include "platform/form_widgets.h"

#include <QLabel>

namespace {

constexpr int kValueLeft = 176;
constexpr int kValueWidth = ReportWindow::kClientWidth - kValueLeft - 4;

}  // namespace

TForm5::TForm5(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator)
    : ReportWindow(owner, messages, state, decimalSeparator, QStringLiteral("Mondposition"))
{
    setObjectName(QStringLiteral("Form5"));
    heading_ = HeadingLabels::Place(this);
    Label1 = heading_.date;
    Label2 = heading_.site;
    Label3 = heading_.coordinates;

    Label4 = PlaceCaption(this, "Label4", QStringLiteral("Julianisches Datum  JD:"), 16, 80);
    Label5 = PlaceCaption(this, "Label5", QStringLiteral("Rektaszension    :"), 16, 104);
    Label6 = PlaceCaption(this, "Label6", QStringLiteral("Deklination    :"), 16, 128);
    Label7 = PlaceCaption(this, "Label7", QStringLiteral("eklipt. Breite    :"), 16, 152);
    Label8 = PlaceCaption(this, "Label8", QStringLiteral("eklipt. Länge    :"), 16, 176);
    Label9 = PlaceCaption(this, "Label9", QStringLiteral("Entfernung:"), 16, 200);
    Label20 = PlaceCaption(this, "Label20", QStringLiteral("Azimut  a:"), 16, 224);
    Label21 = PlaceCaption(this, "Label21", QStringLiteral("Höhe üb. Horizont  h:"), 16, 248);

    Label16 = PlaceGreekLetter(this, "Label16", QStringLiteral("α"), Label5, 99);
    Label17 = PlaceGreekLetter(this, "Label17", QStringLiteral("δ"), Label6, 123);
    Label18 = PlaceGreekLetter(this, "Label18", QStringLiteral("β"), Label7, 147);
    Label19 = PlaceGreekLetter(this, "Label19", QStringLiteral("λ"), Label8, 171);

    Label10 = PlaceValueLabel(this, "Label10", kValueLeft, 80, kValueWidth);
    Label11 = PlaceValueLabel(this, "Label11", kValueLeft, 104, kValueWidth);
    Label12 = PlaceValueLabel(this, "Label12", kValueLeft, 128, kValueWidth);
    Label13 = PlaceValueLabel(this, "Label13", kValueLeft, 152, kValueWidth);
    Label14 = PlaceValueLabel(this, "Label14", kValueLeft, 176, kValueWidth);
    Label15 = PlaceValueLabel(this, "Label15", kValueLeft, 200, kValueWidth);
    Label22 = PlaceValueLabel(this, "Label22", kValueLeft, 224, kValueWidth);
    Label23 = PlaceValueLabel(this, "Label23", kValueLeft, 248, kValueWidth);
    ExplainAzimuth(Label20, Label22);
}

void TForm5::FormCreate()
{
    CentreOverOwner();
    heading_.Show(ReportHeadingLines("Mondposition", state_));
    const MoonPositionTexts values = ComputeMoonPositionTexts(state_, decimalSeparator_);
    SetText(Label10, values.julianDate);
    SetText(Label11, values.rightAscension);
    SetText(Label12, values.declination);
    SetText(Label13, values.eclipticLatitude);
    SetText(Label14, values.eclipticLongitude);
    SetText(Label15, values.distance);
    SetText(Label22, values.azimuth);
    SetText(Label23, values.altitude);
}
