#pragma once

#include <cmath>
#include <cstdint>

namespace zef {

// Moving and scaling hold every coordinate they write to -kCoordinateLimit..kCoordinateLimit.
inline constexpr std::int32_t kCoordinateLimit = 30000;

// Values of PointImage::kind. Other values may come from a file; such points are kept,
// saved and counted, but drawing neither moves the pen to them nor draws to them.
inline constexpr std::uint8_t kStrokeStart = 1;
inline constexpr std::uint8_t kStrokeContinuation = 2;

// The twelve persistent bytes of a point, as model files and history snapshots hold them.
struct PointImage {
    std::int32_t x = 0;  // canvas pixels, 0 = left edge
    std::int32_t y = 0;  // canvas pixels, 0 = top edge, growing downward
    std::uint8_t kind = kStrokeStart;
    std::int8_t shakeDx = 0;    // jitter added to x when the point is drawn
    std::int8_t shakeDy = 0;    // jitter added to y when the point is drawn
    std::uint8_t reserved = 0;  // carried along unchanged, never interpreted

    friend constexpr bool operator==(const PointImage&, const PointImage&) = default;
};
static_assert(sizeof(PointImage) == 12);

// The length of the segment from `from` to `to` on their raw positions, jitter not counted:
// what a segment adds to the model's path length and costs in the replay.
inline double SegmentLength(const PointImage& from, const PointImage& to) {
    const double dx = static_cast<double>(to.x) - from.x;
    const double dy = static_cast<double>(to.y) - from.y;
    return std::sqrt(dx * dx + dy * dy);
}

// One point of the line list: its persistent image and whether it is selected. The
// selection is never stored; every point made by append, load, undo or redo is unselected.
struct PointRecord : PointImage {
    std::uint8_t selected = 0;
};

}  // namespace zef
