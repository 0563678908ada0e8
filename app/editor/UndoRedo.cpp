#include "app/editor/UndoRedo.h"

namespace zef {

bool StepHistory(HistoryStep step, History& history, Model& model, SelectionState& selection,
                 EditorOperations& operations) {
    const bool undo = step == HistoryStep::kUndo;
    if (undo ? !history.CanUndo() : !history.CanRedo()) {
        return false;
    }
    selection.moveMode = false;
    selection.scaleMode = false;
    operations.RefreshToolMode();

    const ModelProperties* restored = undo ? history.Undo(model) : history.Redo(model);
    if (restored == nullptr) {
        return false;
    }
    ModelProperties& properties = model.properties;
    if (restored->canvasWidth != properties.canvasWidth ||
        restored->canvasHeight != properties.canvasHeight) {
        operations.PaintCanvas();
        operations.FitCanvas(restored->canvasWidth, restored->canvasHeight);
    }
    properties.noShadow = restored->noShadow;
    properties.vtrSpeed = restored->vtrSpeed;
    properties.shakeStrength = restored->shakeStrength;
    properties.lineWidth = restored->lineWidth;
    properties.lineColour = restored->lineColour;
    properties.shadowColour = restored->shadowColour;
    properties.backgroundColour = restored->backgroundColour;
    operations.ApplyColourSlots();
    operations.ShowHistoryButtons();
    return true;
}

}  // namespace zef
