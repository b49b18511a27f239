#pragma once
// How the sky maps onto the photograph: a similarity (shift, scale,
// rotation, and a mirror for pictures taken through a diagonal) from the
// tangent-plane offsets of the Moon's globe (astronomy/moon_globe.h) to
// image pixels.
//
//   centre  the limb circle's centre: the apparent centre of the disc
//   scale   the limb circle's radius over the Moon's topocentric
//           semi-diameter at the moment of the picture
//   turn    from one or two formations identified in the picture
//
// Directions on the screen: without a mirror and without a turn north is up
// and east is left, as the Moon stands in the sky to the naked eye. The
// turn is the angle from "up" to north in the picture, counted
// counterclockwise on the screen; a mirrored picture shows east right.
// The arithmetic is the eyepiece view's (observing/sky_orientation.h), so
// the photograph and "Mond im Okular" turn the sky alike.

#include "astronomy/moon_globe.h"
#include "photo/photo_raster.h"

#include <optional>
#include <vector>

struct PhotoCalibration {
    ImagePoint Centre;              ///< pixels, the apparent centre of the disc
    double PixelsPerArcsecond = 1;  ///< scale
    double Turn = 0;                ///< degrees, counterclockwise from up to north, -180..180
    bool Mirrored = false;          ///< east right of north instead of left
};

/// Pixels per arcsecond from the limb circle: its radius over the
/// tangent-plane radius of the disc, tan(semi-diameter).
double ScaleFromLimb(double radiusPixels, double semiDiameterArcseconds);

/// Where a sky offset appears in the picture.
ImagePoint SkyToImage(const PhotoCalibration& calibration, SkyOffset offset);

/// The sky offset of a point of the picture (the inverse of SkyToImage).
SkyOffset ImageToSky(const PhotoCalibration& calibration, ImagePoint point);

/// A formation of the catalogue found in the picture.
struct IdentifiedFormation {
    SkyOffset Predicted;  ///< where the globe puts it, arcseconds from the disc's centre
    ImagePoint Clicked;   ///< where the user found it, pixels
};

/// The turn and mirror that carry the formations' predicted places nearest
/// to where they were clicked, centre and scale given.
struct Orientation {
    double Turn = 0;  ///< degrees, as in PhotoCalibration
    bool Mirrored = false;
    /// Pixels, the root mean square distance between the clicked places and
    /// the places the calibration predicts for them; with one formation the
    /// distance from the centre alone can disagree.
    double RmsResidual = 0;
};

/// Given:
///   centre, pixelsPerArcsecond  from the limb circle
///   formations                  one or more identified formations
///   mirrorForOne                the mirror to take when one formation
///                               cannot tell (the user's choice)
/// Returned: empty without formations or when every formation lies at
///   the centre. With two or more the mirror is the one with the smaller
///   residual, and the turn the least-squares one (Procrustes): the
///   direction of the sum of the formations' cross and dot products.
std::optional<Orientation> FitOrientation(ImagePoint centre, double pixelsPerArcsecond,
                                          const std::vector<IdentifiedFormation>& formations, bool mirrorForOne);
