#pragma once

#include <array>
#include <optional>

#include "app/shell/CommandId.h"

namespace zef::ui {

// One place on the toolbar: a command's button, or a separator. What a button shows and
// does is its command's row (app/editor/CommandTable.cpp).
using ToolbarPlace = std::optional<CommandId>;

inline constexpr ToolbarPlace kSeparator = std::nullopt;

// The toolbar from left to right.
inline constexpr std::array<ToolbarPlace, 40> kToolbarLayout{
    CommandId::kNewModel,
    CommandId::kOpen,
    CommandId::kSaveAs,
    kSeparator,
    CommandId::kSave,
    kSeparator,
    CommandId::kGifExport,
    CommandId::kBmpExport,
    kSeparator,
    CommandId::kUndo,
    CommandId::kRedo,
    kSeparator,
    CommandId::kStraightLine,
    CommandId::kCurve,
    CommandId::kRectangle,
    CommandId::kEllipse,
    CommandId::kFilledRectangle,
    CommandId::kFilledEllipse,
    kSeparator,
    CommandId::kRemoveLastLine,
    kSeparator,
    CommandId::kRangeSelection,
    CommandId::kSelectAll,
    CommandId::kDeselect,
    CommandId::kInvertSelection,
    kSeparator,
    CommandId::kMove,
    CommandId::kScale,
    CommandId::kDeleteSelection,
    CommandId::kStraighten,
    kSeparator,
    CommandId::kVtr,
    kSeparator,
    CommandId::kShaking,
    kSeparator,
    CommandId::kProperties,
    kSeparator,
    CommandId::kSettings,
    kSeparator,
    CommandId::kAbout,
};

}  // namespace zef::ui
