#include "Shapes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>

namespace zef {
namespace {

using ::testing::ElementsAre;

CanvasPoint At(const PointRecord& point) {
    return {point.x, point.y};
}

std::vector<CanvasPoint> Positions(const Model& model, std::size_t from = 0) {
    std::vector<CanvasPoint> positions;
    for (std::size_t i = from; i < model.points.size(); ++i) {
        positions.push_back(At(model.points[i]));
    }
    return positions;
}

// The index of each corner of the (10, 10)-(110, 60) rectangle, going clockwise.
int CornerIndex(CanvasPoint p) {
    const std::vector<CanvasPoint> clockwise = {{10, 10}, {110, 10}, {110, 60}, {10, 60}};
    for (int i = 0; i < 4; ++i) {
        if (clockwise[i] == p) {
            return i;
        }
    }
    return -1;
}

TEST(AddRectangleTest, OneClosedStrokeFromAnyCornerInEitherDirection) {
    std::set<std::pair<int, int>> starts;  // first corner, step direction
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        Model model;
        Random random(seed);
        const ShapeResult result = AddRectangle(model, random, {10, 10}, {110, 60}, false);
        EXPECT_TRUE(result.appended);
        EXPECT_FALSE(result.outOfMemory);
        ASSERT_EQ(model.points.size(), 5u);
        EXPECT_EQ(model.points[0].kind, kStrokeStart);
        EXPECT_EQ(At(model.points[4]), At(model.points[0]));
        std::set<int> visited;
        const int first = CornerIndex(At(model.points[0]));
        const int step = (CornerIndex(At(model.points[1])) - first + 4) % 4;
        for (int i = 1; i < 5; ++i) {
            EXPECT_EQ(model.points[i].kind, kStrokeContinuation);
            const int corner = CornerIndex(At(model.points[i]));
            EXPECT_EQ(corner, (first + step * i) % 4) << "seed " << seed;
            visited.insert(corner);
        }
        EXPECT_EQ(visited.size(), 4u);
        EXPECT_TRUE(step == 1 || step == 3);
        starts.insert({first, step});
    }
    EXPECT_EQ(starts.size(), 8u);
}

// The filling that follows the outline of a filled rectangle; when the outline ends where
// the filling begins, the filling's start is dropped and the filling continues the outline.
std::vector<CanvasPoint> Filling(CanvasPoint anchor, CanvasPoint sample, std::uint32_t seed) {
    Model model;
    Random random(seed);
    AddRectangle(model, random, anchor, sample, true);
    const bool joined = model.points.at(5).kind != kStrokeStart;
    return Positions(model, joined ? 4 : 5);
}

TEST(AddRectangleTest, SmallFilledRectangleGetsItsDiagonalALargerOneZigZagHatching) {
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        EXPECT_THAT(Filling({0, 30}, {20, 0}, seed),
                    ElementsAre(CanvasPoint{20, 0}, CanvasPoint{0, 30}));
    }
    EXPECT_THAT(Filling({0, 0}, {30, 30}, 5), ElementsAre(CanvasPoint{30, 0}, CanvasPoint{0, 30}));
    // Chords at 45 degrees, 30 pixels apart.
    EXPECT_THAT(
        Filling({100, 60}, {0, 0}, 5),
        ElementsAre(CanvasPoint{30, 0}, CanvasPoint{0, 30}, CanvasPoint{60, 0}, CanvasPoint{0, 60},
                    CanvasPoint{90, 0}, CanvasPoint{30, 60}, CanvasPoint{100, 20},
                    CanvasPoint{60, 60}, CanvasPoint{100, 50}, CanvasPoint{90, 60}));
}

TEST(AddEllipseTest, HasEightSegmentsClosesAndWhenFilledHatchesAlongTheDiagonal) {
    std::set<bool> clockwise;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        Model model;
        Random random(seed);
        EXPECT_TRUE(AddEllipse(model, random, {100, 60}, {0, 0}, false).appended);
        ASSERT_EQ(model.points.size(), 9u);
        EXPECT_EQ(model.points[0].kind, kStrokeStart);
        for (const PointRecord& point : model.points) {
            EXPECT_TRUE(point.x >= 0 && point.x <= 100 && point.y >= 0 && point.y <= 60);
            const double u = (point.x - 50) / 50.0;
            const double v = (point.y - 30) / 30.0;
            EXPECT_NEAR(u * u + v * v, 1.0, 0.1);
        }
        EXPECT_LE(std::abs(model.points[8].x - model.points[0].x), 1);
        EXPECT_LE(std::abs(model.points[8].y - model.points[0].y), 1);
        const double cross = (model.points[0].x - 50.0) * (model.points[1].y - 30.0) -
                             (model.points[0].y - 30.0) * (model.points[1].x - 50.0);
        clockwise.insert(cross > 0);
    }
    EXPECT_EQ(clockwise.size(), 2u);

    Model model;
    Random random(2);
    AddEllipse(model, random, {0, 0}, {100, 60}, true);
    ASSERT_EQ(model.points.size(), 15u);
    EXPECT_EQ(model.points[9].kind, kStrokeStart);
    // From the top through the chords of 180 and 90 degrees: three chords, each from the
    // upper right to the lower left, parallel to the bounding rectangle's diagonal.
    const std::vector<CanvasPoint> hatching = Positions(model, 9);
    EXPECT_EQ(hatching[0], (CanvasPoint{50, 1}));
    for (std::size_t i = 0; i < hatching.size(); i += 2) {
        const double dx = hatching[i + 1].x - hatching[i].x;
        const double dy = hatching[i + 1].y - hatching[i].y;
        EXPECT_LT(dx, 0);
        EXPECT_NEAR(dy / dx, -0.6, 0.05);
    }
}

}  // namespace
}  // namespace zef
