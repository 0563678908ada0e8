#pragma once

#include <array>
#include <cstdint>
#include <span>

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

// A key as the keyboard labels it: a letter or a digit, or one of the named keys.
enum class KeyName : std::uint8_t { kNone, kCharacter, kReturn, kEnter, kDelete };

// A key of a command and the modifiers held with it, without the toolkit's names.
struct CommandKey {
    KeyName name = KeyName::kNone;
    char character = 0;  // 'A' to 'Z' or '0' to '9', for kCharacter
    bool ctrl = false;
    bool shift = false;
    bool keypad = false;  // the key of the numeric keypad
};

// A command's toolbar tooltip and keys: the text, then, after the gap, the first key in
// parentheses. Keys past the last are kNone.
struct CommandTip {
    const char* text;
    const char* keyGap;
    std::array<CommandKey, 3> keys;
};

// One command of the main window: its id, tooltip and keys, the guard and what it does.
struct Command {
    CommandId id;
    CommandTip tip;
    CommandGuard guard;
    void (*run)(Editor& editor);
};

// The rows, one per id in its order.
std::span<const Command> Commands();

const Command& FindCommand(CommandId id);

bool GuardHolds(CommandGuard guard, const CommandState& state);

}  // namespace zef
