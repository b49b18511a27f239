#pragma once
// The brightness stretch of the photograph's display: which stored
// brightness shows as black, which as white, and a straight line between.
// Only the display changes; the pixels the measurement reads stay as read.

#include "photo/photo_raster.h"

#include <cstdint>
#include <vector>

struct BrightnessStretch {
    std::uint16_t Black = 0;      ///< stored brightness shown black, and all below it
    std::uint16_t White = 65535;  ///< stored brightness shown white, and all above it
};

/// The display value (0..255) of every stored brightness 0..65535: the
/// lookup table the display draws through, made once per stretch. With
/// White <= Black the table is a step at Black.
std::vector<std::uint8_t> StretchTable(const BrightnessStretch& stretch);

/// A stretch that shows the picture's own range: black at the darkest
/// 0.5 % of its pixels, white at the brightest 0.1 % (a few hot pixels or
/// stars do not set the white). Counts every pixel of `raster`, which may
/// be a reduced copy.
BrightnessStretch AutomaticStretch(const PhotoRaster& raster);
