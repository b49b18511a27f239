#include "setup/Unit3.h"

#include "platform/form_widgets.h"
#include "platform/name_order.h"
#include "platform/number_text.h"
#include "platform/sexagesimal.h"
#include "setup/Unit9.h"
#include "setup/config_file.h"
#include "setup/site_list_file.h"

#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

const QString kCaption = QStringLiteral("Mirelta");
const QString kNewSiteCaption = QStringLiteral("Neuer Beobachtungsort");
const QString kEditSiteCaption = QStringLiteral("Ortsdaten ändern");

constexpr int kValueLeft = 56;
constexpr int kGroupWidth = 273;
constexpr int kGroupMargin = 8;

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// The truncated form, as the refresh shows the stored site: 51° 19' 59"
QString TruncatedCoordinateText(double degrees) { return FromUtf8(TruncatedAngleText(degrees) + "\""); }

// The rounded form, as a list click shows a site: 51° 20' 0"
QString RoundedCoordinateText(double degrees) { return FromUtf8(AngleText(degrees)); }

const char* const kLatitudeRefusal =
    "Beobachtungsorte auf der Erde haben alle eine geographische Breite zwischen -90° und +90°";
const char* const kLongitudeRefusal =
    "Beobachtungsorte auf der Erde haben alle eine geographische Länge zwischen -180° und +180°";

}  // namespace

struct TForm3::Coordinate {
    const QString& prompt;
    double limit;  ///< degrees; the entry must lie within -limit..+limit
    const char* refusal;
    std::string TForm9::*result;
};

TForm3::TForm3(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator,
               std::function<void()> refreshMainWindow)
    : MireltaDialog(owner, messages, QStringLiteral("Beobachtungsort"), 305, 271),
      state_(state),
      decimalSeparator_(decimalSeparator),
      refreshMainWindow_(std::move(refreshMainWindow))
{
    setObjectName(QStringLiteral("Form3"));
    CreateControls();
    OnClick(Button1, &TForm3::Button1Click);
    OnClick(Button2, &TForm3::Button2Click);
    OnClick(Button3, &TForm3::Button3Click);
    OnClick(Button4, &TForm3::Button4Click);
    OnClick(Button5, &TForm3::Button5Click);
    SetKeyButtons(Button1, Button2);
    // A click on another entry or a move with the keys; the list is refilled
    // with this signal blocked.
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] { Guarded([this] { ListBox1Click(); }); });
}

void TForm3::CreateControls()
{
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFont(FormFont());
    ListBox1->setGeometry(16, 8, 273, 89);
    // One line in one font each: a long list need not measure every entry.
    ListBox1->setUniformItemSizes(true);

    Button3 = PlaceButton(this, "Button3", QStringLiteral("entferne Auswahl"), 16, 104, 97, 21);
    Button3->setStatusTip(QStringLiteral("löscht den ausgewählten Ortseintrag"));
    Button4 = PlaceButton(this, "Button4", QStringLiteral("bearbeite Auswahl"), 120, 104, 97, 21);
    Button4->setStatusTip(QStringLiteral("ändert die Daten für den ausgewählten Ortseintrag"));
    Button5 = PlaceButton(this, "Button5", QStringLiteral("neuer Ort"), 224, 104, 65, 21);
    Button5->setStatusTip(QStringLiteral("fügt einen neuen Ort mit Daten hinzu"));
    Button3->setEnabled(false);
    Button4->setEnabled(false);

    GroupBox1 = PlaceGroup(this, "GroupBox1", QStringLiteral("Beobachtungsort"), 16, 144, kGroupWidth, 81);
    Label1 = PlaceLabel(GroupBox1, "Label1", QStringLiteral("Ort:"), 8, 25);
    Label2 = PlaceLabel(GroupBox1, "Label2", QStringLiteral("Breite:"), 8, 39);
    Label3 = PlaceLabel(GroupBox1, "Label3", QStringLiteral("Länge:"), 8, 53);
    const int valueWidth = kGroupWidth - kValueLeft - kGroupMargin;
    Label4 = PlaceValueLabel(GroupBox1, "Label4", kValueLeft, 25, valueWidth);
    Label5 = PlaceValueLabel(GroupBox1, "Label5", kValueLeft, 39, valueWidth);
    Label6 = PlaceValueLabel(GroupBox1, "Label6", kValueLeft, 53, valueWidth);

    Button1 = PlaceButton(this, "Button1", QStringLiteral("Ok"), 16, 240, 121, 25);
    Button1->setStatusTip(QStringLiteral("Werte übernehmen"));
    Button2 = PlaceButton(this, "Button2", QStringLiteral("Abbrechen"), 168, 240, 121, 25);
    Button2->setStatusTip(QStringLiteral("Abbruch"));
}

