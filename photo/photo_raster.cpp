#include "photo/photo_raster.h"

#include <algorithm>
#include <cmath>

PhotoRaster BlankRaster(int width, int height)
{
    PhotoRaster raster;
    raster.Width = width;
    raster.Height = height;
    raster.Pixels.assign(static_cast<std::size_t>(width) * height, 0);
    return raster;
}

double SampleBilinear(const PhotoRaster& raster, ImagePoint point)
{
    // Between the centres of the four nearest pixels.
    const double x = std::clamp(point.X - 0.5, 0.0, raster.Width - 1.0);
    const double y = std::clamp(point.Y - 0.5, 0.0, raster.Height - 1.0);
    const int left = std::min(static_cast<int>(x), std::max(raster.Width - 2, 0));
    const int top = std::min(static_cast<int>(y), std::max(raster.Height - 2, 0));
    const int right = std::min(left + 1, raster.Width - 1);
    const int bottom = std::min(top + 1, raster.Height - 1);
    const double fx = x - left;
    const double fy = y - top;
    const double upper = raster.At(left, top) * (1 - fx) + raster.At(right, top) * fx;
    const double lower = raster.At(left, bottom) * (1 - fx) + raster.At(right, bottom) * fx;
    return upper * (1 - fy) + lower * fy;
}

PhotoRaster HalvedRaster(const PhotoRaster& raster)
{
    PhotoRaster half = BlankRaster(std::max(1, (raster.Width + 1) / 2), std::max(1, (raster.Height + 1) / 2));
    for (int y = 0; y < half.Height; ++y) {
        const int y0 = std::min(2 * y, raster.Height - 1);
        const int y1 = std::min(2 * y + 1, raster.Height - 1);
        const std::uint16_t* row0 = &raster.Pixels[static_cast<std::size_t>(y0) * raster.Width];
        const std::uint16_t* row1 = &raster.Pixels[static_cast<std::size_t>(y1) * raster.Width];
        std::uint16_t* out = &half.Pixels[static_cast<std::size_t>(y) * half.Width];
        for (int x = 0; x < half.Width; ++x) {
            const int x0 = std::min(2 * x, raster.Width - 1);
            const int x1 = std::min(2 * x + 1, raster.Width - 1);
            out[x] = static_cast<std::uint16_t>((row0[x0] + row0[x1] + row1[x0] + row1[x1] + 2) / 4);
        }
    }
    return half;
}
