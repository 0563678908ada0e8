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

Pixels PixelsOf(const Bitmap& bitmap) {
    return {bitmap.Pixels().begin(), bitmap.Pixels().end()};
}

TEST(StretchNearest, TakesThePixelUnderEachCentreOfTheRegionCutToTheSource) {
    struct Case {
        std::int32_t sourceWidth, sourceHeight;
        PixelRect region;
        std::int32_t width, height;
        Pixels expected;
    };
    const Case cases[] = {
        {8, 6, {4, 2, 3, 2}, 3, 2, {0x204, 0x205, 0x206, 0x304, 0x305, 0x306}},
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

    Bitmap untouched(2, 2, 0xABCDEF);
    for (const PixelRect region : {PixelRect{4, 0, 3, 3}, {-5, -5, 5, 5}, {0, 0, 0, 4}}) {
        EXPECT_FALSE(StretchNearest(Gradient(4, 4), region, untouched));
    }
    EXPECT_EQ(PixelsOf(untouched), Pixels(4, 0xABCDEF));
    Bitmap empty(0, 3);
    EXPECT_FALSE(StretchNearest(Gradient(4, 4), {0, 0, 4, 4}, empty));
}

// The rounded mean, channel by channel, of what target pixel (x, y) covers when each source
// pixel is cut into targetWidth x targetHeight units and each target pixel spans
// sourceWidth x sourceHeight of them.
std::uint32_t CoveredMean(const Bitmap& source, const Bitmap& target, std::int32_t x,
                          std::int32_t y) {
    const std::int32_t sw = source.Width(), sh = source.Height();
    const std::uint64_t area = static_cast<std::uint64_t>(sw) * static_cast<std::uint64_t>(sh);
    std::uint32_t mean = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        std::uint64_t sum = 0;
        for (std::int32_t v = y * sh; v < (y + 1) * sh; ++v) {
            for (std::int32_t u = x * sw; u < (x + 1) * sw; ++u) {
                sum += source.Pixel(u / target.Width(), v / target.Height()) >> shift & 0xFF;
            }
        }
        mean = mean << 8 | static_cast<std::uint32_t>((sum + area / 2) / area);
    }
    return mean;
}

TEST(ResizeAreaAverage, EachTargetPixelIsTheRoundedMeanOfTheAreaItCovers) {
    // Whole-number and broken ratios, shrinking and growing.
    const int sizes[][4] = {{4, 4, 2, 2}, {6, 3, 2, 3}, {5, 3, 2, 2}, {3, 5, 7, 2},
                            {9, 7, 4, 3}, {6, 5, 3, 2}, {5, 4, 2, 2}, {40, 20, 2, 1}};
    std::uint32_t seed = 12345;
    for (const auto& size : sizes) {
        SCOPED_TRACE(size[0] * 1000 + size[1] * 100 + size[2] * 10 + size[3]);
        Bitmap source(size[0], size[1]);
        std::generate_n(source.Row(0), size[0] * size[1], [&] {
            seed = seed * 1103515245u + 12345u;
            return seed >> 8;
        });
        Bitmap target(size[2], size[3]);
        ASSERT_TRUE(ResizeAreaAverage(source, target));
        for (std::int32_t y = 0; y < size[3]; ++y) {
            for (std::int32_t x = 0; x < size[2]; ++x) {
                EXPECT_EQ(target.Pixel(x, y), CoveredMean(source, target, x, y)) << x << "," << y;
            }
        }
    }
    Bitmap empty(0, 0);
    Bitmap untouched(2, 2, 7);
    EXPECT_FALSE(ResizeAreaAverage(empty, untouched));
    EXPECT_FALSE(ResizeAreaAverage(untouched, empty));
    EXPECT_EQ(untouched.Pixel(1, 1), 7u);
}

TEST(ResizeAreaAverageClear, DrawnPixelsGiveTheAlphaOfTheirShareAndTheirOwnMean) {
    constexpr std::uint32_t kClear = 0xFFFFFF;
    struct Case {
        const char* name;
        std::int32_t sourceWidth, sourceHeight;
        Pixels source;
        std::int32_t width;
        Pixels colours;
        std::vector<std::uint8_t> alpha;
    };
    const Case cases[] = {
        // A quarter drawn: 255 / 4 = 63.75 -> 64, in the drawn colour itself.
        {"an edge pixel", 2, 2, {0x102030, kClear, kClear, kClear}, 1, {0x102030}, {64}},
        // Three source pixels onto two: weights 2 and 1, then 1 and 2 (of 3).
        {"drawn pixels of two colours", 3, 1, {0, 90, kClear}, 2, {30, 90}, {255, 85}},
        {"nothing drawn", 2, 1, {kClear, kClear}, 1, {kClear}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap source(c.sourceWidth, c.sourceHeight);
        std::copy(c.source.begin(), c.source.end(), source.Row(0));
        Bitmap target(c.width, 1);
        std::vector<std::uint8_t> alpha(c.alpha.size());
        ASSERT_TRUE(ResizeAreaAverageClear(source, kClear, target, alpha));
        EXPECT_EQ(PixelsOf(target), c.colours);
        EXPECT_EQ(alpha, c.alpha);
    }
    Bitmap untouched(2, 1, 7);
    std::vector<std::uint8_t> tooShort(1);
    EXPECT_FALSE(ResizeAreaAverageClear(Gradient(2, 1), kClear, untouched, tooShort));
    EXPECT_EQ(untouched.Pixel(1, 0), 7u);
}

}  // namespace
}  // namespace zef
