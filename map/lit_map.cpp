#include "map/lit_map.h"

#include "map/map_lighting.h"
#include "map/map_projection.h"

#include <cstdint>

namespace {

const std::uint32_t* Pixels(const QImage& image) { return reinterpret_cast<const std::uint32_t*>(image.constBits()); }

}  // namespace

MapLighting::MapLighting(const QImage& artwork)
    : artwork_(artwork.convertToFormat(QImage::Format_RGB32)), shown_(artwork_)
{}

void MapLighting::Light(QImage& picture, const SunOverMoon& sun)
{
    QImage next(artwork_.size(), QImage::Format_RGB32);
    if (artwork_.width() == MapSize && artwork_.height() == MapSize)
        ShadeMoonMap(Pixels(artwork_), reinterpret_cast<std::uint32_t*>(next.bits()),
                     static_cast<int>(artwork_.bytesPerLine() / 4), sun);
    else
        next = artwork_;
    Show(picture, next);
    lit_ = true;
}

void MapLighting::Unlight(QImage& picture)
{
    Show(picture, artwork_);
    lit_ = false;
}

void MapLighting::Show(QImage& picture, const QImage& next)
{
    if (picture.size() != next.size() || picture.format() != QImage::Format_RGB32) return;
    // picture = picture ^ shown ^ next, pixel by pixel: where the picture
    // equals what was shown it becomes `next`; marks keep their difference.
    const std::uint32_t* before = Pixels(shown_);
    const std::uint32_t* after = Pixels(next);
    auto* target = reinterpret_cast<std::uint32_t*>(picture.bits());
    const qsizetype count = picture.sizeInBytes() / 4;
    for (qsizetype i = 0; i < count; ++i) target[i] ^= before[i] ^ after[i];
    shown_ = next;
}
