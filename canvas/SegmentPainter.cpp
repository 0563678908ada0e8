#include "canvas/SegmentPainter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "canvas/SmallRounding.h"

namespace zef {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Widens [lo, hi] by the cut of row y through the disc of radius² `radiusSquared` around
// (cx, cy).
void AddDiscSpan(double cx, double cy, double radiusSquared, double y, double& lo, double& hi) {
    const double dy = y - cy;
    const double rest = radiusSquared - dy * dy;
    if (rest >= 0.0) {
        const double half = std::sqrt(rest);
        lo = std::min(lo, cx - half);
        hi = std::max(hi, cx + half);
    }
}

// Cuts the segment from a to b to the rectangle [minX, maxX] x [minY, maxY] (Liang-Barsky).
// False when no part of it lies inside; tA and tB are the kept part's ends along the segment.
bool ClipToBox(double ax, double ay, double bx, double by, double minX, double minY, double maxX,
               double maxY, double& tA, double& tB) {
    tA = 0.0;
    tB = 1.0;
    const double dx = bx - ax;
    const double dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - minX, maxX - ax, ay - minY, maxY - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            tA = std::max(tA, t);
        } else {
            tB = std::min(tB, t);
        }
    }
    return tA <= tB;
}

// Paints `count` >= 2 pixels from `run` on, writing only those: runs of up to 8 pixels, the
// most common, by two stores of four or of two pixels that may overlap.
inline void FillLongRun(std::uint32_t* run, std::int32_t count, std::uint32_t colour) {
    constexpr std::int32_t kShortRun = 8;
    const std::uint64_t pair = colour | std::uint64_t{colour} << 32;
    if (count > kShortRun) {
        std::fill(run, run + count, colour);
    } else if (count >= 4) {
        const std::uint64_t quad[2] = {pair, pair};
        std::memcpy(run, quad, sizeof quad);
        std::memcpy(run + count - 4, quad, sizeof quad);
    } else {
        std::memcpy(run, &pair, sizeof pair);
        std::memcpy(run + count - 2, &pair, sizeof pair);
    }
}

// Paints `count` pixels from `run` on; nothing when count <= 0.
inline void FillRun(std::uint32_t* run, std::int32_t count, std::uint32_t colour) {
    if (count == 1) {
        run[0] = colour;
    } else if (count > 1) {
        FillLongRun(run, count, colour);
    }
}

// Paints the pieces [piece, end) of one size, from `origin`, the pixel of the segment's upper
// end in its first row, each by two stores of kPixels pixels that may overlap.
template <std::int32_t kPixels>
void PaintPieces(const SegmentRunTable::Piece* piece, const SegmentRunTable::Piece* end,
                 std::uint32_t* origin, std::int32_t stride, std::uint32_t colour) {
    std::array<std::uint32_t, kPixels> fill;
    fill.fill(colour);
    for (; piece != end; ++piece) {
        std::uint32_t* run = origin + std::ptrdiff_t{piece->row} * stride + piece->first;
        std::memcpy(run, fill.data(), sizeof fill);
        std::memcpy(run + piece->count - kPixels, fill.data(), sizeof fill);
    }
}

}  // namespace

// A segment on pixel-centre coordinates, already moved by the shift. `roundA` and `roundB`
// say whether the ends get their half-discs (an end cut off far outside the bitmap needs
// none).
struct SegmentPainter::Capsule {
    double ax, ay, bx, by;
    bool roundA = true;
    bool roundB = true;
};

