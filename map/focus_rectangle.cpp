#include "map/focus_rectangle.h"

#include <algorithm>

namespace {

void TogglePixel(QImage& picture, int x, int y, QRgb mask)
{
    // The dots sit on a checkerboard, so the two long sides of a rectangle
    // and its corners always share the same pattern.
    if ((x + y) % 2 != 0 || !picture.valid(x, y)) return;
    QRgb pixel = picture.pixel(x, y);
    picture.setPixel(x, y, qRgb(qRed(pixel) ^ qRed(mask), qGreen(pixel) ^ qGreen(mask), qBlue(pixel) ^ qBlue(mask)));
}

}  // namespace

void DrawFocusRectangle(QImage& picture, QPoint corner1, QPoint corner2, const QColor& xorColour)
{
    const QRgb mask = xorColour.rgb();
    const int left = std::min(corner1.x(), corner2.x()), right = std::max(corner1.x(), corner2.x());
    const int top = std::min(corner1.y(), corner2.y()), bottom = std::max(corner1.y(), corner2.y());
    // Each pixel of the outline exactly once, so a second call undoes the first.
    for (int x = left; x <= right; ++x) {
        TogglePixel(picture, x, top, mask);
        if (bottom != top) TogglePixel(picture, x, bottom, mask);
    }
    for (int y = top + 1; y < bottom; ++y) {
        TogglePixel(picture, left, y, mask);
        if (right != left) TogglePixel(picture, right, y, mask);
    }
}
