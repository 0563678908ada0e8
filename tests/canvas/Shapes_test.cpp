#include "canvas/Shapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/model/PointList.h"

namespace zef {
namespace {

using test::P;
using test::S;

TEST(AddRectangleTest, OneClosedStrokeFromAnyCornerInEitherDirection) {
    // The corners by letter, clockwise from the top left; '/' starts a stroke.
    const CanvasPoint corners[] = {{10, 10}, {110, 10}, {110, 60}, {10, 60}};
    std::set<std::string> drawn;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        Model model;
        Random random(seed);
        const ShapeResult result = AddRectangle(model, random, {10, 10}, {110, 60}, false);
        EXPECT_TRUE(result.appended && !result.outOfMemory);
        std::string outline;
        for (const PointRecord& point : model.points) {
            outline += point.kind == kStrokeStart ? "/" : "";
            outline += "ABCD?"[std::ranges::find(corners, CanvasPoint{point.x, point.y}) - corners];
        }
        drawn.insert(outline);
    }
    EXPECT_EQ(drawn, (std::set<std::string>{"/ABCDA", "/BCDAB", "/CDABC", "/DABCD", "/ADCBA",
                                            "/BADCB", "/CBADC", "/DCBAD"}));
}

// The filling that follows the outline of a filled rectangle; when the outline ends where
// the filling begins, the filling's start is dropped and the filling continues the outline.
std::vector<CanvasPoint> Filling(CanvasPoint anchor, CanvasPoint sample, std::uint32_t seed) {
    Model model;
    Random random(seed);
    AddRectangle(model, random, anchor, sample, true);
    std::vector<CanvasPoint> filling;
    for (std::size_t i = model.points.at(5).kind == kStrokeStart ? 5 : 4; i < model.points.size();
         ++i) {
        filling.push_back({model.points[i].x, model.points[i].y});
    }
    return filling;
}

TEST(AddRectangleTest, SmallFilledRectangleGetsItsDiagonalALargerOneZigZagHatching) {
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        EXPECT_EQ(Filling({0, 30}, {20, 0}, seed), (std::vector<CanvasPoint>{{20, 0}, {0, 30}}));
    }
    // Chords at 45 degrees, 30 pixels apart.
    const std::vector<CanvasPoint> hatching = {{30, 0},  {0, 30},   {60, 0},  {0, 60},   {90, 0},
                                               {30, 60}, {100, 20}, {60, 60}, {100, 50}, {90, 60}};
    EXPECT_EQ(Filling({100, 60}, {0, 0}, 5), hatching);
}

TEST(AddEllipseTest, EightSegmentsRoundTheEllipseEitherWayFilledAddsChordsAlongTheDiagonal) {
    std::set<bool> clockwise;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        Model model;
        Random random(seed);
        AddEllipse(model, random, {100, 60}, {0, 0}, false);
        const PointRecord& first = model.points.at(0);
        clockwise.insert((first.x - 50.0) * (model.points.at(1).y - 30.0) >
                         (first.y - 30.0) * (model.points.at(1).x - 50.0));
    }
    EXPECT_EQ(clockwise.size(), 2u);

    Model model;
    Random random(2);
    EXPECT_TRUE(AddEllipse(model, random, {0, 0}, {100, 60}, true).appended);
    // The hatching's three chords run from the upper right to the lower left, parallel to the
    // bounding rectangle's diagonal, in one zig-zag from the top.
    const std::vector<P> drawn = {{1, 26, S}, {20, 7},  {56, 1},  {89, 12}, {99, 34},
                                  {80, 53},   {44, 59}, {11, 48}, {1, 26},  {50, 1, S},
                                  {1, 30},    {85, 9},  {15, 51}, {99, 30}, {50, 59}};
    EXPECT_EQ(test::PointsOf(model), drawn);
}

}  // namespace
}  // namespace zef
