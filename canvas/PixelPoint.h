#pragma once

#include <cstdint>

namespace zef {

// A position on a bitmap in whole pixels, 0, 0 being the top-left pixel. Wide enough for any
// model position plus its offsets, so drawing code never overflows while clipping.
struct PixelPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
    friend constexpr bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

}  // namespace zef
