#pragma once

#include <cstdint>
#include <string>

#include "canvas/Bitmap.h"
#include "canvas/PixelRect.h"

namespace zef::testing {

// The region as text, one line per row: '#' for pixels of `colour`, '.' for any other.
inline std::string PixelArt(const Bitmap& bitmap, PixelRect region, std::uint32_t colour) {
    std::string art;
    for (std::int32_t y = region.y; y < region.y + region.height; ++y) {
        art += '\n';
        for (std::int32_t x = region.x; x < region.x + region.width; ++x) {
            art += bitmap.Pixel(x, y) == colour ? '#' : '.';
        }
    }
    return art;
}

}  // namespace zef::testing
