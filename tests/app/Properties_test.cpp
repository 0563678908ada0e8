#include <gtest/gtest.h>

#include "ColourPickerSession.h"
#include "EditorTest.h"
#include "PropertiesSession.h"

namespace zef::test {
namespace {

using PropertiesTest = EditorTest;

TEST_F(PropertiesTest, OkChecksTheWidthFirstAndAppliesOnlyAGoodSize) {
    const struct {
        const char* width;
        const char* height;
        PropertiesVerdict verdict;
        CanvasSize size;  // the canvas afterwards
    } cases[] = {
        {"10", "600", PropertiesVerdict::kAccepted, {10, 600}},
        {" 320mm", "240", PropertiesVerdict::kAccepted, {320, 240}},
        {"9", "600", PropertiesVerdict::kWidthOutOfRange, {100, 100}},
        {"801", "600", PropertiesVerdict::kWidthOutOfRange, {100, 100}},
        {"4294967306", "600", PropertiesVerdict::kWidthOutOfRange, {100, 100}},
        {"800", "601", PropertiesVerdict::kHeightOutOfRange, {100, 100}},
        {"800", "", PropertiesVerdict::kHeightOutOfRange, {100, 100}},
    };
    for (const auto& c : cases) {
        editor.FitCanvas(100, 100);
        model.document.modified = false;
        const std::size_t entries = editor.history().Size();
        PropertiesSession session(editor);
        const PropertiesVerdict verdict = session.Ok(c.width, c.height);
        EXPECT_EQ(verdict, c.verdict) << c.width << " x " << c.height;
        const bool accepted = verdict == PropertiesVerdict::kAccepted;
        EXPECT_EQ(editor.history().Size(), entries + (accepted ? 1 : 0)) << c.width;
        EXPECT_EQ(model.document.modified, accepted) << c.width;
        EXPECT_EQ((CanvasSize{model.properties.canvasWidth, model.properties.canvasHeight}), c.size)
            << c.width;
    }
}

TEST_F(PropertiesTest, SpeedStartsTheReplayAndOkOrCancelStopItGivingTheToolbarBack) {
    Drag({10, 10}, {60, 10});
    for (const bool ok : {true, false}) {
        PropertiesSession session(editor);
        session.SetSpeedPosition(90);
        EXPECT_TRUE(editor.renderer().VtrMode());
        EXPECT_EQ(editor.renderer().ReplayLength(), 0u);
        editor.Command(CommandId::kVtr);
        editor.Command(CommandId::kVtr);
        ASSERT_FALSE(shell.enabled[CommandId::kStraightLine]);
        if (ok) {
            EXPECT_EQ(session.Ok("800", "600"), PropertiesVerdict::kAccepted);
        } else {
            session.Cancel();
        }
        EXPECT_FALSE(editor.renderer().VtrMode()) << ok;
        EXPECT_TRUE(shell.enabled[CommandId::kStraightLine]) << ok;
        EXPECT_FALSE(shell.progressShown) << ok;
    }
}

TEST_F(PropertiesTest, CancelRestoresEverythingWithThePensAtTheOldWidth) {
    model.properties.noShadow = 1;
    editor.SetColourSlot(0, 10, 20, 30, 6);
    const ModelProperties before = model.properties;
    const std::size_t entries = editor.history().Size();

    PropertiesSession session(editor);
    session.SetSlotColour(kLineSlot, {1, 2, 3});
    session.SetSlotColour(kBackgroundSlot, {4, 5, 6});
    session.UseAutomaticShadowColour();
    session.SetLineWidthPosition(8);
    session.SetShakePosition(8);
    session.SetSpeedPosition(150);
    session.SetNoShadow(false);
    ASSERT_EQ(model.properties.shadowColour, (Colour{2, 3, 4}));
    session.Cancel();

    EXPECT_EQ(model.properties, before);
    EXPECT_EQ(editor.renderer().Pens().Line(), (Pen{Colour{10, 20, 30}.Value(), 6}));
    EXPECT_EQ(editor.renderer().Pens().Shadow(), (Pen{before.shadowColour.Value(), 6}));
    EXPECT_EQ(editor.renderer().Pens().Background(), before.backgroundColour.Value());
    EXPECT_EQ(editor.history().Size(), entries);
    EXPECT_FALSE(model.document.modified);
}

using ColourPickerTest = EditorTest;

TEST_F(ColourPickerTest, PreviewRecoloursTheSlotLiveAndCancelPutsItBack) {
    const Colour shadow = model.properties.shadowColour;
    PropertiesSession properties(editor);
    ColourPickerSession picker(editor, kShadowSlot);
    picker.SetChannel(Channel::kGreen, 200);
    picker.PreviewPainted();
    EXPECT_EQ(model.properties.shadowColour, (Colour{shadow.red, 200, shadow.blue}));
    EXPECT_EQ(editor.renderer().Pens().Shadow().colour, model.properties.shadowColour.Value());

    picker.PickSwatch(3);
    picker.PreviewPainted();
    picker.Cancel();
    properties.SetSlotColour(kShadowSlot, picker.Working());
    EXPECT_EQ(model.properties.shadowColour, shadow);
    EXPECT_EQ(editor.renderer().Pens().Shadow().colour, shadow.Value());
}

}  // namespace
}  // namespace zef::test
