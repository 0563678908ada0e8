#include "canvas/Renderer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <tuple>
#include <vector>

#include "canvas/OutlineRaster.h"
#include "canvas/SegmentPainter.h"
#include "model/EditCommands.h"
#include "tests/model/PointList.h"

namespace zef {
namespace {

using test::P;
using test::S;

constexpr std::uint8_t C = kStrokeContinuation;
constexpr Colour kLine{10, 20, 30};
constexpr Colour kShadow{200, 100, 50};
constexpr Colour kBackground{1, 2, 3};
constexpr Pen kWideLine{kLine.Value(), 4};
constexpr Pen kWideRed{kPureRed, 4};

// The canvas as the segment painter draws the segments, in order, over the background.
Bitmap Picture(const std::vector<std::tuple<PixelPoint, PixelPoint, Pen>>& segments) {
    Bitmap bitmap(800, 600, kBackground.Value());
    for (const auto& [from, to, pen] : segments) {
        DrawSegment(bitmap, from, to, pen);
    }
    return bitmap;
}

class RendererTest : public ::testing::Test {
  protected:
    void SetUp() override {
        model.properties.lineColour = kLine;
        model.properties.shadowColour = kShadow;
        model.properties.backgroundColour = kBackground;
        model.properties.noShadow = 1;
        renderer.ApplyColourSlots(model.properties);
    }

    void Draw(const std::vector<P>& points) { model.points = test::ModelOf(points).points; }
    RenderReport Render() { return renderer.RenderModel(model, selection); }
    const Bitmap& RenderWithOverlays() {
        Render();
        renderer.DrawOverlays(model, selection, interaction);
        return renderer.Canvas();
    }

