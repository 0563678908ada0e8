#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace zef {

// A rectangle of a frame, in pixels.
struct PixelBox {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;  // one past
    std::int32_t bottom = 0;

    bool Empty() const { return right <= left || bottom <= top; }
    std::int64_t Area() const { return Empty() ? 0 : std::int64_t{right - left} * (bottom - top); }
    // Grows to hold `other` as well.
    void Add(const PixelBox& other) {
        if (other.Empty()) {
            return;
        }
        if (Empty()) {
            *this = other;
            return;
        }
        left = std::min(left, other.left);
        top = std::min(top, other.top);
        right = std::max(right, other.right);
        bottom = std::max(bottom, other.bottom);
    }
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// The smallest box that holds every pixel in which two frames of `width` x `height` differ,
// row by row: each changed row adds the span from its first to its last changed pixel. Empty
// when the frames are equal.
template <typename Pixel>
PixelBox ChangedBox(const Pixel* shown, const Pixel* wanted, std::int32_t width,
                    std::int32_t height) {
    PixelBox box;
    const auto rowLength = static_cast<std::size_t>(width);
    for (std::int32_t y = 0; y < height; ++y, shown += rowLength, wanted += rowLength) {
        if (std::equal(shown, shown + rowLength, wanted)) {
            continue;
        }
        std::size_t first = 0;
        while (shown[first] == wanted[first]) {
            ++first;
        }
        std::size_t last = rowLength;
        while (shown[last - 1] == wanted[last - 1]) {
            --last;
        }
        box.Add({static_cast<std::int32_t>(first), y, static_cast<std::int32_t>(last), y + 1});
    }
    return box;
}

}  // namespace zef
