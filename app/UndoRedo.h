#pragma once

#include "EditorOperations.h"
#include "History.h"
#include "Model.h"
#include "SelectionState.h"

namespace zef {

enum class HistoryStep { kUndo, kRedo };

// Undo or redo: move and scale mode off, the points of the previous (next) history entry
// back in the model, the canvas fitted to the entry's size when it differs, the entry's other
// properties with the pens that follow them, and the Undo and Redo buttons updated. Does
// nothing when there is no entry to go to. The modified flag, path and title stay.
void StepHistory(HistoryStep step, History& history, Model& model, SelectionState& selection,
                 EditorOperations& operations);

}  // namespace zef
