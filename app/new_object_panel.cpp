// The main window's mode for defining a new object (panel "Neues Objekt",
// GroupBox3): outlining a frame on the map with Cursor3, confirming it,
// entering the data and saving or cancelling. The checks, the proposal and
// the record live in app/new_object.h and map/map_geometry.h.

#include "app/Unit1.h"
#include "app/new_object.h"
#include "map/focus_rectangle.h"
#include "platform/errors.h"
#include "platform/form_widgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <algorithm>

void TForm1::CreateNewObjectPanel(QWidget* client)
{
    GroupBox3 = PlaceGroup(client, "GroupBox3", QStringLiteral("Neues Objekt"), 424, 48, 193, 401);
    GroupBox3->hide();
    PlaceLabel(GroupBox3, "Label3", QStringLiteral("Bitte ziehen Sie in der Grafik mit"), 16, 24);
    QLabel* withHelp = PlaceLabel(GroupBox3, "Label16", QStringLiteral("Hilfe des Cursors"), 16, 40);
    // The little cross-hair stands in the sentence, right after its words.
    auto* crossHair = new QLabel(GroupBox3);
    crossHair->setObjectName(QStringLiteral("Image1"));
    crossHair->setGeometry(std::max(98, withHelp->geometry().right() + 3), 42, 11, 11);
    crossHair->setPixmap(QPixmap(QStringLiteral(":/crosshair_small.bmp")));
    PlaceLabel(GroupBox3, "Label17", QStringLiteral("einen Rahmen"), crossHair->geometry().right() + 4, 40);
    PlaceLabel(GroupBox3, "Label18", QStringLiteral("um das Objekt."), 16, 56);
    Button4 = PlaceButton(GroupBox3, "Button4", QStringLiteral("Auswahl bestätigen"), 16, 80, 161, 25);
    Button4->setStatusTip(QStringLiteral("Die aktuelle Markierung übernehmen"));
    connect(Button4, &QPushButton::clicked, this, [this] { Guarded(&TForm1::Button4Click); });

    QLabel* nameCaption = PlaceLabel(GroupBox3, "Label20", QStringLiteral("Name des neuen Objekts:"), 16, 120);
    SetLabelStyle(nameCaption, Qt::black, true);
    nameCaption->adjustSize();
    Edit2 = PlaceEdit(GroupBox3, "Edit2", 16, 136, 161, 21, 30);
    Edit2->setStatusTip(QStringLiteral("Geben Sie einen Namen für das Objekt ein"));
    QLabel* moreCaption = PlaceLabel(GroupBox3, "Label21", QStringLiteral("Weitere Daten (falls bekannt):"), 16, 168);
    SetLabelStyle(moreCaption, Qt::black, true);
    moreCaption->adjustSize();

    // Two rows of degrees, minutes and seconds; the captions and unit signs
    // are the only controls besides two in the other group with a tooltip.
    struct CoordinateRow {
        int top;
        const char* caption;
        const char* captionName;
        QLineEdit** fields[3];
        const char* fieldNames[3];
        const char* signNames[3];
        QString hint;
        QString fieldHint;
    };
    const QString latitudeHint = QStringLiteral("selenographische Breite");
    const QString longitudeHint = QStringLiteral("selenographische Länge");
    const QString fieldHintEnd = QStringLiteral(
        " (Richtwert für aktuelle Auswahl - bitte spezifizieren Sie möglichst einen genaueren Kartenwert)");
    const CoordinateRow rows[] = {
        {184,
         "Breite:", "Label22",
         {&Edit3, &Edit9, &Edit11},
         {"Edit3", "Edit9", "Edit11"},
         {"Label37", "Label39", "Label41"},
         latitudeHint,  QStringLiteral("Selenographische Breite") + fieldHintEnd},
        {208,
         "Länge:", "Label23",
         {&Edit4, &Edit10, &Edit12},
         {"Edit4", "Edit10", "Edit12"},
         {"Label38", "Label40", "Label42"},
         longitudeHint, QStringLiteral("Selenographische Länge") + fieldHintEnd},
    };
    const int fieldLefts[3] = {56, 98, 134};
    const int fieldWidths[3] = {32, 26, 26};
    const int maxLengths[3] = {3, 2, 2};
    const QString signs[3] = {QStringLiteral("°"), QStringLiteral("'"), QStringLiteral("\"")};
    for (const CoordinateRow& row : rows) {
        QLabel* caption = PlaceLabel(GroupBox3, row.captionName, QString::fromUtf8(row.caption), 16, row.top + 4);
        caption->setToolTip(row.hint);
        caption->setStatusTip(row.hint);
        newObjectFields_ << caption;
        for (int i = 0; i < 3; ++i) {
            QLineEdit* field =
                PlaceEdit(GroupBox3, row.fieldNames[i], fieldLefts[i], row.top, fieldWidths[i], 21, maxLengths[i]);
            field->setStatusTip(row.fieldHint);
            *row.fields[i] = field;
            QLabel* sign =
                PlaceLabel(GroupBox3, row.signNames[i], signs[i], fieldLefts[i] + fieldWidths[i] + 2, row.top + 4);
            sign->setToolTip(row.hint);
            sign->setStatusTip(row.hint);
            unitSigns_ << sign;
        }
    }
    newObjectFields_ << PlaceLabel(GroupBox3, "Label24", QStringLiteral("Höhe:"), 16, 236);
    Edit5 = PlaceEdit(GroupBox3, "Edit5", 56, 232, 104, 21, 14);
    Edit5->setStatusTip(QStringLiteral("Höhe des Objekts (falls bekannt)"));
    QLabel* metres = PlaceLabel(GroupBox3, "Label36", QStringLiteral("m"), 164, 236);
    unitSigns_.prepend(metres);
    newObjectFields_ << PlaceLabel(GroupBox3, "Label25", QStringLiteral("Beschreibung:"), 16, 258);
    Edit6 = PlaceEdit(GroupBox3, "Edit6", 24, 276, 153, 13, 30);
    Edit7 = PlaceEdit(GroupBox3, "Edit7", 24, 290, 153, 13, 30);
    Edit8 = PlaceEdit(GroupBox3, "Edit8", 24, 304, 153, 13, 30);
    for (QLineEdit* line : {Edit6, Edit7, Edit8}) {
        line->setFrame(false);
        line->setTextMargins(0, -4, 0, -4);  // a 13-pixel field holds an 11-pixel line
        line->setStatusTip(QStringLiteral("Beschreibung des Objekts (optional)"));
    }

    Button2 = PlaceButton(GroupBox3, "Button2", QStringLiteral("Neues Objekt speichern"), 16, 336, 161, 25);
    Button2->setStatusTip(QStringLiteral("Ok"));
    connect(Button2, &QPushButton::clicked, this, [this] { Guarded(&TForm1::Button2Click); });
    Button3 = PlaceButton(GroupBox3, "Button3", QStringLiteral("Abbrechen"), 16, 368, 161, 25);
    Button3->setStatusTip(QStringLiteral("Abbruch"));
    connect(Button3, &QPushButton::clicked, this, [this] { Guarded(&TForm1::Button3Click); });

    newObjectFields_ << nameCaption << moreCaption;
    for (QLineEdit* field : {Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12})
        newObjectFields_ << field;
    newObjectFields_ << Button2;
    SetNewObjectFieldsEnabled(false, true);
}

