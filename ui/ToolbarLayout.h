#pragma once

#include <array>

namespace zef::ui {

// How a toolbar button behaves: a plain button, or one the program shows pressed while its
// tool or mode is on, which assistive tools announce as a toggle.
enum class ButtonKind { kPush, kToggle };

// One toolbar entry: the command id its button sends, the name of its picture
// (":/toolbar/<picture>.svg") and its kind, or a separator.
struct ToolbarEntry {
    int command;  // kSeparator for a separator
    const char* picture;
    ButtonKind kind = ButtonKind::kPush;
};

inline constexpr int kSeparator = -1;

// The toolbar from left to right.
inline constexpr std::array<ToolbarEntry, 40> kToolbarEntries = {{
    {0, "new-model"},
    {1, "open"},
    {11, "save-as"},
    {kSeparator, nullptr},
    {4, "save"},
    {kSeparator, nullptr},
    {12, "export-gif"},
    {13, "export-bmp"},
    {kSeparator, nullptr},
    {25, "undo"},
    {26, "redo"},
    {kSeparator, nullptr},
    {2, "tool-line", ButtonKind::kToggle},
    {3, "tool-curve", ButtonKind::kToggle},
    {16, "tool-rectangle", ButtonKind::kToggle},
    {17, "tool-ellipse", ButtonKind::kToggle},
    {18, "tool-filled-rectangle", ButtonKind::kToggle},
    {19, "tool-filled-ellipse", ButtonKind::kToggle},
    {kSeparator, nullptr},
    {10, "remove-last-line"},
    {kSeparator, nullptr},
    {20, "tool-range", ButtonKind::kToggle},
    {21, "select-all"},
    {22, "deselect"},
    {23, "invert-selection"},
    {kSeparator, nullptr},
    {5, "move", ButtonKind::kToggle},
    {6, "scale", ButtonKind::kToggle},
    {24, "delete-selection"},
    {27, "straighten"},
    {kSeparator, nullptr},
    {7, "vtr", ButtonKind::kToggle},
    {kSeparator, nullptr},
    {15, "shaking", ButtonKind::kToggle},
    {kSeparator, nullptr},
    {14, "properties"},
    {kSeparator, nullptr},
    {9, "settings"},
    {kSeparator, nullptr},
    {8, "about"},
}};

}  // namespace zef::ui
