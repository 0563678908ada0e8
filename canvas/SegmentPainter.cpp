#include "SegmentPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace zef {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Table entries of the rows outside a disc, far enough out that adding any column on the
// bitmap's side of the margin keeps them out of every run.
constexpr std::int32_t kNoDiscLo = std::numeric_limits<std::int32_t>::max() / 2;
constexpr std::int32_t kNoDiscHi = std::numeric_limits<std::int32_t>::min() / 2;

// The smallest whole number >= value and the largest <= value, for values already held to
// the bitmap's range.
std::int32_t CeilSmall(double value) {
    const auto whole = static_cast<std::int32_t>(value);
    return whole + (whole < value ? 1 : 0);
}

std::int32_t FloorSmall(double value) {
    const auto whole = static_cast<std::int32_t>(value);
    return whole - (whole > value ? 1 : 0);
}

std::int64_t SquareRootFloor(std::int64_t value) {
    auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(value)));
    while (root * root > value) {
        --root;
    }
    while ((root + 1) * (root + 1) <= value) {
        ++root;
    }
    return root;
}

std::int64_t FloorHalf(std::int64_t value) {
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}

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

// Paints `count` pixels from `run` on, writing only those. A run of up to eight pixels is
// written by eight stores, the later ones repeating its last pixel: runs are short, and a
// loop of unknown length would cost a mispredicted branch in most rows.
inline void FillRun(std::uint32_t* run, std::int32_t count, std::uint32_t colour) {
    constexpr std::int32_t kShortRun = 8;
    if (count <= 0) {
        return;
    }
    if (count > kShortRun) {
        std::fill(run, run + count, colour);
        return;
    }
    for (std::int32_t k = 0; k < kShortRun; ++k) {
        run[std::min(k, count - 1)] = colour;
    }
}

}  // namespace

// A segment on pixel-centre coordinates, already moved by the shift, with the points within
// the radius of it. `roundA` and `roundB` say whether the ends get their half-discs (an end
// cut off far outside the bitmap needs none).
struct SegmentPainter::Capsule {
    double ax, ay, bx, by;
    bool roundA = true;
    bool roundB = true;
};

SegmentPainter::SegmentPainter(Bitmap& bitmap, const Pen& pen) : bitmap_(bitmap), pen_(pen) {
    if (pen.width <= 1) {
        return;
    }
    shift_ = pen.width % 2 == 0 ? 0.5 : 0.0;
    radius_ = pen.width / 2.0;
    tabled_ = pen.width <= kTabledWidth;
    if (!tabled_) {
        return;
    }
    // On a doubled grid the disc's centre is at (-e, -e) and pixel (i, j) at (2i, 2j): the
    // pixel is inside when (2i + e)² + (2j + e)² <= width².
    const std::int64_t e = pen.width % 2 == 0 ? 1 : 0;
    const std::int64_t widthSquared = static_cast<std::int64_t>(pen.width) * pen.width;
    discTop_ = -(pen.width / 2);
    discRows_ = pen.width;
    discLo_.fill(kNoDiscLo);
    discHi_.fill(kNoDiscHi);
    for (std::int32_t row = 0; row < discRows_; ++row) {
        const std::int64_t across = 2 * static_cast<std::int64_t>(discTop_ + row) + e;
        const std::int64_t reach = SquareRootFloor(widthSquared - across * across);
        discLo_[row + 1] = static_cast<std::int32_t>(-FloorHalf(reach + e));
        discHi_[row + 1] = static_cast<std::int32_t>(FloorHalf(reach - e));
    }
}

void SegmentPainter::Draw(PixelPoint from, PixelPoint to) {
    if (pen_.width <= 1) {
        DrawThin(from, to);
        return;
    }
    Capsule capsule{static_cast<double>(from.x) - shift_, static_cast<double>(from.y) - shift_,
                    static_cast<double>(to.x) - shift_, static_cast<double>(to.y) - shift_};
    // Only the part of the segment within the radius of the bitmap can touch a pixel; cutting
    // the rest away keeps far-out coordinates from costing time or precision.
    const double margin = radius_ + 2.0;
    const double minX = -margin;
    const double minY = -margin;
    const double maxX = bitmap_.Width() - 1.0 + margin;
    const double maxY = bitmap_.Height() - 1.0 + margin;
    const auto inside = [&](double x, double y) {
        return x >= minX && x <= maxX && y >= minY && y <= maxY;
    };
    if (inside(capsule.ax, capsule.ay) && inside(capsule.bx, capsule.by)) {
        if (tabled_) {
            DrawTabled(from, to);
        } else {
            DrawRound(capsule);
        }
        return;
    }
    double tA = 0.0;
    double tB = 1.0;
    if (!ClipToBox(capsule.ax, capsule.ay, capsule.bx, capsule.by, minX, minY, maxX, maxY, tA,
                   tB)) {
        return;
    }
    const double dx = capsule.bx - capsule.ax;
    const double dy = capsule.by - capsule.ay;
    DrawRound({capsule.ax + tA * dx, capsule.ay + tA * dy, capsule.ax + tB * dx,
               capsule.ay + tB * dy, tA == 0.0, tB == 1.0});
}

