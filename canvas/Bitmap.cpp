#include "canvas/Bitmap.h"

#include <algorithm>

#include "model/CanvasLimits.h"

namespace zef {

Bitmap::Bitmap() : Bitmap(kMaxCanvasWidth, kMaxCanvasHeight) {}

Bitmap::Bitmap(std::int32_t width, std::int32_t height, std::uint32_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

void Bitmap::SetPixel(std::int64_t x, std::int64_t y, std::uint32_t colour) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) {
        pixels_[Index(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y))] = colour;
    }
}

void Bitmap::FillSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, std::uint32_t colour) {
    if (y < 0 || y >= height_) {
        return;
    }
    const std::int64_t first = std::max<std::int64_t>(x0, 0);
    const std::int64_t last = std::min<std::int64_t>(x1, width_ - 1);
    if (first > last) {
        return;
    }
    std::uint32_t* row = Row(static_cast<std::int32_t>(y));
    std::fill(row + first, row + last + 1, colour);
}

void Bitmap::FillRectangle(std::int64_t left, std::int64_t top, std::int64_t right,
                           std::int64_t bottom, std::uint32_t colour) {
    const std::int64_t firstRow = std::max<std::int64_t>(top, 0);
    const std::int64_t endRow = std::min<std::int64_t>(bottom, height_);
    for (std::int64_t y = firstRow; y < endRow; ++y) {
        FillSpan(y, left, right - 1, colour);
    }
}

}  // namespace zef
