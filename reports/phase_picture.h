#pragma once
// The picture of the Moon's phase, and the few raster operations it is
// drawn with. Every operation sets whole pixels of a QImage in one colour:
// no antialiasing, so that a flood fill stops exactly at a drawn outline.

#include <QImage>
#include <QPoint>
#include <QRect>

/// Draws, one pixel wide, the part of the ellipse that just fits `box` (its
/// corners are the outermost pixels of the ellipse, both inclusive) that
/// runs counterclockwise on the screen from the ray through `start` to the
/// ray through `end`, both rays leaving the ellipse's centre. Equal rays
/// give the whole ellipse; a box of zero width or height draws nothing.
/// The outline is 8-connected, so a 4-connected fill cannot cross it.
void DrawEllipticArc(QImage& image, const QRect& box, QPoint start, QPoint end, QRgb colour);

/// Draws a one-pixel line from `from` to `to`, both ends included.
void DrawLine(QImage& image, QPoint from, QPoint to, QRgb colour);

/// Paints `fill` from `seed` outward over every pixel reachable through
/// left, right, upper and lower neighbours without crossing a pixel of the
/// colour `border`. Nothing happens when `seed` itself has that colour or
/// lies outside the image.
void FloodFill(QImage& image, QPoint seed, QRgb border, QRgb fill);

/// Size of the phase picture, pixels.
inline constexpr int kPhasePictureWidth = 130;
inline constexpr int kPhasePictureHeight = 120;

/// The Moon's disc as lit at a phase number (the Moon's age rounded to whole
/// days, PhaseNumber): white on black, lit on the right while waxing
/// (1 to 13), on the left while waning (14 to 27); the full disc at 14, the
/// first quarter at 7 and the last quarter at 21 cut by a line at x = 64;
/// all black at 0 and from 28 on.
QImage PhasePicture(int phaseNumber);
