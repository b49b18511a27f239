#include "reports/Unit7.h"

#include "platform/form_widgets.h"
#include "reports/observing_conditions.h"
#include "reports/phase_picture.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

namespace {

constexpr int kGroupWidth = 281;
constexpr int kGroupTextRight = kGroupWidth - 8;
constexpr int kLargeTextPixels = 13;

// A blue line at 13 pixels, for the phase word and the verdict.
QLabel* PlaceLargeValue(QWidget* parent, const char* name, int x, int y)
{
    QLabel* label = PlaceValueLabel(parent, name, x, y, kGroupTextRight - x);
    label->setFont(FormFont(kLargeTextPixels));
    label->setFixedHeight(label->fontMetrics().height());
    return label;
}

}  // namespace

TForm7::TForm7(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator)
    : ReportWindow(owner, messages, state, decimalSeparator, QStringLiteral("Sichtverhältnisse"))
{
    setObjectName(QStringLiteral("Form7"));

    GroupBox1 = PlaceGroup(this, "GroupBox1", QStringLiteral("Mondphase"), 8, 8, kGroupWidth, 153);
    Image1 = new QLabel(GroupBox1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 24, kPhasePictureWidth, kPhasePictureHeight);
    Label4 = PlaceTextLine(GroupBox1, "Label4", 144, 32, kGroupTextRight - 144);
    Label5 = PlaceTextLine(GroupBox1, "Label5", 144, 48, kGroupTextRight - 144);
    Label3 = PlaceLargeValue(GroupBox1, "Label3", 152, 68);
    Label20 = PlaceLabel(GroupBox1, "Label20", QStringLiteral("Azimut:"), 144, 100);
    Label21 = PlaceLabel(GroupBox1, "Label21", QStringLiteral("Höhe:"), 144, 124);
    Label22 = PlaceRightAlignedValue(GroupBox1, "Label22", 208, 100, kGroupTextRight - 208);
    Label23 = PlaceRightAlignedValue(GroupBox1, "Label23", 208, 124, kGroupTextRight - 208);
    ExplainAzimuth(Label20, Label22);

    GroupBox2 = PlaceGroup(this, "GroupBox2", QStringLiteral("Beobachtungsmöglichkeiten"), 8, 176, kGroupWidth, 89);
    Label1 = PlaceLargeValue(GroupBox2, "Label1", 8, 24);
    Label2 = PlaceLargeValue(GroupBox2, "Label2", 8, 42);
}

void TForm7::FormCreate()
{
    CentreOverOwner();
    const ObservingConditions conditions = ComputeObservingConditions(state_);
    Image1->setPixmap(QPixmap::fromImage(PhasePicture(conditions.phaseNumber)));
    SetText(Label3, conditions.phaseWord);
    SetFittedText(Label4, conditions.dateLine);  // "Mondphase am 18.12.2026" is the longest
    SetText(Label5, conditions.timeLine);
    SetText(Label22, conditions.azimuth);
    SetText(Label23, conditions.altitude);
    SetText(Label1, conditions.verdict.first);
    SetText(Label2, conditions.verdict.second);
}
