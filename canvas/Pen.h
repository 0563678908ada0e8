#pragma once

#include <cstdint>

namespace zef {

inline constexpr std::uint32_t kPureRed = 0x0000FF;
inline constexpr std::uint32_t kBlack = 0x000000;

// A solid pen: a colour value (see Bitmap) and a width in pixels. A width of 2 or more
// draws round-ended wide lines; 1 and below draw one-pixel lines.
struct Pen {
    std::uint32_t colour = kBlack;
    std::int32_t width = 1;
    friend constexpr bool operator==(const Pen&, const Pen&) = default;
};

// How far the line of a pen of `width` runs up and to the left of its points: half a pixel
// for an even width, so that no pixel centre lies exactly on the line's edge.
constexpr double LineShift(std::int32_t width) {
    return width % 2 == 0 ? 0.5 : 0.0;
}

}  // namespace zef
