#include "Resize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zef {
namespace {

using Pixels = std::vector<std::uint32_t>;

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

Bitmap Row(const Pixels& pixels) {
    Bitmap bitmap(static_cast<std::int32_t>(pixels.size()), 1);
    std::copy(pixels.begin(), pixels.end(), bitmap.Row(0));
    return bitmap;
}

Pixels PixelsOf(const Bitmap& bitmap) {
    return {bitmap.Pixels().begin(), bitmap.Pixels().end()};
}

TEST(StretchNearest, CopiesRepeatsOrTakesThePixelUnderEachCentreOfTheRegionCutToTheSource) {
    struct Case {
        std::int32_t sourceWidth, sourceHeight;
        PixelRect region;
        std::int32_t width, height;
        Pixels expected;
    };
    const Case cases[] = {
        {8, 6, {4, 2, 3, 2}, 3, 2, {0x204, 0x205, 0x206, 0x304, 0x305, 0x306}},
        {4, 2, {0, 0, 4, 1}, 8, 1, {0, 0, 1, 1, 2, 2, 3, 3}},
        {4, 2, {0, 0, 4, 1}, 2, 1, {1, 3}},
        {4, 2, {2, 0, 1, 2}, 1, 4, {0x002, 0x002, 0x102, 0x102}},
        {4, 4, {2, 2, 100, 100}, 2, 2, {0x202, 0x203, 0x302, 0x303}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.region.x * 100 + c.region.y);
        Bitmap target(c.width, c.height);
        ASSERT_TRUE(StretchNearest(Gradient(c.sourceWidth, c.sourceHeight), c.region, target));
        EXPECT_EQ(PixelsOf(target), c.expected);
    }

    const Bitmap source = Gradient(4, 4);
    Bitmap untouched(2, 2, 0xABCDEF);
    EXPECT_FALSE(StretchNearest(source, {4, 0, 3, 3}, untouched));
    EXPECT_FALSE(StretchNearest(source, {-5, -5, 5, 5}, untouched));
    EXPECT_FALSE(StretchNearest(source, {0, 0, 0, 4}, untouched));
    EXPECT_EQ(PixelsOf(untouched), Pixels(4, 0xABCDEF));
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

    Bitmap three(3, 1);
    ASSERT_TRUE(ResizeAreaAverage(Row({0, 90}), three));
    EXPECT_EQ(PixelsOf(three), (Pixels{0, 45, 90}));
    // Whole-number and broken ratios both ways, against the mean taken pixel by pixel over
    // the covered area (each source pixel as targetWidth x targetHeight units).
    const int sizes[][4] = {{4, 4, 2, 2}, {6, 3, 2, 3}, {5, 3, 2, 2}, {3, 5, 7, 2},
                            {9, 7, 4, 3}, {6, 5, 3, 2}, {5, 4, 2, 2}, {40, 20, 2, 1}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size[0] * 1000 + size[1] * 100 + size[2] * 10 + size[3]);
        Bitmap from(size[0], size[1]);
        std::uint32_t seed = 12345;
        for (std::int32_t y = 0; y < size[1]; ++y) {
            for (std::int32_t x = 0; x < size[0]; ++x) {
                seed = seed * 1103515245u + 12345u;
                from.Row(y)[x] = (seed >> 8) & 0xFFFFFF;
            }
        }
        Bitmap to(size[2], size[3]);
        ASSERT_TRUE(ResizeAreaAverage(from, to));
        const std::int64_t sw = size[0], sh = size[1], tw = size[2], th = size[3];
        for (std::int64_t y = 0; y < th; ++y) {
            for (std::int64_t x = 0; x < tw; ++x) {
                std::uint64_t sums[3] = {0, 0, 0};
                for (std::int64_t sy = 0; sy < sh; ++sy) {
                    for (std::int64_t sx = 0; sx < sw; ++sx) {
                        const std::int64_t across =
                            std::min((x + 1) * sw, (sx + 1) * tw) - std::max(x * sw, sx * tw);
                        const std::int64_t down =
                            std::min((y + 1) * sh, (sy + 1) * th) - std::max(y * sh, sy * th);
                        if (across > 0 && down > 0) {
                            for (int c = 0; c < 3; ++c) {
                                sums[c] += static_cast<std::uint64_t>(across * down) *
                                           ((from.Pixel(static_cast<std::int32_t>(sx),
                                                        static_cast<std::int32_t>(sy)) >>
                                             (8 * c)) &
                                            0xFF);
                            }
                        }
                    }
                }
                std::uint32_t mean = 0;
                for (int c = 2; c >= 0; --c) {
                    const auto area = static_cast<std::uint64_t>(sw * sh);
                    mean = mean << 8 | static_cast<std::uint32_t>((sums[c] + area / 2) / area);
                }
                EXPECT_EQ(to.Pixel(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)),
                          mean);
            }
        }
    }
    Bitmap empty(0, 0);
    Bitmap untouched(2, 2, 7);
    EXPECT_FALSE(ResizeAreaAverage(empty, untouched));
    EXPECT_FALSE(ResizeAreaAverage(source, empty));
    EXPECT_EQ(untouched.Pixel(1, 1), 7u);
}

}  // namespace
}  // namespace zef
