#include "canvas/OutlineRaster.h"

#include <algorithm>
#include <cmath>

#include "canvas/SegmentPainter.h"

namespace zef {

namespace {

// Paints the pixels of row y whose centres lie in [lo, hi].
void FillRowBetween(Bitmap& bitmap, std::int64_t y, double lo, double hi, std::uint32_t colour) {
    lo = std::max(lo, -1.0);
    hi = std::min(hi, static_cast<double>(bitmap.Width()));
    if (lo <= hi) {
        bitmap.FillSpan(y, static_cast<std::int64_t>(std::ceil(lo)),
                        static_cast<std::int64_t>(std::floor(hi)), colour);
    }
}

// Paints every other pixel of the run (x + k * stepX, y + k * stepY), k = 0 .. count - 1,
// whose place on the frame, index + k, is even. Only the part inside the bitmap is visited.
void DrawDottedRun(Bitmap& bitmap, std::int64_t index, std::int64_t x, std::int64_t y, int stepX,
                   int stepY, std::int64_t count, std::uint32_t colour) {
    std::int64_t first = 0;
    std::int64_t last = count - 1;
    const auto keepInside = [&](std::int64_t start, int step, std::int64_t size) {
        if (step == 0) {
            if (start < 0 || start >= size) {
                last = -1;
            }
        } else if (step > 0) {
            first = std::max(first, -start);
            last = std::min(last, size - 1 - start);
        } else {
            first = std::max(first, start - (size - 1));
            last = std::min(last, start);
        }
    };
    keepInside(x, stepX, bitmap.Width());
    keepInside(y, stepY, bitmap.Height());
    for (std::int64_t k = first; k <= last; ++k) {
        if ((index + k) % 2 == 0) {
            bitmap.SetPixel(x + k * stepX, y + k * stepY, colour);
        }
    }
}

}  // namespace

void DrawRectangleOutline(Bitmap& bitmap, PixelPoint corner, PixelPoint opposite, const Pen& pen) {
    SegmentPainter painter(bitmap, pen);
    painter.MoveTo(corner);
    painter.LineTo({opposite.x, corner.y});
    painter.LineTo(opposite);
    painter.LineTo({corner.x, opposite.y});
    painter.LineTo(corner);
}

void DrawEllipseOutline(Bitmap& bitmap, PixelPoint corner, PixelPoint opposite, const Pen& pen) {
    const std::int32_t width = std::max(pen.width, 1);
    const double shift = LineShift(width);
    const double half = width / 2.0;
    const double cx =
        (static_cast<double>(corner.x) + static_cast<double>(opposite.x)) / 2.0 - shift;
    const double cy =
        (static_cast<double>(corner.y) + static_cast<double>(opposite.y)) / 2.0 - shift;
    const double a =
        std::abs(static_cast<double>(opposite.x) - static_cast<double>(corner.x)) / 2.0;
    const double b =
        std::abs(static_cast<double>(opposite.y) - static_cast<double>(corner.y)) / 2.0;
    const double outerA = a + half;
    const double outerB = b + half;
    const double innerA = a - half;
    const double innerB = b - half;
    const double top = std::max(cy - outerB, 0.0);
    const double bottom = std::min(cy + outerB, bitmap.Height() - 1.0);
    if (!(top <= bottom)) {
        return;
    }
    // A pixel belongs to the outline when its centre lies inside or on the outer ellipse and
    // not strictly inside the inner one.
    for (auto y = static_cast<std::int64_t>(std::ceil(top)); y <= bottom; ++y) {
        const double dy = static_cast<double>(y) - cy;
        const double outerRest = 1.0 - (dy / outerB) * (dy / outerB);
        if (outerRest < 0.0) {
            continue;
        }
        const double outerHalf = outerA * std::sqrt(outerRest);
        if (innerA > 0.0 && innerB > 0.0 && std::abs(dy) < innerB) {
            const double innerHalf = innerA * std::sqrt(1.0 - (dy / innerB) * (dy / innerB));
            FillRowBetween(bitmap, y, cx - outerHalf, cx - innerHalf, pen.colour);
            FillRowBetween(bitmap, y, cx + innerHalf, cx + outerHalf, pen.colour);
        } else {
            FillRowBetween(bitmap, y, cx - outerHalf, cx + outerHalf, pen.colour);
        }
    }
}

void DrawDottedRectangle(Bitmap& bitmap, PixelPoint corner, PixelPoint opposite,
                         std::uint32_t colour) {
    const std::int64_t left = std::min(corner.x, opposite.x);
    const std::int64_t top = std::min(corner.y, opposite.y);
    const std::int64_t right = std::max(corner.x, opposite.x) - 1;
    const std::int64_t bottom = std::max(corner.y, opposite.y) - 1;
    if (right < left || bottom < top) {
        return;
    }
    const std::int64_t across = right - left;
    const std::int64_t down = bottom - top;
    DrawDottedRun(bitmap, 0, left, top, 1, 0, across + 1, colour);
    DrawDottedRun(bitmap, across + 1, right, top + 1, 0, 1, down, colour);
    if (down > 0) {
        DrawDottedRun(bitmap, across + down + 1, right - 1, bottom, -1, 0, across, colour);
    }
    if (across > 0) {
        DrawDottedRun(bitmap, 2 * across + down + 1, left, bottom - 1, 0, -1, down - 1, colour);
    }
}

}  // namespace zef
