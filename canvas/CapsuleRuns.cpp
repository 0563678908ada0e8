#include "canvas/CapsuleRuns.h"

#include <cmath>

#include "canvas/Pen.h"

namespace zef {

namespace {

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

}  // namespace

CapsuleRuns::CapsuleRuns(std::int32_t width)
    : shift_(LineShift(width)), radius_(width / 2.0), discTop_(-(width / 2)), discRows_(width) {
    // On a doubled grid the disc's centre is at (-e, -e) and pixel (i, j) at (2i, 2j): the
    // pixel is inside when (2i + e)² + (2j + e)² <= width².
    const std::int64_t e = width % 2 == 0 ? 1 : 0;
    const std::int64_t widthSquared = static_cast<std::int64_t>(width) * width;
    discFirst_.fill(kFarColumn);
    discLast_.fill(-kFarColumn);
    for (std::int32_t row = 0; row < discRows_; ++row) {
        const std::int64_t across = 2 * static_cast<std::int64_t>(discTop_ + row) + e;
        const std::int64_t reach = SquareRootFloor(widthSquared - across * across);
        discFirst_[row + 1] = static_cast<std::int32_t>(-FloorHalf(reach + e));
        discLast_[row + 1] = static_cast<std::int32_t>(FloorHalf(reach - e));
    }
}

void CapsuleRuns::SetSegment(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by) {
    ax_ = ax;
    ay_ = ay;
    bx_ = bx;
    by_ = by;
    band_ = Band{};
    const double dx = bx - ax;
    const double dy = by - ay;
    if (dx == 0.0 && dy == 0.0) {
        return;
    }
    // Measured from the band's start by u and v, the band is 0 <= u * dx + v * dy <= dx² + dy²
    // along the segment and |u * dy - v * dx| <= radius * length across it.
    band_.x = ax - shift_;
    band_.y = ay - shift_;
    if (dx == 0.0) {
        band_.alongLo = -std::numeric_limits<double>::infinity();
        band_.alongHi = std::numeric_limits<double>::infinity();
        band_.acrossHalf = radius_;
        band_.topRow = std::min(ay, by);
        band_.bottomRow = std::max(ay, by) - (shift_ > 0.0 ? 1 : 0);
        return;
    }
    const double lengthSquared = dx * dx + dy * dy;
    band_.alongSlope = -dy / dx;
    band_.alongLo = std::min(0.0, lengthSquared / dx);
    band_.alongHi = std::max(0.0, lengthSquared / dx);
    if (dy != 0.0) {
        band_.acrossSlope = dx / dy;
        band_.acrossHalf = std::abs(radius_ * std::sqrt(lengthSquared) / dy);
    }
}

}  // namespace zef
