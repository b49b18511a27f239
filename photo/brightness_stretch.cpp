#include "photo/brightness_stretch.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double DarkShare = 0.005;
constexpr double BrightShare = 0.001;

}  // namespace

std::vector<std::uint8_t> StretchTable(const BrightnessStretch& stretch)
{
    std::vector<std::uint8_t> table(65536);
    const double span = std::max(1, stretch.White - stretch.Black);
    for (int value = 0; value < 65536; ++value) {
        const double level = (value - stretch.Black) / span;
        table[value] = static_cast<std::uint8_t>(std::lround(std::clamp(level, 0.0, 1.0) * 255.0));
    }
    return table;
}

BrightnessStretch AutomaticStretch(const PhotoRaster& raster)
{
    std::vector<std::size_t> histogram(65536, 0);
    for (std::uint16_t value : raster.Pixels) ++histogram[value];
    const double total = static_cast<double>(raster.Pixels.size());
    BrightnessStretch stretch;
    std::size_t seen = 0;
    int value = 0;
    for (; value < 65535 && seen + histogram[value] <= DarkShare * total; ++value) seen += histogram[value];
    stretch.Black = static_cast<std::uint16_t>(std::min(value, 65534));
    seen = 0;
    for (value = 65535; value > 0 && seen + histogram[value] <= BrightShare * total; --value) seen += histogram[value];
    stretch.White = static_cast<std::uint16_t>(std::max<int>(value, stretch.Black + 1));
    return stretch;
}
