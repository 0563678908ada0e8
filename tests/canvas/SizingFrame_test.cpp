#include "canvas/SizingFrame.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace zef {
namespace {

using E = FrameEdge;

TEST(SizingFrameTest, EdgesAndCornersUnderThePointer) {
    // A window of 100 x 80 with a 4-pixel frame; corners reach 16 pixels along each edge.
    const std::pair<CanvasPoint, std::optional<FrameEdge>> cases[] = {
        {{4, 40}, std::nullopt},   {{95, 40}, std::nullopt}, {{50, 75}, std::nullopt},
        {{3, 40}, E::kLeft},       {{96, 40}, E::kRight},    {{50, 76}, E::kBottom},
        {{15, 2}, E::kTopLeft},    {{16, 2}, E::kTop},       {{2, 15}, E::kTopLeft},
        {{2, 16}, E::kLeft},       {{84, 0}, E::kTopRight},  {{83, 0}, E::kTop},
        {{0, 64}, E::kBottomLeft}, {{0, 63}, E::kLeft},      {{99, 79}, E::kBottomRight},
    };
    for (const auto& [point, edge] : cases) {
        EXPECT_EQ(FrameEdgeAt(point, {100, 80}, 4), edge) << point.x << ", " << point.y;
    }
}

TEST(SizingFrameTest, DraggedSidesFollowThePointerAndStopAtTheSmallestSize) {
    const struct {
        FrameEdge edge;
        CanvasPoint travel;
        FrameRect dragged;
    } cases[] = {
        {E::kRight, {30, 99}, {100, 50, 330, 250}},
        {E::kTop, {99, -10}, {100, 40, 300, 250}},
        {E::kBottomLeft, {5, 7}, {105, 50, 300, 257}},
        {E::kBottomRight, {-500, -500}, {100, 50, 118, 68}},
        {E::kTopLeft, {500, 500}, {282, 232, 300, 250}},
        {E::kTopRight, {-500, 500}, {100, 232, 118, 250}},
    };
    for (const auto& [edge, travel, dragged] : cases) {
        EXPECT_EQ(DraggedFrame(edge, {100, 50, 300, 250}, travel, 18), dragged)
            << static_cast<int>(edge);
    }
}

}  // namespace
}  // namespace zef
