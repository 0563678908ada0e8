#pragma once

#include <optional>

#include "CommandTarget.h"

namespace zef {

// What must hold for a command to run.
enum class CommandGuard {
    kAlways,
    kVtrIdle,                 // VTR mode is off
    kRangeToolWithSelection,  // the range selection tool is active and a selection exists
};

// The state a guard is checked against.
struct CommandState {
    bool vtrMode = false;
    int tool = 0;
    bool selectionExists = false;
};

// One command of the main window: the toolbar id, the id its accelerator sends (0 for a
// command without a key), the toolbar tooltip, the guard and what it does.
struct Command {
    int id;
    int acceleratorId;
    const char* tooltip;
    CommandGuard guard;
    void (*run)(CommandTarget& target);
};

// The command a toolbar id or an accelerator id stands for; nothing for any other id.
const Command* FindCommand(int id);

bool GuardHolds(CommandGuard guard, const CommandState& state);

// The tooltip of a toolbar id 0..27, or nothing.
std::optional<const char*> TooltipFor(int id);

}  // namespace zef
