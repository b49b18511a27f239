#include "photo/photo_shadow.h"

#include "platform/number_text.h"

#include <cmath>
#include <numbers>

namespace {

// The model's shadow for this direction check: a summit of this height
// casts a shadow long enough to have a direction, whatever the Sun.
constexpr double DirectionCheckMetres = 1000.0;

std::string Rounded(double value, int decimals, char decimalSeparator)
{
    const double scale = std::pow(10.0, decimals);
    return FloatToText(std::round(value * scale) / scale, decimalSeparator);
}

std::string Metres(double metres) { return std::to_string(std::lround(metres)) + " m"; }

}  // namespace

PhotoShadow MeasurePhotoShadow(const ShadowScene& scene, const PhotoCalibration& calibration, ImagePoint summit,
                               ImagePoint tip)
{
    PhotoShadow shadow;
    shadow.SunAltitude = scene.SunAltitude;
    shadow.LengthPixels = std::hypot(tip.X - summit.X, tip.Y - summit.Y);
    const SkyOffset from = ImageToSky(calibration, summit);
    const SkyOffset to = ImageToSky(calibration, tip);
    shadow.LengthArcseconds = std::hypot(to.East - from.East, to.North - from.North);
    shadow.Result = HeightFromShadowLength(scene, shadow.LengthArcseconds);
    if (!shadow.Result.Height) return shadow;

    const double margin = 2 * ClickUncertaintyPixels / calibration.PixelsPerArcsecond;
    const double shorter = shadow.LengthArcseconds - margin;
    shadow.Lowest = shorter > 0 ? HeightFromShadowLength(scene, shorter).Height : 0.0;
    shadow.Highest = HeightFromShadowLength(scene, shadow.LengthArcseconds + margin).Height;

    if (const std::optional<ShadowOnSky> cast = CastShadow(scene, DirectionCheckMetres)) {
        const double predicted = std::atan2(cast->Tip.North - cast->Summit.North, cast->Tip.East - cast->Summit.East);
        const double clicked = std::atan2(to.North - from.North, to.East - from.East);
        double difference = std::abs(clicked - predicted) * 180 / std::numbers::pi;
        if (difference > 180) difference = 360 - difference;
        shadow.DirectionDeviation = difference;
    }
    return shadow;
}

std::string PhotoHeightText(const PhotoShadow& shadow)
{
    if (!shadow.Result.Height)
        return shadow.Result.Reason == NoHeightReason::OutOfRange ? "keine Länge" : NoHeightText(shadow.Result.Reason);
    std::string text = "Höhe " + Metres(*shadow.Result.Height);
    if (shadow.Lowest && shadow.Highest)
        text += " (" + std::to_string(std::lround(*shadow.Lowest)) + " bis " + Metres(*shadow.Highest) + ")";
    else if (shadow.Lowest)
        text += " (ab " + Metres(*shadow.Lowest) + ")";
    return text;
}

std::string PhotoShadowDetails(const PhotoShadow& shadow, char decimalSeparator)
{
    if (!shadow.Result.Height) {
        // The two reasons the transit's sentences tell in terms of the reticle.
        if (shadow.Result.Reason == NoHeightReason::OutOfRange)
            return "Gipfel und Schattenende liegen auf demselben Punkt: der Schatten hat keine Länge.";
        if (shadow.Result.Reason == NoHeightReason::Ambiguous)
            return "Die Länge dieses Schattens auf dem Bild wächst nicht mit der Höhe: sie ergibt keine eindeutige "
                   "Höhe.";
        return NoHeightExplanation(shadow.Result.Reason);
    }
    std::string text = "Schatten " + Rounded(shadow.LengthArcseconds, 2, decimalSeparator) +
                       "″ = " + Rounded(shadow.LengthPixels, 1, decimalSeparator) + " px, ±1 px je Ende; Sonne " +
                       Rounded(shadow.SunAltitude, 2, decimalSeparator) + "° hoch";
    if (shadow.DirectionDeviation)
        text += "; Richtung " + std::to_string(std::lround(*shadow.DirectionDeviation)) + "° neben der Vorhersage";
    return text;
}
