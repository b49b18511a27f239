// The phase picture, and the flood fill it relies on.

#include "reports/phase_picture.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;

bool IsWhite(const QImage& image, int x, int y) { return image.pixel(x, y) == kWhite; }

// White pixels left of x = 65 and right of it.
std::pair<int, int> LitLeftAndRight(const QImage& image)
{
    int left = 0;
    int right = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsWhite(image, x, y)) (x < 65 ? left : right) += 1;
    return {left, right};
}

int LitPixels(const QImage& image)
{
    auto [left, right] = LitLeftAndRight(image);
    return left + right;
}

}  // namespace

TEST(PhasePicture, QuartersAreHalfDiscsCutAtColumn64)
{
    const QImage first = PhasePicture(7);
    ASSERT_EQ(first.size(), QSize(130, 120));
    for (int y : {4, 60, 116}) EXPECT_TRUE(IsWhite(first, 64, y)) << "line at y " << y;
    EXPECT_TRUE(IsWhite(first, 120, 60));
    EXPECT_TRUE(IsWhite(first, 100, 100));
    EXPECT_FALSE(IsWhite(first, 63, 60));
    EXPECT_FALSE(IsWhite(first, 122, 60));  // beyond the limb
    EXPECT_FALSE(IsWhite(first, 120, 10));  // outside the disc, in its corner

    const QImage last = PhasePicture(21);
    EXPECT_TRUE(IsWhite(last, 64, 60));
    EXPECT_TRUE(IsWhite(last, 10, 60));
    EXPECT_FALSE(IsWhite(last, 66, 60));
    EXPECT_FALSE(IsWhite(last, 8, 60));
}

TEST(PhasePicture, FullMoonIsTheWholeDisc)
{
    const QImage full = PhasePicture(14);
    for (QPoint inside : {QPoint(65, 60), QPoint(9, 60), QPoint(121, 60), QPoint(65, 4), QPoint(104, 99)})
        EXPECT_TRUE(IsWhite(full, inside.x(), inside.y())) << inside.x() << "," << inside.y();
    for (QPoint outside : {QPoint(8, 60), QPoint(65, 117), QPoint(108, 103)})
        EXPECT_FALSE(IsWhite(full, outside.x(), outside.y())) << outside.x() << "," << outside.y();
    // pi * 56^2 = 9852, plus the outline
    EXPECT_NEAR(LitPixels(full), 9852, 250);
}

TEST(PhasePicture, YoungMoonIsAThinCrescentOnTheRight)
{
    const QImage young = PhasePicture(2);
    EXPECT_TRUE(IsWhite(young, 115, 60));
    EXPECT_TRUE(IsWhite(young, 120, 60));
    EXPECT_FALSE(IsWhite(young, 100, 60));
    EXPECT_FALSE(IsWhite(young, 65, 60));
    auto [left, right] = LitLeftAndRight(young);
    EXPECT_LE(left, 10);  // at most the pixels where both curves meet
    EXPECT_GT(right, 500);
    EXPECT_LT(right, 3000);
}

TEST(PhasePicture, NewMoonIsBlack)
{
    for (int phase : {0, 28, 29}) EXPECT_EQ(LitPixels(PhasePicture(phase)), 0) << "phase " << phase;
}

TEST(PhasePicture, LitPartGrowsToFullMoonAndShrinksOnTheOtherSide)
{
    int previous = 0;
    for (int phase = 1; phase <= 27; ++phase) {
        const QImage image = PhasePicture(phase);
        // A fill that escaped the outline would reach the corners.
        for (QPoint corner : {QPoint(0, 0), QPoint(129, 0), QPoint(0, 119), QPoint(129, 119)})
            ASSERT_FALSE(IsWhite(image, corner.x(), corner.y())) << "phase " << phase;
        auto [left, right] = LitLeftAndRight(image);
        const int lit = left + right;
        if (phase <= 14) {
            EXPECT_GT(lit, previous) << "phase " << phase;
        } else {
            EXPECT_LT(lit, previous) << "phase " << phase;
        }
        if (phase < 14) {
            EXPECT_GT(right, left) << "waxing, phase " << phase;
        }
        if (phase > 14) {
            EXPECT_GT(left, right) << "waning, phase " << phase;
        }
        previous = lit;
    }
}

TEST(FloodFill, StopsAtAnEightConnectedLineAndAtTheImageEdge)
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(kBlack);
    DrawLine(image, QPoint(0, 19), QPoint(19, 0), kWhite);  // a diagonal: pixels touch only at corners
    FloodFill(image, QPoint(0, 0), kWhite, kWhite);
    EXPECT_TRUE(IsWhite(image, 18, 0));
    EXPECT_FALSE(IsWhite(image, 19, 19));
    EXPECT_FALSE(IsWhite(image, 10, 10));

    // A seed on the border colour paints nothing.
    QImage untouched = image.copy();
    FloodFill(untouched, QPoint(5, 14), kWhite, kWhite);
    EXPECT_EQ(untouched, image);
}
