#include "Palette.h"

#include <gtest/gtest.h>

#include "ZefImage.h"

namespace zef {
namespace {

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

TEST(PaletteTest, MoreThan256ColoursEachTakeAnEntryNearItself) {
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t i = 0; i < 4096; ++i) {  // sixteen levels of each channel
        pixels.push_back((i & 0xF) * 0x11 | (i >> 4 & 0xF) * 0x1100 | (i >> 8) * 0x110000);
    }
    ColourCounter counter;
    counter.Add(pixels);
    const Palette palette = counter.MakePalette();
    ASSERT_FALSE(palette.IsExact());
    for (const std::uint32_t colour : pixels) {
        const std::uint32_t entry = palette.Colours()[*palette.Find(colour)];
        for (const int shift : {0, 8, 16}) {
            EXPECT_NEAR(colour >> shift & 0xFF, entry >> shift & 0xFF, 48) << colour;
        }
    }
}

}  // namespace
}  // namespace zef
