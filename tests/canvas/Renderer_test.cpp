#include "Renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "PixelArt.h"
#include "model/PointList.h"

namespace zef {
namespace {

using test::P;
using test::S;
using testing::PixelArt;

constexpr std::uint8_t C = kStrokeContinuation;
constexpr Colour kLine{10, 20, 30};
constexpr Colour kShadow{200, 100, 50};
constexpr Colour kBackground{1, 2, 3};

class RendererTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseWidth(4);
        model.properties.noShadow = 1;
    }

    void UseWidth(std::int32_t width) {
        const Colour slots[] = {kLine, kShadow, kBackground};
        for (int slot = 0; slot < 3; ++slot) {
            const Colour& c = slots[slot];
            renderer.SetColourSlot(model.properties, slot, c.red, c.green, c.blue, width);
        }
    }

    void Draw(const std::vector<P>& points) { model.points = test::ModelOf(points).points; }
    RenderReport Render() { return renderer.RenderModel(model, selection); }
    void RenderWithOverlays() {
        Render();
        renderer.DrawOverlays(model, selection, interaction);
    }
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return renderer.Canvas().Pixel(x, y); }
    // Which of the rows first..last of column x carry `colour`, top to bottom: "..##.".
    std::string Column(std::int32_t x, std::int32_t first, std::int32_t last, Colour colour) const {
        std::string column =
            PixelArt(renderer.Canvas(), {x, first, 1, last - first + 1}, colour.Value());
        std::erase(column, '\n');
        return column;
    }
    std::int64_t RedPixels() const {
        return std::ranges::count(renderer.Canvas().Pixels(), kPureRed);
    }

    Model model;
    SelectionState selection;
    InteractionState interaction;
    Renderer renderer;
};

TEST_F(RendererTest, ShadowLiesHalfTheLineWidthToTheLowerRight) {
    Draw({{20, 20, S}, {40, 20}});
    model.properties.noShadow = 0;
    Render();
    // Width 4: the line covers rows 18..21, its shadow rows 20..23 under it.
    EXPECT_EQ(Column(30, 16, 25, kLine), "..####....");
    EXPECT_EQ(Column(30, 16, 25, kShadow), "......##..");
    EXPECT_EQ(At(43, 21), kShadow.Value());
    EXPECT_EQ(At(44, 21), kBackground.Value());
}

TEST_F(RendererTest, PointsAreDrawnWithTheirShakeAndOddRecordsAreCountedButSkipped) {
    UseWidth(1);
    Draw({{10, 10, S}, {30, 10}, {50, 50, 9}, {30, 30}});
    model.points[0].shakeDx = 5;
    model.points[3].shakeDy = -2;
    Render();
    EXPECT_EQ(model.document.drawnPointCount, 4);
    EXPECT_EQ(At(14, 10), kBackground.Value());
    EXPECT_EQ(At(15, 10), kLine.Value());
    // The pen goes on from (30, 10) to (30, 28): the record of kind 9 is neither drawn to nor
    // moved to.
    EXPECT_EQ(Column(30, 9, 31, kLine), "." + std::string(19, '#') + "...");
    EXPECT_EQ(std::ranges::count(renderer.Canvas().Pixels(), kLine.Value()), 16 + 18);
}

TEST_F(RendererTest, ReplayDrawsThePathLengthSoFarAndEndsTheFrameAfterReachingIt) {
    UseWidth(1);
    // The continuation after a record of another kind has nothing drawn before it, yet the
    // replay charges its 100 pixels as the path length does.
    Draw({{0, 0, 9}, {100, 0}, {10, 40, S}, {50, 40}});
    model.document.drawnPointCount = 99;
    model.properties.vtrSpeed = 35;
    ASSERT_DOUBLE_EQ(model.TotalPathLength(), 140.0);
    renderer.StartReplay();
    for (int frame = 0; frame < 4; ++frame) {
        EXPECT_EQ(Render(), (RenderReport{true, false})) << frame;
    }
    EXPECT_EQ(PixelArt(renderer.Canvas(), {8, 40, 10, 1}, kLine.Value()), "\n..######..");
    // A length of exactly the path's still ends inside its last segment.
    EXPECT_EQ(Render(), (RenderReport{true, false}));
    EXPECT_EQ(Render(), (RenderReport{true, true}));
    EXPECT_FALSE(renderer.VtrMode());
    EXPECT_EQ(model.document.drawnPointCount, 99);
    const Bitmap last = renderer.Canvas();
    Render();
    EXPECT_EQ(renderer.Canvas(), last) << "the last frame shows the whole model";

    // A partial segment at the edge of the coordinate range does not overflow.
    renderer.StartReplay();
    Draw({{2147483647, 2147483647, S}, {-2147483647 - 1, 0}});
    model.points[0].shakeDx = 3;
    model.points[0].shakeDy = 3;
    Render();
    EXPECT_EQ(Render(), (RenderReport{true, false}));
    EXPECT_EQ(std::ranges::count(renderer.Canvas().Pixels(), kBackground.Value()), 800 * 600);
}

TEST_F(RendererTest, LineToolsStretchARedLineShapeToolsAFrameAndRangeSelectionDots) {
    UseWidth(1);
    interaction.dragInProgress = true;
    interaction.anchor = {10, 10};
    interaction.cursorSample = {30, 40};
    interaction.tool = Tool::kStraightLine;
    RenderWithOverlays();
    EXPECT_EQ(RedPixels(), 0) << "no line without a point to start from";

    Draw({{30, 10, S}});
    model.points[0].shakeDx = 5;
    interaction.tool = Tool::kCurve;
    RenderWithOverlays();
    EXPECT_EQ(Column(30, 10, 40, Colour{255, 0, 0}), std::string(31, '#'));

    model.points.clear();
    interaction.tool = Tool::kFilledRectangle;
    RenderWithOverlays();
    EXPECT_EQ(RedPixels(), 2 * 21 + 2 * 29);
    EXPECT_EQ(At(10, 40), kPureRed);

    interaction.tool = Tool::kRangeSelection;
    RenderWithOverlays();
    EXPECT_EQ(PixelArt(renderer.Canvas(), {10, 10, 6, 1}, kBlack), "\n#.#.#.");
}

TEST_F(RendererTest, LoneSelectedPointIsADotTwoPixelsWiderThanTheLineARunIsRedLines) {
    Draw({{10, 10, S}, {40, 10, C, true}, {40, 40}});
    model.points[1].shakeDx = 3;
    RenderWithOverlays();
    EXPECT_EQ(RedPixels(), 32) << "the disc of width 6";
    EXPECT_EQ(PixelArt(renderer.Canvas(), {40, 7, 6, 6}, kPureRed),
              "\n.####."
              "\n######"
              "\n######"
              "\n######"
              "\n######"
              "\n.####.");

    Draw({{10, 10, S, true}, {40, 10, C, true}, {40, 40, C, true}});
    RenderWithOverlays();
    EXPECT_EQ(At(20, 9), kPureRed);
    // A dot would reach a row beyond the width-4 line.
    EXPECT_NE(At(10, 12), kPureRed) << "no dot at the stroke's start";
    EXPECT_NE(At(40, 42), kPureRed) << "no dot at its end";
}

}  // namespace
}  // namespace zef
