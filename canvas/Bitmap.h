#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zef {

// A 32-bit bitmap, rows top to bottom. A pixel holds the platform colour value
// red + 256 * green + 65536 * blue in its low 24 bits; the high byte stays 0.
class Bitmap {
  public:
    // The off-screen canvas, as large as the canvas window can be (800 x 600), all black.
    Bitmap();
    // A bitmap of width x height (negative sides count as 0), every pixel `fill`. Throws
    // std::bad_alloc when the pixels cannot be had.
    Bitmap(std::int32_t width, std::int32_t height, std::uint32_t fill = 0);

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

    // The pixel at (x, y), which must lie inside the bitmap.
    std::uint32_t Pixel(std::int32_t x, std::int32_t y) const { return pixels_[Index(x, y)]; }
    // Paints (x, y) when it lies inside the bitmap.
    void SetPixel(std::int64_t x, std::int64_t y, std::uint32_t colour);
    // Paints the pixels x0..x1 (both included) of row y, clipped to the bitmap.
    void FillSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, std::uint32_t colour);
    // Paints left <= x < right, top <= y < bottom, clipped to the bitmap.
    void FillRectangle(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                       std::uint32_t colour);

    std::uint32_t* Row(std::int32_t y) { return pixels_.data() + Index(0, y); }
    const std::uint32_t* Row(std::int32_t y) const { return pixels_.data() + Index(0, y); }
    std::span<const std::uint32_t> Pixels() const { return pixels_; }

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

  private:
    std::size_t Index(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    std::int32_t width_;
    std::int32_t height_;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace zef
