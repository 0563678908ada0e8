#pragma once

#include <algorithm>
#include <cstdint>

namespace zef {

inline constexpr std::int32_t kMinCanvasSide = 10;
inline constexpr std::int32_t kMaxCanvasWidth = 800;
inline constexpr std::int32_t kMaxCanvasHeight = 600;

struct CanvasSize {
    std::int32_t width = kMaxCanvasWidth;
    std::int32_t height = kMaxCanvasHeight;
    friend constexpr bool operator==(const CanvasSize&, const CanvasSize&) = default;
};

// The size the canvas window takes when asked for width x height: each side held to the
// window's limits. A zero in either side asks for no new size, so the current one stays.
constexpr CanvasSize LimitCanvasSize(std::int32_t width, std::int32_t height, CanvasSize current) {
    if (width == 0 || height == 0) {
        return current;
    }
    return {std::clamp(width, kMinCanvasSide, kMaxCanvasWidth),
            std::clamp(height, kMinCanvasSide, kMaxCanvasHeight)};
}

}  // namespace zef
