#include "export/ZefImage.h"

#include <algorithm>

#include "export/Runs.h"

namespace zef {

Image ImageFromDib(const DibHeader& header, std::span<const std::uint32_t> pixels) {
    const std::int64_t width = header.width;
    const std::int64_t height = header.height < 0 ? -std::int64_t{header.height} : header.height;
    if (header.bitCount != 32 || width <= 0 || height <= 0 ||
        static_cast<std::uint64_t>(width * height) > pixels.size()) {
        return {};
    }
    Image image{Bitmap(header.width, static_cast<std::int32_t>(height)), {}, {}};
    for (std::int64_t row = 0; row < height; ++row) {
        const std::int64_t sourceRow = header.height < 0 ? row : height - 1 - row;
        const auto source = pixels.subspan(static_cast<std::size_t>(sourceRow * width),
                                           static_cast<std::size_t>(width));
        std::copy(source.begin(), source.end(), image.colours.Row(static_cast<std::int32_t>(row)));
    }
    return image;
}

bool ImageConvert(Image& image, const Palette& palette) {
    const std::span<const std::uint32_t> pixels = image.colours.Pixels();
    std::vector<std::uint8_t> indices(pixels.size());
    // Run by run: one look-up a run of one colour.
    for (std::size_t i = 0; i < pixels.size();) {
        const std::optional<std::uint8_t> index = palette.Find(pixels[i]);
        if (!index) {
            return false;
        }
        const std::size_t end = RunEnd(pixels, i);
        std::fill(indices.begin() + static_cast<std::ptrdiff_t>(i),
                  indices.begin() + static_cast<std::ptrdiff_t>(end), *index);
        i = end;
    }
    image.indices = std::move(indices);
    image.palette.assign(palette.Colours().begin(), palette.Colours().end());
    return true;
}

void ImageConvert(Image& image) {
    ColourCounter counter;
    counter.Add(image.colours.Pixels());
    ImageConvert(image, counter.MakePalette());
}

}  // namespace zef
