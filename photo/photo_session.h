#pragma once
// What the window "Höhe aus Foto" computes from the user's clicks, apart
// from the widgets: the Moon's globe at the moment of the picture, the limb
// circle, the calibration and the prediction drawn over the picture, and
// the texts that report them.

#include "astronomy/moon_globe.h"
#include "astronomy/observation_state.h"
#include "photo/limb_circle.h"
#include "photo/photo_calibration.h"
#include "photo/photo_overlay.h"

#include <optional>
#include <string>
#include <vector>

/// When and where the picture was taken.
struct PhotoSetting {
    int Day = 1;  ///< MEZ
    int Month = 1;
    int Year = 2000;
    int Hour = 0;
    int Minute = 0;
    std::string SiteName;
    double Latitude = 0;   ///< degrees, north positive
    double Longitude = 0;  ///< degrees, east positive
};

/// `base` (for everything but the date, time and site) set to the
/// picture's moment and site. The program's own observation is never changed:
/// the window computes on such a copy.
ObservationState PhotoState(const ObservationState& base, const PhotoSetting& setting);

/// A formation of the catalogue identified in the picture.
struct ClickedFormation {
    std::string Name;
    SelenographicPoint Place;  ///< degrees
    ImagePoint Clicked;        ///< pixels
};

struct PhotoCalibrationResult {
    std::optional<LimbCircle> Limb;               ///< from three limb points on
    double SemiDiameter = 0;                      ///< arcseconds, topocentric, at the moment
    std::optional<double> Scale;                  ///< pixels per arcsecond, with the limb
    std::optional<Orientation> Turn;              ///< with the limb and a formation
    std::optional<PhotoCalibration> Calibration;  ///< all of it: limb and at least one formation
    /// Formations on the far side of the Moon at the moment: never used.
    std::vector<std::string> HiddenFormations;
};

/// The calibration from the limb points and the formations clicked.
/// `mirrorForOne` is the user's mirror, used while one formation is known.
PhotoCalibrationResult CalibratePhoto(const MoonGlobe& globe, const std::vector<ImagePoint>& limbPoints,
                                      const std::vector<ClickedFormation>& formations, bool mirrorForOne);

/// "5 Randpunkte: Mitte 1523,4 / 1488,2 px, Radius 1402,7 px, Streuung 0,21 px";
/// "2 Randpunkte: mindestens 3 nötig"; "Die Randpunkte liegen auf einer Geraden".
std::string LimbText(std::size_t points, const std::optional<LimbCircle>& limb, char decimalSeparator);

/// "Maßstab 1,512 px/″ (Halbmesser 931,5″)"; empty without a limb.
std::string ScaleText(const PhotoCalibrationResult& result, char decimalSeparator);

/// "Norden 12,3° gegen den Uhrzeigersinn von oben, nicht gespiegelt;
/// Abweichung 0,8 px"; a request for a formation while there is none.
std::string TurnText(const PhotoCalibrationResult& result, std::size_t formations, char decimalSeparator);
