#include "Resize.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace zef {
namespace {

// A bitmap whose pixel (x, y) holds red x and green y.
Bitmap Gradient(std::int32_t width, std::int32_t height) {
    Bitmap bitmap(width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            bitmap.Row(y)[x] = static_cast<std::uint32_t>(x) + 256u * static_cast<std::uint32_t>(y);
        }
    }
    return bitmap;
}

std::vector<std::uint32_t> RowOf(const Bitmap& bitmap, std::int32_t y) {
    return {bitmap.Row(y), bitmap.Row(y) + bitmap.Width()};
}

TEST(StretchNearest, SameSizeCopiesEnlargingRepeatsAndShrinkingTakesThePixelUnderEachCentre) {
    Bitmap same(3, 2);
    ASSERT_TRUE(StretchNearest(Gradient(8, 6), {4, 2, 3, 2}, same));
    EXPECT_EQ(RowOf(same, 1), (std::vector<std::uint32_t>{0x304, 0x305, 0x306}));

    const Bitmap source = Gradient(4, 2);
    Bitmap wide(8, 1);
    ASSERT_TRUE(StretchNearest(source, {0, 0, 4, 1}, wide));
    EXPECT_EQ(RowOf(wide, 0), (std::vector<std::uint32_t>{0, 0, 1, 1, 2, 2, 3, 3}));
    Bitmap narrow(2, 1);
    ASSERT_TRUE(StretchNearest(source, {0, 0, 4, 1}, narrow));
    EXPECT_EQ(RowOf(narrow, 0), (std::vector<std::uint32_t>{1, 3}));
    Bitmap tall(1, 4);
    ASSERT_TRUE(StretchNearest(source, {2, 0, 1, 2}, tall));
    EXPECT_EQ(tall.Pixel(0, 0), 0x002u);
    EXPECT_EQ(tall.Pixel(0, 1), 0x002u);
    EXPECT_EQ(tall.Pixel(0, 2), 0x102u);
    EXPECT_EQ(tall.Pixel(0, 3), 0x102u);
}

TEST(StretchNearest, RegionIsCutToTheSourceAndNothingLeftIsAFailure) {
    const Bitmap source = Gradient(4, 4);
    Bitmap target(2, 2);
    ASSERT_TRUE(StretchNearest(source, {2, 2, 100, 100}, target));
    EXPECT_EQ(RowOf(target, 0), (std::vector<std::uint32_t>{0x202, 0x203}));
    EXPECT_EQ(RowOf(target, 1), (std::vector<std::uint32_t>{0x302, 0x303}));

    Bitmap untouched(2, 2, 0xABCDEF);
    EXPECT_FALSE(StretchNearest(source, {4, 0, 3, 3}, untouched));
    EXPECT_FALSE(StretchNearest(source, {-5, -5, 5, 5}, untouched));
    EXPECT_FALSE(StretchNearest(source, {0, 0, 0, 4}, untouched));
    EXPECT_EQ(RowOf(untouched, 0), (std::vector<std::uint32_t>{0xABCDEF, 0xABCDEF}));
    Bitmap empty(0, 3);
    EXPECT_FALSE(StretchNearest(source, {0, 0, 4, 4}, empty));
}

TEST(ResizeAreaAverage, EachTargetPixelIsTheRoundedMeanOfTheAreaItCovers) {
    Bitmap source(2, 2);
    source.Row(0)[0] = 0x0000FF;
    source.Row(0)[1] = 0x00FF00;
    source.Row(1)[0] = 0xFF0000;
    source.Row(1)[1] = 0x000001;
    Bitmap target(1, 1);
    ASSERT_TRUE(ResizeAreaAverage(source, target));
    // Red (255 + 1) / 4 = 64, green 255 / 4 = 63.75 -> 64, blue 63.75 -> 64; no channel
    // spills into another.
    EXPECT_EQ(target.Pixel(0, 0), 0x404040u);

    Bitmap pair(2, 1);
    pair.Row(0)[0] = 0;
    pair.Row(0)[1] = 90;
    Bitmap three(3, 1);
    ASSERT_TRUE(ResizeAreaAverage(pair, three));
    EXPECT_EQ(RowOf(three, 0), (std::vector<std::uint32_t>{0, 45, 90}));

    Bitmap thirds(3, 1);
    thirds.Row(0)[0] = 0;
    thirds.Row(0)[1] = 30;
    thirds.Row(0)[2] = 200;
    Bitmap halves(2, 1);
    ASSERT_TRUE(ResizeAreaAverage(thirds, halves));
    // (2 * 0 + 1 * 30) / 3 = 10 and (1 * 30 + 2 * 200) / 3 = 143.3.
    EXPECT_EQ(RowOf(halves, 0), (std::vector<std::uint32_t>{10, 143}));
}

TEST(ResizeAreaAverage, SameSizeIsACopyAndEmptyBitmapsFail) {
    const Bitmap source = Gradient(7, 5);
    Bitmap copy(7, 5);
    ASSERT_TRUE(ResizeAreaAverage(source, copy));
    EXPECT_EQ(copy, source);

    Bitmap empty(0, 0);
    Bitmap untouched(2, 2, 7);
    EXPECT_FALSE(ResizeAreaAverage(empty, untouched));
    EXPECT_FALSE(ResizeAreaAverage(source, empty));
    EXPECT_EQ(untouched.Pixel(1, 1), 7u);
}

}  // namespace
}  // namespace zef
