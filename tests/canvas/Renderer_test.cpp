#include "Renderer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "PixelArt.h"

namespace zef {
namespace {

using testing::CountPixels;
using testing::PixelArt;

constexpr Colour kLine{10, 20, 30};
constexpr Colour kShadow{200, 100, 50};
constexpr Colour kBackground{1, 2, 3};

PointRecord Point(std::int32_t x, std::int32_t y, std::uint8_t kind = kStrokeContinuation) {
    PointRecord point;
    point.x = x;
    point.y = y;
    point.kind = kind;
    return point;
}

PointRecord Start(std::int32_t x, std::int32_t y) {
    return Point(x, y, kStrokeStart);
}

class RendererTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseWidth(4);
        model.properties.noShadow = 1;
    }

    void UseWidth(std::int32_t width) {
        ModelProperties& properties = model.properties;
        renderer.SetColourSlot(properties, 0, kLine.red, kLine.green, kLine.blue, width);
        renderer.SetColourSlot(properties, 1, kShadow.red, kShadow.green, kShadow.blue, width);
        renderer.SetColourSlot(properties, 2, kBackground.red, kBackground.green, kBackground.blue,
                               width);
    }

    RenderReport Render() { return renderer.RenderModel(model, selection); }
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return renderer.Canvas().Pixel(x, y); }
    // Which of the rows first..last of column x carry `colour`, top to bottom: "..##.".
    std::string Column(std::int32_t x, std::int32_t first, std::int32_t last, Colour colour) const {
        std::string column =
            PixelArt(renderer.Canvas(), {x, first, 1, last - first + 1}, colour.Value());
        std::erase(column, '\n');
        return column;
    }
    int RedPixels() const { return CountPixels(renderer.Canvas(), kPureRed); }
    void RenderWithOverlays() {
        Render();
        renderer.DrawOverlays(model, selection, interaction);
    }

    Model model;
    SelectionState selection;
    InteractionState interaction;
    Renderer renderer;
};

TEST_F(RendererTest, ShadowLiesHalfTheLineWidthToTheLowerRight) {
    model.points = {Start(20, 20), Point(40, 20)};
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
    model.points = {Start(10, 10), Point(30, 10), Point(50, 50, 9), Point(30, 30)};
    model.points[0].shakeDx = 5;
    model.points[3].shakeDy = -2;
    Render();
    EXPECT_EQ(model.document.drawnPointCount, 4);
    EXPECT_EQ(At(14, 10), kBackground.Value());
    EXPECT_EQ(At(15, 10), kLine.Value());
    // The pen goes on from (30, 10) to (30, 28): the record of kind 9 is neither drawn to nor
    // moved to.
    EXPECT_EQ(Column(30, 9, 31, kLine), "." + std::string(19, '#') + "...");
    EXPECT_EQ(At(50, 50), kBackground.Value());
    EXPECT_EQ(CountPixels(renderer.Canvas(), kLine.Value()), 16 + 18);
}

class ReplayTest : public RendererTest {
  protected:
    void SetUp() override {
        UseWidth(1);
        // Two strokes of 20 and 40 pixels.
        model.points = {Start(10, 10), Point(30, 10), Start(10, 40), Point(50, 40)};
        model.document.drawnPointCount = 99;
        renderer.StartReplay();
    }
};

TEST_F(ReplayTest, FrameThatDrawsTheWholeModelEndsTheReplayAtOnceIfEmptyOrWithoutAPass) {
    model.properties.vtrSpeed = 60;
    Render();
    // A budget of exactly the model's length still ends inside its last segment.
    EXPECT_EQ(Render(), (RenderReport{true, false}));
    EXPECT_TRUE(renderer.VtrMode());
    EXPECT_EQ(Render(), (RenderReport{true, true}));
    EXPECT_FALSE(renderer.VtrMode());
    EXPECT_EQ(renderer.ReplayLength(), 120u);
    const Bitmap last = renderer.Canvas();
    Render();
    EXPECT_EQ(renderer.Canvas(), last) << "the last frame shows the whole model";
    EXPECT_EQ(model.document.drawnPointCount, 4);
}

