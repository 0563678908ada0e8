#pragma once

#include <cstdint>
#include <span>

#include "canvas/Bitmap.h"
#include "canvas/PixelRect.h"

namespace zef {

// Stretches `region` of `source` onto the whole of `target`, each target pixel taking the
// source pixel under its centre. The region is first cut to the source bitmap; false, and the
// target untouched, when nothing of it is left or the target is empty.
bool StretchNearest(const Bitmap& source, PixelRect region, Bitmap& target);

// Resizes the whole of `source` onto the whole of `target`: each target pixel gets the mean
// of the source pixels it covers, weighted by the covered area, channel by channel and
// rounded to the nearest value. False, and the target untouched, when either is empty.
bool ResizeAreaAverage(const Bitmap& source, Bitmap& target);

// Resizes like ResizeAreaAverage, with the pixels of colour `clear` counted as transparent
// instead of averaged in: each target pixel's `alpha` (one byte a pixel, rows top to bottom)
// is the share of its area the drawn pixels cover, 0..255 rounded, and its colour the mean of
// those drawn pixels alone; a pixel without any drawn pixel is `clear` with alpha 0. False,
// and the target untouched, when either is empty or `alpha` is not one byte a target pixel.
bool ResizeAreaAverageClear(const Bitmap& source, std::uint32_t clear, Bitmap& target,
                            std::span<std::uint8_t> alpha);

}  // namespace zef
