#include "Model.h"

#include <gtest/gtest.h>

#include <limits>

namespace zef {
namespace {

TEST(AppendPoint, FirstPointStartsTheListAndMarksTheModelModified) {
    Model model;
    EXPECT_EQ(model.AppendPoint(5, 6, false), AppendResult::kAppended);
    ASSERT_EQ(model.points.size(), 1u);
    EXPECT_EQ(model.points[0].kind, kStrokeStart);
    EXPECT_EQ(model.points[0].selected, 0);
    EXPECT_TRUE(model.document.modified);
}

TEST(AppendPoint, PointOnTheTailIsDroppedWhateverConnectIs) {
    Model model;
    model.AppendPoint(5, 6, false);
    model.AppendPoint(9, 9, true);
    model.document.modified = false;
    EXPECT_EQ(model.AppendPoint(9, 9, false), AppendResult::kUnchanged);
    EXPECT_EQ(model.AppendPoint(9, 9, true), AppendResult::kUnchanged);
    EXPECT_EQ(model.points.size(), 2u);
    EXPECT_FALSE(model.document.modified);
}

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

TEST(AppendPoint, AfterAContinuationAddsStartsAndContinuations) {
    Model model;
    model.AppendPoint(0, 0, false);
    model.AppendPoint(10, 0, true);
    model.AppendPoint(20, 0, false);
    model.AppendPoint(30, 0, true);
    ASSERT_EQ(model.points.size(), 4u);
    EXPECT_EQ(model.points[2].kind, kStrokeStart);
    EXPECT_EQ(model.points[3].kind, kStrokeContinuation);
    EXPECT_EQ(model.points[3].reserved, 0);
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

TEST(RegenerateShake, DrawsXBeforeYFromTheGenerator) {
    Model model = ModelOf(3, 3);
    Random random(42);
    Random expected(42);
    model.RegenerateShake(random);
    for (const PointRecord& point : model.points) {
        EXPECT_EQ(point.shakeDx, expected.Next() % 7 - 3);
        EXPECT_EQ(point.shakeDy, expected.Next() % 7 - 3);
    }
}

TEST(RegenerateShake, OffsetsStayWithinTheStrengthAndReachBothEnds) {
    Model model = ModelOf(2000, 8);
    Random random(9);
    model.RegenerateShake(random);
    int lowest = 0, highest = 0;
    for (const PointRecord& point : model.points) {
        for (const int offset : {point.shakeDx, point.shakeDy}) {
            ASSERT_GE(offset, -8);
            ASSERT_LE(offset, 8);
            lowest = std::min(lowest, offset);
            highest = std::max(highest, offset);
        }
    }
    EXPECT_EQ(lowest, -8);
    EXPECT_EQ(highest, 8);
}

TEST(RegenerateShake, StrengthsBeyondASignedByteAreHeldTo127AndTheStoredValueKept) {
    for (const int strength : {std::numeric_limits<int>::max(), 1000, 128}) {
        Model model = ModelOf(500, strength);
        Random random(5);
        model.RegenerateShake(random);
        for (const PointRecord& point : model.points) {
            ASSERT_GE(point.shakeDx, -127);
            ASSERT_GE(point.shakeDy, -127);
        }
        EXPECT_EQ(model.properties.shakeStrength, strength);
    }
    Model negative = ModelOf(10, -5);
    Random random(5);
    negative.RegenerateShake(random);
    for (const PointRecord& point : negative.points) {
        EXPECT_EQ(point.shakeDx, 0);
        EXPECT_EQ(point.shakeDy, 0);
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
}

TEST(TotalPathLength, ExtremeCoordinatesDoNotOverflow) {
    Model model;
    model.AppendPoint(std::numeric_limits<std::int32_t>::min(), 0, false);
    model.AppendPoint(std::numeric_limits<std::int32_t>::max(), 0, true);
    EXPECT_DOUBLE_EQ(model.TotalPathLength(), 4294967295.0);
}

}  // namespace
}  // namespace zef
