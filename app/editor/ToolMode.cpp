#include "app/editor/ToolMode.h"

#include <algorithm>
#include <climits>

#include "app/editor/ToolModeTexts.h"
#include "canvas/InteractionState.h"

namespace zef {

namespace {

using C = CommandId;

// The toolbar button of each tool, in the order of Tool.
constexpr std::array<CommandId, 7> kToolButtons = {
    C::kStraightLine,    C::kCurve,         C::kRectangle,      C::kEllipse,
    C::kFilledRectangle, C::kFilledEllipse, C::kRangeSelection,
};

// Buttons whose enabling the tool modes never change.
constexpr bool KeepsEnabling(CommandId command, bool vtrMode) {
    if (command == C::kUndo || command == C::kRedo) {
        return true;
    }
    return vtrMode && (command == C::kVtr || command == C::kAbout || command == C::kSettings);
}

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
    const bool modeHoldsToolbar = !vtrMode && (selection.moveMode || selection.scaleMode);
    for (std::size_t i = 0; i < view.enabling.size(); ++i) {
        if (modeHoldsToolbar || KeepsEnabling(static_cast<CommandId>(i), vtrMode)) {
            view.enabling[i] = ButtonEnabling::kKeep;
        } else {
            view.enabling[i] = vtrMode ? ButtonEnabling::kDisable : ButtonEnabling::kEnable;
        }
    }
    if (vtrMode) {
        view.progressBar = {true, ProgressMaximum(model), CanvasReplayStep(model.properties)};
    }
    return view;
}

ToolbarState ToolbarStateFor(Tool tool, bool vtrMode, const Model& model,
                             const SelectionState& selection) {
    ToolbarState state;
    for (std::size_t i = 0; i < kToolButtons.size(); ++i) {
        state.pressed[i] = {kToolButtons[i], static_cast<Tool>(i) == tool};
    }
    state.pressed[7] = {C::kMove, selection.moveMode};
    state.pressed[8] = {C::kScale, selection.scaleMode};
    state.pressed[9] = {C::kVtr, vtrMode};
    state.pressed[10] = {C::kShaking, model.document.shakingOn != 0};
    const bool exists = selection.selectionExists;
    state.enabled = {ButtonState{C::kMove, exists}, ButtonState{C::kScale, exists},
                     ButtonState{C::kDeleteSelection, exists}, ButtonState{C::kStraighten, exists}};
    return state;
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
