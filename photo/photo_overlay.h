#pragma once
// What the calibration predicts for the photograph, drawn over it so that
// the user sees at once whether it fits: the limb, the terminator, the
// formations with their names, and where north and east point.

#include "astronomy/moon_globe.h"
#include "photo/photo_calibration.h"

#include <string>
#include <vector>

/// A formation to name in the overlay.
struct NamedPlace {
    std::string Name;
    SelenographicPoint Place;  ///< degrees
};

struct OverlayLabel {
    ImagePoint At;  ///< pixels, the formation's place
    std::string Name;
};

struct PhotoOverlay {
    std::vector<ImagePoint> Limb;                     ///< closed, pixels
    std::vector<std::vector<ImagePoint>> Terminator;  ///< its runs on the visible side, pixels
    std::vector<OverlayLabel> Formations;             ///< those on the visible side
    ImagePoint Centre;                                ///< the centre of the disc
    ImagePoint North;                                 ///< a fifth of the radius from the centre toward north
    ImagePoint East;                                  ///< likewise toward east
};

/// The overlay for a globe seen through a calibration.
///
/// Notes:
///   1. The limb is the circle of the disc's tangent-plane radius around
///      the centre, 360 points. The terminator is the great circle of the
///      sphere at a right angle to the Sun's direction, 720 points, of which
///      the runs the site sees are kept (VisibleFromSite).
PhotoOverlay PredictOverlay(const MoonGlobe& globe, const PhotoCalibration& calibration,
                            const std::vector<NamedPlace>& formations);
