#include "setup/Unit9.h"

#include "platform/form_widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kDegreesLength = 4;
constexpr int kMinutesLength = 2;
constexpr int kSecondsLength = 2;
constexpr int kUnitSignPixels = 16;

QLabel* PlaceUnitSign(QWidget* parent, const char* name, const QString& sign, int x)
{
    QLabel* label = PlaceLabel(parent, name, sign, x, 31);
    label->setFont(FormFont(kUnitSignPixels, true));
    label->adjustSize();
    return label;
}

}  // namespace

TForm9::TForm9(QWidget* owner, MessageService& messages, char decimalSeparator)
    : MireltaDialog(owner, messages, QString(), 268, 100, /*closeBox=*/true), decimalSeparator_(decimalSeparator)
{
    setObjectName(QStringLiteral("Form9"));
    Label1 = PlaceLabel(this, "Label1", kLatitudePrompt, 12, 13);
    Edit1 = PlaceEdit(this, "Edit1", 12, 31, 45, 21, kDegreesLength);
    Label2 = PlaceUnitSign(this, "Label2", QStringLiteral("°"), 64);
    Edit2 = PlaceEdit(this, "Edit2", 108, 31, 45, 21, kMinutesLength);
    Label3 = PlaceUnitSign(this, "Label3", QStringLiteral("'"), 160);
    Edit3 = PlaceEdit(this, "Edit3", 204, 31, 45, 21, kSecondsLength);
    Label4 = PlaceUnitSign(this, "Label4", QStringLiteral("\""), 256);
    Button1 = PlaceButton(this, "Button1", QStringLiteral("OK"), 57, 67, 74, 22);
    Button2 = PlaceButton(this, "Button2", QStringLiteral("Abbrechen"), 138, 67, 74, 22);
    OnClick(Button1, &TForm9::Button1Click);
    OnClick(Button2, &TForm9::Button2Click);
    SetKeyButtons(Button1, Button2);
}

void TForm9::FormCreate() { CentreOnMonitor(*this); }

std::string* TForm9::PromptedResult()
{
    if (Label1->text() == kLatitudePrompt) return &EnteredLatitudeText;
    if (Label1->text() == kLongitudePrompt) return &EnteredLongitudeText;
    return nullptr;
}

void TForm9::Button1Click()
{
    // Minutes or seconds that are not whole numbers ("1,5") end the click
    // with the conversion error "'1,5' ist kein gültiger Integerwert"; the
    // dialog stays open for a correction.
    if (std::string* result = PromptedResult())
        BuildCoordinateText(Edit1->text().toStdString(), Edit2->text().toStdString(), Edit3->text().toStdString(),
                            decimalSeparator_, *result);
    LeaveDialog();
}

void TForm9::Button2Click()
{
    if (std::string* result = PromptedResult()) result->clear();
    LeaveDialog();
}

void TForm9::hideEvent(QHideEvent* event)
{
    MireltaDialog::hideEvent(event);
    // A minimised window is not hidden; only a hide() ends the entry.
    if (isHidden()) emit Hidden();
}
