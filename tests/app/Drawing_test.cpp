#include <gtest/gtest.h>

#include "EditorTest.h"

namespace zef::test {
namespace {

using DrawingTest = EditorTest;
using PointList = std::vector<CanvasPoint>;

std::vector<std::uint8_t> Kinds(const Model& model) {
    std::vector<std::uint8_t> kinds;
    for (const PointRecord& point : model.points) {
        kinds.push_back(point.kind);
    }
    return kinds;
}

TEST_F(DrawingTest, StraightLineWithRightClickCornersThenAStrokeOnItsTail) {
    Press(10, 10);
    EXPECT_EQ(shell.confinedTo, ConfineArea::kCanvasClient);
    MoveTo(50, 10);
    editor.RightButtonDown();
    MoveTo(50, 80);
    editor.RightButtonDown();
    Release(90, 80);
    EXPECT_EQ(Points(), (PointList{{10, 10}, {50, 10}, {50, 80}, {90, 80}}));
    EXPECT_EQ(editor.history().Size(), 2u);
    EXPECT_FALSE(shell.confinedTo);

    Drag({90, 80}, {70, 10});
    EXPECT_EQ(Kinds(model), (std::vector<std::uint8_t>{1, 2, 2, 2, 2}));
}

// The range tool's drag selects through the canvas; Ctrl adds to the selection.
TEST_F(DrawingTest, RangeSelectionThenDeleteAndStraighten) {
    WriteModel(PathOf("m.zfm"), {Start(10, 10), Continue(20, 10), Continue(30, 10), Start(0, 50),
                                 Continue(10, 51), Continue(20, 50)});
    editor.settings().openInVtr = 0;
    editor.PathHandedOver(PathOf("m.zfm"));
    editor.Command(20);
    Drag({10, 5}, {30, 15});
    EXPECT_TRUE(shell.enabled[24]);
    shell.ctrl = true;
    Drag({25, 5}, {35, 15});

    editor.Command(40024);
    EXPECT_EQ(Points(), (PointList{{0, 50}, {10, 51}, {20, 50}}));
    EXPECT_EQ(Kinds(model), (std::vector<std::uint8_t>{1, 2, 2}));
    EXPECT_FALSE(editor.selection().selectionExists);

    editor.Command(21);
    editor.Command(40029);
    EXPECT_EQ(Points(), (PointList{{0, 50}, {20, 50}}));
    EXPECT_EQ(editor.history().Size(), 4u);
}

TEST_F(DrawingTest, LeftEdgeFrameDragKeepsTheDrawingStill) {
    Drag({10, 10}, {40, 40});
    const std::size_t entries = editor.history().Size();
    shell.pointer = {0, 300};
    editor.FrameDragStarted();
    EXPECT_EQ(shell.confinedTo, ConfineArea::kMainBetweenBars);
    shell.pointer = {-30, 300};
    editor.FrameDragStep(FrameEdge::kLeft, {70, 50, 906, 656});
    editor.CanvasSizeChanged(800, 600);
    editor.FrameDragEnded();
    EXPECT_EQ(Points(), (PointList{{40, 10}, {70, 40}}));
    EXPECT_EQ(editor.history().Size(), entries + 1);
    EXPECT_FALSE(editor.selection().moveAll);
    EXPECT_FALSE(shell.confinedTo);
}

}  // namespace
}  // namespace zef::test
