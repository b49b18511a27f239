#pragma once
// A mountain's shadow measured on a calibrated photograph: the summit and
// the far end of the shadow clicked in the picture give the shadow's
// length on the sky, and the height comes from the same model of the
// shadow that turns a timed transit into a height
// (astronomy/mountain_shadow.h), fed with that length.

#include "astronomy/mountain_shadow.h"
#include "photo/photo_calibration.h"

#include <optional>
#include <string>

/// How far each clicked end of a shadow may lie from the true one, pixels:
/// the uncertainty every photo height is given with.
inline constexpr double ClickUncertaintyPixels = 1.0;

struct PhotoShadow {
    double LengthPixels = 0;
    double LengthArcseconds = 0;  ///< in the tangent plane
    HeightResult Result;          ///< the height, or why there is none
    /// The heights for a shadow shorter and longer by ClickUncertaintyPixels
    /// at each end (2 pixels in all); the shorter one is 0 when the shadow
    /// is no longer than that.
    std::optional<double> Lowest, Highest;
    double SunAltitude = 0;  ///< degrees, the Sun over the formation's horizon
    /// Degrees between the clicked shadow and the one the model casts from
    /// the formation (its direction on the sky); a large angle means a
    /// wrong formation, a wrong moment or a misclicked end.
    std::optional<double> DirectionDeviation;
};

/// The shadow from `summit` to `tip` (pixels) of a mountain at the scene's
/// formation, through `calibration`.
PhotoShadow MeasurePhotoShadow(const ShadowScene& scene, const PhotoCalibration& calibration, ImagePoint summit,
                               ImagePoint tip);

/// "Höhe 2987 m (2903 bis 3077 m)"; the short reason instead when there is
/// no height ("Mondnacht").
std::string PhotoHeightText(const PhotoShadow& shadow);

/// "Schatten 14,21″ = 14,2 px, 1 px je Ende; Sonne 5,21° hoch; Richtung
/// 3° neben der Vorhersage", or the reason in a sentence.
std::string PhotoShadowDetails(const PhotoShadow& shadow, char decimalSeparator);
