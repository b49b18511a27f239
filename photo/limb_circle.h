#pragma once
// The Moon's limb in the photograph: the circle through the points the
// user clicked on its lit edge. Its centre is the apparent centre of the
// disc, its radius the Moon's apparent semi-diameter in pixels.

#include "photo/photo_raster.h"

#include <optional>
#include <vector>

struct LimbCircle {
    ImagePoint Centre;       ///< pixels
    double Radius = 0;       ///< pixels
    double RmsResidual = 0;  ///< pixels, root mean square of the points' distances from the circle
};

/// The circle that fits the points best in the least-squares sense (the
/// sum of the squared distances of the points from the circle is least).
///
/// Returned: empty for fewer than three points, or for points that lie on
///   one straight line (or so nearly that no circle of reasonable size
///   fits: a radius above a thousand times their spread).
///
/// Notes:
///   1. An algebraic fit (Kasa) gives the start; Gauss-Newton steps on the
///      geometric distances then remove its bias toward small circles,
///      which grows when the points cover only a short arc, as they do on
///      the lit limb of a crescent.
std::optional<LimbCircle> FitLimbCircle(const std::vector<ImagePoint>& points);
