#include "app/editor/CommandTable.h"

#include <array>

#include "app/editor/Editor.h"
#include "app/shell/AppTexts.h"
#include "canvas/InteractionState.h"

namespace zef {

// The rows, one per id in its order. A friend of the editor: its commands run only from here,
// once their guards hold.
struct CommandRows {
    using E = Editor;
    using G = CommandGuard;
    using C = CommandId;

    static constexpr std::array<Command, kCommandCount> kAll{{
        {C::kNewModel, texts::kTipNew, G::kAlways, [](E& e) { e.files().NewModel(); }},
        {C::kOpen, texts::kTipOpen, G::kAlways, [](E& e) { e.files().Open(); }},
        {C::kStraightLine, texts::kTipStraightLine, G::kAlways,
         [](E& e) { e.SelectTool(Tool::kStraightLine); }},
        {C::kCurve, texts::kTipCurve, G::kAlways, [](E& e) { e.SelectTool(Tool::kCurve); }},
        {C::kSave, texts::kTipSave, G::kAlways, [](E& e) { e.files().Save(); }},
        {C::kMove, texts::kTipMove, G::kRangeToolWithSelection, [](E& e) { e.ToggleMoveMode(); }},
        {C::kScale, texts::kTipScale, G::kRangeToolWithSelection,
         [](E& e) { e.ToggleScaleMode(); }},
        {C::kVtr, texts::kTipVtr, G::kAlways, [](E& e) { e.ToggleVtrMode(); }},
        {C::kAbout, texts::kTipAbout, G::kAlways, [](E& e) { e.ShowDialog(DialogId::kAbout); }},
        {C::kSettings, texts::kTipSettings, G::kAlways,
         [](E& e) { e.ShowDialog(DialogId::kSettings); }},
        {C::kRemoveLastLine, texts::kTipRemoveLastLine, G::kAlways,
         [](E& e) { e.RemoveLastLine(); }},
        {C::kSaveAs, texts::kTipSaveAs, G::kAlways, [](E& e) { e.files().SaveAs(); }},
        {C::kGifExport, texts::kTipGifExport, G::kAlways,
         [](E& e) { e.files().Export(DialogId::kGifExport); }},
        {C::kBmpExport, texts::kTipBmpExport, G::kAlways,
         [](E& e) { e.files().Export(DialogId::kBmpExport); }},
        {C::kProperties, texts::kTipProperties, G::kAlways,
         [](E& e) { e.ShowDialog(DialogId::kProperties); }},
        {C::kShaking, texts::kTipShaking, G::kAlways, [](E& e) { e.ToggleShaking(); }},
        {C::kRectangle, texts::kTipRectangle, G::kAlways,
         [](E& e) { e.SelectTool(Tool::kRectangle); }},
        {C::kEllipse, texts::kTipEllipse, G::kAlways, [](E& e) { e.SelectTool(Tool::kEllipse); }},
        {C::kFilledRectangle, texts::kTipFilledRectangle, G::kAlways,
         [](E& e) { e.SelectTool(Tool::kFilledRectangle); }},
        {C::kFilledEllipse, texts::kTipFilledEllipse, G::kAlways,
         [](E& e) { e.SelectTool(Tool::kFilledEllipse); }},
        {C::kRangeSelection, texts::kTipRangeSelection, G::kAlways,
         [](E& e) { e.SelectRangeTool(); }},
        {C::kSelectAll, texts::kTipSelectAll, G::kVtrIdle, [](E& e) { e.SelectAll(); }},
        {C::kDeselect, texts::kTipDeselect, G::kVtrIdle, [](E& e) { e.SelectRangeTool(); }},
        {C::kInvertSelection, texts::kTipInvert, G::kVtrIdle, [](E& e) { e.InvertSelection(); }},
        {C::kDeleteSelection, texts::kTipDelete, G::kRangeToolWithSelection,
         [](E& e) { e.DeleteSelectedSegments(); }},
        {C::kUndo, texts::kTipUndo, G::kVtrIdle, [](E& e) { e.Undo(); }},
        {C::kRedo, texts::kTipRedo, G::kVtrIdle, [](E& e) { e.Redo(); }},
        {C::kStraighten, texts::kTipStraighten, G::kRangeToolWithSelection,
         [](E& e) { e.StraightenSelection(); }},
    }};
};

namespace {

// The table is indexed by id.
constexpr bool InIdOrder() {
    for (std::size_t i = 0; i < CommandRows::kAll.size(); ++i) {
        if (CommandRows::kAll[i].id != static_cast<CommandId>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(InIdOrder());

}  // namespace

const Command& FindCommand(CommandId id) {
    return CommandRows::kAll[static_cast<std::size_t>(id)];
}

bool GuardHolds(CommandGuard guard, const CommandState& state) {
    if (state.gestureHeld) {
        return false;
    }
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