SegmentPainter::SegmentPainter(Bitmap& bitmap, const Pen& pen, const SegmentRunTable* runs,
                               Painting painting)
    : bitmap_(bitmap),
      pen_(pen),
      runs_(runs != nullptr && runs->Width() == pen.width ? runs : nullptr),
      overlapped_(painting == Painting::kOverlapped) {
    if (pen.width <= 1) {
        return;
    }
    shift_ = LineShift(pen.width);
    radius_ = pen.width / 2.0;
    // The points whose line, moved by the shift, lies within Margin() of the bitmap.
    const double margin = Margin();
    const auto lowest = static_cast<std::int64_t>(std::ceil(shift_ - margin));
    near_ = {
        lowest, lowest,
        static_cast<std::uint64_t>(
            static_cast<std::int64_t>(std::floor(bitmap.Width() - 1.0 + margin + shift_)) - lowest),
        static_cast<std::uint64_t>(
            static_cast<std::int64_t>(std::floor(bitmap.Height() - 1.0 + margin + shift_)) -
            lowest)};
    if (pen.width <= CapsuleRuns::kMaxWidth) {
        capsule_.emplace(pen.width);
    }
}

SegmentPainter::~SegmentPainter() {
    Paint(pending_);
}

void SegmentPainter::MoveTo(PixelPoint point) {
    position_ = point;
    positionPainted_ = false;
}

void SegmentPainter::LineTo(PixelPoint point) {
    const PixelPoint from = position_;
    if (pen_.width <= 1) {
        DrawThin(from, point);
    } else if (IsNear(from) && IsNear(point)) {
        DrawNear(from, point, positionPainted_);
    } else {
        DrawFar(from, point);
    }
    position_ = point;
    positionPainted_ = true;
}

bool SegmentPainter::IsNear(PixelPoint point) const {
    // One unsigned comparison per axis tests both sides.
    return static_cast<std::uint64_t>(point.x) - static_cast<std::uint64_t>(near_.left) <=
               near_.across &&
           static_cast<std::uint64_t>(point.y) - static_cast<std::uint64_t>(near_.top) <=
               near_.down;
}

void SegmentPainter::DrawNear(PixelPoint from, PixelPoint to, bool fromPainted) {
    if (!capsule_) {
        DrawRound(ShiftedCapsule(from, to));
        return;
    }
    const auto ax = static_cast<std::int32_t>(from.x);
    const auto ay = static_cast<std::int32_t>(from.y);
    const auto bx = static_cast<std::int32_t>(to.x);
    const auto by = static_cast<std::int32_t>(to.y);
    if (runs_ != nullptr && SegmentRunTable::Covers(bx - ax, std::abs(by - ay))) {
        DrawFromTable(ax, ay, bx, by, fromPainted);
    } else {
        DrawCapsule(ax, ay, bx, by);
    }
}

// Only the part of the segment within the radius of the bitmap can touch a pixel; cutting the
// rest away keeps far-out coordinates from costing time or precision.
void SegmentPainter::DrawFar(PixelPoint from, PixelPoint to) {
    const Capsule whole = ShiftedCapsule(from, to);
    const double margin = Margin();
    double tA = 0.0;
    double tB = 1.0;
    if (!ClipToBox(whole.ax, whole.ay, whole.bx, whole.by, -margin, -margin,
                   bitmap_.Width() - 1.0 + margin, bitmap_.Height() - 1.0 + margin, tA, tB)) {
        return;
    }
    const double dx = whole.bx - whole.ax;
    const double dy = whole.by - whole.ay;
    DrawRound({whole.ax + tA * dx, whole.ay + tA * dy, whole.ax + tB * dx, whole.ay + tB * dy,
               tA == 0.0, tB == 1.0});
}

SegmentPainter::Capsule SegmentPainter::ShiftedCapsule(PixelPoint from, PixelPoint to) const {
    return {static_cast<double>(from.x) - shift_, static_cast<double>(from.y) - shift_,
            static_cast<double>(to.x) - shift_, static_cast<double>(to.y) - shift_};
}

