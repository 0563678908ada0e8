#include "ToolMode.h"

#include <gtest/gtest.h>

#include "InteractionState.h"
#include "model/PointList.h"

namespace zef {
namespace {

Model TwoSelectedPoints() {
    return test::ModelOf({{0, 0, kStrokeStart, true}, {30, 40, kStrokeContinuation, true}});
}

bool Pressed(const ToolbarState& state, int command) {
    for (const ButtonState& button : state.pressed) {
        if (button.command == command) {
            return button.on;
        }
    }
    ADD_FAILURE() << "button " << command << " has no pressed state";
    return false;
}

TEST(RefreshToolModeTest, VtrModeDisablesMostButtonsOtherwiseAllButUndoAndRedoAreEnabled) {
    Model model = TwoSelectedPoints();
    model.properties.vtrSpeed = 17;
    SelectionState selection;
    ToolModeView view = RefreshToolMode(kToolCurve, true, model, selection);
    const ToolModeView drawing = RefreshToolMode(kToolStraightLine, false, model, selection);
    for (int command = 0; command < kToolbarCommandCount; ++command) {
        const bool undoOrRedo = command == 25 || command == 26;
        const bool playback = undoOrRedo || command == 7 || command == 8 || command == 9;
        EXPECT_EQ(view.enabling[command],
                  playback ? ButtonEnabling::kKeep : ButtonEnabling::kDisable)
            << command;
        EXPECT_EQ(drawing.enabling[command],
                  undoOrRedo ? ButtonEnabling::kKeep : ButtonEnabling::kEnable)
            << command;
    }
    EXPECT_TRUE(view.progressBar.visible);
    EXPECT_EQ(view.progressBar.maximum, 50);
    EXPECT_EQ(view.progressBar.step, 17);
    EXPECT_TRUE(Pressed(view.toolbar, kVtrButton));
    EXPECT_FALSE(drawing.progressBar.visible);
}

TEST(RefreshToolbarStateTest, DrawingToolClearsTheSelectionAndPressesItsButtons) {
    Model model = TwoSelectedPoints();
    SelectionState selection{.selectionExists = true, .moveMode = true};
    const ToolbarState state = RefreshToolbarState(kToolFilledRectangle, false, model, selection);
    EXPECT_EQ(model.points[0].selected + model.points[1].selected, 0);
    EXPECT_FALSE(selection.selectionExists || selection.moveMode);
    for (const ButtonState& button : state.enabled) {
        EXPECT_FALSE(button.on) << button.command;
    }
    for (int command : {2, 3, 16, 17, 19, 20, kMoveButton, kVtrButton}) {
        EXPECT_FALSE(Pressed(state, command)) << command;
    }
    EXPECT_TRUE(Pressed(state, 18));
    EXPECT_TRUE(Pressed(state, kShakingButton));
}

}  // namespace
}  // namespace zef
