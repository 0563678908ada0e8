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

// Jitter does not make a drawing differ; a save while an edit is under way leaves no entry
// clean, since none holds what was written.
TEST(History, AnEntryIsTheSavedStateOnlyWhileItHoldsWhatTheFileHolds) {
    History history;
    Model model;
    model.AppendPoint(1, 1, false);
    model.AppendPoint(5, 5, true);
    history.StartDocument(model, {"/tmp/a.zfm", "a.zfm"});
    EXPECT_TRUE(history.CurrentIsSaved());
    model.points[0].shakeDx = 3;
    history.TakeSnapshot(model);
    EXPECT_TRUE(history.CurrentIsSaved());

    model.AppendPoint(9, 9, false);
    history.DocumentSaved(model, {"/tmp/b.zfm", "b.zfm"});
    EXPECT_EQ(history.CurrentDocument().title, "b.zfm");
    EXPECT_FALSE(history.CurrentIsSaved());
    history.Undo(model);
    EXPECT_FALSE(history.CurrentIsSaved());
    EXPECT_EQ(history.CurrentDocument().path, "/tmp/b.zfm");
}

}  // namespace
}  // namespace zef
