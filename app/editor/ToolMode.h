#pragma once

#include "app/shell/CursorShape.h"
#include "canvas/InteractionState.h"
#include "model/Model.h"
#include "model/SelectionState.h"

namespace zef {

// The VTR progress bar: while visible its range is 0..maximum, its position 0 and it
// advances by `step`.
struct ProgressBarView {
    bool visible = false;
    int maximum = 0;
    int step = 0;
};

// What the status bar shows after a change of tool or mode.
struct ToolModeView {
    const char* hint = nullptr;  // status bar pane 1
    ProgressBarView progressBar;
};

// The status hint: VTR mode, else scale mode, else move mode, else the tool's.
const char* ToolModeHint(Tool tool, bool vtrMode, const SelectionState& selection);

// Hint and progress bar after a change of tool or mode, from the selection as the change left
// it.
ToolModeView ToolModeViewFor(Tool tool, bool vtrMode, const Model& model,
                             const SelectionState& selection);

// The cursor for the tool and the modes, with Ctrl and Shift as they are held now.
CursorShape CursorFor(Tool tool, const SelectionState& selection, bool ctrl, bool shift);

}  // namespace zef
