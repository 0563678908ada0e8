#include "app/editor/ToolMode.h"

#include <algorithm>
#include <climits>

#include "app/editor/ToolModeTexts.h"
#include "canvas/InteractionState.h"

namespace zef {

namespace {

int ProgressMaximum(const Model& model) {
    return static_cast<int>(std::min(model.TotalPathLength(), static_cast<double>(INT_MAX)));
}

}  // namespace

const char* ToolModeHint(Tool tool, bool vtrMode, const SelectionState& selection) {
    if (vtrMode) {
        return texts::kVtrModeHint;
    }
    if (selection.scaleMode) {
        return texts::kScaleModeHint;
    }
    if (selection.moveMode) {
        return texts::kMoveModeHint;
    }
    return texts::kToolHints[static_cast<std::size_t>(tool)];
}

ToolModeView ToolModeViewFor(Tool tool, bool vtrMode, const Model& model,
                             const SelectionState& selection) {
    ToolModeView view;
    view.hint = ToolModeHint(tool, vtrMode, selection);
    if (vtrMode) {
        view.progressBar = {true, ProgressMaximum(model), CanvasReplayStep(model.properties)};
    }
    return view;
}

CursorShape CursorFor(Tool tool, const SelectionState& selection, bool ctrl, bool shift) {
    if (tool != Tool::kRangeSelection) {
        return CursorShape::kArrow;
    }
    if (selection.moveMode) {
        return CursorShape::kFourWayMove;
    }
    if (selection.scaleMode) {
        return CursorShape::kHorizontalResize;
    }
    if (ctrl) {
        return CursorShape::kRangePlus;
    }
    return shift ? CursorShape::kRangeMinus : CursorShape::kRangeCross;
}

}  // namespace zef
