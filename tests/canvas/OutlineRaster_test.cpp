#include "OutlineRaster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "PixelArt.h"

namespace zef {
namespace {

using testing::PixelArt;

constexpr std::uint32_t kInk = 0x0000FF;

TEST(DrawRectangleOutline, OnePixelFrameIncludesBothCornersWideSidesHaveRoundedCorners) {
    Bitmap forward(7, 5);
    DrawRectangleOutline(forward, {1, 1}, {5, 3}, Pen{kInk, 1});
    EXPECT_EQ(PixelArt(forward, {0, 0, 7, 5}, kInk),
              "\n......."
              "\n.#####."
              "\n.#...#."
              "\n.#####."
              "\n.......");
    Bitmap backward(7, 5);
    DrawRectangleOutline(backward, {5, 3}, {1, 1}, Pen{kInk, 1});
    EXPECT_EQ(forward, backward);

    Bitmap bitmap(40, 30);
    DrawRectangleOutline(bitmap, {10, 10}, {30, 20}, Pen{kInk, 4});
    // A side on row 10 covers rows 8..11, like a width-4 line; the inside keeps clear.
    EXPECT_EQ(PixelArt(bitmap, {20, 6, 1, 18}, kInk),
              "\n.\n.\n#\n#\n#\n#\n.\n.\n.\n.\n.\n.\n#\n#\n#\n#\n.\n.");
    EXPECT_EQ(PixelArt(bitmap, {6, 7, 6, 6}, kInk),
              "\n......"
              "\n...###"
              "\n..####"
              "\n..####"
              "\n..####"
              "\n..####");
}

TEST(DrawEllipseOutline, WideOutlineIsAsThickAsTheRectanglesSidesFlatIsALineFarIsClipped) {
    Bitmap ellipse(40, 40);
    DrawEllipseOutline(ellipse, {10, 10}, {30, 30}, Pen{kInk, 4});
    Bitmap rectangle(40, 40);
    DrawRectangleOutline(rectangle, {10, 10}, {30, 30}, Pen{kInk, 4});
    EXPECT_EQ(PixelArt(ellipse, {20, 0, 1, 40}, kInk), PixelArt(rectangle, {20, 0, 1, 40}, kInk));
    EXPECT_EQ(PixelArt(ellipse, {0, 20, 40, 1}, kInk), PixelArt(rectangle, {0, 20, 40, 1}, kInk));

    constexpr std::int64_t kFar = std::numeric_limits<std::int32_t>::max();
    Bitmap huge(30, 20);
    DrawEllipseOutline(huge, {-kFar, -kFar}, {kFar, kFar}, Pen{kInk, 20});
    EXPECT_EQ(std::ranges::count(huge.Pixels(), kInk), 0) << "it passes far around the bitmap";
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
