#include "export/BmpFile.h"

#include <algorithm>

namespace zef {
namespace {

void Put16(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    Put16(bytes, value & 0xFFFF);
    Put16(bytes, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Image& image) {
    constexpr std::uint32_t kHeaders = 14 + 40;
    const auto width = static_cast<std::uint32_t>(image.Width());
    const auto height = static_cast<std::uint32_t>(image.Height());
    const std::uint32_t stride = (width + 3) / 4 * 4;
    const auto colours = static_cast<std::uint32_t>(image.palette.size());
    const std::uint32_t pixelOffset = kHeaders + 4 * colours;
    const std::uint32_t pixelBytes = stride * height;

    std::vector<std::uint8_t> bytes;
    bytes.reserve(pixelOffset + pixelBytes);
    bytes.push_back('B');
    bytes.push_back('M');
    Put32(bytes, pixelOffset + pixelBytes);
    Put32(bytes, 0);
    Put32(bytes, pixelOffset);
    Put32(bytes, 40);
    Put32(bytes, width);
    Put32(bytes, height);
    Put16(bytes, 1);
    Put16(bytes, 8);
    Put32(bytes, 0);
    Put32(bytes, pixelBytes);
    Put32(bytes, 0);
    Put32(bytes, 0);
    Put32(bytes, colours);
    Put32(bytes, 0);
    for (const std::uint32_t colour : image.palette) {
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(colour >> 16),
                                   static_cast<std::uint8_t>(colour >> 8),
                                   static_cast<std::uint8_t>(colour), 0});
    }
    for (std::uint32_t row = height; row-- > 0;) {
        const auto first = image.indices.begin() + static_cast<std::ptrdiff_t>(row * width);
        bytes.insert(bytes.end(), first, first + width);
        bytes.resize(bytes.size() + (stride - width), 0);
    }
    return bytes;
}

}  // namespace zef
