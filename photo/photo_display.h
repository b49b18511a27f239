#pragma once
// The photograph on the screen: the part of it in view, at the zoom, through
// the brightness stretch. Only what is visible is drawn, from the copy of
// the picture whose size suits the zoom, so that zooming, panning and
// stretching cost the same for any size of picture.

#include "photo/photo_raster.h"

#include <QImage>
#include <QPointF>
#include <QSize>

#include <cstdint>
#include <memory>
#include <vector>

/// The picture and its copies at half, a quarter ... of its size, down to
/// a few hundred pixels; a zoom below 1 draws from the copy nearest above it.
class PhotoPyramid {
public:
    explicit PhotoPyramid(std::shared_ptr<const PhotoRaster> full);

    const PhotoRaster& Full() const { return *full_; }
    int Levels() const { return 1 + static_cast<int>(reduced_.size()); }
    /// Level 0 is the picture itself, level k is 2^k times smaller.
    const PhotoRaster& Level(int level) const { return level == 0 ? *full_ : reduced_[level - 1]; }

private:
    std::shared_ptr<const PhotoRaster> full_;
    std::vector<PhotoRaster> reduced_;
};

/// Where the view stands: screen pixel (sx, sy) shows the picture's point
/// TopLeft + (sx + 0.5, sy + 0.5) / Zoom.
struct ViewPlace {
    double Zoom = 1;     ///< screen pixels per picture pixel
    ImagePoint TopLeft;  ///< picture pixels
};

/// The picture's point under a screen point, and back.
ImagePoint PictureAt(const ViewPlace& place, QPointF screen);
QPointF ScreenAt(const ViewPlace& place, ImagePoint picture);

/// The view of `size` screen pixels, grey 8-bit: every screen pixel takes
/// the nearest pixel of the suitable copy through `table` (StretchTable);
/// screen pixels beside the picture are `background`.
QImage RenderView(const PhotoPyramid& pyramid, const std::vector<std::uint8_t>& table, const ViewPlace& place,
                  QSize size, std::uint8_t background = 48);
