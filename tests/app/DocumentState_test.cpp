#include <gtest/gtest.h>

#include <functional>

#include "tests/app/EditorTest.h"

namespace zef::test {
namespace {

// The caption names the file of the shown drawing and whether the drawing differs from it.
class DocumentStateTest : public EditorTest {
  protected:
    DocumentStateTest() {
        editor.settings().openInVtr = 0;
        WriteModel("a.zfm", {{1, 1}, {9, 9}});
        WriteModel("b.zfm", {{2, 2}, {8, 2}});
    }
    // Opens the file as handed over, answering No to the save question if it comes.
    void Reopen(const std::string& name) {
        if (model.document.modified) {
            shell.answers.push_back(MessageAnswer::kNo);
        }
        editor.files().HandOver(PathOf(name));
    }
};

TEST_F(DocumentStateTest, UndoAcrossOpenNewAndSaveShowsAndSavesTheDocumentOfTheDrawing) {
    const auto command = [&](CommandId id) { return [this, id] { editor.Command(id); }; };
    const auto open = [this](const char* name) { return [this, name] { Reopen(name); }; };
    const auto draw = [&](CanvasPoint from, CanvasPoint to) {
        return [this, from, to] { Drag(from, to); };
    };
    shell.chosenFiles = {PathOf("c")};  // the name untitled work is saved under
    const auto undo = command(CommandId::kUndo);
    const auto redo = command(CommandId::kRedo);
    const struct {
        const char* what;
        std::function<void()> act;
        std::string caption;
    } steps[] = {{"draw untitled", draw({10, 10}, {50, 50}), Caption("무제", true)},
                 {"open a", open("a.zfm"), Caption("a.zfm")},
                 {"draw in a", draw({9, 9}, {60, 60}), Caption("a.zfm", true)},
                 {"open b", open("b.zfm"), Caption("b.zfm")},
                 {"undo into a", undo, Caption("a.zfm", true)},
                 {"save a", command(CommandId::kSave), Caption("a.zfm")},
                 {"undo to a as loaded", undo, Caption("a.zfm", true)},
                 {"undo into untitled", undo, Caption("무제", true)},
                 {"save untitled as c", command(CommandId::kSave), Caption("c.zfm")},
                 {"redo to a as loaded", redo, Caption("a.zfm", true)},
                 {"redo to a as saved", redo, Caption("a.zfm")},
                 {"redo to b", redo, Caption("b.zfm")},
                 {"new", command(CommandId::kNewModel), Caption("무제")},
                 {"undo to b, which the file still holds", undo, Caption("b.zfm")},
                 {"b opened again", open("b.zfm"), Caption("b.zfm")},
                 {"draw in b", draw({30, 30}, {40, 40}), Caption("b.zfm", true)},
                 {"save b", command(CommandId::kSave), Caption("b.zfm")},
                 {"undo to b as loaded again", undo, Caption("b.zfm", true)},
                 {"undo to b as first loaded", undo, Caption("b.zfm", true)}};
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(shell.caption, step.caption) << step.what;
    }
    EXPECT_EQ(shell.fileDialogs.back().kind, FileDialogKind::kSave) << "untitled asks for a name";
    EXPECT_EQ(PointsIn("a.zfm"), (PointList{{1, 1}, {9, 9}, {60, 60}}));
    EXPECT_EQ(PointsIn("c.zfm"), (PointList{{10, 10}, {50, 50}}));
    EXPECT_EQ(Points(), (PointList{{2, 2}, {8, 2}}));
}

TEST_F(DocumentStateTest, FrameDragMarksModifiedOnlyWhenItChangedSizeOrPoints) {
    const struct {
        const char* what;
        FrameEdge edge;
        std::vector<std::int32_t> pointerX;  // at each step
        std::int32_t width;                  // the canvas width the drag leaves
        bool modified;
    } cases[] = {{"right edge, no change", FrameEdge::kRight, {0, 20, 0}, 800, false},
                 {"right edge, narrower", FrameEdge::kRight, {0, -30}, 770, true},
                 {"left edge, points moved", FrameEdge::kLeft, {0, 30}, 800, true},
                 {"left edge, out and back", FrameEdge::kLeft, {0, -30, 0}, 800, false}};
    for (const auto& c : cases) {
        Reopen("a.zfm");
        shell.pointer = {c.pointerX.front(), 300};
        editor.canvasInput().FrameDragStarted();
        EXPECT_EQ(shell.confinedTo, ConfineArea::kMainBetweenBars);
        for (const std::int32_t x : c.pointerX) {
            shell.pointer = {x, 300};
            editor.canvasInput().FrameDragStep(c.edge, {0, 0, 0, 0});
        }
        shell.canvasRect.width = c.width + 2 * FakeShell::kBorder;
        editor.canvasInput().SizeChanged(c.width, 600);
        editor.canvasInput().FrameDragEnded();
        EXPECT_EQ(shell.caption, Caption("a.zfm", c.modified)) << c.what;
        EXPECT_FALSE(shell.confinedTo);
    }
}

TEST_F(DocumentStateTest, PlainClickWithALineToolLeavesTheFlagAsItWas) {
    for (const CommandId tool : {CommandId::kStraightLine, CommandId::kCurve}) {
        Reopen("a.zfm");
        editor.Command(tool);
        for (const bool modified : {false, true}) {
            if (modified) {
                Drag({100, 100}, {120, 120});
            }
            Button({200, 200}, true);
            EXPECT_EQ(shell.caption, Caption("a.zfm", true)) << "the start point is a change";
            EXPECT_EQ(shell.confinedTo, ConfineArea::kCanvasClient);
            Button({200, 200}, false);
            EXPECT_FALSE(shell.confinedTo);
            EXPECT_EQ(shell.caption, Caption("a.zfm", modified)) << static_cast<int>(tool);
        }
    }
}

}  // namespace
}  // namespace zef::test
