#include "canvas/ScalePreview.h"

#include <algorithm>

#include "model/PointRecord.h"
#include "model/ScaleTransform.h"

namespace zef {

namespace {

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
    const ScaledPoint scaled =
        ScalePoint(x, y, selection.scaleCentreX, selection.scaleCentreY, selection.scaleFactor);
    return {Truncated(scaled.x), Truncated(scaled.y)};
}

PixelPoint HeldToModelRange(PixelPoint position) {
    return {std::clamp<std::int64_t>(position.x, -kCoordinateLimit, kCoordinateLimit),
            std::clamp<std::int64_t>(position.y, -kCoordinateLimit, kCoordinateLimit)};
}

}  // namespace zef
