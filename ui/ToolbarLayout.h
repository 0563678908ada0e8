#pragma once

#include <array>

namespace zef::ui {

// One toolbar entry: the command id its button sends and the name of its picture
// (":/toolbar/<picture>.svg"), or a separator.
struct ToolbarEntry {
    int command;  // kSeparator for a separator
    const char* picture;
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
    {2, "tool-line"},
    {3, "tool-curve"},
    {16, "tool-rectangle"},
    {17, "tool-ellipse"},
    {18, "tool-filled-rectangle"},
    {19, "tool-filled-ellipse"},
    {kSeparator, nullptr},
    {10, "remove-last-line"},
    {kSeparator, nullptr},
    {20, "tool-range"},
    {21, "select-all"},
    {22, "deselect"},
    {23, "invert-selection"},
    {kSeparator, nullptr},
    {5, "move"},
    {6, "scale"},
    {24, "delete-selection"},
    {27, "straighten"},
    {kSeparator, nullptr},
    {7, "vtr"},
    {kSeparator, nullptr},
    {15, "shaking"},
    {kSeparator, nullptr},
    {14, "properties"},
    {kSeparator, nullptr},
    {9, "settings"},
    {kSeparator, nullptr},
    {8, "about"},
}};

}  // namespace zef::ui
