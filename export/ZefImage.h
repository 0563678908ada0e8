#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "canvas/Bitmap.h"
#include "export/Palette.h"

namespace zef {

// The version of the image library, times 100; the About dialog shows it as 1.00.
constexpr std::int32_t LibraryVersion() {
    return 100;
}

// Describes the pixels handed to ImageFromDib: 32 bits a pixel, rows bottom to top for a
// positive height and top to bottom for a negative one.
struct DibHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 32;
};

// A frame on its way to a file: 32-bit colour values until ImageConvert makes it 8-bit
// indexed into its palette. The image owns its pixels and frees them itself.
struct Image {
    Bitmap colours{0, 0};
    std::vector<std::uint8_t> indices;  // rows top to bottom, after ImageConvert
    std::vector<std::uint32_t> palette;

    std::int32_t Width() const { return colours.Width(); }
    std::int32_t Height() const { return colours.Height(); }
};

// A copy of the pixels the header describes (program colour values); an empty image when
// the header is not 32-bit or the pixels are fewer than it describes. Throws std::bad_alloc
// when the copy cannot be had.
Image ImageFromDib(const DibHeader& header, std::span<const std::uint32_t> pixels);

// Makes the image 8-bit indexed into `palette`. False, and the image unchanged, when the
// palette is exact and misses one of the image's colours. Throws std::bad_alloc.
bool ImageConvert(Image& image, const Palette& palette);
// Makes the image 8-bit indexed into a palette of its own colours, cut down to 256 when it
// holds more.
void ImageConvert(Image& image);

}  // namespace zef
