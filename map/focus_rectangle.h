#pragma once
// The rubber band drawn while a frame is dragged on the map: a dotted
// rectangle combined with the picture by exclusive-or, so that drawing the
// same rectangle a second time restores every pixel.

#include <QColor>
#include <QImage>
#include <QPoint>

/// Draws the dotted outline of the rectangle spanned by `corner1` and
/// `corner2` (either order, both corners included), every other pixel, each
/// combined with `xorColour` by exclusive-or. Pixels outside the picture are
/// skipped.
void DrawFocusRectangle(QImage& picture, QPoint corner1, QPoint corner2, const QColor& xorColour);
