#include "app/Unit1.h"

#include "app/focus_rectangle.h"
#include "app/height_measurement.h"
#include "app/new_object.h"
#include "app/pdf_viewer.h"
#include "app/resources_init.h"
#include "platform/error_report.h"
#include "platform/errors.h"
#include "platform/form_widgets.h"
#include "platform/name_order.h"
#include "platform/number_text.h"
#include "platform/rounding.h"
#include "platform/sexagesimal.h"
#include "setup/config_file.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {

const QString kChooseObject = QStringLiteral("[Objekt wählen]");
const QString kPickHint = QStringLiteral("Wählen Sie ein Objekt an");
const QString kMarkHint = QStringLiteral("Markieren Sie einen Bereich");

constexpr int kSpeedButtonTop = 3;
constexpr int kSpeedButtonSize = 34;
constexpr int kPictureSize = 32;

// The band inside which a mouse move over the map moves the marker, and
// the range of marker positions a move over the marker itself accepts.
constexpr int kMapMoveLow = 10;
constexpr int kMapMoveHigh = 390;
constexpr int kMarkerLimit = 380;

// Centre of the lunar disc on the map, pixels.
constexpr int MapDiscCentreX = 200;
constexpr int MapDiscCentreY = 200;

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// A latitude or longitude field as angle text; an empty field stays empty.
QString CoordinateText(const std::string& field)
{
    if (field.empty()) return QString();
    return FromUtf8(AngleText(FileTextToFloat(field)));
}

QFrame* PlacePanel(QWidget* parent, const char* name, int x, int y, int w, int h, QFrame::Shadow shadow)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | shadow);
    panel->setLineWidth(1);
    panel->setGeometry(x, y, w, h);
    return panel;
}

}  // namespace

TForm1::TForm1(ObservationState& state, MessageService& messages, char decimalSeparator)
    : state_(state),
      messages_(messages),
      decimalSeparator_(decimalSeparator),
      startProcess_([](const QString& program, const QStringList& arguments) {
          QProcess::startDetached(program, arguments, QDir::currentPath());
      })
{
    InitialiseResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("<<< Mirelta >>>"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(FormFont());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    CreateMenus();
    CreateToolBar(client);
    CreateMap(client);
    CreateObjectList(client);
    CreateObjectGroup(client);
    CreateHeightPanel(client);
    CreateNewObjectPanel(client);
    CreateStatusBar(client);

    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

// ---------------------------------------------------------------- building

QAction* TForm1::AddCommand(QMenu* menu, const char* name, const QString& text, void (TForm1::*handler)())
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { Guarded(handler); });
    return action;
}

void TForm1::CreateMenus()
{
    menuBar()->setFont(FormFont());
    Datei1 = menuBar()->addMenu(QStringLiteral("&Datei"));
    Datei1->setObjectName(QStringLiteral("Datei1"));
    Beobachtungsortauswhlen1 =
        AddCommand(Datei1, "Beobachtungsortauswhlen1", QStringLiteral("B&eobachtungsort auswählen"),
                   &TForm1::Beobachtungsortauswhlen1Click);
    DatumundUhrzeitfestlegen1 =
        AddCommand(Datei1, "DatumundUhrzeitfestlegen1", QStringLiteral("D&atum und Uhrzeit festlegen"),
                   &TForm1::DatumundUhrzeitfestlegen1Click);
    NeuesObjektdefinieren1 = AddCommand(Datei1, "NeuesObjektdefinieren1", QStringLiteral("&Neues Objekt definieren"),
                                        &TForm1::NeuesObjektdefinieren1Click);
    Datei1->addSeparator();
    Objektlistealphabetischsortieren1 =
        AddCommand(Datei1, "Objektlistealphabetischsortieren1", QStringLiteral("Objektliste alphabetisch sortieren"),
                   &TForm1::Objektlistealphabetischsortieren1Click);
    ObjektlistenachArtsortieren1 =
        AddCommand(Datei1, "ObjektlistenachArtsortieren1", QStringLiteral("Objektliste nach Art sortieren"),
                   &TForm1::ObjektlistenachArtsortieren1Click);
    Objektlistealphabetischsortieren1->setCheckable(true);
    ObjektlistenachArtsortieren1->setCheckable(true);
    Datei1->addSeparator();
    Beenden1 = AddCommand(Datei1, "Beenden1", QStringLiteral("&Beenden"), &TForm1::Beenden1Click);

    Mondzustand1 = menuBar()->addMenu(QStringLiteral("&Mondzustand..."));
    Mondzustand1->setObjectName(QStringLiteral("Mondzustand1"));
    Sichtverhltnisseeinschtzen1 =
        AddCommand(Mondzustand1, "Sichtverhltnisseeinschtzen1", QStringLiteral("&Sichtverhältnisse einschätzen"),
                   &TForm1::Sichtverhltnisseeinschtzen1Click);
    PhysEphemeriden1 = AddCommand(Mondzustand1, "PhysEphemeriden1", QStringLiteral("&Physische Ephemeriden"),
                                  &TForm1::PhysEphemeriden1Click);
    Mondposition2 =
        AddCommand(Mondzustand1, "Mondposition2", QStringLiteral("M&ondposition"), &TForm1::Mondposition2Click);

    Info1 = menuBar()->addMenu(QStringLiteral("&Info"));
    Info1->setObjectName(QStringLiteral("Info1"));
    Hilfe1 = AddCommand(Info1, "Hilfe1", QStringLiteral("&Hilfe"), &TForm1::Hilfe1Click);
    Info1->addSeparator();
    About1 = AddCommand(Info1, "About1", QStringLiteral("Ab&out"), &TForm1::About1Click);
}

