#pragma once

#include "app/editor/StatusTexts.h"
#include "app/editor/ToolMode.h"
#include "app/shell/Shell.h"

namespace zef {

// Shows the toolbar's pressed and enabled buttons.
void ShowToolbarState(Shell& shell, const ToolbarState& state);

// Shows what a change of tool or mode decided: toolbar enabling, the VTR progress bar and
// the hint. The toolbar state and the cursor are the caller's, in that order.
void ShowToolMode(Shell& shell, StatusTexts& status, const ToolModeView& view);

}  // namespace zef
