#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "app/editor/CommandTable.h"
#include "app/sessions/ExportSession.h"
#include "tests/app/EditorTest.h"

namespace zef::test {
namespace {

using EditingTest = EditorTest;

TEST_F(EditingTest, VtrModeBlocksUndoRedoAndSelectionButNotToolsAndTheModesToggle) {
    Drag({10, 10}, {60, 10});
    editor.Command(CommandId::kVtr);
    ASSERT_TRUE(editor.renderer().VtrMode());
    for (CommandId id : {CommandId::kUndo, CommandId::kSelectAll, CommandId::kInvertSelection}) {
        editor.Command(id);
    }
    EXPECT_EQ(model.points.size(), 2u);
    EXPECT_FALSE(editor.selection().selectionExists);
    editor.Command(CommandId::kRectangle);
    EXPECT_EQ(editor.interaction().tool, Tool::kRectangle);
    editor.Command(CommandId::kVtr);
    editor.Command(CommandId::kUndo);
    EXPECT_TRUE(model.points.empty()) << "undo works again out of VTR mode";
    editor.Command(CommandId::kRedo);

    // Move and scale toggle; another tool drops the selection.
    editor.Command(CommandId::kSelectAll);
    editor.Command(CommandId::kMove);
    EXPECT_EQ(shell.cursor, CursorShape::kFourWayMove);
    editor.Command(CommandId::kScale);
    EXPECT_FALSE(shell.pressed[CommandId::kMove]);
    EXPECT_EQ(shell.cursor, CursorShape::kHorizontalResize);
    editor.Command(CommandId::kScale);
    EXPECT_FALSE(shell.pressed[CommandId::kScale]);

    editor.Command(CommandId::kMove);
    editor.Command(CommandId::kStraightLine);
    EXPECT_FALSE(editor.selection().selectionExists || editor.selection().moveMode);
    EXPECT_FALSE(model.points[0].selected || model.points[1].selected);
    EXPECT_EQ(shell.cursor, CursorShape::kArrow);
}

// The toolbar after commands on a drawing of one stroke. A change of tool or mode comes first:
// VTR mode disables all but VTR, About and Settings, move and scale mode keep every button as
// it was (as VTR mode left it too), as the change found them; then the selection's buttons
// follow the selection, in VTR mode too. Undo and redo follow the history alone. A new model
// shakes.
TEST(ToolbarTest, ButtonsFollowTheModesThenTheSelectionAndUndoTheHistory) {
    using C = CommandId;
    const auto allBut = [](std::set<C> kept) {
        std::set<C> others;
        for (int id = 0; id < kCommandCount; ++id) {
            if (!kept.contains(static_cast<C>(id))) {
                others.insert(static_cast<C>(id));
            }
        }
        return others;
    };
    const std::set<C> vtrOnly = allBut({C::kVtr, C::kAbout, C::kSettings, C::kUndo});
    const std::set<C> vtrAndSelection =
        allBut({C::kVtr, C::kAbout, C::kSettings, C::kUndo, C::kMove, C::kScale,
                C::kDeleteSelection, C::kStraighten});
    const struct {
        const char* situation;
        std::vector<C> commands;
        std::set<C> disabled, pressed;
    } cases[] = {
        {"drawn",
         {},
         {C::kMove, C::kScale, C::kDeleteSelection, C::kStraighten, C::kRedo},
         {C::kStraightLine, C::kShaking}},
        {"undone",
         {C::kUndo},
         {C::kMove, C::kScale, C::kDeleteSelection, C::kStraighten, C::kUndo},
         {C::kStraightLine, C::kShaking}},
        {"selected, shaking off", {C::kSelectAll, C::kShaking}, {C::kRedo}, {C::kRangeSelection}},
        {"move mode",
         {C::kSelectAll, C::kMove},
         {C::kRedo},
         {C::kRangeSelection, C::kMove, C::kShaking}},
        {"VTR", {C::kEllipse, C::kVtr}, vtrOnly, {C::kEllipse, C::kVtr, C::kShaking}},
        {"VTR, selected",
         {C::kSelectAll, C::kVtr},
         vtrAndSelection,
         {C::kRangeSelection, C::kVtr, C::kShaking}},
        {"scale mode from VTR",
         {C::kSelectAll, C::kVtr, C::kScale, C::kVtr},
         {C::kRedo},
         {C::kRangeSelection, C::kScale, C::kShaking}},
        {"a tool from move mode from VTR",
         {C::kSelectAll, C::kVtr, C::kMove, C::kVtr, C::kCurve},
         {C::kMove, C::kScale, C::kDeleteSelection, C::kStraighten, C::kRedo},
         {C::kCurve, C::kShaking}},
    };
    for (const auto& c : cases) {
        StartedEditor hands;
        hands.Drag({10, 10}, {60, 10});
        for (const C command : c.commands) {
            hands.editor.Command(command);
        }
        std::set<C> disabled, pressed;
        for (auto& [command, on] : hands.shell.enabled) {
            if (!on) {
                disabled.insert(command);
            }
        }
        for (auto& [command, on] : hands.shell.pressed) {
            if (on) {
                pressed.insert(command);
            }
        }
        EXPECT_EQ(hands.shell.enabled.size(), std::size_t{kCommandCount}) << c.situation;
        EXPECT_EQ(disabled, c.disabled) << c.situation;
        EXPECT_EQ(pressed, c.pressed) << c.situation;
    }
}

// The range tool's drag selects through the canvas; Ctrl adds to the selection.
TEST_F(EditingTest, RangeSelectionAddsWithCtrlAndDeletingUpToTheLastSegmentIsOneUndoEntry) {
    Drag({10, 10}, {50, 50});
    Drag({50, 50}, {90, 10});
    Drag({100, 10}, {120, 10});
    const std::size_t entries = editor.history().Size();
    editor.Command(CommandId::kRangeSelection);
    Drag({45, 5}, {95, 60});
    shell.ctrl = true;
    Drag({95, 5}, {125, 15});
    std::vector<std::uint8_t> selected;
    for (const PointRecord& point : model.points) {
        selected.push_back(point.selected);
    }
    EXPECT_EQ(selected, (std::vector<std::uint8_t>{0, 1, 1, 1, 1}));
    editor.Command(CommandId::kDeleteSelection);
    EXPECT_EQ(Points(), (PointList{{10, 10}, {50, 50}}));
    EXPECT_EQ(editor.history().Size(), entries + 1);
    editor.Command(CommandId::kUndo);
    EXPECT_EQ(Points(), (PointList{{10, 10}, {50, 50}, {90, 10}, {100, 10}, {120, 10}}));
}

TEST_F(EditingTest, NeitherTimerPaintsWhileAnExportRendersAndNoFrameReachesPastTheBitmap) {
    Drag({10, 10}, {40, 40});
    {
        const ExportHost::Running running(editor.exportHost());
        shell.lastPresented = {-1, -1};
        editor.FrameTick();
        editor.ShakeTick();
        EXPECT_EQ(shell.lastPresented, (CanvasSize{-1, -1})) << "nothing presented";
        EXPECT_EQ(std::tie(model.points[0].shakeDx, model.points[0].shakeDy), std::tuple(0, 0));
    }
    model.properties.canvasWidth = 5000;
    model.properties.canvasHeight = -4;
    editor.FrameTick();
    EXPECT_EQ(shell.lastPresented, (CanvasSize{800, 0}));
}

// A speed below 1 from a file replays at one pixel a frame and stays as it was.
TEST_F(EditingTest, ReplayAtSpeedZeroEnds) {
    Model written;
    written.properties.vtrSpeed = 0;
    written.AppendPoint(0, 0, false);
    written.AppendPoint(10, 0, true);
    ASSERT_TRUE(WriteModelFile(PathOf("slow.zfm"), written));
    editor.files().HandOver(PathOf("slow.zfm"));
    ASSERT_TRUE(editor.renderer().VtrMode());
    EXPECT_EQ(shell.progressStep, 1);
    for (int frame = 0; frame < 12; ++frame) {
        editor.FrameTick();
    }
    EXPECT_FALSE(editor.renderer().VtrMode());
    EXPECT_TRUE(shell.enabled[CommandId::kNewModel]) << "the toolbar is back";
    editor.Command(CommandId::kSave);
    EXPECT_EQ(ReadModelFile(PathOf("slow.zfm"), {}).model->properties.vtrSpeed, 0);
}

// What an entry holds is the history's; here undo reaches the canvas, the pens and the modes.
TEST_F(EditingTest, UndoResizesTheCanvasResetsThePensAndSwitchesMoveModeOff) {
    Drag({10, 10}, {40, 40});
    PropertiesSession properties = editor.OpenPropertiesSession();
    properties.SetLineWidthPosition(2);
    properties.SetSlotColour(kLineSlot, {255, 0, 0});
    properties.Ok("320", "240");
    editor.Command(CommandId::kSelectAll);
    editor.Command(CommandId::kMove);
    editor.Command(CommandId::kUndo);
    EXPECT_FALSE(shell.pressed[CommandId::kMove]);
    EXPECT_EQ(shell.CanvasClientSize(), (CanvasSize{800, 600}));
    EXPECT_EQ(shell.panes[StatusPane::kCanvasSize], "800 Ⅹ 600");
    EXPECT_EQ(editor.renderer().Pens().Line(), (Pen{kStandardLineColour.Value(), 4}));
    editor.Command(CommandId::kRedo);
    EXPECT_EQ(shell.CanvasClientSize(), (CanvasSize{320, 240}));
}

// What a key could change: the drawing, the history, the document, the tool and the modes,
// and what the shell was asked to show.
std::string Look(StartedEditor& hands) {
    std::ostringstream look;
    for (const PointRecord& point : hands.model.points) {
        look << point.x << ',' << point.y << ':' << int{point.kind}
             << (point.selected ? "* " : " ");
    }
    const Editor& editor = hands.editor;
    const FakeShell& shell = hands.shell;
    look << "| history " << editor.history().Size() << (editor.history().CanUndo() ? " undo" : "")
         << " | tool " << static_cast<int>(editor.interaction().tool) << " vtr "
         << editor.renderer().VtrMode() << " move " << editor.selection().moveMode << " scale "
         << editor.selection().scaleMode << " shaking " << int{hands.model.document.shakingOn}
         << " | " << hands.model.document.path << " modified " << hands.model.document.modified
         << " | canvas " << hands.model.properties.canvasWidth << 'x'
         << hands.model.properties.canvasHeight << " | shown " << shell.messages.size() << ' '
         << shell.fileDialogs.size() << ' ' << shell.dialogs.size() << ' ' << shell.quits;
    return look.str();
}

// Undo's restored drawing, a new model or another tool under a held stroke would be joined to
// its end by the release; so while a gesture holds the button no key does anything, and the
// release ends the gesture as it would alone. Each gesture is undone (and prepared again)
// before the next key, so every key meets the same drawing, with an undone entry to redo.
TEST(KeysDuringADragTest, DoNothingAndTheGestureEndsAsItWouldAlone) {
    using Step = std::function<void(StartedEditor&)>;
    const Step none = [](StartedEditor&) {};
    const Step press = [](StartedEditor& e) { e.Press({20, 80}, {70, 90}); };
    const Step release = [](StartedEditor& e) { e.Button({70, 90}, false); };
    const struct {
        const char* name;
        Step prepare, hold, end;
        bool undone;  // whether undo takes the gesture back
    } gestures[] = {
        {"stroke", none, press, release, true},
        {"range selection", [](StartedEditor& e) { e.editor.Command(CommandId::kRangeSelection); },
         [](StartedEditor& e) {
             e.Press({0, 0}, {45, 45});
         },
         release, false},
        {"move",
         [](StartedEditor& e) {
             e.editor.Command(CommandId::kSelectAll);
             e.editor.Command(CommandId::kMove);
         },
         press, release, true},
        {"frame drag", none,
         [](StartedEditor& e) {
             e.shell.pointer = {0, 0};
             e.editor.canvasInput().FrameDragStarted();
             e.shell.pointer = {-30, 0};
             e.editor.canvasInput().FrameDragStep(FrameEdge::kLeft, {70, 47, 906, 656});
         },
         [](StartedEditor& e) { e.editor.canvasInput().FrameDragEnded(); }, true},
    };
    std::vector<std::pair<std::string, Step>> keys{
        {"Escape", [](StartedEditor& e) { e.editor.KeyDown(Key::kEscape); }}};
    for (int id = 0; id < kCommandCount; ++id) {
        keys.emplace_back(FindCommand(static_cast<CommandId>(id)).tip.text,
                          [id](StartedEditor& e) { e.editor.Command(static_cast<CommandId>(id)); });
    }
    for (const auto& gesture : gestures) {
        StartedEditor hands;
        hands.Drag({10, 10}, {40, 40});
        hands.Drag({40, 10}, {10, 40});
        gesture.prepare(hands);
        const auto run = [&](const Step& key) {
            gesture.hold(hands);
            key(hands);
            gesture.end(hands);
            const std::string look = Look(hands);
            if (gesture.undone) {
                hands.editor.Command(CommandId::kUndo);
            }
            gesture.prepare(hands);
            return look;
        };
        run(none);
        const std::string alone = run(none);
        for (const auto& [name, key] : keys) {
            EXPECT_EQ(run(key), alone) << gesture.name << ", " << name;
        }
    }
}

}  // namespace
}  // namespace zef::test
