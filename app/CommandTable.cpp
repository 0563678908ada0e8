#include "CommandTable.h"

#include <array>

#include "AppTexts.h"
#include "InteractionState.h"

namespace zef {

namespace {

using T = CommandTarget;
using G = CommandGuard;
using C = CommandId;

constexpr std::array<Command, kCommandCount> kCommands{{
    {C::kNewModel, texts::kTipNew, G::kAlways, [](T& t) { t.NewModel(); }},
    {C::kOpen, texts::kTipOpen, G::kAlways, [](T& t) { t.Open(); }},
    {C::kStraightLine, texts::kTipStraightLine, G::kAlways,
     [](T& t) { t.SelectTool(Tool::kStraightLine); }},
    {C::kCurve, texts::kTipCurve, G::kAlways, [](T& t) { t.SelectTool(Tool::kCurve); }},
    {C::kSave, texts::kTipSave, G::kAlways, [](T& t) { t.Save(); }},
    {C::kMove, texts::kTipMove, G::kRangeToolWithSelection, [](T& t) { t.ToggleMoveMode(); }},
    {C::kScale, texts::kTipScale, G::kRangeToolWithSelection, [](T& t) { t.ToggleScaleMode(); }},
    {C::kVtr, texts::kTipVtr, G::kAlways, [](T& t) { t.ToggleVtrMode(); }},
    {C::kAbout, texts::kTipAbout, G::kAlways, [](T& t) { t.ShowAbout(); }},
    {C::kSettings, texts::kTipSettings, G::kAlways, [](T& t) { t.ShowSettings(); }},
    {C::kRemoveLastLine, texts::kTipRemoveLastLine, G::kAlways, [](T& t) { t.RemoveLastLine(); }},
    {C::kSaveAs, texts::kTipSaveAs, G::kAlways, [](T& t) { t.SaveAs(); }},
    {C::kGifExport, texts::kTipGifExport, G::kAlways, [](T& t) { t.ExportGif(); }},
    {C::kBmpExport, texts::kTipBmpExport, G::kAlways, [](T& t) { t.ExportBmp(); }},
    {C::kProperties, texts::kTipProperties, G::kAlways, [](T& t) { t.ShowProperties(); }},
    {C::kShaking, texts::kTipShaking, G::kAlways, [](T& t) { t.ToggleShaking(); }},
    {C::kRectangle, texts::kTipRectangle, G::kAlways, [](T& t) { t.SelectTool(Tool::kRectangle); }},
    {C::kEllipse, texts::kTipEllipse, G::kAlways, [](T& t) { t.SelectTool(Tool::kEllipse); }},
    {C::kFilledRectangle, texts::kTipFilledRectangle, G::kAlways,
     [](T& t) { t.SelectTool(Tool::kFilledRectangle); }},
    {C::kFilledEllipse, texts::kTipFilledEllipse, G::kAlways,
     [](T& t) { t.SelectTool(Tool::kFilledEllipse); }},
    {C::kRangeSelection, texts::kTipRangeSelection, G::kAlways, [](T& t) { t.SelectRangeTool(); }},
    {C::kSelectAll, texts::kTipSelectAll, G::kVtrIdle, [](T& t) { t.SelectAll(); }},
    {C::kDeselect, texts::kTipDeselect, G::kVtrIdle, [](T& t) { t.SelectRangeTool(); }},
    {C::kInvertSelection, texts::kTipInvert, G::kVtrIdle, [](T& t) { t.InvertSelection(); }},
    {C::kDeleteSelection, texts::kTipDelete, G::kRangeToolWithSelection,
     [](T& t) { t.DeleteSelectedSegments(); }},
    {C::kUndo, texts::kTipUndo, G::kVtrIdle, [](T& t) { t.Undo(); }},
    {C::kRedo, texts::kTipRedo, G::kVtrIdle, [](T& t) { t.Redo(); }},
    {C::kStraighten, texts::kTipStraighten, G::kRangeToolWithSelection,
     [](T& t) { t.StraightenSelection(); }},
}};

// The table is indexed by id.
constexpr bool InIdOrder() {
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        if (kCommands[i].id != static_cast<CommandId>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(InIdOrder());

}  // namespace

const Command& FindCommand(CommandId id) {
    return kCommands[static_cast<std::size_t>(id)];
}

bool GuardHolds(CommandGuard guard, const CommandState& state) {
    switch (guard) {
        case CommandGuard::kAlways:
            return true;
        case CommandGuard::kVtrIdle:
            return !state.vtrMode;
        case CommandGuard::kRangeToolWithSelection:
            return state.tool == Tool::kRangeSelection && state.selectionExists;
    }
    return false;
}

const char* TooltipFor(CommandId id) {
    return FindCommand(id).tooltip;
}

}  // namespace zef
