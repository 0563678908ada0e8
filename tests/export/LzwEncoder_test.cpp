#include "LzwEncoder.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "Random.h"
#include "TempFolder.h"
#include "TestScene.h"

namespace zef {
namespace {

// Writes a GIF of one image of the pixels, colour i being the colour value i, its data
// written by giflib's EGifPutLine or, given `codes`, the encoder's codes in giflib's blocks.
void WriteGif(const std::string& path, int bits, int width, std::vector<std::uint8_t> pixels,
              const std::vector<std::uint8_t>* codes) {
    int error = 0;
    GifFileType* file = EGifOpenFileName(path.c_str(), false, &error);
    std::vector<GifColorType> colours(std::size_t{1} << bits);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        colours[i].Red = static_cast<GifByteType>(i);
    }
    ColorMapObject* map = GifMakeMapObject(1 << bits, colours.data());
    const int height = static_cast<int>(pixels.size()) / width;
    EGifPutScreenDesc(file, width, height, bits, 0, map);
    EGifPutImageDesc(file, 0, 0, width, height, false, nullptr);
    if (codes == nullptr) {
        for (int y = 0; y < height; ++y) {
            EGifPutLine(file, pixels.data() + static_cast<std::size_t>(y) * width, width);
        }
    } else {
        for (std::size_t at = 0; at < codes->size(); at += 255) {
            std::vector<GifByteType> block{
                static_cast<GifByteType>(std::min<std::size_t>(255, codes->size() - at))};
            block.insert(block.end(), codes->begin() + static_cast<std::ptrdiff_t>(at),
                         codes->begin() + static_cast<std::ptrdiff_t>(at + block[0]));
            EGifPutCodeNext(file, block.data());
        }
        EGifPutCodeNext(file, nullptr);
    }
    EGifCloseFile(file, &error);
    GifFreeMapObject(map);
}

// width x height pixels, each made from its place and a random number.
std::vector<std::uint8_t> Pixels(int width, int height,
                                 const std::function<int(int x, int y, int random)>& pixel) {
    Random random(7);
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(static_cast<std::uint8_t>(pixel(x, y, random.Next())));
        }
    }
    return pixels;
}

TEST(LzwEncoderTest, GiflibDecodesEveryPixelOfHardImages) {
    struct Case {
        const char* name;
        int bits;
        int width;
        std::vector<std::uint8_t> pixels;
        bool smallerThanGiflib;
    };
    const Case cases[] = {
        {"one pixel", 1, 1, {1}, false},
        {"two pixels", 8, 2, {255, 255}, false},
        {"single colour", 1, 600, Pixels(600, 600, [](int, int, int) { return 0; }), false},
        {"256-colour noise", 8, 256, Pixels(256, 128, [](int, int, int r) { return r; }), false},
        // Sixteen colours of their own every 10,000 pixels: a full table soon helps nothing.
        {"table filled many times", 8, 1000,
         Pixels(1000, 100, [](int, int y, int r) { return (y / 10 * 16 + r % 16) % 256; }), false},
        // Slanted lines two pixels wide and their shadows on a background.
        {"line drawing", 2, 400,
         Pixels(400, 300,
                [](int x, int y, int) {
                    const int across = (x + y / 3) % 97;
                    return across < 2 ? 2 : across < 4 ? 1 : 0;
                }),
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        LzwEncoder encoder(c.bits);
        std::vector<std::uint8_t> codes;
        ASSERT_TRUE(encoder.Encode(c.pixels, codes));
        WriteGif(folder.PathOf("codes.gif"), c.bits, c.width, c.pixels, &codes);
        const std::optional<test::DecodedAnimation> decoded =
            test::DecodeGif(folder.PathOf("codes.gif"));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->frames,
                  (std::vector<test::ShownFrame>{{{c.pixels.begin(), c.pixels.end()}, 0}}));
        if (c.smallerThanGiflib) {
            WriteGif(folder.PathOf("giflib.gif"), c.bits, c.width, c.pixels, nullptr);
            EXPECT_LT(std::filesystem::file_size(folder.PathOf("codes.gif")),
                      std::filesystem::file_size(folder.PathOf("giflib.gif")));
        }
        std::vector<std::uint8_t> again;
        EXPECT_FALSE(encoder.Encode(c.pixels, again, codes.size() - 1));
        EXPECT_TRUE(encoder.Encode(c.pixels, again, codes.size()));
        EXPECT_EQ(again, codes);
    }
}

}  // namespace
}  // namespace zef
