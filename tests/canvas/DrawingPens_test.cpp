#include "DrawingPens.h"

#include <gtest/gtest.h>

#include <limits>

namespace zef {
namespace {

constexpr Colour kTeal{0, 128, 128};
constexpr Colour kPlum{142, 69, 133};

TEST(SetColourSlot, PensTakeTheWidthOnlyWhenTheirSlotIsSetAndOtherSlotsOnlySetTheWidth) {
    DrawingPens pens;
    ModelProperties properties;
    pens.SetColourSlot(properties, 0, kTeal, 6);
    EXPECT_EQ(pens.Line(), (Pen{kTeal.Value(), 6}));
    EXPECT_EQ(pens.Shadow(), (Pen{kStandardShadowColour.Value(), 4}));
    EXPECT_EQ(pens.WideRed(), (Pen{kPureRed, 8}));

    pens = DrawingPens{};
    properties.lineWidth = 10;
    pens.SetColourSlot(properties, 0, kPlum, 4);
    EXPECT_EQ(pens.Line(), (Pen{kPlum.Value(), 10})) << "4 is the width of the previous call";

    pens.SetColourSlot(properties, 3, kTeal, 12);
    EXPECT_EQ(properties.lineWidth, 12);
    EXPECT_EQ(pens.Red().width, 12);
    EXPECT_EQ(properties.lineColour, kPlum);
    constexpr std::int32_t kWidest = std::numeric_limits<std::int32_t>::max();
    pens.SetColourSlot(properties, 0, kTeal, kWidest - 1);
    EXPECT_EQ(pens.WideRed().width, kWidest) << "the wide red pen of the widest line";
}

}  // namespace
}  // namespace zef
