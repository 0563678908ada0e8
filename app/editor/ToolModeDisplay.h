#pragma once

#include "app/editor/CommandTable.h"
#include "app/editor/StatusTexts.h"
#include "app/editor/ToolMode.h"
#include "app/shell/Shell.h"

namespace zef {

// Shows the rows' answers for a change of the toolbar, in the rows' order: each button's
// enabling, unless it keeps it, and whether the toggles are pressed.
void ShowEnabling(Shell& shell, const CommandState& state);
void ShowPressed(Shell& shell, const CommandState& state);

// Shows the VTR progress bar and the hint a change of tool or mode decided.
void ShowToolMode(Shell& shell, StatusTexts& status, const ToolModeView& view);

}  // namespace zef
