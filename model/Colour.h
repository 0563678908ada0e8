#pragma once

#include <cstdint>

namespace zef {

// A colour as three bytes in the order red, green, blue: the order used in memory, in model
// files, in history snapshots and in the settings file.
struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    // The platform colour value: red + 256 * green + 65536 * blue.
    constexpr std::uint32_t Value() const { return red + 256u * green + 65536u * blue; }
    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

}  // namespace zef
