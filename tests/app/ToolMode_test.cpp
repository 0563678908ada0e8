#include "ToolMode.h"

#include <gtest/gtest.h>

#include "InteractionState.h"
#include "model/PointList.h"

namespace zef {
namespace {

Model TwoSelectedPoints() {
    return test::ModelOf({{0, 0, kStrokeStart, true}, {30, 40, kStrokeContinuation, true}});
}

bool Pressed(const ToolbarState& state, CommandId command) {
    for (const ButtonState& button : state.pressed) {
        if (button.command == command) {
            return button.on;
        }
    }
    ADD_FAILURE() << "button " << static_cast<int>(command) << " has no pressed state";
    return false;
}

TEST(ToolModeViewForTest, VtrModeDisablesMostButtonsOtherwiseAllButUndoAndRedoAreEnabled) {
    Model model = TwoSelectedPoints();
    model.properties.vtrSpeed = 17;
    SelectionState selection;
    const ToolModeView view = ToolModeViewFor(Tool::kCurve, true, model, selection);
    const ToolModeView drawing = ToolModeViewFor(Tool::kStraightLine, false, model, selection);
    for (int i = 0; i < kCommandCount; ++i) {
        const auto command = static_cast<CommandId>(i);
        const bool undoOrRedo = command == CommandId::kUndo || command == CommandId::kRedo;
        const bool playback = undoOrRedo || command == CommandId::kVtr ||
                              command == CommandId::kAbout || command == CommandId::kSettings;
        EXPECT_EQ(view.enabling[i], playback ? ButtonEnabling::kKeep : ButtonEnabling::kDisable)
            << i;
        EXPECT_EQ(drawing.enabling[i], undoOrRedo ? ButtonEnabling::kKeep : ButtonEnabling::kEnable)
            << i;
    }
    EXPECT_TRUE(view.progressBar.visible);
    EXPECT_EQ(view.progressBar.maximum, 50);
    EXPECT_EQ(view.progressBar.step, 17);
    EXPECT_TRUE(Pressed(ToolbarStateFor(Tool::kCurve, true, model, selection), CommandId::kVtr));
    EXPECT_FALSE(drawing.progressBar.visible);
}

TEST(ToolbarStateForTest, DrawingToolPressesItsButtonsAndDisablesTheSelectionButtons) {
    const ToolbarState state =
        ToolbarStateFor(Tool::kFilledRectangle, false, TwoSelectedPoints(), SelectionState{});
    for (const ButtonState& button : state.enabled) {
        EXPECT_FALSE(button.on) << static_cast<int>(button.command);
    }
    using C = CommandId;
    for (C command : {C::kStraightLine, C::kCurve, C::kRectangle, C::kEllipse, C::kFilledEllipse,
                      C::kRangeSelection, C::kMove, C::kVtr}) {
        EXPECT_FALSE(Pressed(state, command)) << static_cast<int>(command);
    }
    EXPECT_TRUE(Pressed(state, C::kFilledRectangle));
    EXPECT_TRUE(Pressed(state, C::kShaking));
}

}  // namespace
}  // namespace zef
