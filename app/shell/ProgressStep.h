#pragma once

#include <algorithm>
#include <cstdint>

namespace zef {

// The position of a progress bar running from low to high after one step from `position`: a
// step past the end starts over from the beginning, carrying what went past.
constexpr std::int32_t SteppedProgress(std::int32_t position, std::int32_t step, std::int32_t low,
                                       std::int32_t high) {
    std::int64_t stepped = std::int64_t{position} + step;
    if ((stepped < low || stepped > high) && high > low) {
        stepped = low + (stepped - low) % (std::int64_t{high} - low);
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(stepped, low, high));
}

}  // namespace zef
