#pragma once
// The main window: menu, tool bar, the Moon map with its markers, the
// object list with the data of the chosen formation, the height measurement
// panel and the panel for defining a new object.
//
// One class in three files: Unit1.cpp builds the window and handles the
// menu, the map and the object list; height_panel.cpp holds the height
// measurement panel, new_object_panel.cpp the new-object mode.

#include "astronomy/Rechn.h"
#include "catalogue/catalogue.h"
#include "journal/measurement_journal.h"
#include "map/lit_map.h"
#include "map/map_widgets.h"
#include "platform/message_service.h"
#include "platform/name_order.h"
#include "windowbase/dialog_protocol.h"

#include <QFrame>
#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class NameListModel;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolButton;

/// The windows the main window opens; they are created after it.
struct MainWindowDialogs {
    MireltaDialog* Form2 = nullptr;       ///< about box
    MireltaDialog* Form3 = nullptr;       ///< observation site
    MireltaDialog* Form4 = nullptr;       ///< observation date and time
    MireltaDialog* Form5 = nullptr;       ///< Moon position report
    MireltaDialog* Form6 = nullptr;       ///< physical ephemerides report
    MireltaDialog* Form7 = nullptr;       ///< observing conditions report
    MireltaDialog* Terminator = nullptr;  ///< formations at the terminator ("Lichtgrenze")
    MireltaDialog* Planner = nullptr;     ///< "Beobachtungsplaner"
    MireltaDialog* Journal = nullptr;     ///< saved measurements ("Messprotokoll")
    MireltaDialog* Eyepiece = nullptr;    ///< "Mond im Okular", not modal
    MireltaDialog* Photo = nullptr;       ///< heights from a photograph ("Höhe aus Foto")
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 625;
    static constexpr int kClientHeight = 475;
    static constexpr int kMapLeft = 8;
    static constexpr int kMapTop = 48;

    TForm1(ObservationState& state, MessageService& messages, char decimalSeparator);
    /// The controls go after this part of the window: their last signals
    /// (the object list losing the focus, the clock timer) reach no handler.
    ~TForm1() override;

    void SetDialogs(const MainWindowDialogs& dialogs) { dialogs_ = dialogs; }

    /// The clock the observation time follows while "Uhrzeit mitführen" is
    /// checked; the system clock unless a test gives another.
    void SetClock(ClockSource clock) { clock_ = std::move(clock); }

    /// How the help command starts the PDF viewer; tests replace it. Returns
    /// false when the program could not be started.
    using ProcessStarter = std::function<bool(const QString& program, const QStringList& arguments)>;
    void SetProcessStarter(ProcessStarter starter) { startProcess_ = std::move(starter); }

    /// Start step and reload of the object list: centres the window on its
    /// monitor, reads the list order, fills the list from the catalogue.
    void FormCreate();

    // Object list and catalogue.
    void ComboBox1Change();
    void Button5Click();
    void Objektlistealphabetischsortieren1Click();
    void ObjektlistenachArtsortieren1Click();

    // Map and markers.
    void MoonImageMouseOver(int x, int y);
    void Cursor1MouseOver(int x, int y);
    void Cursor2MouseOver(int x, int y);
    void Cursor1Click();

    // Height measurement panel.
    void Edit1Change();

    // Additions for the height measurement: save the shown result to the
    // journal messungen.csv (Enter in Edit1, Ctrl+S) and open the journal.
    void Messungspeichern1Click();
    void Messprotokoll1Click();

