#include "ScalePreview.h"

#include <algorithm>
#include <cmath>

namespace zef {

namespace {

constexpr std::int64_t kModelLimit = 30000;
// Far beyond any bitmap, and far inside the range of the integer type.
constexpr double kTruncationLimit = 1e15;

std::int64_t Truncated(double value) {
    if (!(value > -kTruncationLimit)) {
        return static_cast<std::int64_t>(-kTruncationLimit);
    }
    return static_cast<std::int64_t>(std::min(value, kTruncationLimit));
}

}  // namespace

PixelPoint ScaledPosition(std::int32_t x, std::int32_t y, const SelectionState& selection) {
    const double cx = selection.scaleCentreX;
    const double cy = selection.scaleCentreY;
    const double across = x - cx;
    const double up = cy - y;
    const double distance = std::sqrt(across * across + up * up);
    const double angle = std::atan2(up, across);
    const double scaled = distance * selection.scaleFactor;
    return {Truncated(cx + scaled * std::cos(angle)), Truncated(cy - scaled * std::sin(angle))};
}

PixelPoint HeldToModelRange(PixelPoint position) {
    return {std::clamp(position.x, -kModelLimit, kModelLimit),
            std::clamp(position.y, -kModelLimit, kModelLimit)};
}

}  // namespace zef
