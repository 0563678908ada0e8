#pragma once

#include <cmath>
#include <cstdint>

namespace zef {

struct ScaledPoint {
    double x = 0.0;
    double y = 0.0;
};

// Where (x, y) goes when the selection is scaled by `factor` about (cx, cy): its distance from
// the centre multiplied by the factor, at the same angle (measured with the vertical axis
// pointing up). A factor of exactly 1 leaves the point where it is: the round trip through
// angle and distance would otherwise move some points by a pixel once truncated.
inline ScaledPoint ScalePoint(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                              double factor) {
    if (factor == 1.0) {
        return {static_cast<double>(x), static_cast<double>(y)};
    }
    const double across = static_cast<double>(x) - cx;
    const double up = static_cast<double>(cy) - y;
    const double radius = std::sqrt(across * across + up * up) * factor;
    const double angle = std::atan2(up, across);
    return {radius * std::cos(angle) + cx, cy - radius * std::sin(angle)};
}

}  // namespace zef
