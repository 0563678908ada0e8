#include "CommandTable.h"

#include <array>

#include "AppTexts.h"
#include "InteractionState.h"

namespace zef {

namespace {

using T = CommandTarget;
using G = CommandGuard;

constexpr std::array<Command, 28> kCommands{{
    {0, 40009, texts::kTipNew, G::kAlways, [](T& t) { t.NewModel(); }},
    {1, 1111, texts::kTipOpen, G::kAlways, [](T& t) { t.Open(); }},
    {2, 40014, texts::kTipStraightLine, G::kAlways, [](T& t) { t.SelectTool(kToolStraightLine); }},
    {3, 40007, texts::kTipCurve, G::kAlways, [](T& t) { t.SelectTool(kToolCurve); }},
    {4, 40012, texts::kTipSave, G::kAlways, [](T& t) { t.Save(); }},
    {5, 40008, texts::kTipMove, G::kRangeToolWithSelection, [](T& t) { t.ToggleMoveMode(); }},
    {6, 40016, texts::kTipScale, G::kRangeToolWithSelection, [](T& t) { t.ToggleScaleMode(); }},
    {7, 40013, texts::kTipVtr, G::kAlways, [](T& t) { t.ToggleVtrMode(); }},
    {8, 0, texts::kTipAbout, G::kAlways, [](T& t) { t.ShowAbout(); }},
    {9, 0, texts::kTipSettings, G::kAlways, [](T& t) { t.ShowSettings(); }},
    {10, 40027, texts::kTipRemoveLastLine, G::kAlways, [](T& t) { t.RemoveLastLine(); }},
    {11, 0, texts::kTipSaveAs, G::kAlways, [](T& t) { t.SaveAs(); }},
    {12, 0, texts::kTipGifExport, G::kAlways, [](T& t) { t.ExportGif(); }},
    {13, 0, texts::kTipBmpExport, G::kAlways, [](T& t) { t.ExportBmp(); }},
    {14, 40011, texts::kTipProperties, G::kAlways, [](T& t) { t.ShowProperties(); }},
    {15, 40015, texts::kTipShaking, G::kAlways, [](T& t) { t.ToggleShaking(); }},
    {16, 40017, texts::kTipRectangle, G::kAlways, [](T& t) { t.SelectTool(kToolRectangle); }},
    {17, 40018, texts::kTipEllipse, G::kAlways, [](T& t) { t.SelectTool(kToolEllipse); }},
    {18, 40020, texts::kTipFilledRectangle, G::kAlways,
     [](T& t) { t.SelectTool(kToolFilledRectangle); }},
    {19, 40019, texts::kTipFilledEllipse, G::kAlways,
     [](T& t) { t.SelectTool(kToolFilledEllipse); }},
    {20, 40023, texts::kTipRangeSelection, G::kAlways, [](T& t) { t.SelectRangeTool(); }},
    {21, 40006, texts::kTipSelectAll, G::kVtrIdle, [](T& t) { t.SelectAll(); }},
    {22, 40021, texts::kTipDeselect, G::kVtrIdle, [](T& t) { t.SelectRangeTool(); }},
    {23, 40022, texts::kTipInvert, G::kVtrIdle, [](T& t) { t.InvertSelection(); }},
    {24, 40024, texts::kTipDelete, G::kRangeToolWithSelection,
     [](T& t) { t.DeleteSelectedSegments(); }},
    {25, 40026, texts::kTipUndo, G::kVtrIdle, [](T& t) { t.Undo(); }},
    {26, 40028, texts::kTipRedo, G::kVtrIdle, [](T& t) { t.Redo(); }},
    {27, 40029, texts::kTipStraighten, G::kRangeToolWithSelection,
     [](T& t) { t.StraightenSelection(); }},
}};

}  // namespace

const Command* FindCommand(int id) {
    for (const Command& command : kCommands) {
        if (command.id == id || (command.acceleratorId != 0 && command.acceleratorId == id)) {
            return &command;
        }
    }
    return nullptr;
}

bool GuardHolds(CommandGuard guard, const CommandState& state) {
    switch (guard) {
        case CommandGuard::kAlways:
            return true;
        case CommandGuard::kVtrIdle:
            return !state.vtrMode;
        case CommandGuard::kRangeToolWithSelection:
            return state.tool == kToolRangeSelection && state.selectionExists;
    }
    return false;
}

std::optional<const char*> TooltipFor(int id) {
    if (id < 0 || id >= static_cast<int>(kCommands.size())) {
        return std::nullopt;
    }
    return kCommands[static_cast<std::size_t>(id)].tooltip;
}

}  // namespace zef
