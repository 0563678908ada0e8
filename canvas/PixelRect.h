#pragma once

#include <cstdint>

namespace zef {

// A rectangle of pixels: left, top, and its size.
struct PixelRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

}  // namespace zef
