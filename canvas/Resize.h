#pragma once

#include "Bitmap.h"
#include "PixelRect.h"

namespace zef {

// Stretches `region` of `source` onto the whole of `target`, each target pixel taking the
// source pixel under its centre. The region is first cut to the source bitmap; false, and the
// target untouched, when nothing of it is left or the target is empty.
bool StretchNearest(const Bitmap& source, PixelRect region, Bitmap& target);

// Resizes the whole of `source` onto the whole of `target`: each target pixel gets the mean
// of the source pixels it covers, weighted by the covered area, channel by channel and
// rounded to the nearest value. False, and the target untouched, when either is empty.
bool ResizeAreaAverage(const Bitmap& source, Bitmap& target);

}  // namespace zef
