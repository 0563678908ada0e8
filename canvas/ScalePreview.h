#pragma once

#include <cstdint>

#include "canvas/PixelPoint.h"
#include "model/SelectionState.h"

namespace zef {

// The position (x, y) takes when the selection is scaled by scaleFactor about scaleCentre:
// its distance from the centre multiplied by the factor at the same angle, each coordinate
// truncated toward zero. Not held to the model's range; see HeldToModelRange.
PixelPoint ScaledPosition(std::int32_t x, std::int32_t y, const SelectionState& selection);

// The position with each coordinate held to -30000..30000, the range of model positions.
PixelPoint HeldToModelRange(PixelPoint position);

}  // namespace zef
