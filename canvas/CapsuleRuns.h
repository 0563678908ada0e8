#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "canvas/SmallRounding.h"

namespace zef {

// The pixels of a wide round-ended segment whose ends lie on whole pixels, row by row: every
// pixel whose centre lies within width / 2 of the segment, an even width's segment running
// half a pixel up and to the left of its ends. The pixels of one row form one run.
//
// A row's run is the union of its cuts through the two end discs, taken from a table made
// once for the width, and through the band of points whose projection falls on the segment
// and whose distance from its line is at most the radius; that cut is bounded by four lines,
// each a linear function of the row.
class CapsuleRuns {
  public:
    static constexpr std::int32_t kMaxWidth = 256;
    // Columns beyond which no run is reported: far outside any bitmap, far inside the
    // integer range.
    static constexpr std::int32_t kFarColumn = 1 << 24;

    // For widths 2 .. kMaxWidth.
    explicit CapsuleRuns(std::int32_t width);

    // The segment from (ax, ay) to (bx, by), its ends within kFarColumn / 2 of the origin.
    void SetSegment(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by);

    // The run of the end disc in the row `row` rows below its point, as columns from the
    // point; first > last outside the disc.
    std::int32_t DiscFirst(std::int32_t row) const { return discFirst_[DiscIndex(row)]; }
    std::int32_t DiscLast(std::int32_t row) const { return discLast_[DiscIndex(row)]; }

    // The rows the segment reaches.
    std::int32_t TopRow() const { return std::min(ay_, by_) + discTop_; }
    std::int32_t BottomRow() const { return std::max(ay_, by_) + discTop_ + discRows_ - 1; }

    // Calls visit(y, first, last) for the rows first..last, first > last for a row without
    // pixels. Free of branches that depend on the row, so that rows cost few cycles.
    template <typename Visit>
    void ForEachRun(std::int32_t firstRow, std::int32_t lastRow, Visit&& visit) const;

  private:
    struct Band {
        double x = 0.0;
        double y = 0.0;
        double alongSlope = 0.0;
        double alongLo = std::numeric_limits<double>::infinity();  // the empty band
        double alongHi = -std::numeric_limits<double>::infinity();
        double acrossSlope = 0.0;
        double acrossHalf = std::numeric_limits<double>::infinity();
        std::int32_t topRow = std::numeric_limits<std::int32_t>::min();
        std::int32_t bottomRow = std::numeric_limits<std::int32_t>::max();
    };

    std::size_t DiscIndex(std::int32_t row) const {
        return static_cast<std::size_t>(std::clamp(row - discTop_ + 1, 0, discRows_ + 1));
    }

    template <typename Visit>
    void RunsWithBand(std::int32_t firstRow, std::int32_t lastRow, const Band& band,
                      Visit& visit) const;

    double shift_;
    double radius_;
    // The end disc around a point, row by row from the point's row + discTop_: the first and
    // last pixel as offsets from the point's column. Entries 0 and discRows_ + 1 stand for
    // the rows outside the disc.
    std::int32_t discTop_;
    std::int32_t discRows_;
    std::array<std::int32_t, kMaxWidth + 2> discFirst_{};
    std::array<std::int32_t, kMaxWidth + 2> discLast_{};
    std::int32_t ax_ = 0;
    std::int32_t ay_ = 0;
    std::int32_t bx_ = 0;
    std::int32_t by_ = 0;
    Band band_;
};

template <typename Visit>
void CapsuleRuns::ForEachRun(std::int32_t firstRow, std::int32_t lastRow, Visit&& visit) const {
    if (band_.topRow == std::numeric_limits<std::int32_t>::min()) {
        RunsWithBand(firstRow, lastRow, band_, visit);
        return;
    }
    // A vertical band has no line to cut the rows beyond its ends: it has rows of its own.
    const Band none;
    RunsWithBand(firstRow, std::min(lastRow, band_.topRow - 1), none, visit);
    RunsWithBand(std::max(firstRow, band_.topRow), std::min(lastRow, band_.bottomRow), band_,
                 visit);
    RunsWithBand(std::max(firstRow, band_.bottomRow + 1), lastRow, none, visit);
}

template <typename Visit>
void CapsuleRuns::RunsWithBand(std::int32_t firstRow, std::int32_t lastRow, const Band& band,
                               Visit& visit) const {
    constexpr double kLimitLo = -kFarColumn;
    constexpr double kLimitHi = kFarColumn;
    const Band cut = band;
    const std::int32_t discTop = discTop_;
    const std::int32_t lastIndex = discRows_ + 1;
    const std::int32_t* discFirst = discFirst_.data();
    const std::int32_t* discLast = discLast_.data();
    const std::int32_t ax = ax_;
    const std::int32_t ay = ay_;
    const std::int32_t bx = bx_;
    const std::int32_t by = by_;
    for (std::int32_t y = firstRow; y <= lastRow; ++y) {
        const double v = y - cut.y;
        const double along = v * cut.alongSlope;
        const double across = v * cut.acrossSlope;
        const double lo = std::max(along + cut.alongLo, across - cut.acrossHalf) + cut.x;
        const double hi = std::min(along + cut.alongHi, across + cut.acrossHalf) + cut.x;
        // Held apart at the limits, so an empty cut stays empty.
        std::int32_t first = CeilSmall(std::clamp(lo, kLimitLo, kLimitHi + 1.0));
        std::int32_t last = FloorSmall(std::clamp(hi, kLimitLo - 1.0, kLimitHi));
        const bool empty = first > last;
        first = empty ? kFarColumn : first;
        last = empty ? -kFarColumn : last;
        const std::int32_t a = std::clamp(y - ay - discTop + 1, 0, lastIndex);
        const std::int32_t b = std::clamp(y - by - discTop + 1, 0, lastIndex);
        first = std::min(first, std::min(ax + discFirst[a], bx + discFirst[b]));
        last = std::max(last, std::max(ax + discLast[a], bx + discLast[b]));
        visit(y, first, last);
    }
}

}  // namespace zef
