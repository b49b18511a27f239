#include "app/Unit1.h"

#include "platform/error_report.h"
#include "platform/form_widgets.h"
#include "platform/name_completion.h"
#include "platform/name_list_model.h"
#include "platform/name_order.h"
#include "platform/number_text.h"
#include "platform/pdf_viewer.h"
#include "platform/sexagesimal.h"
#include "setup/config_file.h"
#include "windowbase/resources_init.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolButton>

namespace {

const QString kChooseObject = QStringLiteral("[Objekt wählen]");
const QString kPickHint = QStringLiteral("Wählen Sie ein Objekt an");
const QString kMarkHint = QStringLiteral("Markieren Sie einen Bereich");

constexpr int kSpeedButtonTop = 3;
constexpr int kSpeedButtonSize = 34;
constexpr int kPictureSize = 32;

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// A latitude or longitude field as angle text; an empty field stays empty.
QString CoordinateText(const std::string& field)
{
    if (field.empty()) return QString();
    return FromUtf8(AngleText(FileTextToFloat(field)));
}

}  // namespace

TForm1::TForm1(ObservationState& state, MessageService& messages, char decimalSeparator)
    : state_(state),
      messages_(messages),
      decimalSeparator_(decimalSeparator),
      startProcess_([](const QString& program, const QStringList& arguments) {
          return QProcess::startDetached(program, arguments, QDir::currentPath());
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

    CreateStatusBar(client);
    CreateMenus();
    CreateToolBar(client);
    CreateMap(client);
    mapLighting_ = std::make_unique<MapLighting>(MoonImage->Picture());
    CreateObjectList(client);
    CreateObjectGroup(client);
    CreateHeightPanel(client);
    CreateNewObjectPanel(client);
    // Above everything else, as when it was placed last.
    StatusBar1->raise();
    Panel1->raise();

    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

TForm1::~TForm1()
{
    for (QObject* control : findChildren<QObject*>()) control->blockSignals(true);
}

// ---------------------------------------------------------------- building

QFrame* TForm1::PlacePanel(QWidget* parent, const char* name, int x, int y, int w, int h, QFrame::Shadow shadow)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | shadow);
    panel->setLineWidth(1);
    panel->setGeometry(x, y, w, h);
    return panel;
}

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

    Mondzustand1->addSeparator();
    CreateClockCommand();
    BeleuchtungaufderKarte1 =
        AddCommand(Mondzustand1, "BeleuchtungaufderKarte1", QStringLiteral("&Beleuchtung auf der Karte"),
                   &TForm1::BeleuchtungaufderKarte1Click);
    BeleuchtungaufderKarte1->setCheckable(true);
    Lichtgrenzeheute1 = AddCommand(Mondzustand1, "Lichtgrenzeheute1", QStringLiteral("&Lichtgrenze heute..."),
                                   &TForm1::Lichtgrenzeheute1Click);
    Beobachtungsplaner1 = AddCommand(Mondzustand1, "Beobachtungsplaner1", QStringLiteral("B&eobachtungsplaner..."),
                                     &TForm1::Beobachtungsplaner1Click);
    MondimOkular1 =
        AddCommand(Mondzustand1, "MondimOkular1", QStringLiteral("Mond im O&kular..."), &TForm1::MondimOkular1Click);
    HoeheausFoto1 =
        AddCommand(Mondzustand1, "HoeheausFoto1", QStringLiteral("Höhe aus &Foto..."), &TForm1::HoeheausFoto1Click);
    CreateJournalCommands();

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
    // A flat tool bar button takes no focus: Tab goes from control to
    // control of the window, never through the tool bar.
    button->setFocusPolicy(Qt::NoFocus);
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
    objectNames_ = new NameListModel(ComboBox1);
    ComboBox1->setModel(objectNames_);
    auto* typedName = new CompletingListEdit(ComboBox1);
    ComboBox1->setLineEdit(typedName);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setCompleter(nullptr);  // the field completes names itself
    KeepOneLine(ComboBox1->lineEdit());
    ComboBox1->setMaxVisibleItems(16);
    // Every entry is one line in one font: the drop-down need not measure
    // each of thousands of names before it opens.
    if (auto* entries = qobject_cast<QListView*>(ComboBox1->view())) entries->setUniformItemSizes(true);
    ComboBox1->setFont(FormFont(11, true));
    ComboBox1->setGeometry(424, 48, 153, 21);
    ComboBox1->setStatusTip(QStringLiteral("Wählen Sie ein Objekt aus"));
    // Only the user's choices and keystrokes count as a change; texts the
    // program sets do not.
    connect(ComboBox1, &QComboBox::textActivated, this, [this] { Guarded(&TForm1::ComboBox1Change); });
    connect(typedName, &CompletingListEdit::Edited, this, [this] { Guarded(&TForm1::ComboBox1Change); });

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

