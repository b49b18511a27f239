#pragma once
// Setting a clicked limb point onto the edge itself: a click lands within a
// pixel or two of the limb, the edge in the picture is sharper than that.

#include "photo/photo_raster.h"

#include <optional>

/// How far from the click the edge is looked for, pixels.
inline constexpr double EdgeSearchPixels = 4.0;

/// The point of the nearest brightness edge through a click: where the
/// brightness, followed across the edge, passes halfway between the dark
/// and the bright side.
///
/// Returned: empty when there is no clear edge within EdgeSearchPixels
///   (the two sides differ by less than six times the noise of single
///   pixels there);
///   the caller then keeps the click.
///
/// Notes:
///   1. The direction across the edge is the mean brightness gradient in a
///      square of 7 x 7 pixels around the click. Along it the brightness is
///      read every quarter pixel, each value the mean of five samples on a
///      line 2 pixels long along the edge, which calms the noise.
///   2. The dark and the bright level are the means of the outer quarter
///      on each side of the profile; the profile is taken again about the
///      crossing found (three looks), so that both lie equally far from
///      the edge. For an edge blurred symmetrically (by
///      seeing or focus) the halfway point is the edge's place; on a
///      circle of radius r the curvature moves it by about sigma^2 / 2r,
///      a thousandth of a pixel for a blur of 1.5 pixels and r = 1000.
std::optional<ImagePoint> SnapToEdge(const PhotoRaster& raster, ImagePoint click);
