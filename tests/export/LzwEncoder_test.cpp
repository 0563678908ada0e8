#include "LzwEncoder.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

#include "Random.h"

namespace zef {
namespace {

struct Memory {
    std::vector<std::uint8_t> bytes;
    std::size_t read = 0;
};

int Append(GifFileType* gif, const GifByteType* data, int size) {
    auto& bytes = static_cast<Memory*>(gif->UserData)->bytes;
    bytes.insert(bytes.end(), data, data + size);
    return size;
}

int Read(GifFileType* gif, GifByteType* data, int size) {
    auto* memory = static_cast<Memory*>(gif->UserData);
    const std::size_t count =
        std::min(static_cast<std::size_t>(size), memory->bytes.size() - memory->read);
    std::memcpy(data, memory->bytes.data() + memory->read, count);
    memory->read += count;
    return static_cast<int>(count);
}

// A GIF of one image of the pixels, its data written by giflib's EGifPutLine or, given
// `codes`, the encoder's codes in giflib's blocks.
Memory GifOf(int bits, int width, const std::vector<std::uint8_t>& pixels,
             const std::vector<std::uint8_t>* codes) {
    Memory gif;
    int error = 0;
    GifFileType* file = EGifOpen(&gif, Append, &error);
    std::vector<GifColorType> colours(std::size_t{1} << bits);
    ColorMapObject* map = GifMakeMapObject(1 << bits, colours.data());
    const int height = static_cast<int>(pixels.size()) / width;
    EGifPutScreenDesc(file, width, height, bits, 0, map);
    EGifPutImageDesc(file, 0, 0, width, height, false, nullptr);
    if (codes == nullptr) {
        std::vector<std::uint8_t> rows = pixels;
        for (int y = 0; y < height; ++y) {
            EGifPutLine(file, rows.data() + static_cast<std::size_t>(y) * width, width);
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
    return gif;
}

// The pixels giflib decodes, or nothing when it refuses the file.
std::optional<std::vector<std::uint8_t>> Decoded(Memory gif) {
    int error = 0;
    GifFileType* file = DGifOpen(&gif, Read, &error);
    if (file == nullptr) {
        return std::nullopt;
    }
    std::optional<std::vector<std::uint8_t>> pixels;
    if (DGifSlurp(file) == GIF_OK && file->ImageCount == 1) {
        const SavedImage& image = file->SavedImages[0];
        pixels.emplace(image.RasterBits,
                       image.RasterBits + static_cast<std::size_t>(image.ImageDesc.Width) *
                                              image.ImageDesc.Height);
    }
    DGifCloseFile(file, &error);
    return pixels;
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
        LzwEncoder encoder(c.bits);
        std::vector<std::uint8_t> codes;
        ASSERT_TRUE(encoder.Encode(c.pixels, codes));
        EXPECT_EQ(Decoded(GifOf(c.bits, c.width, c.pixels, &codes)), c.pixels);
        if (c.smallerThanGiflib) {
            EXPECT_LT(GifOf(c.bits, c.width, c.pixels, &codes).bytes.size(),
                      GifOf(c.bits, c.width, c.pixels, nullptr).bytes.size());
        }
        std::vector<std::uint8_t> again;
        EXPECT_FALSE(encoder.Encode(c.pixels, again, codes.size() - 1));
        EXPECT_TRUE(encoder.Encode(c.pixels, again, codes.size()));
        EXPECT_EQ(again, codes);
    }
}

}  // namespace
}  // namespace zef