void TForm1::SetCommandsEnabled(bool enabled)
{
    for (QMenu* menu : {Datei1, Mondzustand1, Info1}) menu->menuAction()->setEnabled(enabled);
    Panel2->setEnabled(enabled);
}

void TForm1::SetNewObjectFieldsEnabled(bool enabled, bool withUnitSigns)
{
    for (QWidget* field : newObjectFields_) field->setEnabled(enabled);
    if (withUnitSigns)
        for (QWidget* sign : unitSigns_) sign->setEnabled(enabled);
}

QList<QLineEdit*> TForm1::CoordinateEdits() const { return {Edit3, Edit4, Edit9, Edit10, Edit11, Edit12}; }

DrawnFrame TForm1::Frame() const { return {FrameStartX, FrameStartY, FrameEndX, FrameEndY}; }

void TForm1::ResetFrame() { FrameStartX = FrameStartY = FrameEndX = FrameEndY = FrameCornerX = FrameCornerY = 0; }

void TForm1::DrawRubberBand()
{
    DrawFocusRectangle(MoonImage->Picture(), QPoint(FrameStartX, FrameStartY), QPoint(FrameCornerX, FrameCornerY),
                       MoonImage->BrushColour());
    MoonImage->update();
}

void TForm1::EraseRubberBand()
{
    // Drawing the same rectangle again restores the picture; a band that was
    // never drawn must not be "erased", or it would leave its dots behind.
    if (!rubberBandDrawn_) return;
    DrawRubberBand();
    rubberBandDrawn_ = false;
}

