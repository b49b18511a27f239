#pragma once
// How a picture of the Moon is turned on the screen: north up or zenith up,
// mirrored by a star diagonal, turned by 180 degrees by a Newtonian. The
// plain linear map between offsets on the sky (arcseconds east and north of
// the disc's apparent centre, astronomy/moon_globe.h) and offsets on the
// screen (pixels right and down of the picture's centre of the disc), used
// by every picture that must look like the sky in the eyepiece.

#include "astronomy/moon_globe.h"

/// The orientation the observer chose.
struct ViewOrientation {
    bool ZenithUp = false;    ///< "Zenit oben": the zenith up; otherwise "Norden oben"
    bool Mirrored = false;    ///< "gespiegelt": left and right exchanged (star diagonal)
    bool Rotated180 = false;  ///< "um 180° gedreht" (Newtonian, refractor without diagonal)

    friend bool operator==(const ViewOrientation&, const ViewOrientation&) = default;
};

/// An offset on the screen, pixels: to the right and downward.
struct ScreenOffset {
    double Right = 0;
    double Down = 0;
};

/// The sky as the screen shows it: a rotation (and for a mirrored view a
/// reflection) and a scale, the same everywhere in the picture.
///
/// Without turning, north is up and east left, as the naked eye sees the
/// Moon in the sky: an offset East, North (arcseconds) lies at
/// Right = -East * scale, Down = -North * scale. The direction of position
/// angle `UpAngle` (degrees from north through east) is turned to the top;
/// a mirrored view then exchanges left and right.
class SkyScreenTransform {
public:
    SkyScreenTransform() = default;

    /// Given: the position angle shown up, degrees, any value; whether the
    /// view is mirrored; the scale, pixels per arcsecond (> 0).
    SkyScreenTransform(double upAngle, bool mirrored, double pixelsPerArcsecond);

    /// The screen offset of a sky offset.
    ScreenOffset ToScreen(SkyOffset sky) const;

    /// The sky offset of a screen offset (the inverse of ToScreen).
    SkyOffset ToSky(ScreenOffset screen) const;

    /// The screen direction (a unit offset) in which a direction of the sky
    /// points: position angle, degrees from north through east.
    ScreenOffset DirectionOf(double positionAngle) const;

    double UpAngle() const { return upAngle_; }
    bool Mirrored() const { return mirrored_; }
    double PixelsPerArcsecond() const { return scale_; }

private:
    double upAngle_ = 0;
    bool mirrored_ = false;
    double scale_ = 1;
    // Right = (a E + b N) scale, Down = (c E + d N) scale.
    double a_ = -1, b_ = 0, c_ = 0, d_ = -1;
};

/// The position angle shown up for an orientation: 0 (north) or the
/// parallactic angle (degrees, ParallacticAngleFromSite) for "Zenit oben",
/// plus 180 when turned by 180 degrees.
double UpPositionAngle(const ViewOrientation& orientation, double parallacticAngle);

/// The transform for an orientation, a parallactic angle (degrees) and a
/// scale (pixels per arcsecond).
SkyScreenTransform OrientedTransform(const ViewOrientation& orientation, double parallacticAngle,
                                     double pixelsPerArcsecond);
