#pragma once
// A photograph's pixels as the measurement reads them: one 16-bit brightness
// per pixel, row by row from the top of the picture. Colour pictures are
// reduced to their luminance when they are read.
//
// Image coordinates are pixels, x to the right and y downward; the pixel in
// column i and row j covers [i, i + 1) x [j, j + 1), so its centre lies at
// (i + 0.5, j + 0.5). Clicks at a high zoom fall between centres.

#include <cstdint>
#include <vector>

/// A point of the picture, pixels (see above).
struct ImagePoint {
    double X = 0;
    double Y = 0;
};

struct PhotoRaster {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint16_t> Pixels;  ///< Width * Height values, 0..65535, row by row

    bool Empty() const { return Width <= 0 || Height <= 0; }
    std::uint16_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

/// A raster of the given size, every pixel 0.
PhotoRaster BlankRaster(int width, int height);

/// The brightness at a point between pixel centres, interpolated
/// bilinearly; points outside the picture take the nearest edge pixel.
double SampleBilinear(const PhotoRaster& raster, ImagePoint point);

/// The raster at half the size in each direction, every pixel the mean of
/// the 2 x 2 pixels it covers (an odd last row or column is averaged with
/// itself). At least one pixel remains.
PhotoRaster HalvedRaster(const PhotoRaster& raster);
