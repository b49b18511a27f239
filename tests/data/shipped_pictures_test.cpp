// The pictures held with the program (resources/): formats and sizes the
// windows rely on, the map's geometry and background, the markers' centre
// and transparent colour, and the tool bar pictures' transparency.

#include "map/map_geometry.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>

#include <cmath>
#include <cstdint>
#include <string>

namespace {

constexpr int kBackground = 16;         // red = green = blue outside the disc
constexpr int kMapPixelBytes = 482804;  // 401 rows of 1203 bytes padded to 1204
constexpr int kMarkerSize = 22;
constexpr int kSmallCrossSize = 11;
constexpr int kToolbarSize = 32;

QString ResourcePath(const char* name) { return QStringLiteral(MIRELTA_RESOURCES_DIR "/") + name; }

QImage Load(const char* name)
{
    QImage image(ResourcePath(name));
    EXPECT_FALSE(image.isNull()) << name << " does not load";
    return image;
}

/// The fields of a Windows bitmap's headers that the program relies on.
struct BitmapHeader {
    uint32_t pixelOffset = 0;
    int32_t width = 0;
    int32_t height = 0;  // positive: rows stored bottom-up
    uint16_t bitsPerPixel = 0;
    uint32_t compression = 0;
    qint64 fileSize = 0;
};

BitmapHeader ReadBitmapHeader(const char* name)
{
    QFile file(ResourcePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    QByteArray bytes = file.readAll();
    BitmapHeader header;
    if (bytes.size() < 54 || !bytes.startsWith("BM")) {
        ADD_FAILURE() << name << " is not a bitmap";
        return header;
    }
    auto field = [&](int offset, int size) {
        uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[offset + i]);
        return value;
    };
    header.pixelOffset = field(10, 4);
    header.width = static_cast<int32_t>(field(18, 4));
    header.height = static_cast<int32_t>(field(22, 4));
    header.bitsPerPixel = static_cast<uint16_t>(field(28, 2));
    header.compression = field(30, 4);
    header.fileSize = bytes.size();
    return header;
}

int Brightness(const QImage& image, int x, int y)
{
    QColor c = image.pixelColor(x, y);
    return (c.red() + c.green() + c.blue()) / 3;
}

bool IsWhite(const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF; }

TEST(ShippedPictures, MoonMapIsAnUncompressedBottomUp24BitBitmap)
{
    BitmapHeader header = ReadBitmapHeader("moon_map.bmp");
    EXPECT_EQ(header.width, MapSize);
    EXPECT_EQ(header.height, MapSize);
    EXPECT_EQ(header.bitsPerPixel, 24);
    EXPECT_EQ(header.compression, 0u);
    EXPECT_EQ(header.fileSize - header.pixelOffset, kMapPixelBytes);
}

TEST(ShippedPictures, MoonMapShowsTheDiscOnTheBackground)
{
    QImage map = Load("moon_map.bmp");
    ASSERT_EQ(map.size(), QSize(MapSize, MapSize));
    int darkestInside = 255;
    for (int y = 0; y < MapSize; ++y) {
        for (int x = 0; x < MapSize; ++x) {
            double distance = std::hypot(x - MapDiscCentreX, y - MapDiscCentreY);
            if (distance > MapDiscRadius + 1.5) {
                ASSERT_EQ(map.pixelColor(x, y), QColor(kBackground, kBackground, kBackground))
                    << "background at " << x << ", " << y;
            } else if (distance < MapDiscRadius - 1.5) {
                darkestInside = std::min(darkestInside, Brightness(map, x, y));
            }
        }
    }
    EXPECT_GT(darkestInside, kBackground + 5) << "the disc stands out from the background everywhere";
}

TEST(ShippedPictures, MoonMapHasDarkMariaAndBrightHighlandsWhereTheyBelong)
{
    QImage map = Load("moon_map.bmp");
    // A mirrored, turned or shifted map fails here.
    struct Place {
        const char* name;
        double latitude, longitude;
    };
    const Place maria[] = {
        {"Mare Crisium",         16.2, 59.1 },
        {"Mare Serenitatis",     27.3, 18.4 },
        {"Mare Imbrium",         34.7, -14.9},
        {"Mare Tranquillitatis", 8.3,  30.8 }
    };
    const Place highlands[] = {
        {"25 S, 0 E",  -25, 0 },
        {"42 S, 14 E", -42, 14},
        {"15 S, 25 E", -15, 25}
    };
    auto mean = [&](const Place& place) {
        MapPixel p = MapPixelOf(place.latitude, place.longitude);
        int sum = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) sum += Brightness(map, p.x + dx, p.y + dy);
        return sum / 25;
    };
    int brightestMare = 0;
    for (const Place& mare : maria) brightestMare = std::max(brightestMare, mean(mare));
    for (const Place& highland : highlands) EXPECT_GT(mean(highland), brightestMare + 40) << highland.name;
}

