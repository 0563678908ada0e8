#include <gtest/gtest.h>

#include <tuple>

#include "EditorTest.h"

namespace zef::test {
namespace {

using CommandsTest = EditorTest;

TEST_F(CommandsTest, VtrModeBlocksUndoRedoAndTheSelectionCommandsButNotTheToolKeys) {
    Drag({10, 10}, {60, 10});
    editor.Command(CommandId::kVtr);
    ASSERT_TRUE(editor.renderer().VtrMode());
    for (CommandId id : {CommandId::kUndo, CommandId::kSelectAll, CommandId::kDeselect,
                         CommandId::kInvertSelection}) {
        editor.Command(id);
    }
    EXPECT_EQ(model.points.size(), 2u);
    EXPECT_FALSE(editor.selection().selectionExists);
    editor.Command(CommandId::kRectangle);
    EXPECT_EQ(editor.interaction().tool, Tool::kRectangle);

    editor.Command(CommandId::kVtr);
    editor.Command(CommandId::kUndo);
    EXPECT_TRUE(model.points.empty());
    editor.Command(CommandId::kRedo);
    EXPECT_EQ(model.points.size(), 2u);
}

// Which buttons a mode enables and presses is ToolbarStateFor's; here the editor sends them.
TEST_F(CommandsTest, ToolbarAndCursorFollowEveryModeChange) {
    Drag({10, 10}, {60, 10});
    editor.Command(CommandId::kSelectAll);
    EXPECT_TRUE(shell.pressed[CommandId::kRangeSelection]);
    EXPECT_TRUE(shell.enabled[CommandId::kDeleteSelection]);

    editor.Command(CommandId::kMove);
    EXPECT_TRUE(shell.pressed[CommandId::kMove]);
    EXPECT_EQ(shell.cursor, CursorShape::kFourWayMove);
    editor.Command(CommandId::kScale);
    EXPECT_FALSE(shell.pressed[CommandId::kMove]);
    EXPECT_EQ(shell.cursor, CursorShape::kHorizontalResize);
    editor.Command(CommandId::kScale);
    EXPECT_FALSE(shell.pressed[CommandId::kScale]);
    editor.Command(CommandId::kVtr);
    EXPECT_TRUE(shell.enabled[CommandId::kDeleteSelection]) << "they follow the selection in VTR";
    editor.Command(CommandId::kVtr);

    editor.Command(CommandId::kMove);
    editor.Command(CommandId::kStraightLine);
    EXPECT_TRUE(shell.pressed[CommandId::kStraightLine]);
    EXPECT_FALSE(editor.selection().selectionExists || editor.selection().moveMode);
    EXPECT_FALSE(model.points[0].selected || model.points[1].selected);
    EXPECT_FALSE(shell.enabled[CommandId::kDeleteSelection]);
    EXPECT_EQ(shell.cursor, CursorShape::kArrow);
}

using DrawingTest = EditorTest;

// The range tool's drag selects through the canvas; Ctrl adds to the selection. Each command
// is one undo entry.
TEST_F(DrawingTest, RangeSelectionThenDeleteAndStraighten) {
    WriteModel("m.zfm", {Start(10, 10), Continue(20, 10), Continue(30, 10), Start(0, 50),
                         Continue(10, 51), Continue(20, 50)});
    editor.settings().openInVtr = 0;
    editor.PathHandedOver(PathOf("m.zfm"));
    editor.Command(CommandId::kRangeSelection);
    Drag({10, 5}, {30, 15});
    shell.ctrl = true;
    Drag({25, 5}, {35, 15});
    editor.Command(CommandId::kDeleteSelection);
    EXPECT_EQ(Points(), (PointList{{0, 50}, {10, 51}, {20, 50}}));
    EXPECT_FALSE(editor.selection().selectionExists);

    editor.Command(CommandId::kSelectAll);
    editor.Command(CommandId::kStraighten);
    EXPECT_EQ(Points(), (PointList{{0, 50}, {20, 50}}));
    EXPECT_EQ(editor.history().Size(), 4u);
}

TEST_F(DrawingTest, DeletingTheLastSegmentIsOneUndoStep) {
    Drag({10, 10}, {50, 50});
    Drag({50, 50}, {90, 10});
    const std::size_t entries = editor.history().Size();
    editor.Command(CommandId::kRangeSelection);
    Drag({45, 5}, {100, 60});
    editor.Command(CommandId::kDeleteSelection);
    EXPECT_EQ(Points(), (PointList{{10, 10}, {50, 50}}));
    EXPECT_EQ(editor.history().Size(), entries + 1);
    editor.Command(CommandId::kUndo);
    EXPECT_EQ(Points(), (PointList{{10, 10}, {50, 50}, {90, 10}}));
}

using PaintTest = EditorTest;

TEST_F(PaintTest, FrameSamplesCountsAndPresentsUnlessAnExportRenders) {
    Drag({10, 10}, {40, 40});
    shell.pointer = {123, 45};
    Frame();
    EXPECT_EQ(editor.interaction().cursorSample, (CanvasPoint{123, 45}));
    EXPECT_EQ(shell.panes[StatusPane::kPointCount], "선 갯수 : 2");
    EXPECT_EQ(shell.lastPresented, (CanvasSize{800, 600}));

    // Neither timer runs while an export renders.
    editor.SetExportRunning(true);
    const int presents = shell.presents;
    shell.pointer = {300, 300};
    Frame();
    editor.ShakeTick();
    EXPECT_EQ(shell.presents, presents);
    EXPECT_EQ(editor.interaction().cursorSample, (CanvasPoint{123, 45}));
    EXPECT_EQ(std::tie(model.points[0].shakeDx, model.points[0].shakeDy), std::tuple(0, 0));
    editor.SetExportRunning(false);
    bool shaken = false;
    for (int i = 0; i < 10 && !shaken; ++i) {
        editor.ShakeTick();
        shaken = model.points[0].shakeDx != 0 || model.points[0].shakeDy != 0;
    }
    EXPECT_TRUE(shaken);

    // A size beyond the canvas, as a model file may hold, never reaches past the bitmap.
    model.properties.canvasWidth = 5000;
    model.properties.canvasHeight = -4;
    Frame();
    EXPECT_EQ(shell.lastPresented, (CanvasSize{800, 0}));
}

// A speed below 1 from a file replays at one pixel a frame and stays as it was.
TEST_F(PaintTest, ReplayAtSpeedZeroEnds) {
    Model written;
    written.properties.vtrSpeed = 0;
    written.points = {PointRecord{Start(0, 0)}, PointRecord{Continue(10, 0)}};
    ASSERT_TRUE(WriteModelFile(PathOf("slow.zfm"), written));
    editor.PathHandedOver(PathOf("slow.zfm"));
    ASSERT_TRUE(editor.renderer().VtrMode());
    EXPECT_EQ(shell.progressStep, 1);
    for (int frame = 0; frame < 12; ++frame) {
        Frame();
    }
    EXPECT_FALSE(editor.renderer().VtrMode());
    EXPECT_TRUE(shell.enabled[CommandId::kNewModel]) << "the toolbar is back";
    editor.Command(CommandId::kSave);
    EXPECT_EQ(ReadModelFile(PathOf("slow.zfm"), {}).model->properties.vtrSpeed, 0);
}

// What an entry holds is the history's; here undo reaches the canvas, the pens and the modes.
TEST_F(EditorTest, UndoResizesTheCanvasResetsThePensAndSwitchesMoveModeOff) {
    Drag({10, 10}, {40, 40});
    editor.FitCanvas(320, 240);
    editor.SetColourSlot(0, 255, 0, 0, 9);
    editor.TakeSnapshot();
    editor.Command(CommandId::kSelectAll);
    editor.Command(CommandId::kMove);

    editor.Command(CommandId::kUndo);
    EXPECT_FALSE(editor.selection().moveMode);
    EXPECT_FALSE(shell.pressed[CommandId::kMove]);
    EXPECT_EQ(shell.CanvasClientSize(), (CanvasSize{800, 600}));
    EXPECT_EQ(shell.panes[StatusPane::kCanvasSize], "800 Ⅹ 600");
    EXPECT_EQ(editor.renderer().Pens().Line(), (Pen{kStandardLineColour.Value(), 4}));
    editor.Command(CommandId::kRedo);
    EXPECT_EQ(shell.CanvasClientSize(), (CanvasSize{320, 240}));
}

}  // namespace
}  // namespace zef::test
