#pragma once
// The window "Höhe aus Foto": a photograph of the Moon opened read-only,
// calibrated by its limb and one or two formations against the Moon's
// globe at the moment it was taken, and the heights of mountains measured
// from the length of their shadows on it.
//
// The steps, each chosen on the right and done by clicks in the picture:
//   1. three or more points on the lit limb: the circle gives the disc's
//      centre and, with the Moon's semi-diameter, the scale;
//   2./3. a formation of the catalogue found in the picture (a second one
//      also tells a mirrored picture): the turn;
//   4. a summit and the far end of its shadow: the height.
// The prediction (limb, terminator, names, north and east) is drawn over
// the picture as soon as the calibration stands. The program's own
// observation (date, time, site) is never changed.

#include "astronomy/mountain_shadow.h"
#include "journal/measurement_journal.h"
#include "photo/photo_file.h"
#include "photo/photo_session.h"
#include "photo/photo_shadow.h"
#include "photo/photo_view.h"
#include "reports/terminator_list.h"
#include "windowbase/dialog_protocol.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

class PhotoWindow : public MireltaDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 1000;
    static constexpr int kClientHeight = 662;

    using FormationSource = std::function<std::shared_ptr<const std::vector<CatalogueFormation>>()>;
    /// Asks for the picture to open, starting in `folder`; an empty text
    /// cancels. Tests replace it.
    using PhotoChooser = std::function<QString(QWidget* parent, const QString& folder)>;

    /// What a click in the picture does.
    enum class Step { Limb, FirstFormation, SecondFormation, Shadow };

    PhotoWindow(QWidget* owner, MessageService& messages, const ObservationState& state, char decimalSeparator,
                FormationSource formations);

    void SetPhotoChooser(PhotoChooser chooser) { choosePhoto_ = std::move(chooser); }

    /// Reads the site list and the catalogue anew; a picture already open
    /// stays with its clicks.
    void FormCreate() override;

    // Handlers.
    void OpenButtonClick();               ///< "Öffnen...": a picture
    void OpenPhoto(const QString& path);  ///< reads it and starts its calibration afresh
    void MomentChange();                  ///< date, time, camera clock or site edited
    void StretchChange();                 ///< a slider moved
    void AutoStretchClick();              ///< "Automatisch"
    void ZoomInClick();                   ///< "+": one step closer, about the middle of the view
    void ZoomOutClick();                  ///< "-"
    void WholeClick();                    ///< "Ganzes Bild"
    void PictureClick(ImagePoint point);  ///< a click in the picture, for the current step
    void UndoButtonClick();               ///< "Zurücknehmen": the last point of the current step
    void SaveButtonClick();               ///< "Messung speichern": the shown height into messungen.csv
    void OkButtonClick();

    Step CurrentStep() const;
    const std::optional<PhotoFile>& Photo() const { return photo_; }
    const PhotoCalibrationResult& Calibration() const { return calibration_; }
    /// The shadow measured last, while its summit and tip stand.
    const std::optional<PhotoShadow>& MeasuredShadow() const { return measured_; }

    PhotoView* View = nullptr;
    QLabel* HintLabel = nullptr;

    QPushButton* OpenButton = nullptr;
    QLabel* FileLabel = nullptr;
    QLabel* FormatLabel = nullptr;
    QLineEdit* DateEdit = nullptr;
    QLineEdit* TimeEdit = nullptr;
    QLabel* MomentLabel = nullptr;
    QLineEdit* ClockEdit = nullptr;  ///< hours of the camera's clock east of UT
    QComboBox* SiteBox = nullptr;

    QSlider* BlackSlider = nullptr;
    QSlider* WhiteSlider = nullptr;
    QPushButton* AutoButton = nullptr;
    QPushButton* ZoomInButton = nullptr;
    QPushButton* ZoomOutButton = nullptr;
    QPushButton* WholeButton = nullptr;
    QLabel* ZoomLabel = nullptr;
    QCheckBox* PredictionBox = nullptr;

    QRadioButton* LimbStep = nullptr;
    QCheckBox* SnapBox = nullptr;
    QLabel* LimbLabel = nullptr;
    QRadioButton* FirstFormationStep = nullptr;
    QComboBox* FirstFormationBox = nullptr;
    QRadioButton* SecondFormationStep = nullptr;
    QComboBox* SecondFormationBox = nullptr;
    QCheckBox* MirrorBox = nullptr;
    QLabel* TurnLabel = nullptr;

    QRadioButton* ShadowStep = nullptr;
    QComboBox* MeasuredFormationBox = nullptr;
    QLabel* ResultLabel = nullptr;
    QLabel* DetailLabel = nullptr;

    QPushButton* UndoButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* OkButton = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreatePictureGroup();
    void CreateDisplayGroup();
    void CreateCalibrationGroup();
    void CreateMeasurementGroup();
    QComboBox* PlaceFormationBox(QWidget* parent, const char* name, int x, int y, int w);

    void FillSites();
    void FillFormations();
    /// The observation's moment in the date and time fields.
    void ShowObservationMoment();
    void ShowMoment(const CivilTime& mez);
    /// The camera clock's minutes east of UT for a picture whose moment is
    /// on it: from the file, the preferences or, once, the user. Empty for
    /// any other picture.
    std::optional<int> ClockOffsetFor(const PhotoFile& photo);
    /// Reads date, time, camera clock and site; nothing when a field is wrong.
    std::optional<PhotoSetting> ReadSetting();
    /// Computes the globe, the calibration, the prediction and the shadows
    /// anew from the clicks and shows them.
    void Recompute();
    /// The height of the clicked shadow, shown, and what "Messung
    /// speichern" would save.
    void MeasureShadow(const ObservationState& photoState, const ShadowView& view);
    void ShowHint();
    std::optional<ClickedFormation> Identified(QComboBox* box, const std::optional<ImagePoint>& clicked) const;
    const CatalogueFormation* FormationNamed(const QString& name) const;
    void ChooseNearestFormation(ImagePoint summit);

    const ObservationState& state_;
    char decimalSeparator_;
    FormationSource formationSource_;
    PhotoChooser choosePhoto_;

    std::shared_ptr<const std::vector<CatalogueFormation>> formations_;
    PlacedFormations placed_;
    std::optional<PhotoFile> photo_;
    std::shared_ptr<const PhotoRaster> raster_;
    std::optional<PhotoSetting> setting_;
    std::optional<MoonGlobe> globe_;

    std::vector<ImagePoint> limbPoints_;
    std::optional<ImagePoint> firstFormationAt_;
    std::optional<ImagePoint> secondFormationAt_;
    /// Summit and tip of the shadow being measured; the tip is empty until clicked.
    std::optional<std::pair<ImagePoint, std::optional<ImagePoint>>> shadow_;
    PhotoCalibrationResult calibration_;
    std::optional<PhotoShadow> measured_;
    /// The measurement "Messung speichern" saves; empty without a height.
    std::optional<JournalMeasurement> savable_;
};