    Model model;
    SelectionState selection;
    InteractionState interaction;
    Renderer renderer;
};

TEST_F(RendererTest, ShadowPassHalfTheWidthLowerRightThenLinePassBothWithTheShake) {
    Draw({{20, 20, S}, {40, 20}, {50, 50, 9}, {40, 50}});
    model.points[0].shakeDx = 5;
    model.points[3].shakeDy = -2;
    model.properties.noShadow = 0;
    Render();
    EXPECT_EQ(model.document.drawnPointCount, 4);
    // The record of kind 9 is neither drawn to nor moved to.
    EXPECT_EQ(renderer.Canvas(), Picture({{{27, 22}, {42, 22}, Pen{kShadow.Value(), 4}},
                                          {{42, 22}, {42, 50}, Pen{kShadow.Value(), 4}},
                                          {{25, 20}, {40, 20}, kWideLine},
                                          {{40, 20}, {40, 48}, kWideLine}}));
}

TEST_F(RendererTest, ReplayDrawsThePathLengthSoFarAndEndsTheFrameAfterReachingIt) {
    // The continuation after a record of another kind has nothing drawn before it, yet the
    // replay charges its 100 pixels as the path length does: 140 in all.
    Draw({{0, 0, 9}, {100, 0}, {10, 40, S}, {50, 40}});
    model.document.drawnPointCount = 99;
    model.properties.vtrSpeed = 35;
    renderer.StartReplay();
    for (int frame = 0; frame < 4; ++frame) {
        EXPECT_EQ(Render(), (RenderReport{true, false})) << frame;
    }
    EXPECT_EQ(renderer.Canvas(), Picture({{{10, 40}, {15, 40}, kWideLine}}));
    // A length of exactly the path's still ends inside its last segment.
    EXPECT_EQ(Render(), (RenderReport{true, false}));
    EXPECT_EQ(Render(), (RenderReport{true, true}));
    EXPECT_EQ(model.document.drawnPointCount, 99);
    EXPECT_EQ(renderer.Canvas(), Picture({{{10, 40}, {50, 40}, kWideLine}}));

    // A partial segment at the edge of the coordinate range does not overflow.
    renderer.StartReplay();
    Draw({{2147483647, 2147483647, S}, {-2147483647 - 1, 0}});
    model.points[0].shakeDx = 3;
    model.points[0].shakeDy = 3;
    Render();
    EXPECT_EQ(Render(), (RenderReport{true, false}));
    EXPECT_EQ(renderer.Canvas(), Picture({}));
}

// The points a scale drag holds are drawn where its release puts them.
TEST_F(RendererTest, ScaleModeDrawsTheSelectedPointsWhereTheReleaseCommitsThem) {
    for (const float factor : {0.0f, 0.37f, 1.5f, 7.25f}) {
        Draw({{-60, -59, S, true}, {110, 100, C, true}, {-29000, 29500, C, true}, {3, 997}});
        selection = {
            .scaleMode = true, .scaleFactor = factor, .scaleCentreX = 100, .scaleCentreY = 100};
        Render();
        const Bitmap preview = renderer.Canvas();
        ScaleSelection(model, selection);
        selection.scaleMode = false;
        Render();
        EXPECT_EQ(renderer.Canvas(), preview) << factor;
    }
}

TEST_F(RendererTest, EachToolStretchesItsShapeFromTheAnchorOrTheLastPointToTheCursor) {
    interaction.dragInProgress = true;
    interaction.anchor = {10, 10};
    interaction.cursorSample = {30, 40};
    EXPECT_EQ(RenderWithOverlays(), Picture({})) << "a straight line needs a point to start from";

    Draw({{30, 10, S}});
    model.points[0].shakeDx = 5;  // the line leaves the point itself
    Bitmap bands[] = {Picture({{{30, 10}, {30, 40}, kWideRed}}), Picture({}), Picture({}),
                      Picture({})};
    DrawRectangleOutline(bands[1], {10, 10}, {30, 40}, kWideRed);
    DrawEllipseOutline(bands[2], {10, 10}, {30, 40}, kWideRed);
    DrawDottedRectangle(bands[3], {10, 10}, {30, 40}, kBlack);
    const Tool tools[] = {Tool::kCurve, Tool::kFilledRectangle, Tool::kEllipse,
                          Tool::kRangeSelection};
    for (int i = 0; i < 4; ++i) {
        interaction.tool = tools[i];
        EXPECT_EQ(RenderWithOverlays(), bands[i]) << i;
    }
}

TEST_F(RendererTest, LoneSelectedPointIsADotTwoPixelsWiderThanTheLineARunIsRedLines) {
    Draw({{10, 10, S}, {40, 10, C, true}, {40, 40}});
    model.points[1].shakeDx = 3;
    EXPECT_EQ(RenderWithOverlays(), Picture({{{10, 10}, {43, 10}, kWideLine},
                                             {{43, 10}, {40, 40}, kWideLine},
                                             {{43, 10}, {43, 10}, Pen{kPureRed, 6}}}));

    Draw({{10, 10, S, true}, {40, 10, C, true}, {40, 40, C, true}});
    EXPECT_EQ(RenderWithOverlays(),
              Picture({{{10, 10}, {40, 10}, kWideRed}, {{40, 10}, {40, 40}, kWideRed}}));
}

TEST_F(RendererTest, PensTakeTheWidthOnlyWhenTheirSlotIsSetAndOtherSlotsOnlySetTheWidth) {
    const DrawingPens& pens = renderer.Pens();
    renderer.SetColourSlot(model.properties, 0, 1, 2, 3, 6);
    EXPECT_EQ(pens.Line(), (Pen{0x030201, 6}));
    EXPECT_EQ(pens.Shadow(), (Pen{kShadow.Value(), 4}));
    EXPECT_EQ(pens.WideRed(), (Pen{kPureRed, 8}));

    model.properties.lineWidth = 10;
    renderer.SetColourSlot(model.properties, 0, 1, 2, 3, 6);
    EXPECT_EQ(pens.Line(), (Pen{0x030201, 10})) << "6 is the width of the previous call";
    renderer.SetColourSlot(model.properties, 3, 9, 9, 9, 12);
    EXPECT_EQ(model.properties.lineWidth, 12);
    EXPECT_EQ(pens.Red().width, 12);
    EXPECT_EQ(model.properties.lineColour, (Colour{1, 2, 3}));
    constexpr std::int32_t kWidest = std::numeric_limits<std::int32_t>::max();
    renderer.SetColourSlot(model.properties, 0, 1, 2, 3, kWidest - 1);
    EXPECT_EQ(pens.WideRed().width, kWidest) << "the wide red pen of the widest line";
}

}  // namespace
}  // namespace zef
