#include "setup/Unit4.h"

#include "platform/form_widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kFieldLeft = 80;
constexpr int kFieldWidth = 25;
constexpr int kFieldHeight = 13;
constexpr int kNotePixels = 9;
constexpr int kInnerMargin = 2;  // pixels QLineEdit keeps on each side of its text

QLineEdit* PlaceTimeField(QWidget* parent, const char* name, int y, int maxLength)
{
    QLineEdit* field = PlaceEdit(parent, name, kFieldLeft, y, kFieldWidth, kFieldHeight, maxLength);
    field->setFrame(false);
    // A borderless field needs no inner margin: without it a four-digit
    // year fits the 25 pixels.
    field->setTextMargins(-kInnerMargin, 0, -kInnerMargin, 0);
    return field;
}

}  // namespace

TForm4::TForm4(QWidget* owner, MessageService& messages, ObservationState& state,
               std::function<void()> refreshMainWindow)
    : MireltaDialog(owner, messages, QStringLiteral("Beobachtungszeit"), 122, 153),
      state_(state),
      refreshMainWindow_(std::move(refreshMainWindow))
{
    setObjectName(QStringLiteral("Form4"));
    Label1 = PlaceLabel(this, "Label1", QStringLiteral("Tag:"), 16, 8);
    Label2 = PlaceLabel(this, "Label2", QStringLiteral("Monat:"), 16, 24);
    Label3 = PlaceLabel(this, "Label3", QStringLiteral("Jahr:"), 16, 40);
    Label4 = PlaceLabel(this, "Label4", QStringLiteral("Stunde:"), 16, 64);
    Label5 = PlaceLabel(this, "Label5", QStringLiteral("Minute:"), 16, 80);
    Label6 = PlaceLabel(this, "Label6", QStringLiteral("(Uhrzeit in MEZ)"), 16, 98);
    Label6->setFont(NoteFont(kNotePixels));
    Label6->adjustSize();
    Edit1 = PlaceTimeField(this, "Edit1", 8, 2);
    Edit2 = PlaceTimeField(this, "Edit2", 24, 2);
    Edit3 = PlaceTimeField(this, "Edit3", 40, 4);
    Edit4 = PlaceTimeField(this, "Edit4", 64, 2);
    Edit5 = PlaceTimeField(this, "Edit5", 80, 2);
    Button1 = PlaceButton(this, "Button1", QStringLiteral("Ok"), 8, 120, 33, 25);
    Button1->setStatusTip(QStringLiteral("Werte übernehmen"));
    Button2 = PlaceButton(this, "Button2", QStringLiteral("Abbrechen"), 48, 120, 65, 25);
    Button2->setStatusTip(QStringLiteral("Abbruch"));
    OnClick(Button1, &TForm4::Button1Click);
    OnClick(Button2, &TForm4::Button2Click);
    SetKeyButtons(Button1, Button2);
}

void TForm4::FormCreate()
{
    CentreOverOwner();
    Edit1->setText(QString::number(state_.Day));
    Edit2->setText(QString::number(state_.Month));
    Edit3->setText(QString::number(state_.Year));
    Edit4->setText(QString::number(state_.Hour));
    Edit5->setText(QStringLiteral("%1").arg(state_.Minute, 2, 10, QLatin1Char('0')));
}

void TForm4::Button1Click()
{
    std::optional<ObservationTime> time =
        ReadTimeFields({Edit1->text().toStdString(), Edit2->text().toStdString(), Edit3->text().toStdString(),
                        Edit4->text().toStdString(), Edit5->text().toStdString()});
    if (!time) {
        Messages().Error(QStringLiteral("Eingabefehler"),
                         QStringLiteral("Das angegebene Datum oder die angegebene Uhrzeit ist ungültig!"));
        return;
    }
    state_.Day = static_cast<std::uint16_t>(time->Day);
    state_.Month = static_cast<std::uint16_t>(time->Month);
    state_.Year = static_cast<std::uint16_t>(time->Year);
    state_.Hour = static_cast<std::uint16_t>(time->Hour);
    state_.Minute = static_cast<std::uint16_t>(time->Minute);
    LeaveDialog();
    refreshMainWindow_();
}

void TForm4::Button2Click()
{
    // The fill step shows the state's date and time again.
    LeaveDialog();
    FormCreate();
}
