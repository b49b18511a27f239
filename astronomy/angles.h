#pragma once
// Angle constants and the angle primitives every astronomical routine uses.

#include <optional>
#include <string_view>

/// Radians per degree, exactly the factor the program uses everywhere (pi/180).
inline constexpr double DegreeFactor = 0.0174532925199433;
/// 2 pi, to the digits the series were fitted with.
inline constexpr double TwoPi = 6.283185307179586;
/// pi / 2, returned by ArcSine for the arguments +1 and -1.
inline constexpr double HalfPi = 1.5707963267948966;

/// Two-argument arc tangent in degrees.
///
/// Given:
///   y, x   any finite doubles (the sine and cosine sides of the angle,
///          in any common scale)
/// Returned:
///   the angle in degrees, -180 < angle <= 180, whose sine has the sign of y
///   and whose cosine has the sign of x.
///
/// Notes:
///   1. Atan2Degrees(0, 0) is 0.
///   2. The arc tangent is always taken of a quotient of magnitude at most 1
///      (the smaller side over the larger), so the result is equally accurate
///      in every octant; equal magnitudes give exactly 45 degrees.
double Atan2Degrees(double y, double x);

/// Arc sine in radians.
///
/// Given:
///   x      sine of the angle, -1 <= x <= 1
/// Returned:
///   the angle in radians, -pi/2 <= angle <= pi/2; exactly HalfPi for x = 1
///   and -HalfPi for x = -1.
///
/// Notes:
///   1. Arguments that rounding pushed beyond +-1 by at most
///      ArcSineTolerance are treated as +-1.
///   2. Arguments further outside -1..1 (and non-finite ones) give NaN;
///      callers whose inputs may leave the domain check with
///      ArcSineInDomain first.
double ArcSine(double x);

/// How far beyond +-1 an arcsine argument may lie and still count as +-1.
inline constexpr double ArcSineTolerance = 1e-12;

/// ArcSine(x) when x is finite and within -1..1 (with ArcSineTolerance),
/// empty otherwise.
std::optional<double> ArcSineInDomain(double x);

/// Whether an angle typed as degrees, minutes and seconds is negative by its
/// degree text: the text begins with a minus sign after any blanks or tabs
/// (which the number conversion skips too). "-0" counts, so that -0 degrees
/// and 30 minutes give -0.5 degrees, and " -5" with 30 minutes gives -5.5.
bool DegreeTextIsNegative(std::string_view degreesText);

/// One step of building an angle from its degrees, minutes and seconds.
///
/// Given:
///   angle           the angle so far, degrees
///   negative        whether the angle is negative (by its degree field)
///   count           minutes or seconds to add
///   unitsPerDegree  60 for minutes, 3600 for seconds
/// Returned:
///   angle + count / unitsPerDegree, the part taken away from zero when
///   `negative`: -33 degrees and 30 minutes give -33.5.
double AddAnglePart(double angle, bool negative, double count, double unitsPerDegree);

/// Cosine and sine of the sum of two angles, from their cosines and sines.
///
/// Given:
///   c1, s1  cosine and sine of the first angle
///   c2, s2  cosine and sine of the second angle
/// Returned:
///   c      c1 c2 - s1 s2, the cosine of the sum
///   s      s1 c2 + c1 s2, the sine of the sum
///
/// Notes:
///   1. Applied to pairs scaled by factors f1 and f2 (f cos a, f sin a) it
///      returns the pair of the summed angle scaled by f1 f2; the lunar theory
///      relies on this for its factor-scaled multiple-angle tables.
///   2. c and s may alias c1 or s1: both results are formed from the inputs
///      before either is written.
void AddAngles(double c1, double s1, double c2, double s2, double& c, double& s);
