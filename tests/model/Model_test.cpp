#include "model/Model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "tests/model/PointList.h"

namespace zef::test {
namespace {

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
    EXPECT_EQ(PointsOf(model), (std::vector<P>{{0, 0, S}, {10, 0}, {30, 0, S}, {40, 0}}));
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
        std::vector<int> offsets;
        for (const PointRecord& point : model.points) {
            offsets.insert(offsets.end(), {point.shakeDx, point.shakeDy});
        }
        const auto [lowest, highest] = std::ranges::minmax(offsets);
        EXPECT_EQ(std::pair(lowest, highest), std::pair(-reach, reach)) << strength;

        model.document.shakingOn = 0;
        model.RegenerateShake(random);
        EXPECT_TRUE(std::all_of(model.points.begin(), model.points.end(),
                                [](const PointRecord& p) { return (p.shakeDx | p.shakeDy) == 0; }));
    }
}

TEST(TotalPathLength, CountsContinuationsOnRawPositionsWithoutOverflow) {
    // 5, a jump between strokes for nothing, 10; the kind 9 is neither start nor continuation.
    Model model = ModelOf({{0, 0, S}, {3, 4}, {100, 100, S}, {100, 110}, {1000, 0, 9}});
    model.points[1].shakeDx = 50;
    EXPECT_DOUBLE_EQ(model.TotalPathLength(), 15.0);

    using Limits = std::numeric_limits<std::int32_t>;
    EXPECT_DOUBLE_EQ(ModelOf({{Limits::min(), 0, S}, {Limits::max(), 0}}).TotalPathLength(),
                     4294967295.0);
}

}  // namespace
}  // namespace zef::test