// The band of a segment: the points whose projection falls on the segment and whose
// distance from its line is at most the radius. Measured from (x, y) by u and v, it is
// 0 <= u * dx + v * dy <= dx² + dy² along the segment and |u * dy - v * dx| <= radius * length
// across it; for each row that cuts u to two intervals, each bounded by linear functions of
// the row.
struct SegmentPainter::Band {
    double x = 0.0;
    double y = 0.0;
    double alongSlope = 0.0;
    double alongLo = kInfinity;  // the empty band
    double alongHi = -kInfinity;
    double acrossSlope = 0.0;
    double acrossHalf = kInfinity;
};

// For each row the covered pixels form one run: the union of the row's cuts through the two
// end discs, which come from the table, and through the band.
void SegmentPainter::DrawTabled(PixelPoint from, PixelPoint to) {
    const TabledEnds ends{static_cast<std::int32_t>(from.x), static_cast<std::int32_t>(from.y),
                          static_cast<std::int32_t>(to.x), static_cast<std::int32_t>(to.y)};
    const std::int32_t top = std::max(std::min(ends.ay, ends.by) + discTop_, 0);
    const std::int32_t bottom =
        std::min(std::max(ends.ay, ends.by) + discTop_ + discRows_ - 1, bitmap_.Height() - 1);
    const double dx = ends.bx - ends.ax;
    const double dy = ends.by - ends.ay;
    const Band none;
    if (dx == 0.0 && dy == 0.0) {
        FillTabledRows(top, bottom, ends, none);
        return;
    }
    Band band{ends.ax - shift_, ends.ay - shift_};
    if (dx == 0.0) {
        // A vertical band has no line to cut the rows beyond its ends; it covers the rows
        // between them only.
        band.alongLo = -kInfinity;
        band.alongHi = kInfinity;
        band.acrossHalf = radius_;
        const std::int32_t bandTop = std::min(ends.ay, ends.by);
        const std::int32_t bandBottom = std::max(ends.ay, ends.by) - (shift_ > 0.0 ? 1 : 0);
        FillTabledRows(top, std::min(bottom, bandTop - 1), ends, none);
        FillTabledRows(std::max(top, bandTop), std::min(bottom, bandBottom), ends, band);
        FillTabledRows(std::max(top, bandBottom + 1), bottom, ends, none);
        return;
    }
    const double lengthSquared = dx * dx + dy * dy;
    band.alongSlope = -dy / dx;
    band.alongLo = std::min(0.0, lengthSquared / dx);
    band.alongHi = std::max(0.0, lengthSquared / dx);
    if (dy != 0.0) {
        band.acrossSlope = dx / dy;
        band.acrossHalf = std::abs(radius_ * std::sqrt(lengthSquared) / dy);
    }
    FillTabledRows(top, bottom, ends, band);
}

// Rows first..last of a tabled segment. Written without branches that depend on the row, on
// values held in locals, so that the short rows of a thin line cost few cycles each.
void SegmentPainter::FillTabledRows(std::int32_t first, std::int32_t last, const TabledEnds& ends,
                                    const Band& band) {
    const std::int32_t width = bitmap_.Width();
    const double limitLo = -1.0;
    const double limitHi = width;
    const std::int32_t discTop = discTop_;
    const std::int32_t lastIndex = discRows_ + 1;
    const std::int32_t* discLo = discLo_.data();
    const std::int32_t* discHi = discHi_.data();
    const std::uint32_t colour = pen_.colour;
    std::uint32_t* const pixels = bitmap_.Row(0);
    const Band cut = band;
    const TabledEnds at = ends;
    for (std::int32_t y = first; y <= last; ++y) {
        const double v = y - cut.y;
        const double along = v * cut.alongSlope;
        const double across = v * cut.acrossSlope;
        const double lo = std::max(along + cut.alongLo, across - cut.acrossHalf) + cut.x;
        const double hi = std::min(along + cut.alongHi, across + cut.acrossHalf) + cut.x;
        std::int32_t runFirst = CeilSmall(std::clamp(lo, limitLo, limitHi));
        std::int32_t runLast = FloorSmall(std::clamp(hi, limitLo, limitHi));
        const bool empty = runFirst > runLast;
        runFirst = empty ? std::numeric_limits<std::int32_t>::max() : runFirst;
        runLast = empty ? std::numeric_limits<std::int32_t>::min() : runLast;
        const std::int32_t a = std::clamp(y - at.ay - discTop + 1, 0, lastIndex);
        const std::int32_t b = std::clamp(y - at.by - discTop + 1, 0, lastIndex);
        runFirst = std::min({runFirst, at.ax + discLo[a], at.bx + discLo[b]});
        runLast = std::max({runLast, at.ax + discHi[a], at.bx + discHi[b]});
        runFirst = std::max(runFirst, 0);
        runLast = std::min(runLast, width - 1);
        FillRun(pixels + static_cast<std::ptrdiff_t>(y) * width + runFirst, runLast - runFirst + 1,
                colour);
    }
}

// The same cut as DrawTabled for any width and for ends that are not on whole pixels, with
// the discs worked out row by row.
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
        FillRow(y, lo, hi);
    }
}

// Paints the pixels of row y whose centres lie in [lo, hi].
void SegmentPainter::FillRow(std::int32_t y, double lo, double hi) {
    const std::int32_t width = bitmap_.Width();
    const std::int32_t first = std::max(CeilSmall(std::clamp(lo, -1.0, width + 1.0)), 0);
    const std::int32_t last =
        std::min(FloorSmall(std::clamp(hi, -2.0, static_cast<double>(width))), width - 1);
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
    SegmentPainter(bitmap, pen).Draw(from, to);
}

}  // namespace zef
