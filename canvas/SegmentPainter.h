#pragma once

#include <array>
#include <cstdint>

#include "Bitmap.h"
#include "Pen.h"
#include "PixelPoint.h"

namespace zef {

// Draws segments with one pen on one bitmap, aliased and clipped to the bitmap; made once
// for many segments, since it prepares the pen's round end.
//
// A pen of width w >= 2 paints every pixel whose centre lies within w / 2 of the segment: a
// round-ended line, w pixels across when horizontal or vertical. For an even width the line
// runs half a pixel up and to the left of the points, so that it has no pixels exactly on its
// edge (a width-4 line on row 10 covers rows 8 to 11). A segment of length 0 paints the disc
// of the pen's width. A pen of width 1 or less paints a one-pixel line with both ends.
class SegmentPainter {
  public:
    SegmentPainter(Bitmap& bitmap, const Pen& pen);

    void Draw(PixelPoint from, PixelPoint to);

  private:
    // Widths up to this one keep the rows of their end disc in a table.
    static constexpr std::int32_t kTabledWidth = 256;

    struct Capsule;
    struct Band;
    struct TabledEnds {
        std::int32_t ax, ay, bx, by;
    };

    void DrawThin(PixelPoint from, PixelPoint to);
    void DrawTabled(PixelPoint from, PixelPoint to);
    void FillTabledRows(std::int32_t first, std::int32_t last, const TabledEnds& ends,
                        const Band& band);
    void DrawRound(const Capsule& capsule);
    void FillRow(std::int32_t y, double lo, double hi);

    Bitmap& bitmap_;
    Pen pen_;
    double shift_ = 0.0;  // how far the line runs up and left of its points
    double radius_ = 0.0;
    bool tabled_ = false;
    // The end disc around a point, row by row from the point's row + discTop_: the first and
    // last pixel as offsets from the point's column. Entries 0 and discRows_ + 1 cover no
    // pixel, for the rows outside the disc.
    std::int32_t discTop_ = 0;
    std::int32_t discRows_ = 0;
    std::array<std::int32_t, kTabledWidth + 2> discLo_{};
    std::array<std::int32_t, kTabledWidth + 2> discHi_{};
};

// Draws one segment; see SegmentPainter.
void DrawSegment(Bitmap& bitmap, PixelPoint from, PixelPoint to, const Pen& pen);

}  // namespace zef
