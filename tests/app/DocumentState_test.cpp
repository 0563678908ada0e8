#include <gtest/gtest.h>

#include <functional>

#include "EditorTest.h"

namespace zef::test {
namespace {

// The caption names the file the shown drawing belongs to and tells whether it differs from
// that file, however undo and redo cross Open, New and Save.
class DocumentStateTest : public EditorTest {
  protected:
    DocumentStateTest() {
        editor.settings().openInVtr = 0;
        WriteModel("a.zfm", {Start(1, 1), Continue(9, 9)});
        WriteModel("b.zfm", {Start(2, 2), Continue(8, 2)});
    }
    // Hands the file over, answering No to the save question if it comes.
    void Reopen(const std::string& name) {
        if (model.document.modified) {
            shell.answers.push_back(MessageAnswer::kNo);
        }
        editor.PathHandedOver(PathOf(name));
    }
    void OpenDiscarding(const std::string& name) {
        shell.answers.push_back(MessageAnswer::kNo);
        shell.chosenFiles.push_back(PathOf(name));
        editor.Command(CommandId::kOpen);
    }
    // Whether closing asks the save question; it is cancelled. Without a question the fake
    // shell only counts the quit.
    bool ClosingAsks() {
        shell.messages.clear();
        shell.answers.push_back(MessageAnswer::kCancel);
        editor.CloseRequested();
        const bool asked = !shell.messages.empty();
        if (!asked) {
            shell.answers.clear();
        }
        return asked;
    }
};

TEST_F(DocumentStateTest, UndoAcrossOpenAndNewShowsAndSavesTheDocumentOfTheDrawing) {
    using PointList = std::vector<CanvasPoint>;
    const PointList line{{10, 10}, {50, 50}};
    const PointList aEdited{{1, 1}, {9, 9}, {60, 60}};
    struct Step {
        const char* what;
        std::function<void()> act;
        std::string caption;
    };
    const Step steps[] = {
        {"draw untitled",
         [&] {
             Drag({10, 10}, {50, 50});
         },
         Caption("무제", true)},
        {"open a", [&] { OpenDiscarding("a.zfm"); }, Caption("a.zfm", false)},
        {"draw in a",
         [&] {
             Drag({9, 9}, {60, 60});
         },
         Caption("a.zfm", true)},
        {"open b", [&] { OpenDiscarding("b.zfm"); }, Caption("b.zfm", false)},
        {"undo into a", [&] { editor.Command(CommandId::kUndo); }, Caption("a.zfm", true)},
        {"save a", [&] { editor.Command(CommandId::kSave); }, Caption("a.zfm", false)},
        {"undo to a as loaded", [&] { editor.Command(CommandId::kUndo); }, Caption("a.zfm", true)},
        {"undo into untitled", [&] { editor.Command(CommandId::kUndo); }, Caption("무제", true)},
        {"save untitled as c",
         [&] {
             shell.chosenFiles.push_back(PathOf("c"));
             editor.Command(CommandId::kSave);
         },
         Caption("c.zfm", false)},
        {"undo to c empty", [&] { editor.Command(CommandId::kUndo); }, Caption("c.zfm", true)},
        {"redo to c as saved", [&] { editor.Command(CommandId::kRedo); }, Caption("c.zfm", false)},
        {"redo to a as loaded", [&] { editor.Command(CommandId::kRedo); }, Caption("a.zfm", true)},
        {"redo to a as saved", [&] { editor.Command(CommandId::kRedo); }, Caption("a.zfm", false)},
        {"redo to b", [&] { editor.Command(CommandId::kRedo); }, Caption("b.zfm", false)},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(shell.caption, step.caption) << step.what;
        EXPECT_EQ(ClosingAsks(), model.document.modified) << step.what;
        if (std::string(step.what) == "save a") {
            EXPECT_EQ(PointsIn("a.zfm"), aEdited);
            EXPECT_EQ(PointsIn("b.zfm"), (PointList{{2, 2}, {8, 2}}));
        }
    }
    EXPECT_EQ(shell.fileDialogs.back().kind, FileDialogKind::kSave) << "untitled asks for a name";
    EXPECT_EQ(PointsIn("c.zfm"), line);
    EXPECT_EQ(Points(), (PointList{{2, 2}, {8, 2}}));
}

TEST_F(DocumentStateTest, NewThenUndoAndSavingOneFileTwiceKeepsOnlyTheLastSaveClean) {
    editor.PathHandedOver(PathOf("a.zfm"));
    editor.Command(CommandId::kNewModel);
    EXPECT_EQ(shell.caption, Caption("무제", false));
    editor.Command(CommandId::kUndo);
    EXPECT_EQ(shell.caption, Caption("a.zfm", false)) << "a.zfm still holds it";

    // The same file opened again and saved changed: the first opening's state is not what
    // the file holds any more.
    editor.Command(CommandId::kRedo);
    editor.PathHandedOver(PathOf("a.zfm"));
    Drag({30, 30}, {40, 40});
    editor.Command(CommandId::kSave);
    for (int i = 0; i < 3; ++i) {
        editor.Command(CommandId::kUndo);
    }
    EXPECT_EQ(shell.caption, Caption("a.zfm", true));
}

TEST_F(DocumentStateTest, FrameDragMarksModifiedOnlyWhenItChangedSizeOrPoints) {
    struct Case {
        const char* what;
        FrameEdge edge;
        std::vector<std::int32_t> pointerX;  // at each step
        std::int32_t width;                  // the canvas width the drag leaves
        bool modified;
    };
    const Case cases[] = {
        {"right edge, no change", FrameEdge::kRight, {0, 20, 0}, 800, false},
        {"right edge, narrower", FrameEdge::kRight, {0, -30}, 770, true},
        {"left edge, points moved", FrameEdge::kLeft, {0, 30}, 800, true},
        {"left edge, out and back", FrameEdge::kLeft, {0, -30, 0}, 800, false},
    };
    for (const Case& c : cases) {
        Reopen("a.zfm");
        ASSERT_EQ(shell.caption, Caption("a.zfm", false));
        shell.pointer = {c.pointerX.front(), 300};
        editor.FrameDragStarted();
        EXPECT_EQ(shell.confinedTo, ConfineArea::kMainBetweenBars);
        for (const std::int32_t x : c.pointerX) {
            shell.pointer = {x, 300};
            editor.FrameDragStep(c.edge, {0, 0, 0, 0});
        }
        shell.canvasRect.width = c.width + 2 * FakeShell::kBorder;
        editor.CanvasSizeChanged(c.width, 600);
        editor.FrameDragEnded();
        EXPECT_EQ(shell.caption, Caption("a.zfm", c.modified)) << c.what;
        EXPECT_FALSE(shell.confinedTo);
    }
}

TEST_F(DocumentStateTest, PlainClickWithALineToolLeavesTheFlagAsItWas) {
    for (const Tool tool : {Tool::kStraightLine, Tool::kCurve}) {
        Reopen("a.zfm");
        editor.interaction().tool = tool;
        for (const bool modified : {false, true}) {
            if (modified) {
                Drag({100, 100}, {120, 120});
            }
            Press(200, 200);
            EXPECT_EQ(shell.caption, Caption("a.zfm", true)) << "the start point is a change";
            EXPECT_EQ(shell.confinedTo, ConfineArea::kCanvasClient);
            Release(200, 200);
            EXPECT_FALSE(shell.confinedTo);
            EXPECT_EQ(shell.caption, Caption("a.zfm", modified)) << static_cast<int>(tool);
        }
    }
}

}  // namespace
}  // namespace zef::test
