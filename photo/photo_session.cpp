#include "photo/photo_session.h"

#include "platform/number_text.h"

#include <cmath>

namespace {

// Rounded to `decimals` places, with the regional separator.
std::string Fixed(double value, int decimals, char decimalSeparator)
{
    const double scale = std::pow(10.0, decimals);
    std::string text = FloatToText(std::round(value * scale) / scale, decimalSeparator);
    // Whole values show their decimals too, so that columns of numbers read alike.
    if (decimals > 0 && text.find(decimalSeparator) == std::string::npos)
        text += decimalSeparator + std::string(decimals, '0');
    return text;
}

}  // namespace

ObservationState PhotoState(const ObservationState& base, const PhotoSetting& setting)
{
    ObservationState state = base;
    state.Day = static_cast<std::uint16_t>(setting.Day);
    state.Month = static_cast<std::uint16_t>(setting.Month);
    state.Year = static_cast<std::uint16_t>(setting.Year);
    state.Hour = static_cast<std::uint16_t>(setting.Hour);
    state.Minute = static_cast<std::uint16_t>(setting.Minute);
    state.SiteName = setting.SiteName;
    state.Latitude = setting.Latitude;
    state.Longitude = setting.Longitude;
    return state;
}

PhotoCalibrationResult CalibratePhoto(const MoonGlobe& globe, const std::vector<ImagePoint>& limbPoints,
                                      const std::vector<ClickedFormation>& formations, bool mirrorForOne)
{
    PhotoCalibrationResult result;
    result.SemiDiameter = SemiDiameterFromSite(globe);
    result.Limb = FitLimbCircle(limbPoints);
    if (!result.Limb) return result;
    result.Scale = ScaleFromLimb(result.Limb->Radius, result.SemiDiameter);

    std::vector<IdentifiedFormation> identified;
    for (const ClickedFormation& f : formations) {
        const Vector3 point = SelenographicToBody(f.Place);
        if (!VisibleFromSite(globe, point)) {
            result.HiddenFormations.push_back(f.Name);
            continue;
        }
        identified.push_back({SkyOffsetFromSite(globe, point), f.Clicked});
    }
    result.Turn = FitOrientation(result.Limb->Centre, *result.Scale, identified, mirrorForOne);
    if (result.Turn)
        result.Calibration =
            PhotoCalibration{result.Limb->Centre, *result.Scale, result.Turn->Turn, result.Turn->Mirrored};
    return result;
}

std::string LimbText(std::size_t points, const std::optional<LimbCircle>& limb, char decimalSeparator)
{
    const std::string count = std::to_string(points) + (points == 1 ? " Randpunkt" : " Randpunkte");
    if (points < 3) return count + ": mindestens 3 nötig";
    if (!limb) return count + ": sie liegen auf einer Geraden, kein Kreis";
    return count + ": Mitte " + Fixed(limb->Centre.X, 1, decimalSeparator) + " / " +
           Fixed(limb->Centre.Y, 1, decimalSeparator) + " px, Radius " + Fixed(limb->Radius, 1, decimalSeparator) +
           " px, Streuung " + Fixed(limb->RmsResidual, 2, decimalSeparator) + " px";
}

std::string ScaleText(const PhotoCalibrationResult& result, char decimalSeparator)
{
    if (!result.Scale) return {};
    return "Maßstab " + Fixed(*result.Scale, 3, decimalSeparator) + " px/″ (Halbmesser " +
           Fixed(result.SemiDiameter, 1, decimalSeparator) + "″)";
}

std::string TurnText(const PhotoCalibrationResult& result, std::size_t formations, char decimalSeparator)
{
    std::string text;
    if (!result.HiddenFormations.empty())
        text = result.HiddenFormations.front() + " liegt zu dieser Zeit auf der abgewandten Seite. ";
    if (!result.Limb) return text + "Erst den Rand kalibrieren.";
    if (!result.Turn) return text + "Eine oder zwei Formationen im Bild anklicken.";
    text += "Norden " + Fixed(result.Turn->Turn, 1, decimalSeparator) + "° gegen den Uhrzeigersinn von oben, " +
            (result.Turn->Mirrored ? "gespiegelt" : "nicht gespiegelt");
    text += formations >= 2 ? "; Abweichung " : "; Abstand zur Mitte weicht ab um ";
    return text + Fixed(result.Turn->RmsResidual, 1, decimalSeparator) + " px";
}