void TForm1::NeuesObjektdefinieren1Click()
{
    for (QWidget* w :
         {static_cast<QWidget*>(Cursor1), static_cast<QWidget*>(Cursor2), static_cast<QWidget*>(GroupBox1),
          static_cast<QWidget*>(GroupBox2), static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(Button5)})
        w->hide();
    SetCommandsEnabled(false);
    GroupBox3->show();
    ResetFrame();
}

void TForm1::Cursor3MouseOver(int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    MoveMarkerBy(Cursor3, x, y);
    if (buttons != Qt::LeftButton || modifiers != Qt::NoModifier) return;
    EraseRubberBand();
    FrameCornerX = PointedPixel(PointerLeft);
    FrameCornerY = PointedPixel(PointerTop);
    DrawRubberBand();
    rubberBandDrawn_ = true;
}

void TForm1::Cursor3MouseDown(int x, int y)
{
    SetNewObjectFieldsEnabled(false, false);
    EraseRubberBand();
    FrameStartX = PointerLeft + x;
    FrameStartY = PointerTop + y;
    FrameCornerX = FrameStartX + 1;
    FrameCornerY = FrameStartY + 1;
}

void TForm1::Cursor3MouseUp(int x, int y)
{
    FrameEndX = PointerLeft + x;
    FrameEndY = PointerTop + y;
    std::optional<ProposedCoordinates> proposed = ProposeCoordinates(Frame());
    if (!proposed) {
        EraseRubberBand();
        ResetFrame();
        for (QLineEdit* field : CoordinateEdits()) field->clear();
        return;
    }
    Edit3->setText(QString::number(proposed->Latitude));
    Edit4->setText(QString::number(proposed->Longitude));
    for (QLineEdit* field : {Edit9, Edit10, Edit11, Edit12}) field->setText(QStringLiteral("0"));
}

void TForm1::Button4Click()
{
    if (!IsConfirmableFrame(Frame())) {
        messages_.Warn(QStringLiteral("Mirelta"), QStringLiteral("Keine oder ungültige Auswahl"));
        return;
    }
    SetNewObjectFieldsEnabled(true, true);
}

void TForm1::Button2Click()
{
    for (QLineEdit* field : {Edit9, Edit10, Edit11, Edit12})
        if (field->text().isEmpty()) field->setText(QStringLiteral("0"));
    auto text = [](QLineEdit* field) { return field->text().toStdString(); };
    NewObjectEntry entry{text(Edit2),  text(Edit3), text(Edit9), text(Edit11), text(Edit4), text(Edit10),
                         text(Edit12), text(Edit5), text(Edit6), text(Edit7),  text(Edit8)};
    std::string problem = NewObjectProblem(entry, decimalSeparator_);
    if (!problem.empty()) {
        messages_.Warn(QStringLiteral("Mirelta"), QString::fromStdString(problem));
        return;
    }
    LunarObject object = MakeUserObject(entry, Frame(), decimalSeparator_);
    try {
        AppendObject(object);
    } catch (const EncodingError& refused) {
        // A text the catalogue file cannot hold: nothing was written, and the
        // user can correct it in the panel.
        messages_.Warn(QStringLiteral("Mirelta"), QString::fromStdString(refused.what()));
        return;
    }
    messages_.Inform(QStringLiteral("Mirelta"), QStringLiteral("Daten wurden hinzugefügt."));
    Button3Click();
    FormCreate();
}

void TForm1::Button3Click()
{
    for (QLineEdit* field : {Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12})
        field->clear();
    EraseRubberBand();
    SetNewObjectFieldsEnabled(false, true);
    GroupBox3->hide();
    for (QWidget* w :
         {static_cast<QWidget*>(GroupBox1), static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(Button5)})
        w->show();
    SetCommandsEnabled(true);
    Cursor3->hide();
}
