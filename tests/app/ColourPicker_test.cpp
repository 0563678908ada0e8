#include <gtest/gtest.h>

#include <set>

#include "ColourPickerSession.h"
#include "EditorTest.h"
#include "PropertiesSession.h"

namespace zef::test {
namespace {

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
