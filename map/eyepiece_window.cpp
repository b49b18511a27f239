#include "map/eyepiece_window.h"

#include "astronomy/angles.h"
#include "map/eyepiece_preferences.h"
#include "map/eyepiece_texts.h"
#include "platform/form_widgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>
#include <exception>
#include <unordered_map>

namespace {

const QString kAlbedoResource = QStringLiteral(":/moon_albedo.jpg");

constexpr int kGroupInset = 10;
constexpr int kRowHeight = 20;
constexpr int kOrientationHeight = 140;
constexpr int kButtonHeight = 25;
constexpr int kButtonWidth = 121;

}  // namespace

EyepieceWindow::EyepieceWindow(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator,
                               FormationSource source, ChosenSource chosen, FormationChooser choose)
    : MireltaDialog(owner, messages, QStringLiteral("Mond im Okular"), kClientWidth, kClientHeight, true),
      state_(state),
      decimalSeparator_(decimalSeparator),
      source_(std::move(source)),
      chosen_(std::move(chosen)),
      choose_(std::move(choose))
{
    setObjectName(QStringLiteral("EyepieceWindow"));
    // The picture grows with the window; the panel keeps its width.
    setMinimumSize(kClientWidth, kClientHeight);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    View = new EyepieceView(this);
    View->setObjectName(QStringLiteral("View"));
    connect(View, &EyepieceView::Hovered, this, [this](bool onMoon, SelenographicPoint point, QString formation) {
        Guarded([&] { ViewHovered(onMoon, point, formation); });
    });
    connect(View, &EyepieceView::FormationClicked, this,
            [this](QString name) { Guarded([&] { ViewFormationClicked(name); }); });

    HoverLabel = new QLabel(this);
    HoverLabel->setObjectName(QStringLiteral("HoverLabel"));
    HoverLabel->setFont(FormFont());

    CreateOrientationGroup();

    TonightGroup = PlaceGroup(this, "TonightGroup", QStringLiteral("Heute"), 0, 0, kPanelWidth, 100);
    TonightLabel = new QLabel(TonightGroup);
    TonightLabel->setObjectName(QStringLiteral("TonightLabel"));
    TonightLabel->setFont(FormFont());
    TonightLabel->setWordWrap(true);
    TonightLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TonightLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    CloseButton = PlaceButton(this, "CloseButton", QStringLiteral("Schließen"), 0, 0, kButtonWidth, kButtonHeight);
    CloseButton->setStatusTip(QStringLiteral("Fenster schließen"));
    OnClick(CloseButton, &EyepieceWindow::CloseButtonClick);
    SetKeyButtons(nullptr, CloseButton);

    const ViewOrientation orientation = ReadEyepieceOrientation();
    (orientation.ZenithUp ? ZenithUpButton : NorthUpButton)->setChecked(true);
    MirroredBox->setChecked(orientation.Mirrored);
    Rotated180Box->setChecked(orientation.Rotated180);
    View->SetOrientation(orientation);
    ArrangeControls();
}

void EyepieceWindow::CreateOrientationGroup()
{
    OrientationGroup =
        PlaceGroup(this, "OrientationGroup", QStringLiteral("Ausrichtung"), 0, 0, kPanelWidth, kOrientationHeight);
    const auto place = [this](QAbstractButton* button, const char* name, int row, const QString& hint) {
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(FormFont());
        button->setGeometry(kGroupInset, 18 + row * kRowHeight, kPanelWidth - 2 * kGroupInset, kRowHeight);
        button->setStatusTip(hint);
        connect(button, &QAbstractButton::clicked, this, [this] { Guarded([this] { OrientationClick(); }); });
    };
    NorthUpButton = new QRadioButton(QStringLiteral("Norden oben"), OrientationGroup);
    place(NorthUpButton, "NorthUpButton", 0, QStringLiteral("Himmelsnorden oben, Osten links, wie mit bloßem Auge"));
    ZenithUpButton = new QRadioButton(QStringLiteral("Zenit oben"), OrientationGroup);
    place(ZenithUpButton, "ZenithUpButton", 1,
          QStringLiteral("Der Zenit oben, wie im Okular einer azimutalen Montierung"));
    MirroredBox = new QCheckBox(QStringLiteral("gespiegelt"), OrientationGroup);
    place(MirroredBox, "MirroredBox", 2, QStringLiteral("Seitenverkehrt, wie mit einem Zenitspiegel"));
    Rotated180Box = new QCheckBox(QStringLiteral("um 180° gedreht"), OrientationGroup);
    place(Rotated180Box, "Rotated180Box", 3,
          QStringLiteral("Auf dem Kopf, wie im Newton oder im Linsenfernrohr ohne Zenitspiegel"));
    WholeMoonButton = PlaceButton(OrientationGroup, "WholeMoonButton", QStringLiteral("Ganzer Mond"), kGroupInset,
                                  18 + 4 * kRowHeight + 4, kButtonWidth, kButtonHeight);
    WholeMoonButton->setStatusTip(
        QStringLiteral("Den ganzen Mond zeigen (Zoom mit Mausrad, + und -, "
                       "Verschieben mit der Maus oder den Pfeiltasten)"));
    OnClick(WholeMoonButton, &EyepieceWindow::WholeMoonClick);
}

