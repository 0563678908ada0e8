#include "export/Palette.h"

#include <gtest/gtest.h>

#include "export/ZefImage.h"

namespace zef {
namespace {

// Up to 256 colours are kept exactly in the order seen; more each take an entry near itself.
TEST(PaletteTest, ExactUpTo256ColoursAndNearBeyond) {
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

    pixels = {0x123456};
    for (std::uint32_t i = 0; i < 4096; ++i) {  // sixteen levels of each channel
        pixels.push_back((i & 0xF) * 0x11 | (i >> 4 & 0xF) * 0x1100 | (i >> 8) * 0x110000);
    }
    counter.Add(pixels);
    const Palette shared = counter.MakePalette();
    ASSERT_FALSE(shared.IsExact());
    for (const std::uint32_t colour : pixels) {
        const std::uint32_t entry = shared.Colours()[*shared.Find(colour)];
        for (const int shift : {0, 8, 16}) {
            EXPECT_NEAR(colour >> shift & 0xFF, entry >> shift & 0xFF, 48) << colour;
        }
    }
}

}  // namespace
}  // namespace zef
