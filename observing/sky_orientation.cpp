#include "observing/sky_orientation.h"

#include "astronomy/angles.h"

#include <cmath>

SkyScreenTransform::SkyScreenTransform(double upAngle, bool mirrored, double pixelsPerArcsecond)
    : upAngle_(upAngle), mirrored_(mirrored), scale_(pixelsPerArcsecond)
{
    // A direction of position angle theta is shown as theta - upAngle would
    // be without turning: E' = E cos u - N sin u, N' = N cos u + E sin u,
    // then Right = -E', Down = -N'.
    const double u = upAngle * DegreeFactor;
    const double cu = std::cos(u), su = std::sin(u);
    a_ = -cu;
    b_ = su;
    c_ = -su;
    d_ = -cu;
    if (mirrored) {
        a_ = -a_;
        b_ = -b_;
    }
}

ScreenOffset SkyScreenTransform::ToScreen(SkyOffset sky) const
{
    return {(a_ * sky.East + b_ * sky.North) * scale_, (c_ * sky.East + d_ * sky.North) * scale_};
}

SkyOffset SkyScreenTransform::ToSky(ScreenOffset screen) const
{
    // The matrix is orthogonal: its inverse is its transpose.
    const double right = screen.Right / scale_, down = screen.Down / scale_;
    return {a_ * right + c_ * down, b_ * right + d_ * down};
}

ScreenOffset SkyScreenTransform::DirectionOf(double positionAngle) const
{
    const double p = positionAngle * DegreeFactor;
    return {a_ * std::sin(p) + b_ * std::cos(p), c_ * std::sin(p) + d_ * std::cos(p)};
}

double UpPositionAngle(const ViewOrientation& orientation, double parallacticAngle)
{
    double up = orientation.ZenithUp ? parallacticAngle : 0.0;
    if (orientation.Rotated180) up += 180.0;
    return up;
}

SkyScreenTransform OrientedTransform(const ViewOrientation& orientation, double parallacticAngle,
                                     double pixelsPerArcsecond)
{
    return SkyScreenTransform(UpPositionAngle(orientation, parallacticAngle), orientation.Mirrored, pixelsPerArcsecond);
}
