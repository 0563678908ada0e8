#include "canvas/Shapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace zef {

namespace {

constexpr std::int32_t kDiagonalBelow = 60;  // width + height under which a diagonal fills
constexpr std::int32_t kHatchStep = 30;      // edge length between hatching corners
constexpr double kPi = 3.141592;
constexpr double kRadiansPerDegree = kPi / 180;
constexpr double kSegmentsPerRadius = kPi / 30;  // about one segment per 30 pixels
constexpr int kMinEllipseSegments = 8;
constexpr int kHatchAngle = 225;  // degrees: the ellipse's upper-left end, y growing downward

struct Bounds {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

Bounds BoundsOf(CanvasPoint a, CanvasPoint b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// Appends points and gathers what happened to them.
class Appender {
  public:
    explicit Appender(Model& model) : model_(model) {}

    void operator()(CanvasPoint point, bool connect) {
        switch (model_.AppendPoint(point.x, point.y, connect)) {
            case AppendResult::kAppended:
                result_.appended = true;
                break;
            case AppendResult::kOutOfMemory:
                result_.outOfMemory = true;
                break;
            case AppendResult::kUnchanged:
                break;
        }
    }

    ShapeResult Result() const { return result_; }

  private:
    Model& model_;
    ShapeResult result_;
};

// A zig-zag between two walkers that leave the top-left corner along the edge, one clockwise
// and one counter-clockwise, 30 pixels of edge at a time, as far as the opposite corner.
void AppendHatching(Appender& append, const Bounds& b) {
    const std::int64_t width = std::int64_t{b.right} - b.left;
    const std::int64_t height = std::int64_t{b.bottom} - b.top;
    const auto clockwise = [&](std::int64_t distance) {
        return distance <= width
                   ? CanvasPoint{static_cast<std::int32_t>(b.left + distance), b.top}
                   : CanvasPoint{b.right, static_cast<std::int32_t>(b.top + distance - width)};
    };
    const auto counterClockwise = [&](std::int64_t distance) {
        return distance <= height
                   ? CanvasPoint{b.left, static_cast<std::int32_t>(b.top + distance)}
                   : CanvasPoint{static_cast<std::int32_t>(b.left + distance - height), b.bottom};
    };
    for (std::int64_t distance = kHatchStep; distance < width + height; distance += kHatchStep) {
        append(clockwise(distance), distance != kHatchStep);
        append(counterClockwise(distance), true);
    }
}

// The point at `degrees` on the ellipse with the radii (rx, ry) about (cx, cy).
CanvasPoint EllipsePoint(std::int32_t cx, std::int32_t cy, std::int32_t rx, std::int32_t ry,
                         std::int64_t degrees) {
    const double angle = static_cast<double>(degrees) * kRadiansPerDegree;
    return {cx + static_cast<std::int32_t>(rx * std::cos(angle)),
            cy + static_cast<std::int32_t>(ry * std::sin(angle))};
}

}  // namespace

ShapeResult AddRectangle(Model& model, Random& random, CanvasPoint anchor, CanvasPoint sample,
                         bool filled) {
    std::array<CanvasPoint, 4> corners = {anchor, CanvasPoint{sample.x, anchor.y}, sample,
                                          CanvasPoint{anchor.x, sample.y}};
    std::rotate(corners.begin(), corners.begin() + random.Next() % 4, corners.end());
    if (random.Next() % 2 == 0) {
        std::swap(corners[1], corners[3]);
    }
    Appender append(model);
    append(corners[0], false);
    for (const CanvasPoint& corner : corners) {
        append(corner, true);
    }
    append(corners[0], true);
    if (filled) {
        const Bounds b = BoundsOf(anchor, sample);
        if (std::int64_t{b.right} - b.left + b.bottom - b.top < kDiagonalBelow) {
            append({b.right, b.top}, false);
            append({b.left, b.bottom}, true);
        } else {
            AppendHatching(append, b);
        }
    }
    return append.Result();
}

ShapeResult AddEllipse(Model& model, Random& random, CanvasPoint anchor, CanvasPoint sample,
                       bool filled) {
    const int start = random.Next() % 360;
    const int direction = random.Next() % 2 == 0 ? -1 : 1;
    const Bounds b = BoundsOf(anchor, sample);
    const auto rx = static_cast<std::int32_t>((std::int64_t{b.right} - b.left) / 2);
    const auto ry = static_cast<std::int32_t>((std::int64_t{b.bottom} - b.top) / 2);
    const std::int32_t cx = b.left + rx;
    const std::int32_t cy = b.top + ry;
    const std::int64_t n = std::max<std::int64_t>(
        kMinEllipseSegments,
        static_cast<std::int64_t>(static_cast<double>(std::int64_t{rx} + ry) * kSegmentsPerRadius));
    const auto at = [&](std::int64_t degrees) { return EllipsePoint(cx, cy, rx, ry, degrees); };
    Appender append(model);
    append(at(start), false);
    for (std::int64_t i = 1; i <= n; ++i) {
        append(at(start + direction * 360 * i / n), true);
    }
    if (filled) {
        append(at((n + 1) * 360 / n + kHatchAngle), false);
        for (std::int64_t j = 1; j < (n + 1) / 2; ++j) {
            const std::int64_t offset = 360 * j / n;
            append(at(kHatchAngle + offset), true);
            append(at(kHatchAngle - offset), true);
        }
    }
    return append.Result();
}

}  // namespace zef