    // Defining a new object.
    void Cursor3MouseOver(int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void Cursor3MouseDown(int x, int y);
    void Cursor3MouseUp(int x, int y);
    void Button4Click();
    void Button2Click();
    void Button3Click();

    // Menu and tool bar commands.
    void Beobachtungsortauswhlen1Click();
    void DatumundUhrzeitfestlegen1Click();
    void NeuesObjektdefinieren1Click();
    void Sichtverhltnisseeinschtzen1Click();
    void PhysEphemeriden1Click();
    void Mondposition2Click();
    void Hilfe1Click();
    void About1Click();
    void Beenden1Click();

    // Additions to the menu "Mondzustand...": the lit map, the formations
    // at the terminator, the planner and heights from a photograph.
    void BeleuchtungaufderKarte1Click();
    void Lichtgrenzeheute1Click();
    void Beobachtungsplaner1Click();
    /// "Mond im Okular...": shows the window beside the main window, which
    /// stays usable.
    void MondimOkular1Click();
    /// After a new site or time: the window "Mond im Okular", while shown,
    /// draws the Moon anew.
    void UpdateEyepieceView();
    void HoeheausFoto1Click();

    /// Lights the map anew for the observation's date and time while
    /// "Beleuchtung auf der Karte" is checked; does nothing otherwise.
    void UpdateMapLighting();

    // The observation time and the computer's clock (observation_time.cpp).
    /// "Uhrzeit mitführen": checked, the time is the clock's now again.
    void UhrzeitMitfuehren1Click();
    /// The time dialog stored a chosen time: the time stops following the
    /// clock, and the main window shows the new time.
    void ObservationTimeChosen();
    /// After a new site or time: the lit map, the chosen object and the
    /// status line anew.
    void ObservationChanged();
    /// Once a minute: while the time follows the clock, the lit map and the
    /// status line move with it.
    void ClockTimer1Timer();
    /// The site and moment in use, shown in the status bar whenever no hint
    /// is ("Berlin · 7. 12. 2026 20:05 MEZ (laufend)").
    void ShowObservationStatus();

    /// Chooses the formation named `name` as choosing it in the object list
    /// does (ComboBox1Change).
    void ChooseObject(const QString& name);

    // Texts of the record read last by a list selection or a pick.
    std::string SelectedLatitudeText;
    std::string SelectedLongitudeText;
    std::string SelectedHeightText;

    // Top-left of the active marker in map pixels; it points at +11, +11.
    int PointerLeft = 0;
    int PointerTop = 0;

    // The frame being drawn for a new object, map pixels.
    int FrameStartX = 0;
    int FrameStartY = 0;
    int FrameEndX = 0;
    int FrameEndY = 0;
    int FrameCornerX = 0;
    int FrameCornerY = 0;

    // Controls, named as in the window's design.
    QMenu* Datei1 = nullptr;
    QMenu* Mondzustand1 = nullptr;
    QMenu* Info1 = nullptr;
    QAction* Beobachtungsortauswhlen1 = nullptr;
    QAction* DatumundUhrzeitfestlegen1 = nullptr;
    QAction* NeuesObjektdefinieren1 = nullptr;
    QAction* Objektlistealphabetischsortieren1 = nullptr;
    QAction* ObjektlistenachArtsortieren1 = nullptr;
    QAction* Beenden1 = nullptr;
    QAction* Sichtverhltnisseeinschtzen1 = nullptr;
    QAction* PhysEphemeriden1 = nullptr;
    QAction* Mondposition2 = nullptr;
    QAction* Hilfe1 = nullptr;
    QAction* About1 = nullptr;
    QAction* BeleuchtungaufderKarte1 = nullptr;
    QAction* Lichtgrenzeheute1 = nullptr;
    QAction* Beobachtungsplaner1 = nullptr;
    QAction* MondimOkular1 = nullptr;
    QAction* HoeheausFoto1 = nullptr;
    QAction* Messungspeichern1 = nullptr;
    QAction* Messprotokoll1 = nullptr;
    QAction* UhrzeitMitfuehren1 = nullptr;

    QFrame* Panel2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    QToolButton* SpeedButton8 = nullptr;
    QToolButton* SpeedButton9 = nullptr;

    MapImage* MoonImage = nullptr;
    MarkerImage* Cursor1 = nullptr;
    MarkerImage* Cursor2 = nullptr;
    MarkerImage* Cursor3 = nullptr;

    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button5 = nullptr;

    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;

    QGroupBox* GroupBox2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QFrame* Panel8 = nullptr;
    QLabel* Label35 = nullptr;
    QLabel* Label34 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label26 = nullptr;
    QLabel* Label27 = nullptr;

    QGroupBox* GroupBox3 = nullptr;
    QPushButton* Button4 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit11 = nullptr;
    QLineEdit* Edit12 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusText = nullptr;  ///< the site and moment, behind the hints
    QFrame* Panel1 = nullptr;

signals:
    /// A formation is shown in the group "Objekt" (chosen in the list, on
    /// the map or from another window).
    void ObjectShown(const QString& name);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class ListOrder { Unknown, ByKind, Alphabetical };

    void CreateMenus();
    void CreateToolBar(QWidget* client);
    void CreateMap(QWidget* client);
    void CreateObjectList(QWidget* client);
    void CreateObjectGroup(QWidget* client);
    void CreateHeightPanel(QWidget* client);
    void CreateJournalCommands();
    void CreateClockCommand();
    void CreateNewObjectPanel(QWidget* client);
    void CreateStatusBar(QWidget* client);

    /// A framed panel (Panel | shadow, one pixel) at the given place.
    static QFrame* PlacePanel(QWidget* parent, const char* name, int x, int y, int w, int h, QFrame::Shadow shadow);
    QAction* AddCommand(QMenu* menu, const char* name, const QString& text, void (TForm1::*handler)());
    QToolButton* AddSpeedButton(const char* name, int left, const QString& picture, const QString& hint,
                                void (TForm1::*handler)());

    /// Runs a handler inside the error guard.
    void Guarded(void (TForm1::*handler)());

    void ApplyListOrder(const std::string& sortKey);
    void FillObjectList();
    void ChangeListOrder(const char* sortKey);
    void ShowObject(const LunarObject& object);
    void ShowObjectOptions(const LunarObject& object);
    void PlaceMarkerOnFrame(const LunarObject& object);
    void EmptyObjectLabels();
    void OpenDialogWindow(MireltaDialog* dialog);
    /// Moves a marker by a mouse move over it (Cursor1, Cursor3).
    void MoveMarkerBy(MarkerImage* marker, int x, int y);
    /// Takes the new position on each axis that has one.
    void MoveMarkerTo(MarkerImage* marker, std::optional<int> left, std::optional<int> top);
    void SetNewObjectFieldsEnabled(bool enabled, bool withUnitSigns);
    void SetCommandsEnabled(bool enabled);
    void DrawRubberBand();
    void EraseRubberBand();
    void ResetFrame();
    DrawnFrame Frame() const;
    /// What "Messung speichern" would save; the command follows it.
    void SetSavableMeasurement(std::optional<JournalMeasurement> measurement);
    QList<QLineEdit*> CoordinateEdits() const;
    /// While "Uhrzeit mitführen" is checked, sets the observation time from
    /// the clock; returns whether the date or time changed.
    bool ReadClockIfFollowing();

    ObservationState& state_;
    MessageService& messages_;
    char decimalSeparator_;
    MainWindowDialogs dialogs_;
    ProcessStarter startProcess_;
    ClockSource clock_ = ReadSystemClock;
    QTimer* clockTimer_ = nullptr;
    ListOrder listOrder_ = ListOrder::Unknown;
    // The entries of ComboBox1, and what they were made from: the names of
    // the catalogue as read (they stay valid while the file is unchanged) in
    // file order and, once asked for, in alphabetical order.
    NameListModel* objectNames_ = nullptr;
    std::weak_ptr<const std::vector<std::string>> listedNames_;
    QStringList namesInFileOrder_;
    std::optional<QStringList> namesInAlphabeticalOrder_;
    std::unique_ptr<AlphabeticalSorter> sorter_;
    bool rubberBandDrawn_ = false;
    QList<QWidget*> newObjectFields_;  // Label20..25, Edit2..12, Button2
    QList<QWidget*> unitSigns_;        // Label36..42
    std::unique_ptr<MapLighting> mapLighting_;
    // The measurement whose height the panel shows for the text in Edit1;
    // empty while the field holds no such time.
    std::optional<JournalMeasurement> savableMeasurement_;
    // Why the panel shows no height for the text in Edit1 (a sentence), or empty.
    std::string noHeightExplanation_;
};