TEST_F(ReplayTest, LastsAsLongAsThePathLengthAndCutsSegmentsAtTheRangeEdgeSafely) {
    // A continuation after a record of another kind has nothing drawn before it, yet the
    // replay charges its 100 pixels as the path length does: 110 in all.
    PointRecord other = Point(0, 0, 9);
    model.points = {other, Point(100, 0), Start(0, 10), Point(10, 10)};
    model.properties.vtrSpeed = 50;
    ASSERT_DOUBLE_EQ(model.TotalPathLength(), 110.0);
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_EQ(Render(), (RenderReport{true, false})) << frame;
    }
    EXPECT_EQ(Render(), (RenderReport{true, true}));

    // A partial segment at the edge of the coordinate range does not overflow.
    renderer.StartReplay();
    model.points = {Start(2147483647, 2147483647), Point(-2147483647 - 1, 0)};
    model.points[0].shakeDx = 3;
    model.points[0].shakeDy = 3;
    model.properties.vtrSpeed = 10;
    Render();
    EXPECT_EQ(Render(), (RenderReport{true, false}));
    EXPECT_EQ(CountPixels(renderer.Canvas(), kBackground.Value()), 800 * 600);
}

class OverlayTest : public RendererTest {
  protected:
    void SetUp() override {
        UseWidth(1);
        interaction.dragInProgress = true;
        interaction.anchor = {10, 10};
        interaction.cursorSample = {30, 40};
    }
};

TEST_F(OverlayTest, LineToolsStretchARedLineShapeToolsAFrameAndRangeSelectionDots) {
    model.points = {Start(30, 10)};
    model.points[0].shakeDx = 5;
    interaction.tool = Tool::kCurve;
    RenderWithOverlays();
    EXPECT_EQ(Column(30, 10, 40, Colour{255, 0, 0}), std::string(31, '#'));

    model.points.clear();
    interaction.tool = Tool::kStraightLine;
    RenderWithOverlays();
    EXPECT_EQ(RedPixels(), 0);

    interaction.tool = Tool::kFilledRectangle;
    RenderWithOverlays();
    EXPECT_EQ(RedPixels(), 2 * 21 + 2 * 29);
    EXPECT_EQ(At(10, 40), kPureRed);

    interaction.tool = Tool::kRangeSelection;
    RenderWithOverlays();
    EXPECT_EQ(RedPixels(), 0);
    EXPECT_EQ(PixelArt(renderer.Canvas(), {10, 10, 6, 1}, kBlack), "\n#.#.#.");
}

TEST_F(RendererTest, LoneSelectedPointIsADotTwoPixelsWiderThanTheLineARunIsRedLines) {
    model.points = {Start(10, 10), Point(40, 10), Point(40, 40)};
    model.points[1].selected = 1;
    model.points[1].shakeDx = 3;
    RenderWithOverlays();
    EXPECT_EQ(RedPixels(), 32) << "the disc of width 6";
    EXPECT_EQ(PixelArt(renderer.Canvas(), {39, 6, 8, 8}, kPureRed),
              "\n........"
              "\n..####.."
              "\n.######."
              "\n.######."
              "\n.######."
              "\n.######."
              "\n..####.."
              "\n........");

    model.points[1].shakeDx = 0;
    for (PointRecord& point : model.points) {
        point.selected = 1;
    }
    RenderWithOverlays();
    EXPECT_EQ(At(20, 9), kPureRed);
    // A dot would reach a row beyond the width-4 line.
    EXPECT_NE(At(10, 12), kPureRed) << "no dot at the stroke's start";
    EXPECT_NE(At(40, 42), kPureRed) << "no dot at its end";
}

}  // namespace
}  // namespace zef
