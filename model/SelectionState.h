#pragma once

#include <cstdint>

namespace zef {

// The selection state beside the points' `selected` flags; run-time only, never stored.
struct SelectionState {
    // A selection has been made. A flag of its own, not derived from the points: it can be
    // set while no point is selected (select all on an empty model, after undo or redo).
    bool selectionExists = false;
    bool moveMode = false;   // a drag on the canvas moves the selection
    bool scaleMode = false;  // a drag on the canvas scales the selection
    float scaleFactor = 1.0f;
    std::int32_t scaleCentreX = 0;
    std::int32_t scaleCentreY = 0;
    bool moveAll = false;  // while set, moving applies to every point (canvas frame drag)
};

}  // namespace zef
