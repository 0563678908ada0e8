#include "canvas/CanvasInput.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/model/PointList.h"

namespace zef {
namespace {

using ::testing::ElementsAre;

using test::P;
using test::S;

// Stands for the window: records every call by name; the left button is held, no modifier key.
class CanvasInputTest : public ::testing::Test, public CanvasWindow, public CanvasHost {
  protected:
    // Sends the event with the pointer sampled at `at`.
    void Send(void (CanvasInput::*event)(), CanvasPoint at) {
        interaction.cursorSample = at;
        (input.*event)();
    }
    void Down(CanvasPoint at) { Send(&CanvasInput::LeftButtonDown, at); }
    void Move(CanvasPoint at) { Send(&CanvasInput::MouseMove, at); }
    void Right(CanvasPoint at) { Send(&CanvasInput::RightButtonDown, at); }
    void Up(CanvasPoint at) { Send(&CanvasInput::LeftButtonUp, at); }

    bool LeftButtonHeld() const override { return true; }
    bool CtrlHeld() const override { return false; }
    bool ShiftHeld() const override { return false; }
    bool VtrMode() const override { return false; }
    void ConfinePointer(ConfineArea) override { calls.push_back("ConfinePointer"); }
    void ReleasePointer() override { calls.push_back("ReleasePointer"); }
    CanvasPoint PointerScreenPosition() const override { return pointer; }
    CanvasSize CanvasWindowOuterSize(CanvasSize client) const override {
        return {client.width + 4, client.height + 6};
    }
    void UpdateCursor() override { calls.push_back("UpdateCursor"); }
    void UpdateTitle() override { calls.push_back("UpdateTitle"); }
    void UpdateSizePane() override { calls.push_back("UpdateSizePane"); }
    void RefreshToolbarState() override { calls.push_back("RefreshToolbarState"); }
    void TakeSnapshot() override { calls.push_back("TakeSnapshot"); }
    void PaintCanvas() override { calls.push_back("PaintCanvas"); }
    void FitCanvas(std::int32_t width, std::int32_t height) override {
        calls.push_back("FitCanvas " + std::to_string(width) + " " + std::to_string(height));
    }
    void ShowAppendOutOfMemory() override { calls.push_back("ShowAppendOutOfMemory"); }

    CanvasPoint pointer;
    std::vector<std::string> calls;
    Model model;
    SelectionState selection;
    InteractionState interaction;
    Random random{9};
    CanvasInput input{model, selection, interaction, random, *this, *this};
};

TEST_F(CanvasInputTest, StraightLineTakesARightClickCornerAtEachNewPlace) {
    Right({5, 5});
    Down({10, 10});
    Move({40, 10});
    Right({50, 10});
    Right({50, 50});
    Right({50, 50});
    Up({10, 50});
    EXPECT_THAT(test::PointsOf(model), ElementsAre(P{10, 10, S}, P{50, 10}, P{50, 50}, P{10, 50}));
    EXPECT_EQ(std::ranges::count(calls, "TakeSnapshot"), 1);
    EXPECT_FALSE(interaction.dragInProgress);

    interaction.tool = Tool::kCurve;
    Down({10, 10});
    Right({30, 30});
    EXPECT_EQ(model.points.size(), 5u) << "right clicks add corners to straight lines only";
}

TEST_F(CanvasInputTest, CurveGainsAPointOnEverySixthMoveOrBeyondTwentyPixels) {
    interaction.tool = Tool::kCurve;
    Down({0, 0});
    for (int i = 1; i <= 6; ++i) {
        Move({i, 0});
    }
    Move({18, 16});  // exactly 20 pixels away
    Move({18, 17});
    Move({18, 17});  // the same frame's sample again
    Move({40, 17});
    Up({40, 17});
    EXPECT_THAT(test::PointsOf(model), ElementsAre(P{0, 0, S}, P{6, 0}, P{18, 17}, P{40, 17}));
}

TEST_F(CanvasInputTest, ScaleDragSetsTheFactorFromTheHorizontalDistance) {
    model = test::ModelOf({{110, 100, S, true}});
    selection = {.selectionExists = true, .scaleMode = true};
    Down({100, 100});
    Move({100, 140});
    EXPECT_EQ(selection.scaleFactor, 1.0f);
    EXPECT_FALSE(model.document.modified) << "back at the centre's distance";
    Move({150, 30});
    EXPECT_FLOAT_EQ(selection.scaleFactor, 1.5f);
    EXPECT_TRUE(model.document.modified);
    Move({-50, 100});
    EXPECT_EQ(selection.scaleFactor, 0.0f);
    Up({-50, 100});
    EXPECT_THAT(test::PointsOf(model), ElementsAre(P{100, 100, S, true}));
    EXPECT_EQ(std::ranges::count(calls, "TakeSnapshot"), 1);
}

TEST_F(CanvasInputTest, LeftAndTopEdgeFrameDragsKeepTheDrawingStill) {
    model = test::ModelOf({{5, 7, S, true}, {100, 200}});
    selection.selectionExists = true;
    pointer = {500, 300};
    input.FrameDragStarted();
    EXPECT_FALSE(selection.selectionExists);

    pointer = {480, 290};
    input.FrameDragStep(FrameEdge::kLeft, {480, 100, 1290, 700});
    pointer = {470, 280};
    const FrameRect held = input.FrameDragStep(FrameEdge::kBottomLeft, {470, 100, 1290, 710});
    EXPECT_EQ(held, (FrameRect{470, 100, 1274, 706}));
    EXPECT_THAT(test::PointsOf(model), ElementsAre(P{35, 7, S}, P{130, 200}));

    calls.clear();
    input.FrameDragEnded();
    EXPECT_THAT(calls, ElementsAre("FitCanvas 0 0", "ReleasePointer", "TakeSnapshot"));
    EXPECT_FALSE(selection.moveAll);
}

}  // namespace
}  // namespace zef
