#pragma once

#include <array>
#include <optional>

#include "app/shell/CommandId.h"

namespace zef::ui {

// How a toolbar button behaves: a plain button, or one the program shows pressed while its
// tool or mode is on, which assistive tools announce as a toggle.
enum class ButtonKind { kPush, kToggle };

// One toolbar entry: the command its button sends, the name of its picture
// (":/toolbar/<picture>.svg") and its kind, or a separator.
struct ToolbarEntry {
    std::optional<CommandId> command;  // nothing for a separator
    const char* picture;
    ButtonKind kind = ButtonKind::kPush;
};

inline constexpr ToolbarEntry kSeparator{std::nullopt, nullptr};

// The toolbar from left to right.
inline constexpr std::array<ToolbarEntry, 40> kToolbarEntries = {{
    {CommandId::kNewModel, "new-model"},
    {CommandId::kOpen, "open"},
    {CommandId::kSaveAs, "save-as"},
    kSeparator,
    {CommandId::kSave, "save"},
    kSeparator,
    {CommandId::kGifExport, "export-gif"},
    {CommandId::kBmpExport, "export-bmp"},
    kSeparator,
    {CommandId::kUndo, "undo"},
    {CommandId::kRedo, "redo"},
    kSeparator,
    {CommandId::kStraightLine, "tool-line", ButtonKind::kToggle},
    {CommandId::kCurve, "tool-curve", ButtonKind::kToggle},
    {CommandId::kRectangle, "tool-rectangle", ButtonKind::kToggle},
    {CommandId::kEllipse, "tool-ellipse", ButtonKind::kToggle},
    {CommandId::kFilledRectangle, "tool-filled-rectangle", ButtonKind::kToggle},
    {CommandId::kFilledEllipse, "tool-filled-ellipse", ButtonKind::kToggle},
    kSeparator,
    {CommandId::kRemoveLastLine, "remove-last-line"},
    kSeparator,
    {CommandId::kRangeSelection, "tool-range", ButtonKind::kToggle},
    {CommandId::kSelectAll, "select-all"},
    {CommandId::kDeselect, "deselect"},
    {CommandId::kInvertSelection, "invert-selection"},
    kSeparator,
    {CommandId::kMove, "move", ButtonKind::kToggle},
    {CommandId::kScale, "scale", ButtonKind::kToggle},
    {CommandId::kDeleteSelection, "delete-selection"},
    {CommandId::kStraighten, "straighten"},
    kSeparator,
    {CommandId::kVtr, "vtr", ButtonKind::kToggle},
    kSeparator,
    {CommandId::kShaking, "shaking", ButtonKind::kToggle},
    kSeparator,
    {CommandId::kProperties, "properties"},
    kSeparator,
    {CommandId::kSettings, "settings"},
    kSeparator,
    {CommandId::kAbout, "about"},
}};

}  // namespace zef::ui
