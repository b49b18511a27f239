#pragma once
// The window "Mond im Okular": the Moon as it looks in the eyepiece at the
// observation's moment and site (libration, phase and tilt seen from the
// site), turned as the observer's telescope shows it, with the panel "Heute"
// (rise and set, phase, libration, the formations at the terminator).
//
// It is not modal: it may stay open beside the main window, and the main
// window runs its FormCreate again after every change of time or site. A
// click on a formation chooses it in the main window.
//
// Opening it takes 8 to 13 ms; the first opening after the start 65 ms, most
// of it decoding the albedo map (bench/eyepiece_bench).

#include "astronomy/observation_state.h"
#include "map/eyepiece_view.h"
#include "reports/terminator_list.h"
#include "windowbase/dialog_protocol.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class EyepieceWindow : public MireltaDialog {
    Q_OBJECT
public:
    static constexpr int kViewSize = 640;
    static constexpr int kPanelWidth = 300;
    static constexpr int kMargin = 8;
    static constexpr int kHoverHeight = 18;
    static constexpr int kClientWidth = kMargin + kViewSize + kMargin + kPanelWidth + kMargin;
    static constexpr int kClientHeight = kMargin + kViewSize + 4 + kHoverHeight + kMargin;

    /// Where the formations come from (the catalogue as it is at every
    /// opening), what the main window has chosen, and what choosing one here
    /// does (the main window's choice of that name in its object list).
    using FormationSource = std::function<std::shared_ptr<const std::vector<CatalogueFormation>>()>;
    using ChosenSource = std::function<std::string()>;
    using FormationChooser = std::function<void(const std::string& name)>;

    EyepieceWindow(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator,
                   FormationSource source, ChosenSource chosen, FormationChooser choose);

    /// Draws the Moon and fills the panel for the state's date, time and
    /// site; centres the window over the main window when it is not shown
    /// yet. Runs at every opening and after every change of time or site.
    void FormCreate() override;

    /// The formation chosen in the main window changed.
    void ChosenChanged();

    /// The orientation controls changed: turn the picture and keep the
    /// choice for the next run.
    void OrientationClick();

    /// The globe the picture shows (of the last FormCreate).
    const MoonGlobe& Globe() const { return globe_; }

    /// "Ganzer Mond".
    void WholeMoonClick();

    /// "Schließen" and Escape: hides the window.
    void CloseButtonClick();

    /// The pointer over the picture.
    void ViewHovered(bool onMoon, SelenographicPoint point, const QString& formation);

    /// A click on a formation of the picture: chooses it in the main window.
    void ViewFormationClicked(const QString& name);

    EyepieceView* View = nullptr;
    QLabel* HoverLabel = nullptr;
    QGroupBox* OrientationGroup = nullptr;
    QRadioButton* NorthUpButton = nullptr;
    QRadioButton* ZenithUpButton = nullptr;
    QCheckBox* MirroredBox = nullptr;
    QCheckBox* Rotated180Box = nullptr;
    QPushButton* WholeMoonButton = nullptr;
    QGroupBox* TonightGroup = nullptr;
    QLabel* TonightLabel = nullptr;
    QPushButton* CloseButton = nullptr;

protected:
    void CloseRequested() override { hide(); }
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateOrientationGroup();
    void LoadAlbedo();
    void ArrangeControls();
    ViewOrientation ChosenOrientation() const;

    ObservationState& state_;
    char decimalSeparator_;
    FormationSource source_;
    ChosenSource chosen_;
    FormationChooser choose_;
    std::shared_ptr<const std::vector<CatalogueFormation>> catalogue_;
    PlacedFormations placed_;
    AlbedoTexture albedo_;
    MoonGlobe globe_;
};