void TForm1::keyPressEvent(QKeyEvent* event)
{
    // A focused button ("entf.", "Neues Objekt speichern" ...) takes Enter
    // as the dialogs' buttons do.
    if (!ClickFocusedButtonOnEnter(*this, *event)) QMainWindow::keyPressEvent(event);
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
    // No entry is current while the text asks for a choice, so that the
    // first Down chooses the first name.
    ComboBox1->setCurrentIndex(-1);
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
    objectNames_->SetNames({});  // a file that cannot be read leaves the list empty
    std::shared_ptr<const std::vector<std::string>> names = ReadObjectNames();
    // Unchanged names need neither converting nor sorting again.
    if (names != listedNames_.lock()) {
        namesInFileOrder_.clear();
        namesInFileOrder_.reserve(static_cast<qsizetype>(names->size()));
        for (const std::string& name : *names) namesInFileOrder_.append(FromUtf8(name));
        namesInAlphabeticalOrder_.reset();
        listedNames_ = names;
    }
    if (listOrder_ != ListOrder::Alphabetical) {
        objectNames_->SetNames(namesInFileOrder_);
        return;
    }
    if (!namesInAlphabeticalOrder_) {
        namesInAlphabeticalOrder_ = namesInFileOrder_;
        if (!sorter_) sorter_ = std::make_unique<AlphabeticalSorter>();
        sorter_->Sort(*namesInAlphabeticalOrder_);
    }
    objectNames_->SetNames(*namesInAlphabeticalOrder_);
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
    Cursor2->move(kMapLeft + MarkerPositionOnFrame(object.FrameLeft, object.FrameRight),
                  kMapTop + MarkerPositionOnFrame(object.FrameTop, object.FrameBottom));
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
    emit ObjectShown(Label5->text());
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
    MoveMarkerTo(marker, MarkerPositionForMapMove(x), MarkerPositionForMapMove(y));
}

void TForm1::MoveMarkerBy(MarkerImage* marker, int x, int y)
{
    MoveMarkerTo(marker, MarkerPositionForMarkerMove(PointerLeft, x), MarkerPositionForMarkerMove(PointerTop, y));
}

void TForm1::MoveMarkerTo(MarkerImage* marker, std::optional<int> left, std::optional<int> top)
{
    if (left) {
        PointerLeft = *left;
        marker->move(kMapLeft + PointerLeft, marker->y());
    }
    if (top) {
        PointerTop = *top;
        marker->move(marker->x(), kMapTop + PointerTop);
    }
}

void TForm1::Cursor1MouseOver(int x, int y) { MoveMarkerBy(Cursor1, x, y); }

