#include "photo/photo_overlay.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int LimbPoints = 360;
constexpr int TerminatorPoints = 720;
constexpr double ArcsecondsPerRadian = 206264.80624709636;
constexpr double ArrowShareOfRadius = 0.2;

// Two unit vectors at right angles to `axis` and to each other.
void PlaneAround(Vector3 axis, Vector3& u, Vector3& v)
{
    const Vector3 helper = std::abs(axis.Z) < 0.9 ? Vector3{0, 0, 1} : Vector3{1, 0, 0};
    u = Unit(Cross(axis, helper));
    v = Cross(axis, u);
}

}  // namespace

PhotoOverlay PredictOverlay(const MoonGlobe& globe, const PhotoCalibration& calibration,
                            const std::vector<NamedPlace>& formations)
{
    PhotoOverlay overlay;
    const double radius = std::tan(SemiDiameterFromSite(globe) / ArcsecondsPerRadian) * ArcsecondsPerRadian;
    for (int i = 0; i <= LimbPoints; ++i) {
        const double a = 2 * std::numbers::pi * i / LimbPoints;
        overlay.Limb.push_back(SkyToImage(calibration, {radius * std::cos(a), radius * std::sin(a)}));
    }

    Vector3 u, v;
    PlaneAround(Unit(globe.SunDirection), u, v);
    std::vector<ImagePoint> run;
    for (int i = 0; i <= TerminatorPoints; ++i) {
        const double a = 2 * std::numbers::pi * i / TerminatorPoints;
        const Vector3 point = MoonRadiusKm * (std::cos(a) * u + std::sin(a) * v);
        if (VisibleFromSite(globe, point)) {
            run.push_back(SkyToImage(calibration, SkyOffsetFromSite(globe, point)));
        } else if (!run.empty()) {
            overlay.Terminator.push_back(std::move(run));
            run.clear();
        }
    }
    if (!run.empty()) {
        // The circle closes where it began: a run through the start joins the first one.
        if (!overlay.Terminator.empty() && VisibleFromSite(globe, MoonRadiusKm * u))
            overlay.Terminator.front().insert(overlay.Terminator.front().begin(), run.begin(), run.end());
        else
            overlay.Terminator.push_back(std::move(run));
    }

    for (const NamedPlace& formation : formations) {
        const Vector3 point = SelenographicToBody(formation.Place);
        if (!VisibleFromSite(globe, point)) continue;
        overlay.Formations.push_back({SkyToImage(calibration, SkyOffsetFromSite(globe, point)), formation.Name});
    }

    const double arrow = ArrowShareOfRadius * radius;
    overlay.Centre = calibration.Centre;
    overlay.North = SkyToImage(calibration, {0, arrow});
    overlay.East = SkyToImage(calibration, {arrow, 0});
    return overlay;
}
