#include "app/editor/CommandTable.h"

#include <array>

#include "app/editor/Editor.h"
#include "canvas/InteractionState.h"

namespace zef {

namespace {

// The keys of the rows: a letter or a digit, alone or with Ctrl or Shift, or a named key, of
// the main keys or the keypad's.
constexpr CommandKey Plain(char character) {
    return {.name = KeyName::kCharacter, .character = character};
}

constexpr CommandKey Ctrl(char character) {
    return {.name = KeyName::kCharacter, .character = character, .ctrl = true};
}

constexpr CommandKey Shift(char character) {
    return {.name = KeyName::kCharacter, .character = character, .shift = true};
}

constexpr CommandKey Named(KeyName name) {
    return {.name = name};
}

constexpr CommandKey Keypad(KeyName name) {
    return {.name = name, .keypad = true};
}

// A tooltip naming its first key, or a tooltip of a command without keys.
template <typename... Keys>
constexpr CommandTip Tip(const char* text, const char* keyGap, Keys... keys) {
    return {text, keyGap, {keys...}, sizeof...(keys)};
}

constexpr CommandTip Tip(const char* text) {
    return {text, "", {}, 0};
}

// The buttons' enabling, asked of every row for each change of the toolbar, in the rows' order.

// Most buttons: disabled in VTR mode and enabled outside it, in move and scale mode too, so
// that VTR mode ended in one of them gives the toolbar back.
constexpr Enabling FollowsMode(const CommandState& state) {
    if (state.change != ToolbarChange::kToolOrMode) {
        return Enabling::kKeep;
    }
    return state.vtrMode ? Enabling::kDisable : Enabling::kEnable;
}

// VTR, About and Settings stay as they were in VTR mode.
constexpr Enabling KeptInVtr(const CommandState& state) {
    return state.vtrMode ? Enabling::kKeep : FollowsMode(state);
}

// Undo and redo follow the history (Editor::ShowHistoryButtons), not the modes.
constexpr Enabling FollowsHistory(const CommandState&) {
    return Enabling::kKeep;
}

// The buttons that work on the selection follow it, in VTR mode too: they are shown after a
// change of mode has disabled the rest.
constexpr Enabling FollowsSelection(const CommandState& state) {
    if (state.change != ToolbarChange::kSelection) {
        return Enabling::kKeep;
    }
    return state.selectionExists ? Enabling::kEnable : Enabling::kDisable;
}

// Whether a toggle is pressed.
template <Tool kTool>
constexpr bool ToolIs(const CommandState& state) {
    return state.tool == kTool;
}

constexpr bool MoveModeOn(const CommandState& state) {
    return state.moveMode;
}

constexpr bool ScaleModeOn(const CommandState& state) {
    return state.scaleMode;
}

constexpr bool VtrModeOn(const CommandState& state) {
    return state.vtrMode;
}

constexpr bool ShakingOn(const CommandState& state) {
    return state.shaking;
}

// A plain button, never pressed.
constexpr bool (*kPushButton)(const CommandState&) = nullptr;

}  // namespace

// The rows, one per id in its order. A friend of the editor: its commands run only from here,
// once their guards hold.
struct CommandRows {
    using E = Editor;
    using G = CommandGuard;
    using C = CommandId;

