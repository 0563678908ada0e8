#pragma once

#include <cstdint>

namespace zef {

// The smallest whole number >= value and the largest <= value, for values already held to
// well inside the range of std::int32_t; cheaper on the rasterizer's row loops than
// std::ceil and std::floor with a conversion.
inline std::int32_t CeilSmall(double value) {
    const auto whole = static_cast<std::int32_t>(value);
    return whole + (whole < value ? 1 : 0);
}

inline std::int32_t FloorSmall(double value) {
    const auto whole = static_cast<std::int32_t>(value);
    return whole - (whole > value ? 1 : 0);
}

}  // namespace zef