QToolButton* TForm1::AddSpeedButton(const char* name, int left, const QString& picture, const QString& hint,
                                    void (TForm1::*handler)())
{
    auto* button = new QToolButton(Panel2);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(kPictureSize, kPictureSize));
    button->setGeometry(left, kSpeedButtonTop, kSpeedButtonSize, kSpeedButtonSize);
    button->setStatusTip(hint);
    connect(button, &QToolButton::clicked, this, [this, handler] { Guarded(handler); });
    return button;
}

void TForm1::CreateToolBar(QWidget* client)
{
    Panel2 = PlacePanel(client, "Panel2", 0, 0, 633, 40, QFrame::Raised);
    // Grip and separators of the tool bar.
    PlacePanel(Panel2, "Panel4", 4, 4, 3, 32, QFrame::Raised);
    PlacePanel(Panel2, "Panel3", 8, 4, 3, 32, QFrame::Raised);
    PlacePanel(Panel2, "Panel5", 143, 4, 2, 32, QFrame::Sunken);
    PlacePanel(Panel2, "Panel6", 278, 4, 2, 32, QFrame::Sunken);
    PlacePanel(Panel2, "Panel7", 413, 4, 2, 32, QFrame::Sunken);

    SpeedButton1 = AddSpeedButton("SpeedButton1", 19, QStringLiteral(":/toolbar_site.png"),
                                  QStringLiteral("Beobachtungsort auswählen"), &TForm1::Beobachtungsortauswhlen1Click);
    SpeedButton2 =
        AddSpeedButton("SpeedButton2", 59, QStringLiteral(":/toolbar_time.png"),
                       QStringLiteral("Datum und Uhrzeit festlegen"), &TForm1::DatumundUhrzeitfestlegen1Click);
    SpeedButton3 = AddSpeedButton("SpeedButton3", 99, QStringLiteral(":/toolbar_new_object.png"),
                                  QStringLiteral("Neues Objekt definieren"), &TForm1::NeuesObjektdefinieren1Click);
    SpeedButton4 =
        AddSpeedButton("SpeedButton4", 154, QStringLiteral(":/toolbar_conditions.png"),
                       QStringLiteral("Sichtverhältnisse einschätzen"), &TForm1::Sichtverhltnisseeinschtzen1Click);
    SpeedButton5 = AddSpeedButton("SpeedButton5", 194, QStringLiteral(":/toolbar_ephemerides.png"),
                                  QStringLiteral("Physische Ephemeriden"), &TForm1::PhysEphemeriden1Click);
    SpeedButton6 = AddSpeedButton("SpeedButton6", 234, QStringLiteral(":/toolbar_moon_position.png"),
                                  QStringLiteral("Mondposition"), &TForm1::Mondposition2Click);
    SpeedButton7 = AddSpeedButton("SpeedButton7", 289, QStringLiteral(":/toolbar_help.png"), QStringLiteral("Hilfe"),
                                  &TForm1::Hilfe1Click);
    SpeedButton8 = AddSpeedButton("SpeedButton8", 329, QStringLiteral(":/toolbar_about.png"), QStringLiteral("About"),
                                  &TForm1::About1Click);
    SpeedButton9 = AddSpeedButton("SpeedButton9", 369, QStringLiteral(":/toolbar_quit.png"),
                                  QStringLiteral("Programm beenden"), &TForm1::Beenden1Click);
}

