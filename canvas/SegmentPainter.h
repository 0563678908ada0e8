#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "canvas/Bitmap.h"
#include "canvas/CapsuleRuns.h"
#include "canvas/Pen.h"
#include "canvas/PixelPoint.h"
#include "canvas/SegmentRunTable.h"

namespace zef {

// Draws segments with one pen on one bitmap, aliased and clipped to the bitmap; made once
// for many segments, since it prepares the pen's round ends.
//
// A pen of width w >= 2 paints every pixel whose centre lies within w / 2 of the segment: a
// round-ended line, w pixels across when horizontal or vertical. For an even width the line
// runs half a pixel up and to the left of the points, so that it has no pixels exactly on its
// edge (a width-4 line on row 10 covers rows 8 to 11). A segment of length 0 paints the disc
// of the pen's width. A pen of width 1 or less paints a one-pixel line with both ends.
class SegmentPainter {
  public:
    // When a short segment from the run table is painted: at once, or while the table entry
    // of the next one is read, so that the wait for the entry overlaps with painting. Painted
    // overlapped, the last such segment is painted when the painter goes.
    enum class Painting { kAtOnce, kOverlapped };

    // `runs`, when given for the pen's width, serves the short segments.
    SegmentPainter(Bitmap& bitmap, const Pen& pen, const SegmentRunTable* runs = nullptr,
                   Painting painting = Painting::kAtOnce);
    ~SegmentPainter();
    SegmentPainter(const SegmentPainter&) = delete;
    SegmentPainter& operator=(const SegmentPainter&) = delete;

    // Puts the pen at `point` without drawing.
    void MoveTo(PixelPoint point);
    // Draws the segment from the pen's position to `point` and leaves the pen there.
    void LineTo(PixelPoint point);

  private:
    struct Capsule;
    // The pieces of a segment from the table, found but not yet painted, from `origin`, the
    // pixel of its upper end in its first row.
    struct Pieces {
        std::array<const SegmentRunTable::Piece*, SegmentRunTable::kSizes> first{};
        std::array<const SegmentRunTable::Piece*, SegmentRunTable::kSizes> end{};
        std::uint32_t* origin = nullptr;
    };
    // The points from (left, top) to (left + across, top + down).
    struct NearBox {
        std::int64_t left, top;
        std::uint64_t across, down;
    };

    // The reach around the bitmap that parts near points from far ones and that segments to a
    // far point are cut to: the radius and two pixels more.
    double Margin() const { return radius_ + 2.0; }
    bool IsNear(PixelPoint point) const;
    Capsule ShiftedCapsule(PixelPoint from, PixelPoint to) const;
    // `fromPainted`: the disc around `from` is already painted, by the segment before.
    void DrawNear(PixelPoint from, PixelPoint to, bool fromPainted);
    void DrawFar(PixelPoint from, PixelPoint to);
    void DrawThin(PixelPoint from, PixelPoint to);
    void DrawFromTable(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by,
                       bool fromPainted);
    void Paint(const Pieces& pieces);
    void DrawCapsule(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by);
    void DrawRound(const Capsule& capsule);
    void FillRow(std::int32_t y, std::int32_t first, std::int32_t last);

    Bitmap& bitmap_;
    Pen pen_;
    const SegmentRunTable* runs_;
    double shift_ = 0.0;  // how far the line runs up and left of its points
    double radius_ = 0.0;
    NearBox near_{};
    // The runs of segments with whole-pixel ends near the bitmap, for widths up to
    // CapsuleRuns::kMaxWidth.
    std::optional<CapsuleRuns> capsule_;
    bool overlapped_;
    // The segment from the table waiting to be painted, painting overlapped.
    Pieces pending_;
    PixelPoint position_;
    bool positionPainted_ = false;  // a segment ended at position_ and painted its disc
};

// Draws one segment; see SegmentPainter.
void DrawSegment(Bitmap& bitmap, PixelPoint from, PixelPoint to, const Pen& pen);

}  // namespace zef
