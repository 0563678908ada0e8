#include "canvas/OutlineRaster.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "canvas/SegmentPainter.h"
#include "tests/canvas/PixelArt.h"

namespace zef {
namespace {

using testing::PixelArt;

constexpr std::uint32_t kInk = 0x0000FF;

TEST(DrawRectangleOutline, IsItsFourSidesDrawnAsSegmentsFromCornerToCorner) {
    const Pen pen{kInk, 4};
    Bitmap sides(40, 30);
    DrawSegment(sides, {10, 10}, {30, 10}, pen);
    DrawSegment(sides, {30, 10}, {30, 20}, pen);
    DrawSegment(sides, {30, 20}, {10, 20}, pen);
    DrawSegment(sides, {10, 20}, {10, 10}, pen);
    Bitmap bitmap(40, 30);
    DrawRectangleOutline(bitmap, {30, 20}, {10, 10}, pen);
    EXPECT_EQ(bitmap, sides);
}

TEST(DrawEllipseOutline, WideOutlineIsAsThickAsTheRectanglesSidesAndAHugeOneIsClipped) {
    Bitmap ellipse(40, 40);
    DrawEllipseOutline(ellipse, {10, 10}, {30, 30}, Pen{kInk, 4});
    Bitmap rectangle(40, 40);
    DrawRectangleOutline(rectangle, {10, 10}, {30, 30}, Pen{kInk, 4});
    EXPECT_EQ(PixelArt(ellipse, {20, 0, 1, 40}, kInk), PixelArt(rectangle, {20, 0, 1, 40}, kInk));
    EXPECT_EQ(PixelArt(ellipse, {0, 20, 40, 1}, kInk), PixelArt(rectangle, {0, 20, 40, 1}, kInk));

    constexpr std::int64_t kFar = std::numeric_limits<std::int32_t>::max();
    Bitmap huge(30, 20);
    DrawEllipseOutline(huge, {-kFar, 5}, {kFar, 2 * kFar}, Pen{kInk, 4});
    EXPECT_EQ(PixelArt(huge, {15, 0, 1, 10}, kInk), "\n.\n.\n.\n#\n#\n#\n#\n.\n.\n.");
}

TEST(DrawDottedRectangle, EveryOtherPixelClockwiseAroundTheHalfOpenRectangleEvenWhenClipped) {
    Bitmap bitmap(8, 6);
    DrawDottedRectangle(bitmap, {7, 5}, {1, 1}, kInk);
    DrawDottedRectangle(bitmap, {2, 1}, {2, 6}, kInk);
    DrawDottedRectangle(bitmap, {0, 3}, {8, 3}, kInk);
    EXPECT_EQ(PixelArt(bitmap, {0, 0, 8, 6}, kInk),
              "\n........"
              "\n.#.#.#.."
              "\n......#."
              "\n.#......"
              "\n..#.#.#."
              "\n........");

    // Far out, too: the right edge's pixel on row y is the frame's pixel 40005 + 40000 + y.
    Bitmap far(10, 8);
    DrawDottedRectangle(far, {-40000, -40000}, {6, 6}, kInk);
    EXPECT_EQ(PixelArt(far, {5, 0, 1, 8}, kInk), "\n.\n#\n.\n#\n.\n#\n.\n.");
}

}  // namespace
}  // namespace zef
