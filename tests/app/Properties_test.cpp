#include <gtest/gtest.h>

#include <tuple>

#include "app/sessions/ColourPickerSession.h"
#include "app/sessions/PropertiesSession.h"
#include "tests/app/EditorTest.h"

namespace zef::test {
namespace {

using PropertiesTest = EditorTest;

TEST_F(PropertiesTest, OkChecksTheWidthFirstAndAppliesOnlyAGoodSizeAsOneUndoEntry) {
    using V = PropertiesVerdict;
    const struct {
        const char* width;
        const char* height;
        V verdict;
        CanvasSize size;  // the canvas afterwards
    } cases[] = {{"10", "600", V::kAccepted, {10, 600}},
                 {" 320mm", "240", V::kAccepted, {320, 240}},
                 {"9", "600", V::kWidthOutOfRange, {100, 100}},
                 {"801", "601", V::kWidthOutOfRange, {100, 100}},
                 {"4294967306", "600", V::kWidthOutOfRange, {100, 100}},
                 {"800", "601", V::kHeightOutOfRange, {100, 100}},
                 {"800", "", V::kHeightOutOfRange, {100, 100}}};
    for (const auto& c : cases) {
        editor.FitCanvas(100, 100);
        model.document.modified = false;
        const std::size_t entries = editor.history().Size();
        const V verdict = editor.OpenPropertiesSession().Ok(c.width, c.height);
        const bool accepted = c.verdict == V::kAccepted;
        EXPECT_EQ(std::tuple(verdict, editor.history().Size() - entries, model.document.modified,
                             model.properties.canvasWidth, model.properties.canvasHeight),
                  std::tuple(c.verdict, accepted ? 1u : 0u, accepted, c.size.width, c.size.height))
            << c.width << " x " << c.height;
    }
}

TEST_F(PropertiesTest, SpeedStartsTheReplayAndOkOrCancelStopItGivingTheToolbarBack) {
    Drag({10, 10}, {60, 10});
    for (const bool ok : {true, false}) {
        PropertiesSession session = editor.OpenPropertiesSession();
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
    PropertiesSession setup = editor.OpenPropertiesSession();
    setup.SetLineWidthPosition(1);
    setup.SetSlotColour(kLineSlot, {10, 20, 30});
    const ModelProperties before = model.properties;
    const std::size_t entries = editor.history().Size();

    PropertiesSession session = editor.OpenPropertiesSession();
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

TEST_F(PropertiesTest, ColourPickerPreviewRecoloursTheSlotLiveAndCancelPutsItBack) {
    const Colour shadow = model.properties.shadowColour;
    PropertiesSession properties = editor.OpenPropertiesSession();
    ColourPickerSession picker = properties.OpenColourPicker(kShadowSlot);
    picker.SetChannel(Channel::kGreen, 200);
    picker.PreviewPainted();
    EXPECT_EQ(model.properties.shadowColour, (Colour{shadow.red, 200, shadow.blue}));
    EXPECT_EQ(editor.renderer().Pens().Shadow().colour, model.properties.shadowColour.Value());

    picker.PickSwatch(3);
    picker.PreviewPainted();
    picker.Cancel();
    properties.SetSlotColour(kShadowSlot, picker.Working());
    EXPECT_EQ(editor.renderer().Pens().Shadow().colour, shadow.Value());
}

}  // namespace
}  // namespace zef::test
