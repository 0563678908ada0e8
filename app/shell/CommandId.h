#pragma once

namespace zef {

// Every command of the main window. The toolbar buttons and the keys send these; the command
// table's row says all else of each one (app/editor/CommandTable.cpp). A new command is an
// enumerator here, a row there, and a place on the toolbar in ui/ToolbarLayout.h.
enum class CommandId {
    kNewModel,
    kOpen,
    kStraightLine,
    kCurve,
    kSave,
    kMove,
    kScale,
    kVtr,
    kAbout,
    kSettings,
    kRemoveLastLine,
    kSaveAs,
    kGifExport,
    kBmpExport,
    kProperties,
    kShaking,
    kRectangle,
    kEllipse,
    kFilledRectangle,
    kFilledEllipse,
    kRangeSelection,
    kSelectAll,
    kDeselect,
    kInvertSelection,
    kDeleteSelection,
    kUndo,
    kRedo,
    kStraighten,
};

inline constexpr int kCommandCount = static_cast<int>(CommandId::kStraighten) + 1;

}  // namespace zef
