#include "SizingFrame.h"

#include <gtest/gtest.h>

#include <optional>

namespace zef {
namespace {

TEST(SizingFrameTest, EdgesAndCornersUnderThePointer) {
    using E = FrameEdge;
    // A window of 100 x 80 with a 4-pixel frame; corners reach 16 pixels along each edge.
    const struct {
        CanvasPoint point;
        std::optional<FrameEdge> edge;
    } cases[] = {
        {{50, 40}, std::nullopt},  {{4, 40}, std::nullopt}, {{95, 40}, std::nullopt},
        {{50, 75}, std::nullopt},  {{0, 40}, E::kLeft},     {{3, 40}, E::kLeft},
        {{99, 40}, E::kRight},     {{96, 40}, E::kRight},   {{50, 0}, E::kTop},
        {{50, 76}, E::kBottom},    {{0, 0}, E::kTopLeft},   {{15, 2}, E::kTopLeft},
        {{16, 2}, E::kTop},        {{2, 15}, E::kTopLeft},  {{2, 16}, E::kLeft},
        {{84, 0}, E::kTopRight},   {{83, 0}, E::kTop},      {{99, 15}, E::kTopRight},
        {{0, 64}, E::kBottomLeft}, {{0, 63}, E::kLeft},     {{99, 79}, E::kBottomRight},
    };
    for (const auto& [point, edge] : cases) {
        EXPECT_EQ(FrameEdgeAt(point, {100, 80}, 4), edge) << point.x << ", " << point.y;
    }
}

TEST(SizingFrameTest, DraggedSidesFollowThePointerAndStopAtTheSmallestSize) {
    using E = FrameEdge;
    const FrameRect start{100, 50, 300, 250};
    const struct {
        FrameEdge edge;
        CanvasPoint travel;
        FrameRect dragged;
    } cases[] = {
        {E::kRight, {30, 99}, {100, 50, 330, 250}},
        {E::kLeft, {-20, 99}, {80, 50, 300, 250}},
        {E::kTop, {99, -10}, {100, 40, 300, 250}},
        {E::kBottomLeft, {5, 7}, {105, 50, 300, 257}},
        {E::kBottomRight, {-500, -500}, {100, 50, 118, 68}},
        {E::kTopLeft, {500, 500}, {282, 232, 300, 250}},
        {E::kTopRight, {-500, 500}, {100, 232, 118, 250}},
    };
    for (const auto& [edge, travel, dragged] : cases) {
        const FrameRect got = DraggedFrame(edge, start, travel, 18);
        EXPECT_EQ(got, dragged) << static_cast<int>(edge) << ": " << got.left << " " << got.top
                                << " " << got.right << " " << got.bottom;
    }
}

}  // namespace
}  // namespace zef
