#pragma once

#include "app/shell/EditorOperations.h"
#include "model/History.h"
#include "model/Model.h"
#include "model/SelectionState.h"

namespace zef {

enum class HistoryStep { kUndo, kRedo };

// Undo or redo: move and scale mode off, the points of the previous (next) history entry
// back in the model, the canvas fitted to the entry's size when it differs, the entry's other
// properties with the pens that follow them, and the Undo and Redo buttons updated. False
// when the model did not change: there was no entry to go to, or no memory to rebuild it.
// The document state is the caller's to follow.
bool StepHistory(HistoryStep step, History& history, Model& model, SelectionState& selection,
                 EditorOperations& operations);

}  // namespace zef