void TForm1::CreateMap(QWidget* client)
{
    MoonImage = new MapImage(client);
    MoonImage->setObjectName(QStringLiteral("MoonImage"));
    MoonImage->move(kMapLeft, kMapTop);
    MoonImage->setStatusTip(kPickHint);
    connect(MoonImage, &MapImage::MouseMoved, this,
            [this](int x, int y) { RunGuarded(messages_, [&] { MoonImageMouseOver(x, y); }); });

    // Created in stacking order: the last one lies on top.
    Cursor2 = new MarkerImage(QStringLiteral(":/cursor2.bmp"), client);
    Cursor1 = new MarkerImage(QStringLiteral(":/cursor1.bmp"), client);
    Cursor3 = new MarkerImage(QStringLiteral(":/cursor3.bmp"), client);
    Cursor1->setObjectName(QStringLiteral("Cursor1"));
    Cursor2->setObjectName(QStringLiteral("Cursor2"));
    Cursor3->setObjectName(QStringLiteral("Cursor3"));
    Cursor1->setStatusTip(kPickHint);
    Cursor2->setStatusTip(kPickHint);
    Cursor3->setStatusTip(kMarkHint);
    for (MarkerImage* marker : {Cursor1, Cursor2, Cursor3}) {
        marker->move(kMapLeft, kMapTop);
        marker->hide();
    }
    connect(Cursor1, &MarkerImage::MouseMoved, this,
            [this](int x, int y) { RunGuarded(messages_, [&] { Cursor1MouseOver(x, y); }); });
    connect(Cursor2, &MarkerImage::MouseMoved, this,
            [this](int x, int y) { RunGuarded(messages_, [&] { Cursor2MouseOver(x, y); }); });
    connect(Cursor1, &MarkerImage::Clicked, this, [this] { Guarded(&TForm1::Cursor1Click); });
    connect(Cursor3, &MarkerImage::MouseMoved, this,
            [this](int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
                RunGuarded(messages_, [&] { Cursor3MouseOver(x, y, buttons, modifiers); });
            });
    connect(Cursor3, &MarkerImage::MousePressed, this,
            [this](int x, int y) { RunGuarded(messages_, [&] { Cursor3MouseDown(x, y); }); });
    connect(Cursor3, &MarkerImage::MouseReleased, this,
            [this](int x, int y) { RunGuarded(messages_, [&] { Cursor3MouseUp(x, y); }); });
}

void TForm1::CreateObjectList(QWidget* client)
{
    ComboBox1 = new QComboBox(client);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setCompleter(nullptr);  // the typed text is taken exactly as typed
    KeepOneLine(ComboBox1->lineEdit());
    ComboBox1->setMaxVisibleItems(16);
    ComboBox1->setFont(FormFont(11, true));
    ComboBox1->setGeometry(424, 48, 153, 21);
    ComboBox1->setStatusTip(QStringLiteral("Wählen Sie ein Objekt aus"));
    // Only the user's choices and keystrokes count as a change; texts the
    // program sets do not.
    connect(ComboBox1, &QComboBox::textActivated, this, [this] { Guarded(&TForm1::ComboBox1Change); });
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, [this] { Guarded(&TForm1::ComboBox1Change); });

    Button5 = PlaceButton(client, "Button5", QStringLiteral("entf."), 580, 48, 36, 21);
    Button5->setEnabled(false);
    Button5->setStatusTip(QStringLiteral("Objekt löschen (funktioniert nur mit selbst definierten Objekten)"));
    connect(Button5, &QPushButton::clicked, this, [this] { Guarded(&TForm1::Button5Click); });
}

