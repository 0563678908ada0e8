#include "ToolMode.h"

#include <algorithm>
#include <climits>

#include "CanvasTexts.h"
#include "EditCommands.h"
#include "InteractionState.h"

namespace zef {

namespace {

// The toolbar button of each tool, by tool id.
constexpr std::array<int, 7> kToolButtons = {2, 3, 16, 17, 18, 19, 20};

// Buttons whose enabling the tool modes never change.
constexpr bool KeepsEnabling(int command, bool vtrMode) {
    if (command == 25 || command == 26) {
        return true;
    }
    return vtrMode && (command == kVtrButton || command == 8 || command == 9);
}

int ProgressMaximum(const Model& model) {
    return static_cast<int>(std::min(model.TotalPathLength(), static_cast<double>(INT_MAX)));
}

}  // namespace

const char* ToolModeHint(int tool, bool vtrMode, const SelectionState& selection) {
    if (vtrMode) {
        return texts::kVtrModeHint;
    }
    if (selection.scaleMode) {
        return texts::kScaleModeHint;
    }
    if (selection.moveMode) {
        return texts::kMoveModeHint;
    }
    const bool known = tool >= kToolStraightLine && tool <= kToolRangeSelection;
    return texts::kToolHints[known ? tool : kToolStraightLine];
}

ToolbarState RefreshToolbarState(int tool, bool vtrMode, Model& model, SelectionState& selection) {
    if (tool != kToolRangeSelection) {
        DeselectAll(model, selection);
    }
    ToolbarState state;
    for (std::size_t i = 0; i < kToolButtons.size(); ++i) {
        state.pressed[i] = {kToolButtons[i], static_cast<int>(i) == tool};
    }
    state.pressed[7] = {kMoveButton, selection.moveMode};
    state.pressed[8] = {kScaleButton, selection.scaleMode};
    state.pressed[9] = {kVtrButton, vtrMode};
    state.pressed[10] = {kShakingButton, model.document.shakingOn != 0};
    const bool exists = selection.selectionExists;
    state.enabled = {ButtonState{kMoveButton, exists}, ButtonState{kScaleButton, exists},
                     ButtonState{kDeleteButton, exists}, ButtonState{kStraightenButton, exists}};
    return state;
}

ToolModeView RefreshToolMode(int tool, bool vtrMode, Model& model, SelectionState& selection) {
    ToolModeView view;
    view.hint = ToolModeHint(tool, vtrMode, selection);
    const bool modeHoldsToolbar = !vtrMode && (selection.moveMode || selection.scaleMode);
    for (int command = 0; command < kToolbarCommandCount; ++command) {
        if (modeHoldsToolbar || KeepsEnabling(command, vtrMode)) {
            view.enabling[command] = ButtonEnabling::kKeep;
        } else {
            view.enabling[command] = vtrMode ? ButtonEnabling::kDisable : ButtonEnabling::kEnable;
        }
    }
    if (vtrMode) {
        view.progressBar = {true, ProgressMaximum(model), CanvasReplayStep(model.properties)};
    }
    view.toolbar = RefreshToolbarState(tool, vtrMode, model, selection);
    return view;
}

CursorShape CursorFor(int tool, const SelectionState& selection, bool ctrl, bool shift) {
    if (tool != kToolRangeSelection) {
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
