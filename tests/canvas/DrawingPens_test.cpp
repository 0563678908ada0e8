#include "DrawingPens.h"

#include <gtest/gtest.h>

#include <limits>

namespace zef {
namespace {

constexpr Colour kTeal{0, 128, 128};
constexpr Colour kPlum{142, 69, 133};

TEST(SetColourSlot, LineAndShadowPensTakeANewWidthOnlyWhenTheirSlotIsSet) {
    DrawingPens pens;
    ModelProperties properties;
    pens.SetColourSlot(properties, 0, kTeal, 6);
    EXPECT_EQ(pens.Line(), (Pen{kTeal.Value(), 6}));
    EXPECT_EQ(pens.Shadow(), (Pen{kStandardShadowColour.Value(), 4}));
    EXPECT_EQ(pens.Red(), (Pen{kPureRed, 6}));
    EXPECT_EQ(pens.WideRed(), (Pen{kPureRed, 8}));
    EXPECT_EQ(properties.lineWidth, 6);
    EXPECT_EQ(properties.lineColour, kTeal);

    pens.SetColourSlot(properties, 1, kPlum, 6);
    EXPECT_EQ(pens.Shadow(), (Pen{kPlum.Value(), 6}));
    EXPECT_EQ(properties.shadowColour, kPlum);
    pens.SetColourSlot(properties, 2, kTeal, 6);
    EXPECT_EQ(pens.Background(), kTeal.Value());
    EXPECT_EQ(properties.backgroundColour, kTeal);
    EXPECT_EQ(pens.Dotted(), (Pen{kBlack, 1}));
}

TEST(SetColourSlot, WidthOfThePreviousCallLeavesTheLineWidthAlone) {
    DrawingPens pens;
    ModelProperties properties;
    properties.lineWidth = 10;
    pens.SetColourSlot(properties, 2, kTeal, 4);
    EXPECT_EQ(properties.lineWidth, 10);
    EXPECT_EQ(pens.Red().width, 4);
    // The line pen is made with the properties' line width, whatever the call says.
    pens.SetColourSlot(properties, 0, kPlum, 4);
    EXPECT_EQ(pens.Line(), (Pen{kPlum.Value(), 10}));

    // A slot number outside 0..2 sets no colour, but the width still counts.
    pens.SetColourSlot(properties, 3, kTeal, 12);
    EXPECT_EQ(properties.lineWidth, 12);
    EXPECT_EQ(pens.Red().width, 12);
    EXPECT_EQ(properties.lineColour, kPlum);
    EXPECT_EQ(pens.Line().colour, kPlum.Value());

    constexpr std::int32_t kWidest = std::numeric_limits<std::int32_t>::max();
    pens.SetColourSlot(properties, 0, kTeal, kWidest - 1);
    EXPECT_EQ(pens.WideRed().width, kWidest) << "the wide red pen of the widest line";
}

}  // namespace
}  // namespace zef
