#include "photo/photo_window.h"

#include "astronomy/mountain_height.h"
#include "journal/journal_statistics.h"
#include "photo/brightness_stretch.h"
#include "photo/limb_edge.h"
#include "photo/photo_preferences.h"
#include "photo/photo_shadow.h"
#include "platform/errors.h"
#include "platform/form_widgets.h"
#include "platform/name_order.h"
#include "platform/number_text.h"
#include "setup/site_list_file.h"
#include "setup/time_fields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <cmath>

namespace {

constexpr int kViewLeft = 8;
constexpr int kViewTop = 8;
constexpr int kViewWidth = 700;
constexpr int kViewHeight = 622;
constexpr int kColumnLeft = 716;
constexpr int kColumnWidth = 276;
constexpr int kInner = kColumnWidth - 24;
constexpr int kSliderSteps = 1000;
const QString kCaption = QStringLiteral("Höhe aus Foto");

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// The file dialog, in German.
QString AskPhotoPath(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, QStringLiteral("Bild öffnen"), folder,
                       QStringLiteral("Mondbilder (*.png *.jpg *.jpeg *.tif *.tiff *.fits *.fit *.fts);;"
                                      "Alle Dateien (*)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Ordner:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Öffnen"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QLabel* PlaceNote(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    QLabel* label = PlaceLabel(parent, name, QString(), x, y);
    label->setFixedSize(w, h);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A radio button or check box at (x, y), as wide as its text.
template <class Toggle>
Toggle* PlaceToggle(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    auto* toggle = new Toggle(text, parent);
    toggle->setObjectName(QString::fromLatin1(name));
    toggle->setFont(FormFont());
    toggle->move(x, y);
    toggle->adjustSize();
    return toggle;
}

QRadioButton* PlaceStep(QWidget* parent, QButtonGroup* group, const char* name, const QString& text, int x, int y)
{
    auto* step = PlaceToggle<QRadioButton>(parent, name, text, x, y);
    group->addButton(step);
    return step;
}

QCheckBox* PlaceCheck(QWidget* parent, const char* name, const QString& text, int x, int y, bool checked)
{
    auto* box = PlaceToggle<QCheckBox>(parent, name, text, x, y);
    box->setChecked(checked);
    return box;
}

// "2,5" hours or "-5" of the camera's clock: minutes east of UT.
int ClockOffsetMinutes(const QString& text, char decimalSeparator)
{
    const double hours = TextToFloat(text.trimmed().toStdString(), decimalSeparator);
    if (!(std::abs(hours) <= 14)) throw ConversionError(OutOfRangeMessage(text.toStdString(), "-14", "14"));
    return static_cast<int>(std::lround(hours * 60));
}

QString HoursText(int minutes, char decimalSeparator)
{
    return FromUtf8(FloatToText(minutes / 60.0, decimalSeparator));
}

}  // namespace

PhotoWindow::PhotoWindow(QWidget* owner, MessageService& messages, const ObservationState& state, char decimalSeparator,
                         FormationSource formations)
    : MireltaDialog(owner, messages, kCaption, kClientWidth, kClientHeight),
      state_(state),
      decimalSeparator_(decimalSeparator),
      formationSource_(std::move(formations)),
      choosePhoto_(AskPhotoPath)
{
    setObjectName(QStringLiteral("PhotoWindow"));
    View = new PhotoView(this);
    View->setObjectName(QStringLiteral("View"));
    View->setGeometry(kViewLeft, kViewTop, kViewWidth, kViewHeight);
    connect(View, &PhotoView::Clicked, this, [this](ImagePoint p) { Guarded([&] { PictureClick(p); }); });
    connect(View, &PhotoView::ZoomChanged, this, [this](double zoom) {
        ZoomLabel->setText(QStringLiteral("Zoom ") +
                           FromUtf8(FloatToText(std::round(zoom * 100) / 100, decimalSeparator_)));
    });
    HintLabel = PlaceNote(this, "HintLabel", kViewLeft, kViewTop + kViewHeight + 6, kViewWidth, 26);

    CreatePictureGroup();
    CreateDisplayGroup();
    CreateCalibrationGroup();
    CreateMeasurementGroup();

    const int bottom = kClientHeight - 32;
    UndoButton = PlaceButton(this, "UndoButton", QStringLiteral("Zurücknehmen"), kColumnLeft, bottom, 96, 25);
    UndoButton->setStatusTip(QStringLiteral("Den letzten Punkt des gewählten Schritts entfernen"));
    SaveButton =
        PlaceButton(this, "SaveButton", QStringLiteral("Messung speichern"), kColumnLeft + 102, bottom, 112, 25);
    SaveButton->setStatusTip(QStringLiteral("Die Höhe in messungen.csv speichern, als Fotomessung mit dem Bildnamen"));
    SaveButton->setEnabled(false);
    OkButton = PlaceButton(this, "OkButton", QStringLiteral("Ok"), kColumnLeft + kColumnWidth - 56, bottom, 56, 25);
    OnClick(UndoButton, &PhotoWindow::UndoButtonClick);
    OnClick(SaveButton, &PhotoWindow::SaveButtonClick);
    OnClick(OkButton, &PhotoWindow::OkButtonClick);
    SetKeyButtons(OkButton);
    ShowHint();
}

void PhotoWindow::CreatePictureGroup()
{
    QGroupBox* group = PlaceGroup(this, "PictureGroup", QStringLiteral("Bild"), kColumnLeft, 2, kColumnWidth, 168);
    OpenButton = PlaceButton(group, "OpenButton", QStringLiteral("Öffnen..."), 12, 20, 80, 25);
    OpenButton->setStatusTip(QStringLiteral("Ein Bild des Mondes öffnen: PNG, JPEG, TIFF oder FITS"));
    OnClick(OpenButton, &PhotoWindow::OpenButtonClick);
    FileLabel = PlaceNote(group, "FileLabel", 100, 25, kInner - 88, 16);
    FileLabel->setWordWrap(false);
    FormatLabel = PlaceNote(group, "FormatLabel", 12, 50, kInner, 16);

    PlaceLabel(group, "MomentCaption", QStringLiteral("Aufnahme:"), 12, 74);
    DateEdit = PlaceEdit(group, "DateEdit", 76, 71, 80, 21, 10);
    DateEdit->setStatusTip(QStringLiteral("Datum der Aufnahme (MEZ), TT.MM.JJJJ"));
    TimeEdit = PlaceEdit(group, "TimeEdit", 162, 71, 44, 21, 5);
    TimeEdit->setStatusTip(QStringLiteral("Uhrzeit der Aufnahme, MEZ (Weltzeit + 1 Stunde), SS:MM"));
    PlaceLabel(group, "MezCaption", QStringLiteral("MEZ"), 212, 74);
    MomentLabel = PlaceNote(group, "MomentLabel", 12, 96, kInner, 16);

    PlaceLabel(group, "ClockCaption", QStringLiteral("Kamerauhr: Weltzeit +"), 12, 120);
    ClockEdit = PlaceEdit(group, "ClockEdit", 130, 117, 36, 21, 5);
    ClockEdit->setStatusTip(
        QStringLiteral("Stunden, um die die Uhr der Kamera der Weltzeit voraus ging "
                       "(1 für MEZ, 2 für MESZ)"));
    PlaceLabel(group, "ClockUnit", QStringLiteral("Stunden"), 172, 120);
    ClockEdit->setEnabled(false);

    PlaceLabel(group, "SiteCaption", QStringLiteral("Ort:"), 12, 145);
    SiteBox = new QComboBox(group);
    SiteBox->setObjectName(QStringLiteral("SiteBox"));
    SiteBox->setFont(FormFont());
    SiteBox->setGeometry(76, 141, kInner - 64, 22);

    for (QLineEdit* edit : {DateEdit, TimeEdit, ClockEdit})
        connect(edit, &QLineEdit::editingFinished, this, [this] { Guarded([this] { MomentChange(); }); });
    connect(SiteBox, &QComboBox::currentIndexChanged, this, [this] { Guarded([this] { MomentChange(); }); });
}

void PhotoWindow::CreateDisplayGroup()
{
    QGroupBox* group = PlaceGroup(this, "DisplayGroup", QStringLiteral("Anzeige"), kColumnLeft, 174, kColumnWidth, 98);
    PlaceLabel(group, "BlackCaption", QStringLiteral("Schwarz:"), 12, 21);
    PlaceLabel(group, "WhiteCaption", QStringLiteral("Weiß:"), 12, 43);
    for (QSlider** slider : {&BlackSlider, &WhiteSlider}) {
        *slider = new QSlider(Qt::Horizontal, group);
        (*slider)->setRange(0, kSliderSteps);
        connect(*slider, &QSlider::valueChanged, this, [this] { Guarded([this] { StretchChange(); }); });
    }
    BlackSlider->setObjectName(QStringLiteral("BlackSlider"));
    WhiteSlider->setObjectName(QStringLiteral("WhiteSlider"));
    BlackSlider->setGeometry(70, 20, kInner - 58, 18);
    WhiteSlider->setGeometry(70, 42, kInner - 58, 18);
    WhiteSlider->setValue(kSliderSteps);
    BlackSlider->setStatusTip(QStringLiteral("Helligkeit, die schwarz erscheint (nur die Anzeige)"));
    WhiteSlider->setStatusTip(QStringLiteral("Helligkeit, die weiß erscheint (nur die Anzeige)"));

    AutoButton = PlaceButton(group, "AutoButton", QStringLiteral("Automatisch"), 12, 66, 76, 23);
    AutoButton->setStatusTip(QStringLiteral("Schwarz und Weiß nach dem Bild selbst wählen"));
    OnClick(AutoButton, &PhotoWindow::AutoStretchClick);
    ZoomOutButton = PlaceButton(group, "ZoomOutButton", QStringLiteral("−"), 94, 66, 24, 23);
    ZoomInButton = PlaceButton(group, "ZoomInButton", QStringLiteral("+"), 120, 66, 24, 23);
    WholeButton = PlaceButton(group, "WholeButton", QStringLiteral("Ganzes Bild"), 146, 66, 70, 23);
    ZoomOutButton->setStatusTip(QStringLiteral("Verkleinern (Taste -, Mausrad)"));
    ZoomInButton->setStatusTip(QStringLiteral("Vergrößern bis 8:1 (Taste +, Mausrad)"));
    WholeButton->setStatusTip(QStringLiteral("Das ganze Bild zeigen"));
    OnClick(ZoomOutButton, &PhotoWindow::ZoomOutClick);
    OnClick(ZoomInButton, &PhotoWindow::ZoomInClick);
    OnClick(WholeButton, &PhotoWindow::WholeClick);
    ZoomLabel = PlaceNote(group, "ZoomLabel", 222, 70, 46, 16);
    ZoomLabel->setWordWrap(false);
}

QComboBox* PhotoWindow::PlaceFormationBox(QWidget* parent, const char* name, int x, int y, int w)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setFont(FormFont());
    box->setGeometry(x, y, w, 22);
    box->setMaxVisibleItems(20);
    connect(box, &QComboBox::currentIndexChanged, this, [this] { Guarded([this] { Recompute(); }); });
    return box;
}

void PhotoWindow::CreateCalibrationGroup()
{
    QGroupBox* group =
        PlaceGroup(this, "CalibrationGroup", QStringLiteral("Kalibrierung"), kColumnLeft, 276, kColumnWidth, 222);
    auto* steps = new QButtonGroup(this);
    LimbStep = PlaceStep(group, steps, "LimbStep", QStringLiteral("1. Punkte auf dem hellen Mondrand"), 12, 20);
    LimbStep->setChecked(true);
    SnapBox = PlaceCheck(group, "SnapBox", QStringLiteral("an die Helligkeitskante setzen"), 30, 40, true);
    SnapBox->setStatusTip(QStringLiteral("Jeden Randpunkt auf die nächste Kante zwischen Himmel und Mond schieben"));
    LimbLabel = PlaceNote(group, "LimbLabel", 12, 60, kInner, 30);

    FirstFormationStep = PlaceStep(group, steps, "FirstFormationStep", QStringLiteral("2."), 12, 96);
    FirstFormationBox = PlaceFormationBox(group, "FirstFormationBox", 50, 94, kInner - 38);
    SecondFormationStep = PlaceStep(group, steps, "SecondFormationStep", QStringLiteral("3."), 12, 122);
    SecondFormationBox = PlaceFormationBox(group, "SecondFormationBox", 50, 120, kInner - 38);
    FirstFormationBox->setStatusTip(QStringLiteral("Eine Formation, die Sie im Bild finden: wählen, dann anklicken"));
    SecondFormationBox->setStatusTip(
        QStringLiteral("Eine zweite Formation (freiwillig): prüft die Drehung und erkennt ein gespiegeltes Bild"));
    MirrorBox = PlaceCheck(group, "MirrorBox", QStringLiteral("Bild gespiegelt (Zenitspiegel)"), 12, 148, false);
    MirrorBox->setStatusTip(
        QStringLiteral("Osten rechts von Norden: Aufnahme über einen Zenitspiegel. "
                       "Mit zwei Formationen wird es erkannt"));
    connect(MirrorBox, &QCheckBox::toggled, this, [this] { Guarded([this] { Recompute(); }); });
    TurnLabel = PlaceNote(group, "TurnLabel", 12, 170, kInner, 46);
    connect(steps, &QButtonGroup::buttonClicked, this, [this] { ShowHint(); });
}

void PhotoWindow::CreateMeasurementGroup()
{
    QGroupBox* group =
        PlaceGroup(this, "MeasurementGroup", QStringLiteral("Messung"), kColumnLeft, 502, kColumnWidth, 122);
    auto* steps = LimbStep->group();
    ShadowStep =
        PlaceStep(group, steps, "ShadowStep", QStringLiteral("4. Gipfel, dann Schattenende anklicken"), 12, 20);
    PlaceLabel(group, "MeasuredCaption", QStringLiteral("Formation:"), 12, 45);
    MeasuredFormationBox = PlaceFormationBox(group, "MeasuredFormationBox", 76, 42, kInner - 64);
    MeasuredFormationBox->setStatusTip(
        QStringLiteral("Die Formation des Berges; nach dem Gipfel-Klick die nächstgelegene des Katalogs"));
    ResultLabel = PlaceValueLabel(group, "ResultLabel", 12, 68, kInner);
    SetLabelStyle(ResultLabel, kValueColour, true);
    DetailLabel = PlaceNote(group, "DetailLabel", 12, 86, kInner, 32);
    PredictionBox = PlaceCheck(this, "PredictionBox", QStringLiteral("Vorhersage einblenden"),
                               kViewLeft + kViewWidth - 150, kViewTop + kViewHeight + 6, true);
    PredictionBox->setStatusTip(
        QStringLiteral("Rand, Terminator, Formationen und Himmelsrichtungen, wie die "
                       "Kalibrierung sie vorhersagt"));
    connect(PredictionBox, &QCheckBox::toggled, this, [this] { Guarded([this] { Recompute(); }); });
    HintLabel->setFixedWidth(kViewWidth - 160);
}

void PhotoWindow::FormCreate()
{
    CentreOverOwner();
    // Enter and Escape leave the window, as in every dialog; the focus on
    // "Öffnen..." would turn Enter into a file dialog.
    OkButton->setFocus();
    FillFormations();
    FillSites();
    if (!photo_) ShowObservationMoment();
    ShowHint();
}

void PhotoWindow::FillSites()
{
    const QString current = SiteBox->currentText();
    QStringList names;
    for (const std::string& name : ReadSiteNames())
        if (!name.empty()) names << FromUtf8(name);
    QSignalBlocker quiet(SiteBox);
    SiteBox->clear();
    SiteBox->addItems(names);
    const QString wanted = current.isEmpty() ? FromUtf8(state_.SiteName) : current;
    SiteBox->setCurrentIndex(std::max(0, SiteBox->findText(wanted)));
}

void PhotoWindow::FillFormations()
{
    formations_ = formationSource_ ? formationSource_() : nullptr;
    placed_ = formations_ ? PlaceFormations(*formations_) : PlacedFormations{};
    QStringList names;
    for (const CatalogueFormation* f : placed_.Formations) names << FromUtf8(f->Name);
    names.removeDuplicates();
    SortNamesAlphabetically(names);
    for (QComboBox* box : {FirstFormationBox, SecondFormationBox, MeasuredFormationBox}) {
        const QString current = box->currentText();
        QSignalBlocker quiet(box);
        box->clear();
        box->addItem(QString());
        box->addItems(names);
        box->setCurrentIndex(std::max(0, box->findText(current)));
    }
}

const CatalogueFormation* PhotoWindow::FormationNamed(const QString& name) const
{
    if (name.isEmpty()) return nullptr;
    const std::string wanted = name.toStdString();
    for (const CatalogueFormation* f : placed_.Formations)
        if (f->Name == wanted) return f;
    return nullptr;
}

void PhotoWindow::ShowObservationMoment()
{
    // Without a picture, or one that does not say: the observation's moment.
    ShowMoment({state_.Year, state_.Month, state_.Day, state_.Hour, state_.Minute, 0});
    setting_ = ReadSetting();
}

void PhotoWindow::OpenButtonClick()
{
    const QString path = choosePhoto_ ? choosePhoto_(this, LastPhotoFolder()) : QString();
    if (path.isEmpty()) return;
    RememberPhotoFolder(QFileInfo(path).absolutePath());
    OpenPhoto(path);
}

void PhotoWindow::OpenPhoto(const QString& path)
{
    // Read whole, and the camera's clock known, before anything changes: a
    // picture that cannot be read leaves the open one as it is.
    PhotoFile photo = ReadPhotoFile(QFile::encodeName(path).toStdString());
    const std::optional<int> offset = ClockOffsetFor(photo);

    raster_ = std::make_shared<const PhotoRaster>(std::move(photo.Raster));
    photo.Raster = {};
    photo_ = std::move(photo);
    limbPoints_.clear();
    firstFormationAt_.reset();
    secondFormationAt_.reset();
    shadow_.reset();
    View->SetPhoto(raster_);
    FileLabel->setText(FromUtf8(photo_->FileName));
    FileLabel->setToolTip(QDir::toNativeSeparators(path));
    FormatLabel->setText(FromUtf8(photo_->Format) +
                         QStringLiteral(", %1 × %2 Pixel").arg(raster_->Width).arg(raster_->Height));
    AutoStretchClick();

    // The moment the file gives, in MEZ; the camera's clock editable where
    // the file does not state it.
    const bool cameraClock = photo_->Source == MomentSource::ExifClock;
    ClockEdit->setEnabled(cameraClock && !photo_->ClockOffsetMinutes);
    ClockEdit->setText(cameraClock ? HoursText(*offset, decimalSeparator_) : QString());
    MomentLabel->setText(FromUtf8(photo_->MomentNote));
    if (photo_->Moment) {
        ShowMoment(MezFromClock(*photo_->Moment, offset.value_or(0)));
        MomentLabel->setText(FromUtf8(photo_->MomentNote + ": " + CivilTimeText(*photo_->Moment)));
    }
    LimbStep->setChecked(true);
    ShowHint();
    MomentChange();
}

std::optional<int> PhotoWindow::ClockOffsetFor(const PhotoFile& photo)
{
    if (photo.Source != MomentSource::ExifClock) return std::nullopt;
    if (photo.ClockOffsetMinutes) return photo.ClockOffsetMinutes;
    if (std::optional<int> remembered = CameraClockOffset()) return remembered;
    // Asked once; the answer is kept with the preferences.
    const QString answer = Messages().Prompt(
        QStringLiteral("Kamerauhr"),
        QStringLiteral("Das Bild nennt die Aufnahmezeit nach der Uhr der Kamera. Um wie viele Stunden ging diese "
                       "Uhr der Weltzeit voraus (1 für MEZ, 2 für MESZ)?"),
        QStringLiteral("1"));
    const int minutes = ClockOffsetMinutes(answer, decimalSeparator_);
    RememberCameraClockOffset(minutes);
    return minutes;
}

void PhotoWindow::ShowMoment(const CivilTime& mez)
{
    DateEdit->setText(QStringLiteral("%1.%2.%3")
                          .arg(mez.Day, 2, 10, QLatin1Char('0'))
                          .arg(mez.Month, 2, 10, QLatin1Char('0'))
                          .arg(mez.Year));
    TimeEdit->setText(QStringLiteral("%1:%2").arg(mez.Hour).arg(mez.Minute, 2, 10, QLatin1Char('0')));
}

std::optional<PhotoSetting> PhotoWindow::ReadSetting()
{
    const QStringList date = DateEdit->text().trimmed().split(QLatin1Char('.'));
    const QStringList time = TimeEdit->text().trimmed().split(QLatin1Char(':'));
    if (date.size() != 3 || time.size() != 2)
        throw ConversionError("'" + DateEdit->text().toStdString() + " " + TimeEdit->text().toStdString() +
                              "' ist keine gültige Aufnahmezeit (TT.MM.JJJJ und SS:MM)");
    const std::optional<ObservationTime> checked =
        ReadTimeFields({date[0].toStdString(), date[1].toStdString(), date[2].toStdString(), time[0].toStdString(),
                        time[1].toStdString()});
    if (!checked)
        throw ConversionError("'" + DateEdit->text().toStdString() + " " + TimeEdit->text().toStdString() +
                              "' ist keine gültige Aufnahmezeit");
    const std::optional<StoredSite> site = FindSite(SiteBox->currentText().toStdString());
    if (!site) throw ConversionError("Kein Beobachtungsort gewählt");
    return PhotoSetting{checked->Day,
                        checked->Month,
                        checked->Year,
                        checked->Hour,
                        checked->Minute,
                        site->Name,
                        FileTextToFloat(site->LatitudeText),
                        FileTextToFloat(site->LongitudeText)};
}

void PhotoWindow::MomentChange()
{
    if (photo_ && photo_->Source == MomentSource::ExifClock && photo_->Moment && ClockEdit->isEnabled()) {
        const int offset = ClockOffsetMinutes(ClockEdit->text(), decimalSeparator_);
        if (CameraClockOffset() != offset) {
            RememberCameraClockOffset(offset);
            ShowMoment(MezFromClock(*photo_->Moment, offset));
        }
    }
    setting_ = ReadSetting();
    Recompute();
}

void PhotoWindow::StretchChange()
{
    const auto level = [](const QSlider* slider) {
        return static_cast<std::uint16_t>(std::lround(65535.0 * slider->value() / kSliderSteps));
    };
    View->SetStretch({level(BlackSlider), level(WhiteSlider)});
}

void PhotoWindow::AutoStretchClick()
{
    if (!raster_) return;
    // From the smaller copy the display draws from at the whole view: the
    // same share of pixels, far quicker on a large picture.
    PhotoRaster sample = HalvedRaster(HalvedRaster(*raster_));
    const BrightnessStretch stretch = AutomaticStretch(sample);
    QSignalBlocker quietBlack(BlackSlider), quietWhite(WhiteSlider);
    BlackSlider->setValue(static_cast<int>(std::lround(stretch.Black * double(kSliderSteps) / 65535)));
    WhiteSlider->setValue(static_cast<int>(std::lround(stretch.White * double(kSliderSteps) / 65535)));
    View->SetStretch(stretch);
}

void PhotoWindow::ZoomInClick() { View->ZoomAbout(View->Zoom() * PhotoView::ZoomStep, View->rect().center()); }

void PhotoWindow::ZoomOutClick() { View->ZoomAbout(View->Zoom() / PhotoView::ZoomStep, View->rect().center()); }

void PhotoWindow::WholeClick() { View->ShowWhole(); }

PhotoWindow::Step PhotoWindow::CurrentStep() const
{
    if (FirstFormationStep->isChecked()) return Step::FirstFormation;
    if (SecondFormationStep->isChecked()) return Step::SecondFormation;
    if (ShadowStep->isChecked()) return Step::Shadow;
    return Step::Limb;
}

void PhotoWindow::PictureClick(ImagePoint point)
{
    switch (CurrentStep()) {
        case Step::Limb: {
            std::optional<ImagePoint> onEdge = SnapBox->isChecked() ? SnapToEdge(*raster_, point) : std::nullopt;
            limbPoints_.push_back(onEdge.value_or(point));
            break;
        }
        case Step::FirstFormation:
            firstFormationAt_ = point;
            break;
        case Step::SecondFormation:
            secondFormationAt_ = point;
            break;
        case Step::Shadow:
            if (!shadow_ || shadow_->second) {
                shadow_ = std::pair{point, std::optional<ImagePoint>()};
                ChooseNearestFormation(point);
            } else {
                shadow_->second = point;
            }
            break;
    }
    Recompute();
    ShowHint();
}

void PhotoWindow::ChooseNearestFormation(ImagePoint summit)
{
    if (!calibration_.Calibration || !globe_) return;
    const std::optional<SelenographicPoint> under =
        SurfacePointAt(*globe_, ImageToSky(*calibration_.Calibration, summit));
    if (!under) return;
    const Vector3 at = SelenographicToBody(*under, 1.0);
    const CatalogueFormation* nearest = nullptr;
    double best = -2;
    for (std::size_t i = 0; i < placed_.Formations.size(); ++i) {
        const double closeness = Dot(at, SelenographicToBody(placed_.Points[i], 1.0));
        if (closeness > best) best = closeness, nearest = placed_.Formations[i];
    }
    if (!nearest) return;
    QSignalBlocker quiet(MeasuredFormationBox);
    MeasuredFormationBox->setCurrentIndex(std::max(0, MeasuredFormationBox->findText(FromUtf8(nearest->Name))));
}

void PhotoWindow::UndoButtonClick()
{
    switch (CurrentStep()) {
        case Step::Limb:
            if (!limbPoints_.empty()) limbPoints_.pop_back();
            break;
        case Step::FirstFormation:
            firstFormationAt_.reset();
            break;
        case Step::SecondFormation:
            secondFormationAt_.reset();
            break;
        case Step::Shadow:
            if (shadow_ && shadow_->second)
                shadow_->second.reset();
            else
                shadow_.reset();
            break;
    }
    Recompute();
    ShowHint();
}

std::optional<ClickedFormation> PhotoWindow::Identified(QComboBox* box, const std::optional<ImagePoint>& clicked) const
{
    const CatalogueFormation* formation = FormationNamed(box->currentText());
    if (!formation || !clicked) return std::nullopt;
    return ClickedFormation{
        formation->Name,
        {*CatalogueCoordinate(formation->Latitude), *CatalogueCoordinate(formation->Longitude)},
        *clicked
    };
}

void PhotoWindow::Recompute()
{
    if (!setting_) return;
    // The program's shadow view of the picture's moment and site: its globe
    // for the calibration, its scene for the height.
    ObservationState photoState = PhotoState(state_, *setting_);
    const ShadowView view = PrepareShadowView(photoState);
    globe_ = view.Globe;

    std::vector<ClickedFormation> formations;
    std::vector<MarkedPoint> marked;
    for (const auto& [box, at] : {
             std::pair{FirstFormationBox,  firstFormationAt_ },
             std::pair{SecondFormationBox, secondFormationAt_}
    }) {
        if (at) marked.push_back({*at, box->currentText().toStdString()});
        if (std::optional<ClickedFormation> f = Identified(box, at)) formations.push_back(*f);
    }
    calibration_ = CalibratePhoto(*globe_, limbPoints_, formations, MirrorBox->isChecked());
    if (formations.size() >= 2 && calibration_.Turn && calibration_.Turn->Mirrored != MirrorBox->isChecked()) {
        QSignalBlocker quiet(MirrorBox);
        MirrorBox->setChecked(calibration_.Turn->Mirrored);
    }
    LimbLabel->setText(FromUtf8(LimbText(limbPoints_.size(), calibration_.Limb, decimalSeparator_)));
    std::string turn = ScaleText(calibration_, decimalSeparator_);
    if (!turn.empty()) turn += "\n";
    TurnLabel->setText(FromUtf8(turn + TurnText(calibration_, formations.size(), decimalSeparator_)));

    ViewMarks marks;
    marks.LimbPoints = limbPoints_;
    marks.Limb = calibration_.Limb;
    marks.Formations = marked;
    if (shadow_) marks.Shadows.push_back(*shadow_);
    if (calibration_.Calibration && PredictionBox->isChecked()) {
        std::vector<NamedPlace> places;
        for (std::size_t i = 0; i < placed_.Formations.size(); ++i)
            places.push_back({placed_.Formations[i]->Name, placed_.Points[i]});
        marks.Prediction = PredictOverlay(*globe_, *calibration_.Calibration, places);
    }
    View->SetMarks(std::move(marks));

    MeasureShadow(photoState, view);
}

void PhotoWindow::MeasureShadow(const ObservationState& photoState, const ShadowView& view)
{
    ResultLabel->clear();
    DetailLabel->clear();
    measured_.reset();
    savable_.reset();
    SaveButton->setEnabled(false);
    if (!shadow_ || !shadow_->second || !calibration_.Calibration) return;
    const CatalogueFormation* formation = FormationNamed(MeasuredFormationBox->currentText());
    if (!formation) {
        DetailLabel->setText(QStringLiteral("Wählen Sie die Formation, zu der der Berg gehört."));
        return;
    }
    const SelenographicPoint place{*CatalogueCoordinate(formation->Latitude),
                                   *CatalogueCoordinate(formation->Longitude)};
    const ShadowScene scene = SceneOf(view, place);
    const PhotoShadow& shadow =
        measured_.emplace(MeasurePhotoShadow(scene, *calibration_.Calibration, shadow_->first, *shadow_->second));
    ResultLabel->setText(FromUtf8(PhotoHeightText(shadow)));
    DetailLabel->setText(FromUtf8(PhotoShadowDetails(shadow, decimalSeparator_)));
    if (!shadow.Result.Height) return;  // a reason instead of a height is never saved

    savable_ = JournalMeasurement{
        .Day = setting_->Day,
        .Month = setting_->Month,
        .Year = setting_->Year,
        .Hour = setting_->Hour,
        .Minute = setting_->Minute,
        .SiteName = setting_->SiteName,
        .SiteLatitude = setting_->Latitude,
        .SiteLongitude = setting_->Longitude,
        .Formation = formation->Name,
        .FormationLatitude = place.Latitude,
        .FormationLongitude = place.Longitude,
        .TransitSeconds = 0,
        .Height = *shadow.Result.Height,
        .CatalogueHeight = formation->Height,
        .TerminatorCorrection = TerminatorCorrection(photoState, place.Latitude),
        .SunAltitude = scene.SunAltitude,
        .PhotoName = photo_->FileName,
    };
    SaveButton->setEnabled(true);
}

void PhotoWindow::SaveButtonClick()
{
    if (!savable_) return;
    const JournalMeasurement saved = *savable_;
    AppendToJournal(saved, decimalSeparator_);
    // Ready for the next shadow; this one is not saved twice.
    shadow_.reset();
    Recompute();
    const Journal journal = ReadJournal();
    std::string report =
        SavedMeasurementText(saved.Formation, NightStatistics(journal.Entries, saved.Formation, NightOf(saved), true));
    report += SkippedLinesNote(journal.Damaged.size());
    HintLabel->setText(FromUtf8(report));
}

void PhotoWindow::ShowHint()
{
    QString hint;
    if (!photo_) {
        hint = QStringLiteral("Öffnen Sie ein Bild des Mondes (PNG, JPEG, TIFF oder FITS).");
    } else {
        switch (CurrentStep()) {
            case Step::Limb:
                hint = QStringLiteral(
                    "Klicken Sie Punkte auf den hellen Mondrand, mindestens 3, weit verteilt. "
                    "Mausrad: Zoom, Ziehen: Verschieben.");
                break;
            case Step::FirstFormation:
            case Step::SecondFormation:
                hint = QStringLiteral("Wählen Sie rechts eine Formation und klicken Sie sie im Bild an.");
                break;
            case Step::Shadow:
                hint = shadow_ && !shadow_->second ? QStringLiteral("Jetzt das Ende seines Schattens anklicken.")
                                                   : QStringLiteral(
                                                         "Klicken Sie einen Gipfel an, dann das Ende seines "
                                                         "Schattens. Zoomen Sie dazu nah heran.");
                break;
        }
    }
    HintLabel->setText(hint);
}

void PhotoWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Plus) return Guarded([this] { ZoomInClick(); });
    if (event->key() == Qt::Key_Minus) return Guarded([this] { ZoomOutClick(); });
    MireltaDialog::keyPressEvent(event);
}

void PhotoWindow::OkButtonClick() { LeaveDialog(); }
