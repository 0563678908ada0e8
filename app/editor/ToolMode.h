#pragma once

#include <array>
#include <cstdint>

#include "app/shell/CommandId.h"
#include "app/shell/CursorShape.h"
#include "canvas/InteractionState.h"
#include "model/Model.h"
#include "model/SelectionState.h"

namespace zef {

enum class ButtonEnabling : std::uint8_t { kKeep, kEnable, kDisable };

// One toolbar button's pressed or enabled state.
struct ButtonState {
    CommandId command = CommandId::kNewModel;
    bool on = false;
    friend constexpr bool operator==(const ButtonState&, const ButtonState&) = default;
};

// The toolbar buttons that follow the tool, the selection and the modes.
struct ToolbarState {
    std::array<ButtonState, 11> pressed;  // the seven tool buttons, move, scale, VTR, shaking
    std::array<ButtonState, 4> enabled;   // move, scale, delete, straighten
};

// The VTR progress bar: while visible its range is 0..maximum, its position 0 and it
// advances by `step`.
struct ProgressBarView {
    bool visible = false;
    int maximum = 0;
    int step = 0;
};

// What the user interface shows after a change of tool or mode, up to the toolbar state.
// Show `enabling` first: the toolbar state that follows may enable the selection buttons
// again.
struct ToolModeView {
    const char* hint = nullptr;                            // status bar pane 1
    std::array<ButtonEnabling, kCommandCount> enabling{};  // by command
    ProgressBarView progressBar;
};

// The status hint: VTR mode, else scale mode, else move mode, else the tool's.
const char* ToolModeHint(Tool tool, bool vtrMode, const SelectionState& selection);

// Hint, toolbar enabling and progress bar after a change of tool or mode, from the selection
// as the change left it.
ToolModeView ToolModeViewFor(Tool tool, bool vtrMode, const Model& model,
                             const SelectionState& selection);

// The pressed and enabled buttons for the tool and the modes. Only the range selection tool
// keeps a selection: for any other tool the caller clears it first.
ToolbarState ToolbarStateFor(Tool tool, bool vtrMode, const Model& model,
                             const SelectionState& selection);

// The cursor for the tool and the modes, with Ctrl and Shift as they are held now.
CursorShape CursorFor(Tool tool, const SelectionState& selection, bool ctrl, bool shift);

}  // namespace zef
