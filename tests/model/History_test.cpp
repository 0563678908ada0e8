#include "History.h"

#include <gtest/gtest.h>

namespace zef {
namespace {

TEST(History, UndoRedoRestorePointsUnselectedAndLeaveTheDocumentState) {
    History history;
    Model model;
    EXPECT_EQ(history.Undo(model), nullptr);
    EXPECT_EQ(history.Redo(model), nullptr);
    history.TakeSnapshot(model);
    model.points = {{{5, 0, kStrokeStart, -4, 0, 0}, 1},
                    {{5, 10, kStrokeContinuation, 0, 0, 9}, 0}};
    model.document.path = "/tmp/a.zfm";
    history.TakeSnapshot(model);
    const std::vector<PointRecord> taken = model.points;

    ASSERT_NE(history.Undo(model), nullptr);
    EXPECT_TRUE(model.points.empty());
    EXPECT_EQ(model.document.path, "/tmp/a.zfm") << "the document state is not the history's";

    ASSERT_NE(history.Redo(model), nullptr);
    EXPECT_EQ(model.points, taken);
    EXPECT_EQ(model.points[0].selected, 0);
}

// Jitter is no change; a save made while an edit is under way leaves no entry clean.
TEST(History, AnEntryIsTheSavedStateOnlyWhileItHoldsWhatTheFileHolds) {
    History history;
    Model model;
    model.AppendPoint(1, 1, false);
    history.StartDocument(model, {"/tmp/a.zfm", "a.zfm"});
    model.points[0].shakeDx = 3;
    history.TakeSnapshot(model);
    EXPECT_TRUE(history.CurrentIsSaved());

    model.AppendPoint(9, 9, true);
    history.DocumentSaved(model, {"/tmp/b.zfm", "b.zfm"});
    EXPECT_FALSE(history.CurrentIsSaved());
    history.Undo(model);
    EXPECT_FALSE(history.CurrentIsSaved());
    EXPECT_EQ(history.CurrentDocument().path, "/tmp/b.zfm");
}

}  // namespace
}  // namespace zef