void TForm1::CreateObjectGroup(QWidget* client)
{
    GroupBox1 = PlaceGroup(client, "GroupBox1", QStringLiteral("Objekt"), 424, 78, 193, 161);
    PlaceLabel(GroupBox1, "Label4", QStringLiteral("Name:"), 16, 20);
    QLabel* latitudeCaption = PlaceLabel(GroupBox1, "Label6", QStringLiteral("Breite:"), 16, 36);
    QLabel* longitudeCaption = PlaceLabel(GroupBox1, "Label7", QStringLiteral("Länge:"), 16, 52);
    PlaceLabel(GroupBox1, "Label8", QStringLiteral("Höhe:"), 16, 68);
    PlaceLabel(GroupBox1, "Label12", QStringLiteral("Beschreibung:"), 16, 92);
    // The only tooltips of the window.
    for (auto [label, hint] : {
             std::pair{latitudeCaption,  QStringLiteral("selenographische Breite")},
             std::pair{longitudeCaption, QStringLiteral("selenographische Länge")}
    }) {
        label->setToolTip(hint);
        label->setStatusTip(hint);
    }
    Label5 = PlaceValueLabel(GroupBox1, "Label5", 72, 20, 115);
    Label9 = PlaceValueLabel(GroupBox1, "Label9", 72, 36, 115);
    Label10 = PlaceValueLabel(GroupBox1, "Label10", 72, 52, 115);
    Label11 = PlaceValueLabel(GroupBox1, "Label11", 72, 68, 115);
    Label13 = PlaceValueLabel(GroupBox1, "Label13", 24, 108, 163);
    Label14 = PlaceValueLabel(GroupBox1, "Label14", 24, 124, 163);
    Label15 = PlaceValueLabel(GroupBox1, "Label15", 24, 140, 163);
}

void TForm1::CreateHeightPanel(QWidget* client)
{
    GroupBox2 = PlaceGroup(client, "GroupBox2", QStringLiteral("Höhenberechnung"), 424, 248, 193, 201);
    GroupBox2->hide();
    PlaceLabel(GroupBox2, "Label19", QStringLiteral("Gemessene Durchgangszeit des"), 16, 24);
    PlaceLabel(GroupBox2, "Label28", QStringLiteral("Bergschattens in Sekunden:"), 16, 40);
    Edit1 = PlaceEdit(GroupBox2, "Edit1", 16, 56, 65, 21, 5);
    Edit1->setStatusTip(
        QStringLiteral("Geben Sie die gemessene Durchgangszeit des Schattens durchs Teleskopvisier ein"));
    connect(Edit1, &QLineEdit::textChanged, this, [this] { Guarded(&TForm1::Edit1Change); });
    PlaceLabel(GroupBox2, "Label29", QStringLiteral("(Intervall 0 bis 5,"), 96, 56)->setFont(NoteFont(10));
    PlaceLabel(GroupBox2, "Label30", QStringLiteral(" dez. Schreibweise)"), 96, 66)->setFont(NoteFont(10));

    Panel8 = PlacePanel(GroupBox2, "Panel8", 16, 88, 164, 73, QFrame::Sunken);
    Panel8->setFont(FormFont());
    QLabel* heightCaption = PlaceLabel(Panel8, "Label31", QStringLiteral("Errechnete Höhe:"), 6, 7);
    QFont underlined = heightCaption->font();
    underlined.setUnderline(true);
    heightCaption->setFont(underlined);
    PlaceLabel(Panel8, "Label32", QStringLiteral("Abweichung"), 7, 24);
    PlaceLabel(Panel8, "Label33", QStringLiteral("vom Kartenwert:"), 6, 37);
    PlaceLabel(Panel8, "Label2", QStringLiteral("Aktuelle Libration:"), 7, 54);
    Label35 = PlaceValueLabel(Panel8, "Label35", 96, 5, 64);
    SetLabelStyle(Label35, kValueColour, true);
    Label34 = PlaceValueLabel(Panel8, "Label34", 96, 35, 64);
    Label1 = PlaceValueLabel(Panel8, "Label1", 96, 51, 64);

    Label26 = PlaceValueLabel(GroupBox2, "Label26", 16, 168, 175);
    Label27 = PlaceValueLabel(GroupBox2, "Label27", 16, 184, 175);
    for (QLabel* note : {Label26, Label27}) {
        note->setFont(NoteFont(9, false, true));
        SetLabelStyle(note, Qt::black, false);
    }
}

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