// A short segment's pieces come from the table, measured from its upper end. Rows within the
// disc already painted around `from` are left out. Most segments lie wholly inside the
// bitmap and need no clipping.
void SegmentPainter::DrawFromTable(std::int32_t ax, std::int32_t ay, std::int32_t bx,
                                   std::int32_t by, bool fromPainted) {
    // Which end is the upper one is a toss-up: it is chosen by arithmetic, not by a branch.
    const bool fromIsUpper = by >= ay;
    const std::int32_t toward = fromIsUpper ? 1 : -1;
    const std::int32_t dx = (bx - ax) * toward;
    const std::int32_t dy = (by - ay) * toward;
    ax = fromIsUpper ? ax : bx;
    ay = fromIsUpper ? ay : by;
    const SegmentRunTable::Segment& segment = runs_->Find(dx, dy);
    const SegmentRunTable::Piece* pieces = runs_->Pieces(segment);
    const bool skipUpper = fromPainted && fromIsUpper;
    const bool skipLower = fromPainted && !fromIsUpper;
    const auto first = [&](std::size_t size) {
        const SegmentRunTable::Group& group = segment.groups[size];
        return pieces + (skipUpper ? group.afterUpperDisc : group.begin);
    };
    const auto end = [&](std::size_t size) {
        const SegmentRunTable::Group& group = segment.groups[size];
        return pieces + (skipLower ? group.lowerDiscStart : group.end);
    };
    const std::int32_t width = bitmap_.Width();
    const std::int32_t top = ay + runs_->TopOffset();
    const std::int32_t rows = dy + pen_.width;
    const std::uint32_t colour = pen_.colour;
    if (top >= 0 && top + rows <= bitmap_.Height() && ax + segment.leftmost >= 0 &&
        ax + segment.rightmost < width) {
        const Pieces next{
            {first(0), first(1), first(2)}, {end(0), end(1), end(2)}, bitmap_.Row(top) + ax};
        if (!overlapped_) {
            Paint(next);
            return;
        }
        const Pieces waiting = pending_;
        pending_ = next;
        Paint(waiting);
        return;
    }
    for (std::size_t size = 0; size < SegmentRunTable::kSizes; ++size) {
        for (const SegmentRunTable::Piece* piece = first(size); piece != end(size); ++piece) {
            const std::int32_t y = top + piece->row;
            if (y < 0 || y >= bitmap_.Height()) {
                continue;
            }
            const std::int32_t left = std::max(ax + piece->first, 0);
            const std::int32_t right = std::min(ax + piece->first + piece->count - 1, width - 1);
            FillRun(bitmap_.Row(y) + left, right - left + 1, colour);
        }
    }
}

void SegmentPainter::Paint(const Pieces& pieces) {
    const std::int32_t width = bitmap_.Width();
    const std::uint32_t colour = pen_.colour;
    PaintPieces<SegmentRunTable::kStorePixels[0]>(pieces.first[0], pieces.end[0], pieces.origin,
                                                  width, colour);
    PaintPieces<SegmentRunTable::kStorePixels[1]>(pieces.first[1], pieces.end[1], pieces.origin,
                                                  width, colour);
    PaintPieces<SegmentRunTable::kStorePixels[2]>(pieces.first[2], pieces.end[2], pieces.origin,
                                                  width, colour);
}

void SegmentPainter::DrawCapsule(std::int32_t ax, std::int32_t ay, std::int32_t bx,
                                 std::int32_t by) {
    capsule_->SetSegment(ax, ay, bx, by);
    capsule_->ForEachRun(
        std::max(capsule_->TopRow(), 0), std::min(capsule_->BottomRow(), bitmap_.Height() - 1),
        [this](std::int32_t y, std::int32_t first, std::int32_t last) { FillRow(y, first, last); });
}