void TForm1::Cursor2MouseOver(int x, int y)
{
    // No bounds here: the selection marker always lies on the map.
    PointerLeft = MarkerPositionUnderPointer(Cursor2->x() - kMapLeft, x);
    PointerTop = MarkerPositionUnderPointer(Cursor2->y() - kMapTop, y);
    Cursor1->move(kMapLeft + PointerLeft, kMapTop + PointerTop);
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
    std::optional<LunarObject> found = FindObjectAtPoint(PointedPixel(PointerLeft), PointedPixel(PointerTop), selected);
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

// ---------------------------------------------------------------- commands

void TForm1::OpenDialogWindow(MireltaDialog* dialog)
{
    if (!dialog) return;
    // Reports, "Lichtgrenze", the planner and the time dialog compute for
    // now while the time follows the clock.
    ReadClockIfFollowing();
    OpenDialog(*this, *dialog);
}

void TForm1::Beobachtungsortauswhlen1Click() { OpenDialogWindow(dialogs_.Form3); }

void TForm1::DatumundUhrzeitfestlegen1Click() { OpenDialogWindow(dialogs_.Form4); }

void TForm1::Mondposition2Click() { OpenDialogWindow(dialogs_.Form5); }

void TForm1::PhysEphemeriden1Click() { OpenDialogWindow(dialogs_.Form6); }

void TForm1::Sichtverhltnisseeinschtzen1Click() { OpenDialogWindow(dialogs_.Form7); }

void TForm1::Hilfe1Click()
{
    const std::string command = PdfViewerCommand(XdgDirectoriesFromEnvironment());
    const ViewerLaunch launch = ViewerLaunchFor(command, "manual.pdf");
    if (TrimViewerCommand(command).empty() || launch.Program.empty()) {
        messages_.Warn(QStringLiteral("Hinweis"),
                       QStringLiteral("Zum Betrachten der Mirelta Hilfedatei muss ein Anzeigeprogramm für PDF-Dateien "
                                      "installiert und mit diesen verknüpft sein."));
        return;
    }
    // Started on its own, without a shell; the viewer reports a missing
    // manual itself, but a viewer that does not start at all is ours to say.
    QStringList arguments;
    for (const std::string& argument : launch.Arguments) arguments << FromUtf8(argument);
    if (!startProcess_(FromUtf8(launch.Program), arguments))
        messages_.Warn(QStringLiteral("Hinweis"),
                       QStringLiteral("Das Anzeigeprogramm für die Mirelta Hilfedatei konnte nicht gestartet "
                                      "werden.\nVersuchter Aufruf: ") +
                           FromUtf8(ViewerLaunchText(launch)));
}

void TForm1::About1Click()
{
    if (!dialogs_.Form2) return;
    setEnabled(false);
    dialogs_.Form2->show();  // shown first, so that its frame size is known
    dialogs_.Form2->activateWindow();
    dialogs_.Form2->CentreOverOwner();
}

void TForm1::Beenden1Click() { close(); }

// ---------------------------------------------------------------- lit map and terminator

void TForm1::BeleuchtungaufderKarte1Click()
{
    if (BeleuchtungaufderKarte1->isChecked())
        UpdateMapLighting();
    else
        mapLighting_->Unlight(MoonImage->Picture());
    MoonImage->update();
}

void TForm1::UpdateMapLighting()
{
    if (!BeleuchtungaufderKarte1->isChecked()) return;
    ReadClockIfFollowing();
    mapLighting_->Light(MoonImage->Picture(), ComputeSunOverMoon(state_));
    MoonImage->update();
}

void TForm1::Lichtgrenzeheute1Click() { OpenDialogWindow(dialogs_.Terminator); }

void TForm1::Beobachtungsplaner1Click() { OpenDialogWindow(dialogs_.Planner); }

void TForm1::MondimOkular1Click()
{
    MireltaDialog* eyepiece = dialogs_.Eyepiece;
    if (!eyepiece) return;
    ReadClockIfFollowing();
    RunFormCreate(*eyepiece);  // centred before it shows the first time
    eyepiece->show();
    eyepiece->raise();
    eyepiece->activateWindow();
}

void TForm1::UpdateEyepieceView()
{
    if (dialogs_.Eyepiece && dialogs_.Eyepiece->isVisible()) RunFormCreate(*dialogs_.Eyepiece);
}

void TForm1::HoeheausFoto1Click() { OpenDialogWindow(dialogs_.Photo); }

void TForm1::ChooseObject(const QString& name)
{
    const int index = ComboBox1->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        ComboBox1->setCurrentIndex(index);
    else
        ComboBox1->setEditText(name);
    ComboBox1Change();
}