std::string TForm3::ShownName() const { return Label4->text().toStdString(); }

// ---------------------------------------------------------------- refresh and choice

void TForm3::FormCreate()
{
    try {
        Refresh();
        lastRefreshFailure_.clear();
    } catch (const std::exception& failure) {
        lastRefreshFailure_ = failure.what();
        throw;
    }
}

void TForm3::Refresh()
{
    CentreOverOwner();
    Button3->setEnabled(false);
    Button4->setEnabled(false);
    {
        QSignalBlocker quiet(ListBox1);
        ListBox1->clear();
    }

    StoredSite stored = ReadCurrentSite();
    state_.SiteName = stored.Name;
    SiteLatitudeText = stored.LatitudeText;
    state_.Latitude = FileTextToFloat(SiteLatitudeText);
    SiteLongitudeText = stored.LongitudeText;
    state_.Longitude = FileTextToFloat(SiteLongitudeText);

    QStringList names;
    for (const std::string& name : ReadSiteNames()) names.append(FromUtf8(name));
    SortNamesAlphabetically(names);
    {
        QSignalBlocker quiet(ListBox1);
        ListBox1->addItems(names);
    }

    Label4->setText(FromUtf8(state_.SiteName));
    Label5->setText(TruncatedCoordinateText(state_.Latitude));
    Label6->setText(TruncatedCoordinateText(state_.Longitude));
}

void TForm3::ListBox1Click()
{
    Button3->setEnabled(true);
    Button4->setEnabled(true);
    QListWidgetItem* selected = ListBox1->currentItem();
    if (!selected) return;
    // When the file no longer holds the name (it was changed behind the
    // dialog's back), the dialog keeps showing what it showed: Ok must never
    // store a name with another record's coordinates.
    std::optional<StoredSite> site = FindSite(selected->text().toStdString());
    if (!site) return;
    SiteLatitudeText = site->LatitudeText;
    SiteLongitudeText = site->LongitudeText;
    Label4->setText(FromUtf8(site->Name));
    Label5->setText(RoundedCoordinateText(FileTextToFloat(SiteLatitudeText)));
    Label6->setText(RoundedCoordinateText(FileTextToFloat(SiteLongitudeText)));
}

void TForm3::Button1Click()
{
    state_.SiteName = ShownName();
    // Both numbers are converted before either is stored.
    double latitude = FileTextToFloat(SiteLatitudeText);
    double longitude = FileTextToFloat(SiteLongitudeText);
    state_.Latitude = latitude;
    state_.Longitude = longitude;
    WriteCurrentSite({ShownName(), SiteLatitudeText, SiteLongitudeText});
    LeaveDialog();
    refreshMainWindow_();
}

void TForm3::Button2Click()
{
    // The dialog is left even when the refresh fails (a missing or damaged
    // mirelta.ini), or the disabled main window could never be reached again.
    // A failure the opening's refresh has just shown (a missing places.dat)
    // is not shown a second time.
    std::string shownAtOpening = lastRefreshFailure_;
    try {
        FormCreate();
    } catch (const std::exception& failure) {
        if (failure.what() != shownAtOpening) ShowErrorReport(Messages(), failure);
    }
    LeaveDialog();
}

// ---------------------------------------------------------------- list changes

void TForm3::Button5Click()
{
    std::optional<StoredSite> site =
        AskForSite(kNewSiteCaption, QStringLiteral("Bitte geben Sie den Namen des neuen Ortes ein:"), QString(),
                   std::string(), std::string());
    if (!site) return;
    AppendSite(*site);
    FormCreate();
}

