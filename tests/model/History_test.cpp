#include "History.h"

#include <gtest/gtest.h>

namespace zef {
namespace {

TEST(History, UndoRedoRestorePointsUnselectedWithProperties) {
    History history;
    Model model;
    EXPECT_EQ(history.Undo(model), nullptr);
    EXPECT_EQ(history.Redo(model), nullptr);
    history.TakeSnapshot(model);
    model.AppendPoint(5, 0, false);
    model.AppendPoint(5, 10, true);
    model.document.path = "/tmp/a.zfm";
    model.points[0].shakeDx = -4;
    model.points[1].reserved = 9;
    model.properties.canvasWidth = 200;
    history.TakeSnapshot(model);
    model.points[0].selected = 1;

    const HistorySnapshot* back = history.Undo(model);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(model.points.empty());
    EXPECT_EQ(back->properties, ModelProperties{});
    EXPECT_EQ(model.document.path, "/tmp/a.zfm") << "the document state is not the history's";
    EXPECT_FALSE(history.CanUndo());

    const HistorySnapshot* forward = history.Redo(model);
    ASSERT_NE(forward, nullptr);
    ASSERT_EQ(model.points.size(), 2u);
    EXPECT_EQ(model.points[0].shakeDx, -4);
    EXPECT_EQ(model.points[0].selected, 0);
    EXPECT_EQ(model.points[1].reserved, 9);
    EXPECT_EQ(forward->properties.canvasWidth, 200);
    EXPECT_FALSE(history.CanRedo());
}

}  // namespace
}  // namespace zef
