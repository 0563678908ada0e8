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

TEST(RefreshToolModeTest, VtrModeDisablesMostButtonsOtherwiseAllButUndoAndRedoAreEnabled) {
    Model model = TwoSelectedPoints();
    model.properties.vtrSpeed = 17;
    SelectionState selection;
    ToolModeView view = RefreshToolMode(kToolCurve, true, model, selection);
    const ToolModeView drawing = RefreshToolMode(kToolStraightLine, false, model, selection);
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
    EXPECT_TRUE(Pressed(view.toolbar, CommandId::kVtr));
    EXPECT_FALSE(drawing.progressBar.visible);
}

TEST(RefreshToolbarStateTest, DrawingToolClearsTheSelectionAndPressesItsButtons) {
    Model model = TwoSelectedPoints();
    SelectionState selection{.selectionExists = true, .moveMode = true};
    const ToolbarState state = RefreshToolbarState(kToolFilledRectangle, false, model, selection);
    EXPECT_EQ(model.points[0].selected + model.points[1].selected, 0);
    EXPECT_FALSE(selection.selectionExists || selection.moveMode);
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