void TForm3::Button4Click()
{
    // Abbrechen in the prompt returns the shown name: the edit goes on.
    std::optional<StoredSite> site =
        AskForSite(kEditSiteCaption, QStringLiteral("Bitte geben Sie einen neuen Namen ein:"), Label4->text(),
                   SiteLatitudeText, SiteLongitudeText);
    if (!site) return;
    ReplaceSites(ShownName(), *site);
    FormCreate();
}

void TForm3::Button3Click()
{
    QString question =
        QStringLiteral("Soll der Ort ") + Label4->text() + QStringLiteral(" wirklich aus der Liste gelöscht werden?");
    if (!Messages().Confirm(QStringLiteral("Eintrag löschen"), question)) return;
    RemoveSites(ShownName());
    FormCreate();
}

bool TForm3::NameCanBeStored(const QString& name)
{
    if (IsStorableSiteName(name.toStdString())) return true;
    Messages().Warn(kCaption, QStringLiteral("Der Name \u201E%1\u201C enthält Zeichen, die in der Ortsliste nicht "
                                             "gespeichert werden können (nur Zeichen des westeuropäischen "
                                             "Zeichensatzes, kein Zeilenumbruch). Der Ort wurde nicht gespeichert.")
                                  .arg(name));
    return false;
}

// ---------------------------------------------------------------- coordinate entry

std::optional<StoredSite> TForm3::AskForSite(const QString& caption, const QString& namePrompt,
                                             const QString& defaultName, const std::string& latitudeFill,
                                             const std::string& longitudeFill)
{
    static const Coordinate latitude{kLatitudePrompt, 90.0, kLatitudeRefusal, &TForm9::EnteredLatitudeText};
    static const Coordinate longitude{kLongitudePrompt, 180.0, kLongitudeRefusal, &TForm9::EnteredLongitudeText};
    if (!form9_) return std::nullopt;
    form9_->EnteredLatitudeText.clear();
    form9_->EnteredLongitudeText.clear();
    ClearCoordinateFields();
    QString name = Messages().Prompt(caption, namePrompt, defaultName);
    if (name.isEmpty() || !NameCanBeStored(name)) return std::nullopt;
    const std::string& latitudeText = EnterCoordinate(caption, latitude, latitudeFill);
    ClearCoordinateFields();
    if (latitudeText.empty()) return std::nullopt;
    const std::string& longitudeText = EnterCoordinate(caption, longitude, longitudeFill);
    if (longitudeText.empty()) return std::nullopt;
    return StoredSite{name.toStdString(), latitudeText, longitudeText};
}

const std::string& TForm3::EnterCoordinate(const QString& caption, const Coordinate& coordinate,
                                           const std::string& fillFromText)
{
    const std::string& entered = form9_->*coordinate.result;
    for (;;) {
        if (!fillFromText.empty()) {
            SexagesimalParts parts = SexagesimalRounded(FileTextToFloat(fillFromText));
            form9_->Edit1->setText(FromUtf8(WholeUnitsText(parts)));
            form9_->Edit2->setText(QString::number(parts.minutes));
            form9_->Edit3->setText(QString::number(parts.seconds));
        }
        RunCoordinateDialog(caption, coordinate.prompt);
        if (entered.empty()) return entered;
        double value = TextToFloat(entered, decimalSeparator_);
        if (-coordinate.limit <= value && value <= coordinate.limit) return entered;
        // The fields keep the refused entry unless they are filled anew.
        Messages().Warn(kCaption, QString::fromUtf8(coordinate.refusal));
    }
}

void TForm3::RunCoordinateDialog(const QString& caption, const QString& prompt)
{
    form9_->setWindowTitle(caption);
    form9_->Label1->setText(prompt);
    form9_->Label1->adjustSize();
    setEnabled(false);
    form9_->show();
    form9_->activateWindow();
    form9_->Edit1->setFocus();
    // The coordinate dialog enables this one again when it is left.
    QEventLoop waitForEntry;
    connect(form9_, &TForm9::Hidden, &waitForEntry, &QEventLoop::quit);
    if (form9_->isVisible()) waitForEntry.exec();
}

void TForm3::ClearCoordinateFields()
{
    for (QLineEdit* field : {form9_->Edit1, form9_->Edit2, form9_->Edit3}) field->clear();
}
