#include <gtest/gtest.h>

#include "CommandTable.h"
#include "EditorTest.h"

namespace zef::test {
namespace {

TEST(CommandTableTest, BothIdsOfARowAreOneCommandAndOtherIdsNone) {
    for (const Command& command : Commands()) {
        EXPECT_EQ(FindCommand(command.id), &command);
        if (command.acceleratorId != 0) {
            EXPECT_EQ(FindCommand(command.acceleratorId), &command);
        }
    }
    EXPECT_EQ(FindCommand(1111)->id, 1);
    EXPECT_EQ(FindCommand(40029)->id, 27);
    for (int id : {-1, 28, 39, 40005, 40010, 40025, 40030, 1110}) {
        EXPECT_EQ(FindCommand(id), nullptr) << id;
    }
    EXPECT_STREQ(*TooltipFor(27), "선택한 곡선을 직선화 (T)");
    EXPECT_FALSE(TooltipFor(28)) << "tooltips for the toolbar ids only";
}

using CommandsTest = EditorTest;

TEST_F(CommandsTest, SelectionCommandsNeedTheRangeToolWithASelection) {
    Drag({10, 10}, {60, 10});
    Drag({60, 10}, {60, 60});
    const auto points = model.points;
    for (int id : {5, 6, 24, 27, 40008, 40016, 40024, 40029}) {
        editor.Command(id);
    }
    EXPECT_EQ(model.points.size(), points.size());
    EXPECT_FALSE(editor.selection().moveMode);
    EXPECT_FALSE(editor.selection().scaleMode);

    editor.Command(20);
    editor.Command(24);
    EXPECT_EQ(model.points.size(), points.size());

    editor.Command(21);
    editor.Command(24);
    EXPECT_TRUE(model.points.empty());
}

TEST_F(CommandsTest, VtrModeBlocksUndoRedoAndTheSelectionCommandsButNotTheToolKeys) {
    Drag({10, 10}, {60, 10});
    editor.Command(7);
    ASSERT_TRUE(editor.renderer().VtrMode());
    for (int id : {25, 40026, 21, 22, 23}) {
        editor.Command(id);
    }
    EXPECT_EQ(model.points.size(), 2u);
    EXPECT_EQ(editor.interaction().tool, kToolStraightLine);

    editor.Command(40017);
    EXPECT_EQ(editor.interaction().tool, kToolRectangle);
    editor.Command(20);
    EXPECT_EQ(editor.interaction().tool, kToolRangeSelection);

    editor.Command(7);
    editor.Command(40026);
    EXPECT_TRUE(model.points.empty());
    editor.Command(40028);
    EXPECT_EQ(model.points.size(), 2u);
}

TEST_F(CommandsTest, ToolbarFollowsEveryModeChange) {
    Drag({10, 10}, {60, 10});
    editor.Command(17);
    EXPECT_TRUE(shell.pressed[17]);
    EXPECT_FALSE(shell.pressed[2]);
    EXPECT_EQ(shell.panes[StatusPane::kHint], "드래그로 원을 그려요");

    editor.Command(21);
    EXPECT_TRUE(shell.pressed[20]);
    EXPECT_FALSE(shell.pressed[17]);
    for (int id : {5, 6, 24, 27}) {
        EXPECT_TRUE(shell.enabled[id]) << id;
    }

    editor.Command(5);
    EXPECT_TRUE(shell.pressed[5]);
    EXPECT_EQ(shell.panes[StatusPane::kHint], "드래그로 평행이동.");
    EXPECT_EQ(shell.cursor, CursorShape::kFourWayMove);
    editor.Command(6);
    EXPECT_FALSE(shell.pressed[5]);
    EXPECT_TRUE(shell.pressed[6]);
    EXPECT_EQ(shell.cursor, CursorShape::kHorizontalResize);
    editor.Command(6);
    EXPECT_FALSE(shell.pressed[6]);

    editor.Command(7);
    EXPECT_TRUE(shell.pressed[7]);
    EXPECT_TRUE(shell.progressShown);
    EXPECT_FALSE(shell.enabled[0]);
    EXPECT_TRUE(shell.enabled[24]) << "the selection buttons follow the selection in VTR mode";

    editor.Command(7);
    EXPECT_FALSE(shell.progressShown);
    EXPECT_TRUE(shell.enabled[0]);

    editor.Command(2);
    EXPECT_TRUE(shell.pressed[2]);
    EXPECT_FALSE(editor.selection().selectionExists);
    EXPECT_FALSE(shell.enabled[24]);
    EXPECT_EQ(shell.cursor, CursorShape::kArrow);

    editor.Command(15);
    EXPECT_FALSE(shell.pressed[15]);
    EXPECT_EQ(model.document.shakingOn, 0);
}

TEST_F(CommandsTest, RangeCursorFollowsCtrlAndShift) {
    editor.Command(20);
    EXPECT_EQ(shell.cursor, CursorShape::kRangeCross);
    shell.ctrl = true;
    editor.KeyDown(Key::kCtrl);
    EXPECT_EQ(shell.cursor, CursorShape::kRangePlus);
    shell.shift = true;
    editor.KeyDown(Key::kShift);
    EXPECT_EQ(shell.cursor, CursorShape::kRangePlus);
    shell.ctrl = false;
    editor.KeyUp(Key::kCtrl);
    EXPECT_EQ(shell.cursor, CursorShape::kRangeMinus);
}

TEST_F(CommandsTest, DialogsAreReachedThroughTheShell) {
    editor.Command(8);
    editor.Command(9);
    editor.Command(14);
    editor.Command(40011);
    EXPECT_EQ(shell.dialogs, (std::vector<DialogId>{DialogId::kAbout, DialogId::kSettings,
                                                    DialogId::kProperties, DialogId::kProperties}));
    EXPECT_FALSE(editor.NewModelMarker());
}

}  // namespace
}  // namespace zef::test
