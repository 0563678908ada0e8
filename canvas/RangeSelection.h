#pragma once

#include "canvas/InteractionState.h"
#include "model/Model.h"
#include "model/SelectionState.h"

namespace zef {

// Selects the points inside the rectangle spanned by the two corners, or unselects them with
// `shift`; the left and top edges are inside, the right and bottom edges outside. Points
// outside keep their state. `selectionExists` then tells whether any point is selected. The
// caller refreshes the toolbar afterwards.
void SelectInRectangle(Model& model, SelectionState& selection, CanvasPoint anchor,
                       CanvasPoint sample, bool shift);

}  // namespace zef