void TForm1::CreateStatusBar(QWidget* client)
{
    StatusBar1 = new QStatusBar(client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 456, kClientWidth, 19);
    Panel1 = new QFrame(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Panel1->setGeometry(0, 456, kClientWidth, 2);
}

// ---------------------------------------------------------------- events

bool TForm1::event(QEvent* event)
{
    // The hint of the control under the pointer goes to the status bar.
    if (event->type() == QEvent::StatusTip) {
        StatusBar1->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, hidden dialogs or not.
    event->accept();
    QCoreApplication::quit();
}

void TForm1::Guarded(void (TForm1::*handler)())
{
    RunGuarded(messages_, [&] { (this->*handler)(); });
}

// ---------------------------------------------------------------- start and reload

void TForm1::FormCreate()
{
    CentreOnMonitor(*this);
    for (QWidget* w : {static_cast<QWidget*>(MoonImage), static_cast<QWidget*>(Cursor1), static_cast<QWidget*>(Cursor2),
                       static_cast<QWidget*>(Cursor3)})
        w->setCursor(Qt::BlankCursor);
    MoonImage->SetBrushColour(QColor(0, 255, 255));
    ApplyListOrder(ReadSortKey());
    FillObjectList();
    ComboBox1->setEditText(kChooseObject);
}

void TForm1::ApplyListOrder(const std::string& sortKey)
{
    if (sortKey == kSortKeyByKind)
        listOrder_ = ListOrder::ByKind;
    else if (sortKey == kSortKeyAlphabetical)
        listOrder_ = ListOrder::Alphabetical;
    // Any other text leaves order and check marks as they were.
    Objektlistealphabetischsortieren1->setChecked(listOrder_ == ListOrder::Alphabetical);
    ObjektlistenachArtsortieren1->setChecked(listOrder_ == ListOrder::ByKind);
}

void TForm1::FillObjectList()
{
    ComboBox1->clear();
    std::vector<std::string> names = ReadObjectNames();
    QStringList items;
    items.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names) items.append(FromUtf8(name));
    if (listOrder_ == ListOrder::Alphabetical) SortNamesAlphabetically(items);
    ComboBox1->addItems(items);
}

// ---------------------------------------------------------------- object list

void TForm1::ComboBox1Change()
{
    Button5->setEnabled(false);
    GroupBox2->hide();
    SelectedObjectTexts selected;
    std::optional<LunarObject> found = FindObjectByName(ComboBox1->currentText().toStdString(), selected);
    SelectedLatitudeText = selected.Latitude;
    SelectedLongitudeText = selected.Longitude;
    SelectedHeightText = selected.Height;
    if (found) {
        PlaceMarkerOnFrame(*found);
        Cursor2->show();
        ShowObject(*found);
        ShowObjectOptions(*found);
    }
    Edit1->clear();
}

void TForm1::PlaceMarkerOnFrame(const LunarObject& object)
{
    // Integer division truncates toward zero; 11 puts the marker's centre
    // pixel on the frame's centre.
    int left = kMapLeft + object.FrameLeft + (object.FrameRight - object.FrameLeft) / 2 - MarkerImage::kCentre;
    int top = kMapTop + object.FrameTop + (object.FrameBottom - object.FrameTop) / 2 - MarkerImage::kCentre;
    Cursor2->move(left, top);
}

void TForm1::ShowObject(const LunarObject& object)
{
    Label5->setText(FromUtf8(object.Name));
    Label9->setText(CoordinateText(object.SelenographicLatitude));
    Label10->setText(CoordinateText(object.SelenographicLongitude));
    Label11->setText(object.Height.empty() ? QString() : FromUtf8(object.Height) + QStringLiteral("m"));
    Label13->setText(FromUtf8(object.Description1));
    Label14->setText(FromUtf8(object.Description2));
    Label15->setText(FromUtf8(object.Description3));
}

void TForm1::ShowObjectOptions(const LunarObject& object)
{
    Button5->setEnabled(object.IsUserDefined());
    GroupBox2->setVisible(object.OffersHeightMeasurement());
}

void TForm1::EmptyObjectLabels()
{
    for (QLabel* label : {Label5, Label9, Label10, Label11, Label13, Label14, Label15}) label->clear();
}

void TForm1::Button5Click()
{
    QString name = ComboBox1->currentText();
    if (!messages_.Confirm(QStringLiteral("Eintrag löschen"),
                           QStringLiteral("Soll das Objekt ") + name + QStringLiteral(" wirklich gelöscht werden?")))
        return;
    DeleteUserObjects(name.toStdString());
    FormCreate();
    ComboBox1->setEditText(kChooseObject);
    Button5->setEnabled(false);
}

void TForm1::ChangeListOrder(const char* sortKey)
{
    // The check marks follow the file, not the click: a failed rewrite must
    // not leave a mark on the item the user clicked.
    Objektlistealphabetischsortieren1->setChecked(listOrder_ == ListOrder::Alphabetical);
    ObjektlistenachArtsortieren1->setChecked(listOrder_ == ListOrder::ByKind);
    WriteSortKey(sortKey);
    FormCreate();
}

void TForm1::Objektlistealphabetischsortieren1Click() { ChangeListOrder(kSortKeyAlphabetical); }

void TForm1::ObjektlistenachArtsortieren1Click() { ChangeListOrder(kSortKeyByKind); }

// ---------------------------------------------------------------- map and markers

void TForm1::MoonImageMouseOver(int x, int y)
{
    MarkerImage* marker = GroupBox3->isHidden() ? Cursor1 : Cursor3;
    marker->show();
    if (kMapMoveLow < x && x < kMapMoveHigh) {
        PointerLeft = x - MarkerImage::kCentre;
        marker->move(kMapLeft + PointerLeft, marker->y());
    }
    if (kMapMoveLow < y && y < kMapMoveHigh) {
        PointerTop = y - MarkerImage::kCentre;
        marker->move(marker->x(), kMapTop + PointerTop);
    }
}

void TForm1::MoveMarkerBy(MarkerImage* marker, int x, int y)
{
    // The marker lies under the pointer, so (x, y) is relative to it: the
    // pointer stands at its centre pixel when nothing moved.
    int v = PointerLeft + x - MarkerImage::kCentre;
    if (0 <= v && v < kMarkerLimit) {
        PointerLeft = v;
        marker->move(kMapLeft + v, marker->y());
    }
    int w = PointerTop + y - MarkerImage::kCentre;
    if (0 <= w && w < kMarkerLimit) {
        PointerTop = w;
        marker->move(marker->x(), kMapTop + w);
    }
}

void TForm1::Cursor1MouseOver(int x, int y) { MoveMarkerBy(Cursor1, x, y); }

void TForm1::Cursor2MouseOver(int x, int y)
{
    Cursor1->move(Cursor2->x() + x - MarkerImage::kCentre, Cursor2->y() + y - MarkerImage::kCentre);
    PointerLeft = Cursor2->x() - kMapLeft + x - MarkerImage::kCentre;
    PointerTop = Cursor2->y() - kMapTop + y - MarkerImage::kCentre;
}

void TForm1::Cursor1Click()
{
    Cursor2->move(kMapLeft + PointerLeft, kMapTop + PointerTop);
    Cursor2->show();
    EmptyObjectLabels();
    Button5->setEnabled(false);
    GroupBox2->hide();
    ComboBox1->setEditText(kChooseObject);

    SelectedObjectTexts selected;
    std::optional<LunarObject> found =
        FindObjectAtPoint(PointerLeft + MarkerImage::kCentre, PointerTop + MarkerImage::kCentre, selected);
    SelectedLatitudeText = selected.Latitude;
    SelectedLongitudeText = selected.Longitude;
    SelectedHeightText = selected.Height;
    if (found) {
        ComboBox1->setEditText(FromUtf8(found->Name));
        ShowObject(*found);
        PlaceMarkerOnFrame(*found);
        ShowObjectOptions(*found);
    }
    Edit1->clear();
}

// ---------------------------------------------------------------- height panel

void TForm1::Edit1Change()
{
    QString text = Edit1->text();
    if (text.isEmpty()) {
        for (QLabel* label : {Label26, Label27, Label34, Label35, Label1}) label->clear();
        return;
    }
    double transitSeconds = TextToFloat(text.toStdString(), decimalSeparator_);
    if (!IsMeasurableTransitTime(transitSeconds)) return;  // the labels keep what they show

    Label26->setText(FromUtf8(MeasurementDateLine(state_)));
    Label27->setText(FromUtf8(MeasurementSiteLine(state_)));
    // Catalogue numbers may be written with either separator.
    double latitude = FileTextToFloat(SelectedLatitudeText);
    double longitude = FileTextToFloat(SelectedLongitudeText);
    HeightMeasurement measured = MeasureMountainHeight(state_, transitSeconds, latitude, longitude);
    Label35->setText(FromUtf8(HeightText(measured.Height, decimalSeparator_)));
    Label34->setText(FromUtf8(DeviationText(measured.Height, SelectedHeightText)));
    Label1->setText(FromUtf8(AngleText(measured.TerminatorCorrection)));
}

// ---------------------------------------------------------------- commands

void TForm1::OpenDialogWindow(MireltaDialog* dialog)
{
    if (dialog) OpenDialog(*this, *dialog);
}

void TForm1::Beobachtungsortauswhlen1Click() { OpenDialogWindow(dialogs_.Form3); }

void TForm1::DatumundUhrzeitfestlegen1Click() { OpenDialogWindow(dialogs_.Form4); }

void TForm1::Mondposition2Click() { OpenDialogWindow(dialogs_.Form5); }

void TForm1::PhysEphemeriden1Click() { OpenDialogWindow(dialogs_.Form6); }

void TForm1::Sichtverhltnisseeinschtzen1Click() { OpenDialogWindow(dialogs_.Form7); }

// ---------------------------------------------------------------- new object

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
    FrameCornerX = PointerLeft + MarkerImage::kCentre;
    FrameCornerY = PointerTop + MarkerImage::kCentre;
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
    int centreX = FrameStartX + (FrameEndX - FrameStartX) / 2;
    int centreY = FrameStartY + (FrameEndY - FrameStartY) / 2;
    int dx = centreX - MapDiscCentreX;
    int dy = MapDiscCentreY - centreY;
    if (std::sqrt(double(dx) * dx + double(dy) * dy) >= MapDiscRadius) {
        EraseRubberBand();
        ResetFrame();
        for (QLineEdit* field : CoordinateEdits()) field->clear();
        return;
    }
    double latitude = 0, longitude = 0;
    MapToSelenographic(dx, dy, latitude, longitude);
    Edit3->setText(QString::number(RoundHalfEven(latitude)));
    Edit4->setText(QString::number(RoundHalfEven(longitude)));
    for (QLineEdit* field : {Edit9, Edit10, Edit11, Edit12}) field->setText(QStringLiteral("0"));
}

