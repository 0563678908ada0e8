#pragma once

#include <array>
#include <cstdint>

#include "CommandId.h"
#include "Model.h"
#include "SelectionState.h"

namespace zef {

enum class CursorShape {
    kRangeCross,  // range selection
    kRangePlus,   // range selection while Ctrl is held
    kRangeMinus,  // range selection while Shift is held and Ctrl is not
    kHorizontalResize,
    kFourWayMove,
    kArrow,
};

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

// What the user interface shows after a change of tool or mode. Apply `enabling` first: the
// toolbar state that follows may enable the selection buttons again.
struct ToolModeView {
    const char* hint = nullptr;                            // status bar pane 1
    std::array<ButtonEnabling, kCommandCount> enabling{};  // by command
    ProgressBarView progressBar;
    ToolbarState toolbar;
};

// The status hint: VTR mode, else scale mode, else move mode, else the tool's (an unknown
// tool gets the straight line's).
const char* ToolModeHint(int tool, bool vtrMode, const SelectionState& selection);

// The toolbar state for the tool. Any tool but the range selection first clears the
// selection and switches move and scale mode off.
ToolbarState RefreshToolbarState(int tool, bool vtrMode, Model& model, SelectionState& selection);

// Hint, toolbar and progress bar after a change of tool or mode; the caller updates the
// cursor afterwards.
ToolModeView RefreshToolMode(int tool, bool vtrMode, Model& model, SelectionState& selection);

// The cursor for the tool and the modes, with Ctrl and Shift as they are held now.
CursorShape CursorFor(int tool, const SelectionState& selection, bool ctrl, bool shift);

}  // namespace zef