// The same runs as CapsuleRuns gives, for any width and for ends that are not on whole
// pixels, with the discs worked out row by row.
void SegmentPainter::DrawRound(const Capsule& capsule) {
    const double top = std::max(std::min(capsule.ay, capsule.by) - radius_, 0.0);
    const double bottom =
        std::min(std::max(capsule.ay, capsule.by) + radius_, bitmap_.Height() - 1.0);
    if (!(top <= bottom)) {
        return;
    }
    const double dx = capsule.bx - capsule.ax;
    const double dy = capsule.by - capsule.ay;
    const double lengthSquared = dx * dx + dy * dy;
    const double reach = radius_ * std::sqrt(lengthSquared);
    const double radiusSquared = radius_ * radius_;
    for (std::int32_t y = CeilSmall(top), last = FloorSmall(bottom); y <= last; ++y) {
        double lo = kInfinity;
        double hi = -kInfinity;
        if (capsule.roundA) {
            AddDiscSpan(capsule.ax, capsule.ay, radiusSquared, y, lo, hi);
        }
        if (capsule.roundB) {
            AddDiscSpan(capsule.bx, capsule.by, radiusSquared, y, lo, hi);
        }
        if (lengthSquared > 0.0) {
            const double v = y - capsule.ay;
            double bandLo = -kInfinity;
            double bandHi = kInfinity;
            if (dx != 0.0) {
                const double start = -v * dy / dx;
                const double end = (lengthSquared - v * dy) / dx;
                bandLo = std::min(start, end);
                bandHi = std::max(start, end);
            } else if (v * dy < 0.0 || v * dy > lengthSquared) {
                bandHi = -kInfinity;
            }
            if (dy != 0.0) {
                const double middle = v * dx / dy;
                const double half = std::abs(reach / dy);
                bandLo = std::max(bandLo, middle - half);
                bandHi = std::min(bandHi, middle + half);
            } else if (std::abs(v) > radius_) {
                bandHi = -kInfinity;
            }
            if (bandLo <= bandHi) {
                lo = std::min(lo, capsule.ax + bandLo);
                hi = std::max(hi, capsule.ax + bandHi);
            }
        }
        const double limit = bitmap_.Width();
        FillRow(y, CeilSmall(std::clamp(lo, -1.0, limit + 1.0)),
                FloorSmall(std::clamp(hi, -2.0, limit)));
    }
}

void SegmentPainter::FillRow(std::int32_t y, std::int32_t first, std::int32_t last) {
    first = std::max(first, 0);
    last = std::min(last, bitmap_.Width() - 1);
    FillRun(bitmap_.Row(y) + first, last - first + 1, pen_.colour);
}

// A one-pixel line: one pixel per column along a mostly horizontal line, one per row along a
// mostly vertical one, each at the nearest pixel to the exact line. Only the columns or rows
// inside the bitmap are visited.
void SegmentPainter::DrawThin(PixelPoint from, PixelPoint to) {
    const std::int64_t dx = to.x - from.x;
    const std::int64_t dy = to.y - from.y;
    const bool alongX = std::abs(dx) >= std::abs(dy);
    const std::int64_t major0 = alongX ? from.x : from.y;
    const std::int64_t minor0 = alongX ? from.y : from.x;
    const std::int64_t majorDelta = alongX ? dx : dy;
    const std::int64_t minorDelta = alongX ? dy : dx;
    const std::int64_t majorLimit = alongX ? bitmap_.Width() - 1 : bitmap_.Height() - 1;
    const std::int64_t first = std::max<std::int64_t>(std::min(major0, major0 + majorDelta), 0);
    const std::int64_t last =
        std::min<std::int64_t>(std::max(major0, major0 + majorDelta), majorLimit);
    for (std::int64_t major = first; major <= last; ++major) {
        std::int64_t minor = minor0;
        if (majorDelta != 0) {
            const double exact = static_cast<double>(major - major0) *
                                 static_cast<double>(minorDelta) / static_cast<double>(majorDelta);
            minor += static_cast<std::int64_t>(std::floor(exact + 0.5));
        }
        if (alongX) {
            bitmap_.SetPixel(major, minor, pen_.colour);
        } else {
            bitmap_.SetPixel(minor, major, pen_.colour);
        }
    }
}

void DrawSegment(Bitmap& bitmap, PixelPoint from, PixelPoint to, const Pen& pen) {
    SegmentPainter painter(bitmap, pen);
    painter.MoveTo(from);
    painter.LineTo(to);
}

}  // namespace zef
