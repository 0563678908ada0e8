#include <gtest/gtest.h>

#include <set>

#include "ColourPickerSession.h"
#include "EditorTest.h"
#include "PropertiesSession.h"

namespace zef::test {
namespace {

using PropertiesTest = EditorTest;

TEST(PropertiesRulesTest, AutomaticShadowIsTheMeanRoundedDown) {
    EXPECT_EQ(AutomaticShadowColour({0, 0, 0}, {238, 156, 0}), (Colour{119, 78, 0}));
    EXPECT_EQ(AutomaticShadowColour({255, 255, 255}, {0, 0, 1}), (Colour{127, 127, 128}));
    EXPECT_EQ(AutomaticShadowColour({255, 255, 255}, {255, 255, 255}), (Colour{255, 255, 255}));
}

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
        {"", "601", PropertiesVerdict::kWidthOutOfRange, {100, 100}},
        {"4294967306", "600", PropertiesVerdict::kWidthOutOfRange, {100, 100}},
        {"800", "601", PropertiesVerdict::kHeightOutOfRange, {100, 100}},
        {"800", "", PropertiesVerdict::kHeightOutOfRange, {100, 100}},
        {"800", "9", PropertiesVerdict::kHeightOutOfRange, {100, 100}},
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
        editor.Command(7);
        editor.Command(7);
        ASSERT_FALSE(shell.enabled[2]);
        if (ok) {
            EXPECT_EQ(session.Ok("800", "600"), PropertiesVerdict::kAccepted);
        } else {
            session.Cancel();
        }
        EXPECT_FALSE(editor.renderer().VtrMode()) << ok;
        EXPECT_TRUE(shell.enabled[2]) << ok;
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

TEST_F(PropertiesTest, DefaultSettingsThenCancelOrOk) {
    editor.FitCanvas(320, 240);
    editor.SetColourSlot(1, 9, 9, 9, 12);
    model.properties.vtrSpeed = 99;
    model.properties.noShadow = 1;
    const ModelProperties custom = model.properties;
    for (const bool ok : {false, true}) {
        PropertiesSession session(editor);
        const PropertiesControls controls = session.UseDefaultSettings();
        EXPECT_EQ(controls, (PropertiesControls{"800", "600", 0, 3, 40, false}));
        EXPECT_EQ(model.properties.canvasWidth, 320);
        if (ok) {
            EXPECT_EQ(session.Ok(controls.width, controls.height), PropertiesVerdict::kAccepted);
        } else {
            session.Cancel();
        }
        EXPECT_EQ(model.properties, ok ? ModelProperties{} : custom);
        EXPECT_EQ(editor.renderer().Pens().Shadow().width, ok ? 4 : 12);
    }
}

TEST_F(PropertiesTest, NewModelModeHasNoCancelAndNoHistoryEntry) {
    shell.dialogBehaviour = [&](DialogId) {
        PropertiesSession session(editor);
        EXPECT_TRUE(session.ForNewModel());
        const std::size_t entries = editor.history().Size();
        EXPECT_EQ(session.Ok("200", "100"), PropertiesVerdict::kAccepted);
        EXPECT_EQ(editor.history().Size(), entries);
        return DialogResult::kOk;
    };
    editor.Command(0);
    EXPECT_EQ(model.properties.canvasWidth, 200);
    EXPECT_FALSE(model.document.modified);
}

using ColourPickerTest = EditorTest;

TEST(SwatchTest, IdsSkipTheHintAndColoursFollowTheLevels) {
    const struct {
        int index;
        int id;
        Colour colour;
    } cases[] = {
        {0, 1042, {0, 0, 0}},      {2, 1044, {255, 0, 0}},      {8, 1050, {255, 255, 0}},
        {10, 1052, {127, 0, 127}}, {11, 1054, {255, 0, 127}},   {14, 1057, {255, 127, 127}},
        {18, 1061, {0, 0, 255}},   {26, 1069, {255, 255, 255}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SwatchId(c.index), c.id) << c.index;
        EXPECT_EQ(SwatchIndexOf(c.id), c.index) << c.id;
        EXPECT_EQ(SwatchColour(c.index), c.colour) << c.index;
    }
    for (const int id : {1041, 1053, 1070}) {
        EXPECT_FALSE(SwatchIndexOf(id)) << id;
    }
    std::set<std::uint32_t> colours;
    for (int index = 0; index < kSwatchCount; ++index) {
        colours.insert(SwatchColour(index).Value());
    }
    EXPECT_EQ(colours.size(), 27u);
}

TEST_F(ColourPickerTest, EditsActOnlyWhenFocusedAndUpTo255) {
    const struct {
        const char* text;
        bool focused;
        bool acted;
        std::uint8_t red;
    } cases[] = {
        {"255", true, true, 255}, {"300", true, false, 0}, {"", true, false, 0},
        {"12", false, false, 0},  {" 7x", true, true, 7},  {"0", true, true, 0},
    };
    for (const auto& c : cases) {
        ColourPickerSession picker(editor, kLineSlot);
        EXPECT_EQ(picker.EditChanged(Channel::kRed, c.text, c.focused), c.acted) << c.text;
        EXPECT_EQ(picker.Value(Channel::kRed), c.red) << c.text;
    }
}

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
