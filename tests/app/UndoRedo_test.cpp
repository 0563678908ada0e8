#include <gtest/gtest.h>

#include "EditorTest.h"

namespace zef::test {
namespace {

using UndoRedoTest = EditorTest;

TEST_F(UndoRedoTest, ANewStrokeAfterUndoDropsTheRedoBranch) {
    Drag({10, 10}, {40, 40});
    editor.Command(25);
    EXPECT_TRUE(model.points.empty());
    EXPECT_FALSE(shell.enabled[25]);
    EXPECT_TRUE(shell.enabled[26]);
    Drag({50, 50}, {90, 90});
    EXPECT_TRUE(shell.enabled[25]);
    EXPECT_FALSE(shell.enabled[26]);
    editor.Command(26);
    EXPECT_EQ(Points(), (std::vector<CanvasPoint>{{50, 50}, {90, 90}}));
}

TEST_F(UndoRedoTest, UndoRestoresCanvasSizeAndColoursAndSwitchesModesOff) {
    Drag({10, 10}, {40, 40});
    editor.FitCanvas(320, 240);
    model.properties.lineWidth = 9;
    editor.SetColourSlot(0, 255, 0, 0, 9);
    editor.TakeSnapshot();
    editor.Command(21);
    editor.Command(5);
    ASSERT_TRUE(editor.selection().moveMode);

    editor.Command(40026);
    EXPECT_FALSE(editor.selection().moveMode);
    EXPECT_FALSE(shell.pressed[5]);
    EXPECT_EQ(model.properties.canvasWidth, 800);
    EXPECT_EQ(shell.CanvasClientSize(), (CanvasSize{800, 600}));
    EXPECT_EQ(shell.panes[StatusPane::kCanvasSize], "800 Ⅹ 600");
    EXPECT_EQ(model.properties.lineWidth, 4);
    EXPECT_EQ(model.properties.lineColour, kStandardLineColour);
    EXPECT_EQ(editor.renderer().Pens().Line().width, 4);
    for (const PointRecord& point : model.points) {
        EXPECT_EQ(point.selected, 0);
    }

    editor.Command(40028);
    EXPECT_EQ(model.properties.canvasWidth, 320);
    EXPECT_EQ(model.properties.lineColour, (Colour{255, 0, 0}));
}

TEST_F(UndoRedoTest, UndoAfterNewShowsTheOldModelUnderTheNewTitle) {
    Drag({10, 10}, {40, 40});
    shell.answers.push_back(MessageAnswer::kNo);
    editor.Command(0);
    editor.Command(25);
    EXPECT_EQ(model.points.size(), 2u);
    EXPECT_FALSE(model.document.modified);
    EXPECT_EQ(shell.caption, "제프툴 1.39 -다온비 - [ 무제 ]");
}

TEST_F(UndoRedoTest, RemoveLastLineOnAnEmptyModelAddsAnEqualEntry) {
    editor.Command(10);
    EXPECT_EQ(editor.history().Size(), 2u);
    editor.Command(25);
    EXPECT_TRUE(model.points.empty());
}

}  // namespace
}  // namespace zef::test
