#include "LzwSizer.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include "Random.h"

namespace zef {
namespace {

int Append(GifFileType* gif, const GifByteType* data, int size) {
    static_cast<std::vector<std::uint8_t>*>(gif->UserData)
        ->insert(static_cast<std::vector<std::uint8_t>*>(gif->UserData)->end(), data, data + size);
    return size;
}

// The bytes giflib writes for one image of these pixels after the screen descriptor.
std::size_t GiflibImageBytes(int bits, std::vector<std::uint8_t> pixels, int width) {
    std::vector<std::uint8_t> bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, Append, &error);
    std::vector<GifColorType> colours(std::size_t{1} << bits);
    ColorMapObject* map = GifMakeMapObject(1 << bits, colours.data());
    const int height = static_cast<int>(pixels.size()) / width;
    EGifPutScreenDesc(gif, width, height, bits, 0, map);
    bytes.clear();
    EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
    for (int y = 0; y < height; ++y) {
        EGifPutLine(gif, pixels.data() + y * width, width);
    }
    const std::size_t size = bytes.size();
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return size;
}

TEST(LzwSizerTest, TellsTheSizeGiflibWrites) {
    struct Case {
        int bits;
        int width;
        int height;
        int runLength;  // pixels repeat in runs of up to this length
    };
    const Case cases[] = {
        {1, 1, 1, 1}, {2, 800, 60, 1}, {3, 300, 200, 5}, {8, 256, 256, 1}, {8, 500, 400, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, " << c.width << "x" << c.height);
        Random random(static_cast<std::uint32_t>(c.bits * 1000 + c.width));
        std::vector<std::uint8_t> pixels;
        while (pixels.size() < static_cast<std::size_t>(c.width * c.height)) {
            const auto value = static_cast<std::uint8_t>(random.Next() % (1 << c.bits));
            pixels.insert(pixels.end(), 1 + random.Next() % c.runLength, value);
        }
        pixels.resize(static_cast<std::size_t>(c.width * c.height));
        LzwSizer sizer(c.bits);
        EXPECT_EQ(sizer.ImageBytes(pixels), GiflibImageBytes(c.bits, pixels, c.width));
        EXPECT_EQ(sizer.ImageBytes(pixels), GiflibImageBytes(c.bits, pixels, c.width));
    }
}

}  // namespace
}  // namespace zef
