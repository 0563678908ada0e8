#include "ToolMode.h"

#include <gtest/gtest.h>

#include <tuple>
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
    model.properties.vtrSpeed = 17;
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
    EXPECT_EQ(std::tie(view.progressBar.visible, view.progressBar.maximum, view.progressBar.step),
              std::tuple(true, 50, 17));
    EXPECT_FALSE(drawing.progressBar.visible);
    EXPECT_EQ(On(ToolbarStateFor(Tool::kCurve, true, model, {}).pressed),
              (std::vector{C::kCurve, C::kVtr, C::kShaking}));

    // A drawing tool disables the selection buttons whatever is selected.
    const ToolbarState filled = ToolbarStateFor(Tool::kFilledRectangle, false, model, {});
    EXPECT_EQ(On(filled.enabled), std::vector<C>());
    EXPECT_EQ(On(filled.pressed), (std::vector{C::kFilledRectangle, C::kShaking}));
}

}  // namespace
}  // namespace zef
