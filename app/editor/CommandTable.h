#pragma once

#include "app/shell/CommandId.h"
#include "canvas/InteractionState.h"

namespace zef {

class Editor;

// What must hold for a command to run.
enum class CommandGuard {
    kAlways,
    kVtrIdle,                 // VTR mode is off
    kRangeToolWithSelection,  // the range selection tool is active and a selection exists
};

// The state a guard is checked against.
struct CommandState {
    bool vtrMode = false;
    Tool tool = Tool::kStraightLine;
    bool selectionExists = false;
    // A gesture on the canvas holds the mouse button. No command runs then: what it changed
    // would be joined to the gesture's end, like undo's restored drawing to the stroke.
    bool gestureHeld = false;
};

// One command of the main window: its id, the toolbar tooltip (naming its key, if it has
// one), the guard and what it does.
struct Command {
    CommandId id;
    const char* tooltip;
    CommandGuard guard;
    void (*run)(Editor& editor);
};

const Command& FindCommand(CommandId id);

bool GuardHolds(CommandGuard guard, const CommandState& state);

const char* TooltipFor(CommandId id);

}  // namespace zef
