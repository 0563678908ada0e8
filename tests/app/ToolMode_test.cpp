#include "ToolMode.h"

#include <gtest/gtest.h>

#include <vector>

#include "InteractionState.h"
#include "model/PointList.h"

namespace zef {
namespace {

using C = CommandId;

std::vector<C> On(const auto& buttons) {
    std::vector<C> on;
    for (const ButtonState& button : buttons) {
        if (button.on) {
            on.push_back(button.command);
        }
    }
    return on;
}

TEST(ToolModeTest, VtrModeDisablesMostButtonsOtherwiseAllButUndoAndRedoAreEnabled) {
    Model model = test::ModelOf({{0, 0, kStrokeStart, true}, {30, 40, kStrokeContinuation, true}});
    const ToolModeView view = ToolModeViewFor(Tool::kCurve, true, model, {});
    const ToolModeView drawing = ToolModeViewFor(Tool::kStraightLine, false, model, {});
    for (int i = 0; i < kCommandCount; ++i) {
        const auto command = static_cast<C>(i);
        const bool undoOrRedo = command == C::kUndo || command == C::kRedo;
        const bool playback =
            undoOrRedo || command == C::kVtr || command == C::kAbout || command == C::kSettings;
        EXPECT_EQ(view.enabling[i], playback ? ButtonEnabling::kKeep : ButtonEnabling::kDisable)
            << i;
        EXPECT_EQ(drawing.enabling[i], undoOrRedo ? ButtonEnabling::kKeep : ButtonEnabling::kEnable)
            << i;
    }
    // A drawing tool disables the selection buttons whatever is selected.
    const ToolbarState filled = ToolbarStateFor(Tool::kFilledRectangle, false, model, {});
    EXPECT_EQ(On(filled.enabled), std::vector<C>());
    EXPECT_EQ(On(filled.pressed), (std::vector{C::kFilledRectangle, C::kShaking}));
}

}  // namespace
}  // namespace zef
