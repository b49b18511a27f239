#include "photo/photo_display.h"

#include <algorithm>
#include <cmath>

namespace {

// Copies are made down to this size on their longer side.
constexpr int SmallestCopy = 256;

}  // namespace

PhotoPyramid::PhotoPyramid(std::shared_ptr<const PhotoRaster> full) : full_(std::move(full))
{
    const PhotoRaster* last = full_.get();
    while (std::max(last->Width, last->Height) > SmallestCopy) {
        reduced_.push_back(HalvedRaster(*last));
        last = &reduced_.back();
    }
}

ImagePoint PictureAt(const ViewPlace& place, QPointF screen)
{
    return {place.TopLeft.X + screen.x() / place.Zoom, place.TopLeft.Y + screen.y() / place.Zoom};
}

QPointF ScreenAt(const ViewPlace& place, ImagePoint picture)
{
    return {(picture.X - place.TopLeft.X) * place.Zoom, (picture.Y - place.TopLeft.Y) * place.Zoom};
}

QImage RenderView(const PhotoPyramid& pyramid, const std::vector<std::uint8_t>& table, const ViewPlace& place,
                  QSize size, std::uint8_t background)
{
    QImage view(size, QImage::Format_Grayscale8);
    view.fill(background);
    if (size.isEmpty() || !(place.Zoom > 0)) return view;

    // The copy with at least one of its pixels per screen pixel.
    int level = 0;
    while (level + 1 < pyramid.Levels() && place.Zoom * (1 << (level + 1)) <= 1.0) ++level;
    const PhotoRaster& raster = pyramid.Level(level);
    const double factor = 1 << level;

    // The picture column of every screen column, -1 beside the picture.
    std::vector<int> columns(static_cast<std::size_t>(size.width()));
    for (int sx = 0; sx < size.width(); ++sx) {
        const double x = std::floor((place.TopLeft.X + (sx + 0.5) / place.Zoom) / factor);
        columns[sx] = x >= 0 && x < raster.Width ? static_cast<int>(x) : -1;
    }
    for (int sy = 0; sy < size.height(); ++sy) {
        const double y = std::floor((place.TopLeft.Y + (sy + 0.5) / place.Zoom) / factor);
        if (y < 0 || y >= raster.Height) continue;
        const std::uint16_t* row = &raster.Pixels[static_cast<std::size_t>(y) * raster.Width];
        uchar* out = view.scanLine(sy);
        for (int sx = 0; sx < size.width(); ++sx)
            if (columns[sx] >= 0) out[sx] = table[row[columns[sx]]];
    }
    return view;
}
