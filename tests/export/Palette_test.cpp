#include "Palette.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "ZefImage.h"

namespace zef {
namespace {

int Distance(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (const int shift : {0, 8, 16}) {
        largest = std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                             static_cast<int>((b >> shift) & 0xFF)));
    }
    return largest;
}

TEST(PaletteTest, UpTo256ColoursAreKeptExactlyInTheOrderSeen) {
    ColourCounter counter;
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t i = 0; i < 255; ++i) {
        pixels.insert(pixels.end(), {0x123456, i * 0x010101u});
    }
    counter.Add(pixels);
    const Palette palette = counter.MakePalette();
    ASSERT_TRUE(palette.IsExact());
    ASSERT_EQ(palette.Colours().size(), 256u);
    EXPECT_EQ(palette.Colours()[0], 0x123456u);
    EXPECT_EQ(palette.Colours()[1], 0u);
    EXPECT_EQ(palette.Find(0x050505), 6);
    EXPECT_EQ(palette.Find(0x050506), std::nullopt);

    Image image{Bitmap(2, 1, 0x050506), {}, {}};
    EXPECT_FALSE(ImageConvert(image, palette));
    EXPECT_TRUE(image.indices.empty());
}

TEST(PaletteTest, MoreColoursShareTheNearestOf256) {
    // A smooth blend of 4,096 colours, most of them in a corner of the cube.
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t r = 0; r < 256; r += 16) {
        for (std::uint32_t g = 0; g < 256; g += 16) {
            for (std::uint32_t b = 0; b < 256; b += 16) {
                pixels.insert(pixels.end(), r < 64 ? 9 : 1, r | g << 8 | b << 16);
            }
        }
    }
    ColourCounter counter;
    counter.Add(pixels);
    const Palette palette = counter.MakePalette();
    EXPECT_FALSE(palette.IsExact());
    EXPECT_EQ(palette.Colours().size(), 256u);
    int worst = 0;
    for (const std::uint32_t colour : pixels) {
        const std::optional<std::uint8_t> index = palette.Find(colour);
        ASSERT_TRUE(index);
        worst = std::max(worst, Distance(colour, palette.Colours()[*index]));
    }
    EXPECT_LE(worst, 48);
}

}  // namespace
}  // namespace zef