    static constexpr std::array<Command, kCommandCount> kAll{{
        {C::kNewModel, Tip("제프모델 새로 만들기", " ", Ctrl('N')), "new-model", FollowsMode,
         kPushButton, G::kAlways, [](E& e) { e.files().NewModel(); }},
        {C::kOpen, Tip("제프모델 열기", " ", Ctrl('O')), "open", FollowsMode, kPushButton,
         G::kAlways, [](E& e) { e.files().Open(); }},
        {C::kStraightLine, Tip("직선", " ", Plain('1')), "tool-line", FollowsMode,
         ToolIs<Tool::kStraightLine>, G::kAlways, [](E& e) { e.SelectTool(Tool::kStraightLine); }},
        {C::kCurve, Tip("곡선", " ", Plain('2')), "tool-curve", FollowsMode, ToolIs<Tool::kCurve>,
         G::kAlways, [](E& e) { e.SelectTool(Tool::kCurve); }},
        {C::kSave, Tip("제프모델 저장", " ", Ctrl('S')), "save", FollowsMode, kPushButton,
         G::kAlways, [](E& e) { e.files().Save(); }},
        {C::kMove, Tip("선택한 선을 평행이동", "", Plain('V')), "move", FollowsSelection,
         MoveModeOn, G::kRangeToolWithSelection, [](E& e) { e.ToggleMoveMode(); }},
        {C::kScale, Tip("선택한 선을 확대, 축소", " ", Plain('Z')), "scale", FollowsSelection,
         ScaleModeOn, G::kRangeToolWithSelection, [](E& e) { e.ToggleScaleMode(); }},
        // The tooltip names Return by the Enter its key shows.
        {C::kVtr,
         Tip("VTR모드", " ", Named(KeyName::kReturn), Named(KeyName::kEnter),
             Keypad(KeyName::kEnter)),
         "vtr", KeptInVtr, VtrModeOn, G::kAlways, [](E& e) { e.ToggleVtrMode(); }},
        {C::kAbout, Tip("버젼 정보"), "about", KeptInVtr, kPushButton, G::kAlways,
         [](E& e) { e.ShowDialog(DialogId::kAbout); }},
        {C::kSettings, Tip("제프툴 설정"), "settings", KeptInVtr, kPushButton, G::kAlways,
         [](E& e) { e.ShowDialog(DialogId::kSettings); }},
        {C::kRemoveLastLine, Tip("마지막의 선 제거", "", Shift('Z')), "remove-last-line",
         FollowsMode, kPushButton, G::kAlways, [](E& e) { e.RemoveLastLine(); }},
        {C::kSaveAs, Tip("제프모델에 이름을 넣어 저장"), "save-as", FollowsMode, kPushButton,
         G::kAlways, [](E& e) { e.files().SaveAs(); }},
        {C::kGifExport, Tip("제프모델을 애니GIF파일로 저장"), "export-gif", FollowsMode,
         kPushButton, G::kAlways, [](E& e) { e.files().Export(DialogId::kGifExport); }},
        {C::kBmpExport, Tip("제프모델을 일련BMP파일로 저장"), "export-bmp", FollowsMode,
         kPushButton, G::kAlways, [](E& e) { e.files().Export(DialogId::kBmpExport); }},
        {C::kProperties, Tip("제프모델의 등록정보", " ", Ctrl('P')), "properties", FollowsMode,
         kPushButton, G::kAlways, [](E& e) { e.ShowDialog(DialogId::kProperties); }},
        {C::kShaking, Tip("제프모델의 흔들림 유무", " ", Plain('Y')), "shaking", FollowsMode,
         ShakingOn, G::kAlways, [](E& e) { e.ToggleShaking(); }},
        {C::kRectangle, Tip("사각형", " ", Plain('3')), "tool-rectangle", FollowsMode,
         ToolIs<Tool::kRectangle>, G::kAlways, [](E& e) { e.SelectTool(Tool::kRectangle); }},
        {C::kEllipse, Tip("원형", " ", Plain('4')), "tool-ellipse", FollowsMode,
         ToolIs<Tool::kEllipse>, G::kAlways, [](E& e) { e.SelectTool(Tool::kEllipse); }},
        {C::kFilledRectangle, Tip("전부 칠한 사각형", " ", Plain('5')), "tool-filled-rectangle",
         FollowsMode, ToolIs<Tool::kFilledRectangle>, G::kAlways,
         [](E& e) { e.SelectTool(Tool::kFilledRectangle); }},
        {C::kFilledEllipse, Tip("전부 칠한 원형", " ", Plain('6')), "tool-filled-ellipse",
         FollowsMode, ToolIs<Tool::kFilledEllipse>, G::kAlways,
         [](E& e) { e.SelectTool(Tool::kFilledEllipse); }},
        {C::kRangeSelection, Tip("범위선택", " ", Plain('M')), "tool-range", FollowsMode,
         ToolIs<Tool::kRangeSelection>, G::kAlways, [](E& e) { e.SelectRangeTool(); }},
        {C::kSelectAll, Tip("모든 선을 선택", " ", Ctrl('A')), "select-all", FollowsMode,
         kPushButton, G::kVtrIdle, [](E& e) { e.SelectAll(); }},
        {C::kDeselect, Tip("선택 해제", " ", Ctrl('D')), "deselect", FollowsMode, kPushButton,
         G::kVtrIdle, [](E& e) { e.SelectRangeTool(); }},
        {C::kInvertSelection, Tip("선택범위 반전", " ", Ctrl('I')), "invert-selection", FollowsMode,
         kPushButton, G::kVtrIdle, [](E& e) { e.InvertSelection(); }},
        {C::kDeleteSelection,
         Tip("선택한 직선을 삭제", " ", Named(KeyName::kDelete), Keypad(KeyName::kDelete)),
         "delete-selection", FollowsSelection, kPushButton, G::kRangeToolWithSelection,
         [](E& e) { e.DeleteSelectedSegments(); }},
        {C::kUndo, Tip("Undo", " ", Ctrl('Z')), "undo", FollowsHistory, kPushButton, G::kVtrIdle,
         [](E& e) { e.Undo(); }},
        {C::kRedo, Tip("Redo", " ", Ctrl('Y')), "redo", FollowsHistory, kPushButton, G::kVtrIdle,
         [](E& e) { e.Redo(); }},
        {C::kStraighten, Tip("선택한 곡선을 직선화", " ", Plain('T')), "straighten",
         FollowsSelection, kPushButton, G::kRangeToolWithSelection,
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

std::span<const Command> Commands() {
    return CommandRows::kAll;
}

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

}  // namespace zef
