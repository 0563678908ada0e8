#include "OutlineRaster.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "PixelArt.h"

namespace zef {
namespace {

using testing::CountPixels;
using testing::PixelArt;

constexpr std::uint32_t kInk = 0x0000FF;

TEST(DrawRectangleOutline, OnePixelFrameIncludesBothCornersWideSidesHaveRoundedCorners) {
    Bitmap forward(12, 8);
    DrawRectangleOutline(forward, {2, 1}, {8, 5}, Pen{kInk, 1});
    EXPECT_EQ(PixelArt(forward, {0, 0, 12, 8}, kInk),
              "\n............"
              "\n..#######..."
              "\n..#.....#..."
              "\n..#.....#..."
              "\n..#.....#..."
              "\n..#######..."
              "\n............"
              "\n............");
    Bitmap backward(12, 8);
    DrawRectangleOutline(backward, {8, 5}, {2, 1}, Pen{kInk, 1});
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
    EXPECT_EQ(CountPixels(huge, kInk), 0) << "the outline passes far around the bitmap";
    DrawEllipseOutline(huge, {-kFar, 5}, {kFar, 2 * kFar}, Pen{kInk, 4});
    EXPECT_EQ(PixelArt(huge, {15, 0, 1, 10}, kInk), "\n.\n.\n.\n#\n#\n#\n#\n.\n.\n.");
}

TEST(DrawDottedRectangle, EveryOtherPixelClockwiseAroundTheHalfOpenRectangleEvenWhenClipped) {
    Bitmap bitmap(10, 8);
    DrawDottedRectangle(bitmap, {8, 6}, {2, 2}, kInk);
    EXPECT_EQ(PixelArt(bitmap, {0, 0, 10, 8}, kInk),
              "\n.........."
              "\n.........."
              "\n..#.#.#..."
              "\n.......#.."
              "\n..#......."
              "\n...#.#.#.."
              "\n.........."
              "\n..........");

    Bitmap empty(10, 8);
    DrawDottedRectangle(empty, {3, 2}, {3, 7}, kInk);
    DrawDottedRectangle(empty, {1, 4}, {9, 4}, kInk);
    EXPECT_EQ(CountPixels(empty, kInk), 0);

    // Far out, too: the right edge's pixel on row y is the frame's pixel 40005 + 40000 + y.
    Bitmap far(10, 8);
    DrawDottedRectangle(far, {-40000, -40000}, {6, 6}, kInk);
    EXPECT_EQ(PixelArt(far, {5, 0, 1, 8}, kInk), "\n.\n#\n.\n#\n.\n#\n.\n.");
}

}  // namespace
}  // namespace zef
