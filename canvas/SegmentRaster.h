#pragma once

#include "Bitmap.h"
#include "Pen.h"
#include "PixelPoint.h"

namespace zef {

// Draws the segment from `from` to `to` with `pen`, aliased and clipped to the bitmap.
//
// A pen of width w >= 2 paints every pixel whose centre lies within w / 2 of the segment: a
// round-ended line, w pixels across when horizontal or vertical. For an even width the line
// runs half a pixel up and to the left of the points, so that it has no pixels exactly on its
// edge (a width-4 line on row 10 covers rows 8 to 11). A segment of length 0 paints the disc
// of the pen's width. A pen of width 1 or less paints a one-pixel line with both ends.
void DrawSegment(Bitmap& bitmap, PixelPoint from, PixelPoint to, const Pen& pen);

}  // namespace zef
