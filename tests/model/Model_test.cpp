#include "Model.h"

#include <gtest/gtest.h>

#include <limits>

namespace zef {
namespace {

TEST(AppendPoint, StrokeStartAfterALoneStartMovesThatStart) {
    Model model;
    model.AppendPoint(1, 1, false);
    model.points.back().reserved = 7;
    model.points.back().shakeDx = 3;
    model.points.back().selected = 1;
    model.AppendPoint(2, 2, false);
    ASSERT_EQ(model.points.size(), 1u);
    const PointRecord& moved = model.points[0];
    EXPECT_EQ(moved.x, 2);
    EXPECT_EQ(moved.kind, kStrokeStart);
    EXPECT_EQ(moved.shakeDx, 0);
    EXPECT_EQ(moved.selected, 0);
    EXPECT_EQ(moved.reserved, 7) << "a moved record keeps its reserved byte";
}

TEST(AppendPoint, AddsUnselectedStartsAndContinuationsAndMarksTheModelModified) {
    Model model;
    EXPECT_EQ(model.AppendPoint(0, 0, false), AppendResult::kAppended);
    EXPECT_TRUE(model.document.modified);
    model.AppendPoint(10, 0, true);
    model.AppendPoint(20, 0, false);
    model.AppendPoint(30, 0, true);
    ASSERT_EQ(model.points.size(), 4u);
    EXPECT_EQ(model.points[0].kind, kStrokeStart);
    EXPECT_EQ(model.points[2].kind, kStrokeStart);
    EXPECT_EQ(model.points[3].kind, kStrokeContinuation);
    EXPECT_EQ(model.points[3].reserved, 0);
    EXPECT_EQ(model.points[3].selected, 0);

    // A point on the tail is dropped, whatever connect is.
    model.document.modified = false;
    EXPECT_EQ(model.AppendPoint(30, 0, false), AppendResult::kUnchanged);
    EXPECT_EQ(model.AppendPoint(30, 0, true), AppendResult::kUnchanged);
    EXPECT_EQ(model.points.size(), 4u);
    EXPECT_FALSE(model.document.modified);
}

TEST(Random, FollowsTheLinearCongruentialFormula) {
    Random random(1);
    EXPECT_EQ(random.Next(), 16838);
    EXPECT_EQ(random.Next(), 5758);
    EXPECT_EQ(random.Next(), 10113);
    Random other(1);
    other.Next();
    random.Seed(1);
    random.Next();
    EXPECT_EQ(random.Next(), other.Next());
}

Model ModelOf(int count, int strength) {
    Model model;
    for (int i = 0; i < count; ++i) {
        model.AppendPoint(i, i, i % 3 != 0);
    }
    model.properties.shakeStrength = strength;
    return model;
}

TEST(RegenerateShake, OffsetsReachBothEndsOfTheStrengthHeldTo127AndTheStoredValueKept) {
    for (const auto& [strength, reach] : {std::pair{8, 8},
                                          {128, 127},
                                          {1000, 127},
                                          {std::numeric_limits<int>::max(), 127},
                                          {-5, 0}}) {
        Model model = ModelOf(2000, strength);
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
    }
}

TEST(RegenerateShake, ShakingOffClearsEveryOffsetWithoutDrawing) {
    Model model = ModelOf(10, 3);
    Random random(5);
    model.RegenerateShake(random);
    model.document.shakingOn = 0;
    const int next = Random(random).Next();
    model.RegenerateShake(random);
    for (const PointRecord& point : model.points) {
        EXPECT_EQ(point.shakeDx, 0);
        EXPECT_EQ(point.shakeDy, 0);
    }
    EXPECT_EQ(random.Next(), next);
}

TEST(TotalPathLength, CountsContinuationsOnRawPositionsOnly) {
    Model model;
    model.AppendPoint(0, 0, false);
    model.AppendPoint(3, 4, true);       // 5
    model.AppendPoint(100, 100, false);  // the jump between strokes costs nothing
    model.AppendPoint(100, 110, true);   // 10
    model.points[1].shakeDx = 50;
    PointRecord odd;
    odd.x = 1000;
    odd.y = 1000;
    odd.kind = 9;  // neither a start nor a continuation
    model.points.push_back(odd);
    EXPECT_DOUBLE_EQ(model.TotalPathLength(), 15.0);

    Model headless;
    PointRecord head;
    head.kind = kStrokeContinuation;
    headless.points.push_back(head);
    EXPECT_DOUBLE_EQ(headless.TotalPathLength(), 0.0)
        << "a continuation at the head has no predecessor";

    Model extreme;
    extreme.AppendPoint(std::numeric_limits<std::int32_t>::min(), 0, false);
    extreme.AppendPoint(std::numeric_limits<std::int32_t>::max(), 0, true);
    EXPECT_DOUBLE_EQ(extreme.TotalPathLength(), 4294967295.0) << "no overflow";
}

}  // namespace
}  // namespace zef
