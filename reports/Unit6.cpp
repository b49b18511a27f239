#include "reports/Unit6.h"

#include <QLabel>

namespace {

constexpr int kValueLeft = 176;
// Wide enough for "-359° 59' 59"", ending a little inside the window.
constexpr int kValueWidth = 96;

}  // namespace

TForm6::TForm6(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator)
    : ReportWindow(owner, messages, state, decimalSeparator, QStringLiteral("Physische Ephemeriden"))
{
    setObjectName(QStringLiteral("Form6"));
    // The one window whose hints stay unseen.
    SetShowHints(false);
    heading_ = HeadingLabels::Place(this);
    Label1 = heading_.date;
    Label2 = heading_.site;
    Label3 = heading_.coordinates;

    Label4 = PlaceCaption(this, "Label4", QStringLiteral("Breite der scheinbaren"), 16, 80);
    Label16 = PlaceCaption(this, "Label16", QStringLiteral("Mondmitte  B:"), 16, 93);
    Label5 = PlaceCaption(this, "Label5", QStringLiteral("Länge der scheinbaren:"), 16, 117);
    Label17 = PlaceCaption(this, "Label17", QStringLiteral("Mondmitte  L:"), 16, 130);
    Label7 = PlaceCaption(this, "Label7", QStringLiteral("Selenographische Breite"), 16, 154);
    Label19 = PlaceCaption(this, "Label19", QStringLiteral("der Sonne  Bs:"), 16, 167);
    Label6 = PlaceCaption(this, "Label6", QStringLiteral("Lage der Lichtgrenze"), 16, 191);
    Label18 = PlaceCaption(this, "Label18", QStringLiteral("(Terminator)  Lgr/Ls:"), 16, 204);
    Label8 = PlaceCaption(this, "Label8", QStringLiteral("Positionswinkel der"), 16, 228);
    Label20 = PlaceCaption(this, "Label20", QStringLiteral("Mondachse    /P:"), 16, 241);
    Label22 = PlaceGreekLetter(this, "Label22", QStringLiteral("ϑ"), Label20, 237);

    Label10 = PlaceRightAlignedValue(this, "Label10", kValueLeft, 93, kValueWidth);
    Label11 = PlaceRightAlignedValue(this, "Label11", kValueLeft, 130, kValueWidth);
    Label13 = PlaceRightAlignedValue(this, "Label13", kValueLeft, 167, kValueWidth);
    Label12 = PlaceRightAlignedValue(this, "Label12", kValueLeft, 204, kValueWidth);
    Label14 = PlaceRightAlignedValue(this, "Label14", kValueLeft, 241, kValueWidth);
}

void TForm6::FormCreate()
{
    CentreOverOwner();
    heading_.Show(ReportHeadingLines("Mondephemeriden", state_));
    const PhysicalEphemeridesTexts values = ComputePhysicalEphemeridesTexts(state_);
    SetText(Label10, values.librationLatitude);
    SetText(Label11, values.librationLongitude);
    SetText(Label12, values.terminatorLongitude);
    SetText(Label13, values.sunSelenographicLatitude);
    SetText(Label14, values.axisPositionAngle);
}