TEST(ShippedPictures, MarkersAre16ColourBitmapsCentredOnTheirMiddlePixel)
{
    for (const char* name : {"cursor1.bmp", "cursor2.bmp", "cursor3.bmp", "crosshair_small.bmp"}) {
        SCOPED_TRACE(name);
        BitmapHeader header = ReadBitmapHeader(name);
        EXPECT_LE(header.bitsPerPixel, 4) << "at most 16 colours";
        EXPECT_GT(header.height, 0) << "rows bottom-up";
        QImage image = Load(name);
        int size = std::string(name) == "crosshair_small.bmp" ? kSmallCrossSize : kMarkerSize;
        ASSERT_EQ(image.size(), QSize(size, size));
        const int centre = size / 2;
        // Whatever is drawn is symmetric about the centre pixel: mirrored
        // left-right, top-bottom and across the diagonal it stays the same.
        int drawn = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                if (IsWhite(image, x, y)) continue;
                ++drawn;
                int mx = 2 * centre - x, my = 2 * centre - y;
                ASSERT_TRUE(mx >= 0 && mx < size && my >= 0 && my < size) << x << ", " << y;
                EXPECT_FALSE(IsWhite(image, mx, y) || IsWhite(image, x, my) || IsWhite(image, y, x)) << x << ", " << y;
            }
        }
        EXPECT_GT(drawn, 8);
        EXPECT_LT(drawn, size * size / 3) << "white, the transparent colour, fills most of it";
    }
}

TEST(ShippedPictures, MarkerColours)
{
    const QColor red(255, 0, 0);
    EXPECT_EQ(Load("cursor3.bmp").pixelColor(11, 11), red);
    EXPECT_EQ(Load("crosshair_small.bmp").pixelColor(5, 5), red);
    QImage pointer = Load("cursor1.bmp");
    EXPECT_TRUE(IsWhite(pointer, 11, 11)) << "the pointer leaves its centre open";
    for (const char* name : {"cursor1.bmp", "cursor2.bmp"}) {
        QImage image = Load(name);
        for (int y = 0; y < kMarkerSize; ++y)
            for (int x = 0; x < kMarkerSize; ++x) {
                QColor c = image.pixelColor(x, y);
                bool magentaOrPurple = c.green() == 0 && c.red() == c.blue() && c.red() >= 128;
                EXPECT_TRUE(IsWhite(image, x, y) || magentaOrPurple) << name << " " << x << ", " << y;
            }
    }
}

TEST(ShippedPictures, ToolbarPicturesAre32PixelsWithTransparentCorners)
{
    for (const char* name : {"toolbar_site.png", "toolbar_time.png", "toolbar_new_object.png", "toolbar_conditions.png",
                             "toolbar_ephemerides.png", "toolbar_moon_position.png", "toolbar_help.png",
                             "toolbar_about.png", "toolbar_quit.png"}) {
        SCOPED_TRACE(name);
        QImage image = Load(name);
        ASSERT_EQ(image.size(), QSize(kToolbarSize, kToolbarSize));
        ASSERT_TRUE(image.hasAlphaChannel());
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(kToolbarSize - 1, 0)), 0);
        int opaque = 0;
        for (int y = 0; y < kToolbarSize; ++y)
            for (int x = 0; x < kToolbarSize; ++x) opaque += qAlpha(image.pixel(x, y)) > 200;
        EXPECT_GT(opaque, kToolbarSize * kToolbarSize / 6) << "a picture, not a speck";
    }
}

TEST(ShippedPictures, IconAndLogoSizes)
{
    QImage icon = Load("icon.png");
    EXPECT_EQ(icon.width(), icon.height());
    EXPECT_GE(icon.width(), 32);
    EXPECT_TRUE(icon.hasAlphaChannel());
    EXPECT_EQ(Load("logo.png").size(), QSize(220, 90));
}

}  // namespace
