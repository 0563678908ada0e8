#include "canvas/Resize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
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
    const Bitmap source = Gradient(8, 6);
    const struct {
        PixelRect region;
        std::int32_t width, height;
        Pixels expected;
    } cases[] = {
        {{4, 2, 3, 2}, 3, 2, {0x204, 0x205, 0x206, 0x304, 0x305, 0x306}},
        {{0, 0, 4, 1}, 2, 1, {1, 3}},
        {{2, 0, 1, 2}, 1, 4, {0x002, 0x002, 0x102, 0x102}},
        {{6, 4, 100, 100}, 2, 2, {0x406, 0x407, 0x506, 0x507}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.region.x * 100 + c.region.y);
        Bitmap target(c.width, c.height);
        ASSERT_TRUE(StretchNearest(source, c.region, target));
        EXPECT_EQ(PixelsOf(target), c.expected);
    }
}

// The rounded mean, channel by channel, of the units target pixel (x, y) covers, leaving out
// those of colour `clear`, and their number; a source pixel is targetWidth x targetHeight
// units, a target pixel sourceWidth x sourceHeight of them.
auto CoveredMean(const Bitmap& source, const Bitmap& target, std::int32_t x, std::int32_t y,
                 std::uint32_t clear) {
    const std::int32_t sw = source.Width(), sh = source.Height();
    std::uint32_t mean = 0;
    std::uint64_t units = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        std::uint64_t sum = 0;
        units = 0;
        for (std::int32_t v = y * sh; v < (y + 1) * sh; ++v) {
            for (std::int32_t u = x * sw; u < (x + 1) * sw; ++u) {
                const std::uint32_t pixel = source.Pixel(u / target.Width(), v / target.Height());
                sum += pixel == clear ? 0 : pixel >> shift & 0xFF;
                units += pixel == clear ? 0 : 1;
            }
        }
        const std::uint64_t taken = std::max<std::uint64_t>(units, 1);
        mean = mean << 8 | static_cast<std::uint32_t>((sum + taken / 2) / taken);
    }
    return std::pair{mean, units};
}

TEST(ResizeAreaAverage, EachTargetPixelIsTheRoundedMeanOfTheAreaItCoversOrOfItsDrawnPart) {
    constexpr std::uint32_t kClear = 0xFFFFFF;
    constexpr std::uint32_t kNone = 0x1000000;  // no pixel has it
    // Whole-number and broken ratios, shrinking and growing.
    const int sizes[][4] = {{4, 4, 2, 2}, {6, 3, 2, 3}, {5, 3, 2, 2}, {3, 5, 7, 2},
                            {9, 7, 4, 3}, {3, 2, 6, 5}, {5, 4, 2, 2}, {40, 20, 2, 1}};
    std::uint32_t seed = 12345;
    for (const auto& size : sizes) {
        SCOPED_TRACE(size[0] * 1000 + size[1] * 100 + size[2] * 10 + size[3]);
        Bitmap source(size[0], size[1]);
        std::generate_n(source.Row(0), size[0] * size[1], [&] {
            seed = seed * 1103515245u + 12345u;
            return seed % 3 == 0 ? kClear : seed >> 8;
        });
        Bitmap mixed(size[2], size[3]);
        Bitmap drawn(size[2], size[3]);
        std::vector<std::uint8_t> alpha(static_cast<std::size_t>(size[2] * size[3]));
        ASSERT_TRUE(ResizeAreaAverage(source, mixed));
        ASSERT_TRUE(ResizeAreaAverageClear(source, kClear, drawn, alpha));
        const auto area = static_cast<std::uint64_t>(size[0] * size[1]);
        for (std::int32_t y = 0; y < size[3]; ++y) {
            for (std::int32_t x = 0; x < size[2]; ++x) {
                SCOPED_TRACE(x * 100 + y);
                EXPECT_EQ(mixed.Pixel(x, y), CoveredMean(source, mixed, x, y, kNone).first);
                const auto [mean, units] = CoveredMean(source, drawn, x, y, kClear);
                EXPECT_EQ(drawn.Pixel(x, y), units > 0 ? mean : kClear);
                EXPECT_EQ(alpha[static_cast<std::size_t>(y * size[2] + x)],
                          (units * 255 + area / 2) / area);
            }
        }
    }
}

TEST(Resize, NothingToTakeOrNowhereToPutItFailsAndLeavesTheTargetAlone) {
    const Bitmap source = Gradient(8, 6);
    Bitmap empty(0, 0);
    Bitmap untouched(2, 1, 7);
    for (const PixelRect region : {PixelRect{8, 0, 3, 3}, {-5, -5, 5, 5}, {0, 0, 0, 4}}) {
        EXPECT_FALSE(StretchNearest(source, region, untouched));
    }
    EXPECT_FALSE(StretchNearest(source, {0, 0, 4, 4}, empty));
    EXPECT_FALSE(ResizeAreaAverage(empty, untouched));
    EXPECT_FALSE(ResizeAreaAverage(source, empty));
    std::vector<std::uint8_t> tooShort(1);
    EXPECT_FALSE(ResizeAreaAverageClear(source, 0xFFFFFF, untouched, tooShort));
    EXPECT_EQ(PixelsOf(untouched), (Pixels{7, 7}));
}

}  // namespace
}  // namespace zef
