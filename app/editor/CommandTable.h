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

// What the toolbar is brought up to date with: a change of tool or mode, and then, after it
// or alone, the selection and the pressed buttons. A change of tool drops the selection in
// between unless the tool is the range selection tool.
enum class ToolbarChange : std::uint8_t { kToolOrMode, kSelection };

// The state a guard is checked against and a button's answers are asked for.
struct CommandState {
    bool vtrMode = false;
    Tool tool = Tool::kStraightLine;
    bool selectionExists = false;
    bool moveMode = false;
    bool scaleMode = false;
    bool shaking = false;
    // A gesture on the canvas holds the mouse button. No command runs then: what it changed
    // would be joined to the gesture's end, like undo's restored drawing to the stroke.
    bool gestureHeld = false;
    ToolbarChange change = ToolbarChange::kToolOrMode;
};

// What becomes of a button's enabling: kKeep leaves it as it is.
enum class Enabling : std::uint8_t { kKeep, kEnable, kDisable };

// A key as the keyboard labels it: a letter or a digit, or one of the named keys.
enum class KeyName : std::uint8_t { kCharacter, kReturn, kEnter, kDelete };

// A key of a command and the modifiers held with it, without the toolkit's names.
struct CommandKey {
    KeyName name = KeyName::kCharacter;
    char character = 0;  // 'A' to 'Z' or '0' to '9', for kCharacter
    bool ctrl = false;
    bool shift = false;
    bool keypad = false;  // the key of the numeric keypad
};

// A command's toolbar tooltip and keys: the text, then, after the gap, the first key in
// parentheses.
struct CommandTip {
    const char* text;
    const char* keyGap;
    std::array<CommandKey, 3> keySlots;
    std::size_t keyCount;

    constexpr std::span<const CommandKey> Keys() const {
        return std::span(keySlots).first(keyCount);
    }
};

// One command of the main window: its id, tooltip and keys, its toolbar button, the guard
// and what it does. The button's enabling only shows what is worth a click: the keys run their
// commands while their buttons are disabled, and the guard alone decides whether a command
// runs. Where the button stands on the toolbar is ui/ToolbarLayout.h's.
struct Command {
    CommandId id;
    CommandTip tip;
    const char* picture;  // ":/toolbar/<picture>.svg"
    Enabling (*enabled)(const CommandState& state);
    bool (*checked)(const CommandState& state);  // pressed; nothing for a plain button
    CommandGuard guard;
    void (*run)(Editor& editor);

    // The buttons shown pressed are toggles, which assistive tools announce as such.
    constexpr bool Toggles() const { return checked != nullptr; }
};

// The rows, one per id in its order.
std::span<const Command> Commands();

const Command& FindCommand(CommandId id);

bool GuardHolds(CommandGuard guard, const CommandState& state);

}  // namespace zef