void EyepieceWindow::ArrangeControls()
{
    const int viewWidth = width() - 3 * kMargin - kPanelWidth;
    const int viewHeight = height() - 2 * kMargin - 4 - kHoverHeight;
    View->setGeometry(kMargin, kMargin, viewWidth, viewHeight);
    HoverLabel->setGeometry(kMargin, kMargin + viewHeight + 4, viewWidth, kHoverHeight);
    const int panelLeft = kMargin + viewWidth + kMargin;
    OrientationGroup->move(panelLeft, kMargin);
    const int tonightTop = kMargin + kOrientationHeight + kMargin;
    const int closeTop = height() - kMargin - kButtonHeight;
    TonightGroup->setGeometry(panelLeft, tonightTop, kPanelWidth, closeTop - kMargin - tonightTop);
    TonightLabel->setGeometry(kGroupInset, 22, kPanelWidth - 2 * kGroupInset, TonightGroup->height() - 28);
    CloseButton->move(panelLeft + kPanelWidth - kButtonWidth, closeTop);
}

void EyepieceWindow::resizeEvent(QResizeEvent* event)
{
    MireltaDialog::resizeEvent(event);
    ArrangeControls();
}

void EyepieceWindow::LoadAlbedo()
{
    if (!albedo_.Empty()) return;
    const QImage map = QImage(kAlbedoResource).convertToFormat(QImage::Format_Grayscale8);
    // Never without a picture: a plain grey Moon still shows phase,
    // libration and the names.
    const std::uint8_t grey = 180;
    albedo_ = map.isNull()
                  ? AlbedoTexture({1, 1, &grey, 1})
                  : AlbedoTexture({map.width(), map.height(), map.constBits(), static_cast<int>(map.bytesPerLine())});
    View->SetAlbedo(&albedo_);
}

void EyepieceWindow::FormCreate()
{
    if (!isVisible()) CentreOverOwner();
    LoadAlbedo();

    // A catalogue that cannot be read takes the names away, not the Moon:
    // the picture and the panel are made, then the error is reported.
    std::exception_ptr unreadable;
    std::shared_ptr<const std::vector<CatalogueFormation>> catalogue;
    try {
        if (source_) catalogue = source_();
    } catch (const std::exception&) {
        unreadable = std::current_exception();
    }
    if (!catalogue) catalogue = std::make_shared<const std::vector<CatalogueFormation>>();
    if (catalogue != catalogue_) {
        placed_ = PlaceFormations(*catalogue);
        catalogue_ = std::move(catalogue);
    }
    ObservationState scratch = state_;
    globe_ = ViewMoonGlobe(scratch);
    const TerminatorSurvey survey = SurveyTerminator(scratch, placed_);
    const MoonTonight tonight = LookAtTonight(state_, globe_);

    std::vector<ViewFormation> formations;
    formations.reserve(placed_.Formations.size());
    std::unordered_map<std::string, std::size_t> byName;
    for (std::size_t i = 0; i < placed_.Formations.size(); ++i) {
        formations.push_back({placed_.Formations[i]->Name, placed_.Points[i]});
        byName.emplace(formations.back().Name, i);
    }
    std::vector<std::size_t> named;
    for (const TerminatorFormation& formation : survey.Formations)
        if (const auto found = byName.find(formation.Name); found != byName.end()) named.push_back(found->second);
    View->SetMoon(globe_, std::move(formations), std::move(named));
    ChosenChanged();

    TonightLabel->setText(QString::fromStdString(TonightText(state_, tonight, survey, decimalSeparator_)));
    if (unreadable) std::rethrow_exception(unreadable);
}

void EyepieceWindow::ChosenChanged() { View->SetChosen(chosen_ ? chosen_() : std::string()); }

ViewOrientation EyepieceWindow::ChosenOrientation() const
{
    return {ZenithUpButton->isChecked(), MirroredBox->isChecked(), Rotated180Box->isChecked()};
}

void EyepieceWindow::OrientationClick()
{
    const ViewOrientation orientation = ChosenOrientation();
    View->SetOrientation(orientation);
    WriteEyepieceOrientation(orientation);
}

void EyepieceWindow::WholeMoonClick() { View->ShowWholeMoon(); }

void EyepieceWindow::CloseButtonClick() { hide(); }

void EyepieceWindow::ViewHovered(bool onMoon, SelenographicPoint point, const QString& formation)
{
    if (!onMoon) {
        HoverLabel->clear();
        return;
    }
    const double sunAltitude =
        std::asin(std::clamp(Dot(SelenographicToBody(point, 1.0), globe_.SunDirection), -1.0, 1.0)) / DegreeFactor;
    HoverLabel->setText(
        QString::fromStdString(HoverText(formation.toStdString(), point, sunAltitude, decimalSeparator_)));
}

void EyepieceWindow::ViewFormationClicked(const QString& name)
{
    if (choose_) choose_(name.toStdString());
    ChosenChanged();
}
