#include "Model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "model/PointList.h"

namespace zef {
namespace {

using test::P;
using test::S;

// A lone start moved keeps only its reserved byte.
TEST(AppendPoint, StartsContinuationsTailDuplicatesAndALoneStartMoved) {
    Model model;
    EXPECT_EQ(model.AppendPoint(0, 0, false), AppendResult::kAppended);
    model.AppendPoint(10, 0, true);
    model.AppendPoint(20, 0, false);
    model.points.back() = {{20, 0, kStrokeStart, 3, 0, 7}, 1};
    model.AppendPoint(30, 0, false);
    model.AppendPoint(40, 0, true);
    EXPECT_TRUE(model.document.modified);
    model.document.modified = false;
    EXPECT_EQ(model.AppendPoint(40, 0, false), AppendResult::kUnchanged);
    EXPECT_EQ(model.AppendPoint(40, 0, true), AppendResult::kUnchanged);
    EXPECT_EQ(test::PointsOf(model), (std::vector<P>{{0, 0, S}, {10, 0}, {30, 0, S}, {40, 0}}));
    EXPECT_EQ(model.points[2], (PointImage{30, 0, kStrokeStart, 0, 0, 7}));
    EXPECT_FALSE(model.document.modified);
}

TEST(RegenerateShake, OffsetsReachBothEndsOfTheStrengthHeldTo127OrClearedWhenOff) {
    for (const auto& [strength, reach] :
         {std::pair{8, 8}, {std::numeric_limits<int>::max(), 127}, {-5, 0}}) {
        Model model;
        for (int i = 0; i < 2000; ++i) {
            model.AppendPoint(i, i, i % 3 != 0);
        }
        model.properties.shakeStrength = strength;
        Random random(9);
        model.RegenerateShake(random);
        int lowest = 0, highest = 0;
        for (const PointRecord& point : model.points) {
            lowest = std::min({lowest, int{point.shakeDx}, int{point.shakeDy}});
            highest = std::max({highest, int{point.shakeDx}, int{point.shakeDy}});
        }
        EXPECT_EQ(std::pair(lowest, highest), std::pair(-reach, reach)) << strength;
        EXPECT_EQ(model.properties.shakeStrength, strength);

        model.document.shakingOn = 0;
        const int next = Random(random).Next();
        model.RegenerateShake(random);
        EXPECT_TRUE(std::all_of(model.points.begin(), model.points.end(),
                                [](const PointRecord& p) { return (p.shakeDx | p.shakeDy) == 0; }));
        EXPECT_EQ(random.Next(), next) << "shaking off draws no numbers";
    }
}

TEST(TotalPathLength, CountsContinuationsOnRawPositionsWithoutOverflow) {
    // 5, then a jump between strokes that costs nothing, then 10; the odd kind 9 is neither a
    // start nor a continuation.
    Model model = test::ModelOf({{0, 0, S}, {3, 4}, {100, 100, S}, {100, 110}, {1000, 0, 9}});
    model.points[1].shakeDx = 50;
    EXPECT_DOUBLE_EQ(model.TotalPathLength(), 15.0);

    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    EXPECT_DOUBLE_EQ(test::ModelOf({{kMin, 0, S}, {kMax, 0}}).TotalPathLength(), 4294967295.0);
}

}  // namespace
}  // namespace zef
