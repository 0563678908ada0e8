#pragma once

#include <cstdint>

#include "canvas/Bitmap.h"
#include "canvas/Pen.h"
#include "canvas/PixelPoint.h"

namespace zef {

// The outlines below are spanned by two opposite corners in any order; all are aliased and
// clipped to the bitmap.

// The four sides from corner to corner, each drawn as DrawSegment draws it, so the corners
// are rounded for wide pens.
void DrawRectangleOutline(Bitmap& bitmap, PixelPoint corner, PixelPoint opposite, const Pen& pen);

// The ellipse inscribed in the rectangle from corner to opposite, its outline `pen.width`
// pixels thick and centred on the ellipse: the ring between the ellipses whose half-axes are
// those of the inscribed one plus and minus half the width. Its top and bottom lie on the
// rectangle's sides as a rectangle outline's sides do.
void DrawEllipseOutline(Bitmap& bitmap, PixelPoint corner, PixelPoint opposite, const Pen& pen);

// A one-pixel dotted frame around the pixels left <= x < right, top <= y < bottom, one pixel
// painted and one left, walking clockwise from the top-left pixel. An empty rectangle draws
// nothing.
void DrawDottedRectangle(Bitmap& bitmap, PixelPoint corner, PixelPoint opposite,
                         std::uint32_t colour);

}  // namespace zef
