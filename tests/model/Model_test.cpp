#include "Model.h"

#include <gtest/gtest.h>

#include <limits>

namespace zef {
namespace {

TEST(AppendPoint, StartsContinuationsTailDuplicatesAndALoneStartMoved) {
    Model model;
    EXPECT_EQ(model.AppendPoint(0, 0, false), AppendResult::kAppended);
    EXPECT_TRUE(model.document.modified);
    model.AppendPoint(10, 0, true);
    model.AppendPoint(20, 0, false);
    model.AppendPoint(30, 0, true);
    model.document.modified = false;
    EXPECT_EQ(model.AppendPoint(30, 0, false), AppendResult::kUnchanged);
    EXPECT_EQ(model.AppendPoint(30, 0, true), AppendResult::kUnchanged);
    ASSERT_EQ(model.points.size(), 4u);
    EXPECT_EQ(model.points[2].kind, kStrokeStart);
    EXPECT_EQ(model.points[3].kind, kStrokeContinuation);
    EXPECT_FALSE(model.document.modified);

    Model lone;
    lone.AppendPoint(1, 1, false);
    lone.points.back().reserved = 7;
    lone.points.back().shakeDx = 3;
    lone.points.back().selected = 1;
    lone.AppendPoint(2, 2, false);
    ASSERT_EQ(lone.points.size(), 1u);
    EXPECT_EQ(lone.points[0].x, 2);
    EXPECT_EQ(lone.points[0].shakeDx, 0);
    EXPECT_EQ(lone.points[0].selected, 0);
    EXPECT_EQ(lone.points[0].reserved, 7) << "a moved record keeps its reserved byte";
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
        EXPECT_EQ(lowest, -reach) << strength;
        EXPECT_EQ(highest, reach) << strength;
        EXPECT_EQ(model.properties.shakeStrength, strength);

        model.document.shakingOn = 0;
        const int next = Random(random).Next();
        model.RegenerateShake(random);
        for (const PointRecord& point : model.points) {
            ASSERT_EQ(point.shakeDx | point.shakeDy, 0);
        }
        EXPECT_EQ(random.Next(), next) << "shaking off draws no numbers";
    }
}

TEST(TotalPathLength, CountsContinuationsOnRawPositionsWithoutOverflow) {
    Model model;
    model.AppendPoint(0, 0, false);
    model.AppendPoint(3, 4, true);       // 5
    model.AppendPoint(100, 100, false);  // the jump between strokes costs nothing
    model.AppendPoint(100, 110, true);   // 10
    model.points[1].shakeDx = 50;
    PointRecord odd;
    odd.x = 1000;
    odd.kind = 9;  // neither a start nor a continuation
    model.points.push_back(odd);
    EXPECT_DOUBLE_EQ(model.TotalPathLength(), 15.0);

    Model extreme;
    extreme.AppendPoint(std::numeric_limits<std::int32_t>::min(), 0, false);
    extreme.AppendPoint(std::numeric_limits<std::int32_t>::max(), 0, true);
    EXPECT_DOUBLE_EQ(extreme.TotalPathLength(), 4294967295.0);
}

}  // namespace
}  // namespace zef
