#include "SegmentRaster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace zef {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The smallest whole number >= value and the largest <= value, for values already held to
// the bitmap's range.
std::int32_t CeilSmall(double value) {
    const auto whole = static_cast<std::int32_t>(value);
    return whole < value ? whole + 1 : whole;
}

std::int32_t FloorSmall(double value) {
    const auto whole = static_cast<std::int32_t>(value);
    return whole > value ? whole - 1 : whole;
}

// Paints the pixels of row y whose centres lie in [lo, hi].
void FillCoveredSpan(Bitmap& bitmap, std::int32_t y, double lo, double hi, std::uint32_t colour) {
    const double limit = bitmap.Width();
    lo = std::max(lo, -1.0);
    hi = std::min(hi, limit);
    if (!(lo <= hi)) {
        return;
    }
    const std::int32_t first = std::max(CeilSmall(lo), 0);
    const std::int32_t last = std::min(FloorSmall(hi), bitmap.Width() - 1);
    if (first <= last) {
        std::uint32_t* row = bitmap.Row(y);
        std::fill(row + first, row + last + 1, colour);
    }
}

// A segment on pixel-centre coordinates with its round ends; the set of points within
// `radius` of the segment from a to b. `roundA` and `roundB` say whether the ends get their
// half-discs (an end cut off far outside the bitmap needs none).
struct Capsule {
    double ax, ay, bx, by;
    double radius;
    bool roundA = true;
    bool roundB = true;
};

// Widens [lo, hi] by the part of row y covered by the disc of `radius` around (cx, cy).
void AddDiscSpan(double cx, double cy, double radiusSquared, double y, double& lo, double& hi) {
    const double dy = y - cy;
    const double rest = radiusSquared - dy * dy;
    if (rest >= 0.0) {
        const double half = std::sqrt(rest);
        lo = std::min(lo, cx - half);
        hi = std::max(hi, cx + half);
    }
}

// Fills the capsule row by row. For each row the covered x form one interval: the union of
// the rows' cuts through the two end discs and through the band of points whose projection
// falls on the segment and whose distance from its line is at most the radius. The band's
// cut is bounded by four lines, each a linear function of the row.
void FillCapsule(Bitmap& bitmap, const Capsule& capsule, std::uint32_t colour) {
    const double radius = capsule.radius;
    const double top = std::max(std::min(capsule.ay, capsule.by) - radius, 0.0);
    const double bottom =
        std::min(std::max(capsule.ay, capsule.by) + radius, bitmap.Height() - 1.0);
    if (!(top <= bottom)) {
        return;
    }
    const double dx = capsule.bx - capsule.ax;
    const double dy = capsule.by - capsule.ay;
    const double lengthSquared = dx * dx + dy * dy;
    const double reach = radius * std::sqrt(lengthSquared);
    const double radiusSquared = radius * radius;
    // Along the segment: 0 <= u * dx + v * dy <= lengthSquared, u = x - ax, v = y - ay.
    const double alongSlope = dx != 0.0 ? -dy / dx : 0.0;
    const double alongEnd = dx != 0.0 ? lengthSquared / dx : 0.0;
    // Across it: |u * dy - v * dx| <= reach.
    const double acrossSlope = dy != 0.0 ? dx / dy : 0.0;
    const double acrossHalf = dy != 0.0 ? std::abs(reach / dy) : 0.0;

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
                const double start = v * alongSlope;
                const double end = start + alongEnd;
                bandLo = std::min(start, end);
                bandHi = std::max(start, end);
            } else if (v * dy < 0.0 || v * dy > lengthSquared) {
                bandHi = -kInfinity;
            }
            if (dy != 0.0) {
                const double middle = v * acrossSlope;
                bandLo = std::max(bandLo, middle - acrossHalf);
                bandHi = std::min(bandHi, middle + acrossHalf);
            } else if (std::abs(v) > radius) {
                bandHi = -kInfinity;
            }
            if (bandLo <= bandHi) {
                lo = std::min(lo, capsule.ax + bandLo);
                hi = std::max(hi, capsule.ax + bandHi);
            }
        }
        FillCoveredSpan(bitmap, y, lo, hi, colour);
    }
}

// Cuts the segment from a to b to the rectangle [minX, maxX] x [minY, maxY] (Liang-Barsky).
// False when no part of it lies inside. tA and tB are the kept part's ends along the segment.
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

void DrawWideSegment(Bitmap& bitmap, PixelPoint from, PixelPoint to, std::int32_t width,
                     std::uint32_t colour) {
    const double shift = width % 2 == 0 ? 0.5 : 0.0;
    Capsule capsule{static_cast<double>(from.x) - shift, static_cast<double>(from.y) - shift,
                    static_cast<double>(to.x) - shift, static_cast<double>(to.y) - shift,
                    width / 2.0};
    // Only the part of the segment within the radius of the bitmap can touch a pixel; cutting
    // the rest away keeps far-out coordinates from costing time or precision.
    const double margin = capsule.radius + 2.0;
    const double minX = -margin;
    const double minY = -margin;
    const double maxX = bitmap.Width() - 1.0 + margin;
    const double maxY = bitmap.Height() - 1.0 + margin;
    const auto inside = [&](double x, double y) {
        return x >= minX && x <= maxX && y >= minY && y <= maxY;
    };
    if (!inside(capsule.ax, capsule.ay) || !inside(capsule.bx, capsule.by)) {
        double tA = 0.0;
        double tB = 1.0;
        if (!ClipToBox(capsule.ax, capsule.ay, capsule.bx, capsule.by, minX, minY, maxX, maxY, tA,
                       tB)) {
            return;
        }
        const double dx = capsule.bx - capsule.ax;
        const double dy = capsule.by - capsule.ay;
        capsule = {capsule.ax + tA * dx,
                   capsule.ay + tA * dy,
                   capsule.ax + tB * dx,
                   capsule.ay + tB * dy,
                   capsule.radius,
                   tA == 0.0,
                   tB == 1.0};
    }
    FillCapsule(bitmap, capsule, colour);
}

// A one-pixel line: one pixel per column along a mostly horizontal line, one per row along a
// mostly vertical one, each at the nearest pixel to the exact line. Only the columns or rows
// inside the bitmap are visited.
void DrawThinSegment(Bitmap& bitmap, PixelPoint from, PixelPoint to, std::uint32_t colour) {
    const std::int64_t dx = to.x - from.x;
    const std::int64_t dy = to.y - from.y;
    const bool alongX = std::abs(dx) >= std::abs(dy);
    const std::int64_t major0 = alongX ? from.x : from.y;
    const std::int64_t minor0 = alongX ? from.y : from.x;
    const std::int64_t majorDelta = alongX ? dx : dy;
    const std::int64_t minorDelta = alongX ? dy : dx;
    const std::int64_t majorLimit = alongX ? bitmap.Width() - 1 : bitmap.Height() - 1;
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
            bitmap.SetPixel(major, minor, colour);
        } else {
            bitmap.SetPixel(minor, major, colour);
        }
    }
}

}  // namespace

void DrawSegment(Bitmap& bitmap, PixelPoint from, PixelPoint to, const Pen& pen) {
    if (pen.width <= 1) {
        DrawThinSegment(bitmap, from, to, pen.colour);
    } else {
        DrawWideSegment(bitmap, from, to, pen.width, pen.colour);
    }
}

}  // namespace zef