void TForm1::Button4Click()
{
    if (FrameStartX == 0 || FrameStartY == 0 || FrameEndX == 0 || FrameEndY == 0) {
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
        messages_.Warn(QStringLiteral("Mirelta"), FromUtf8(problem));
        return;
    }
    LunarObject object = MakeUserObject(entry, {FrameStartX, FrameStartY, FrameEndX, FrameEndY}, decimalSeparator_);
    try {
        AppendObject(object);
    } catch (const EncodingError& refused) {
        // A text the catalogue file cannot hold: nothing was written, and the
        // user can correct it in the panel.
        messages_.Warn(QStringLiteral("Mirelta"), FromUtf8(refused.what()));
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

void TForm1::Hilfe1Click()
{
    std::string command = TrimViewerCommand(PdfViewerCommand(XdgDirectoriesFromEnvironment()));
    if (command.empty()) {
        messages_.Warn(QStringLiteral("Hinweis"),
                       QStringLiteral("Zum Betrachten der Mirelta Hilfedatei muss ein Anzeigeprogramm für PDF-Dateien "
                                      "installiert und mit diesen verknüpft sein."));
        return;
    }
    // Started on its own, without a shell; the viewer reports a missing
    // manual itself.
    ViewerLaunch launch = ViewerLaunchFor(command, "manual.pdf");
    QStringList arguments;
    for (const std::string& argument : launch.Arguments) arguments << FromUtf8(argument);
    startProcess_(FromUtf8(launch.Program), arguments);
}

void TForm1::About1Click()
{
    if (!dialogs_.Form2) return;
    setEnabled(false);
    dialogs_.Form2->show();  // shown first, so that its frame size is known
    dialogs_.Form2->CentreOverOwner();
}

void TForm1::Beenden1Click() { close(); }
