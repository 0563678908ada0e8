#include "canvas/SegmentPainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>

#include "model/Random.h"
#include "tests/canvas/PixelArt.h"

namespace zef {
namespace {

using testing::PixelArt;

constexpr std::uint32_t kInk = 0x123456;

Bitmap Drawn(PixelPoint from, PixelPoint to, std::int32_t width) {
    Bitmap bitmap(32, 24);
    DrawSegment(bitmap, from, to, Pen{kInk, width});
    return bitmap;
}

TEST(DrawSegment, OnePixelLineHasOnePixelPerStepAndBothEnds) {
    EXPECT_EQ(std::ranges::count(Drawn({10, 10}, {10, 10}, 1).Pixels(), kInk), 1);
    const Bitmap shallow = Drawn({2, 2}, {10, 6}, 1);
    EXPECT_EQ(std::ranges::count(shallow.Pixels(), kInk), 9);
    EXPECT_EQ(PixelArt(shallow, {2, 2, 9, 5}, kInk),
              "\n#........"
              "\n.##......"
              "\n...##...."
              "\n.....##.."
              "\n.......##");
}

// The definition of a wide pen's pixels, in whole numbers on a doubled grid: a pixel centre
// within width / 2 of the segment, which even widths place half a pixel up and left. Returns
// 1 inside, 0 exactly on the edge, -1 outside.
int ReferenceCoverage(std::int64_t px, std::int64_t py, PixelPoint a, PixelPoint b, int width) {
    const std::int64_t shift = width % 2 == 0 ? 1 : 0;
    const std::int64_t dx = 2 * (b.x - a.x), dy = 2 * (b.y - a.y);
    const std::int64_t ux = 2 * (px - a.x) + shift, uy = 2 * (py - a.y) + shift;
    const std::int64_t lengthSquared = dx * dx + dy * dy, along = ux * dx + uy * dy;
    std::int64_t distance = ux * ux + uy * uy;  // to a, unless b or the line is nearer
    std::int64_t limit = std::int64_t{width} * width;
    if (lengthSquared > 0 && along >= lengthSquared) {
        distance = (ux - dx) * (ux - dx) + (uy - dy) * (uy - dy);
    } else if (along > 0) {
        const std::int64_t cross = ux * dy - uy * dx;
        distance = cross * cross;
        limit *= lengthSquared;
    }
    return distance < limit ? 1 : distance == limit ? 0 : -1;
}

TEST(SegmentPainter, WideLinesPaintExactlyThePixelsWithinHalfTheWidthOfEitherSegment) {
    Random random(11);
    std::map<int, SegmentRunTable> tables;
    int compared = 0;
    const auto near = [&] { return PixelPoint{random.Next() % 60 - 10, random.Next() % 50 - 10}; };
    for (int round = 0; round < 400; ++round) {
        const PixelPoint a = near();
        // Every fourth line reaches far out, which takes the clipping path.
        const int reach = round % 4 == 0 ? 6000 : 60;
        PixelPoint b{random.Next() % reach - reach / 2 + 20, random.Next() % 50 - 10};
        if (round % 8 == 1) {
            b = a;  // a disc of the pen's width
        }
        const PixelPoint c = near();
        // Widths above 256 work out their round ends row by row.
        const int width = round % 50 == 0 ? 257 + random.Next() % 4 : 2 + random.Next() % 20;
        // Odd rounds take the short segments from a run table, painted as the renderer does.
        const bool tabled = round % 2 == 1 && width <= SegmentRunTable::kMaxWidth;
        Bitmap bitmap(40, 30);
        {
            SegmentPainter painter(
                bitmap, Pen{kInk, width},
                tabled ? &tables.try_emplace(width, width).first->second : nullptr,
                SegmentPainter::Painting::kOverlapped);
            painter.MoveTo(a);
            painter.LineTo(b);
            painter.LineTo(c);
        }
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                const int coverage = std::max(ReferenceCoverage(x, y, a, b, width),
                                              ReferenceCoverage(x, y, b, c, width));
                if (coverage != 0) {
                    ASSERT_EQ(bitmap.Pixel(x, y) == kInk, coverage > 0)
                        << "pixel " << x << "," << y << " in round " << round;
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 400 * 40 * 30 * 99 / 100);
}

TEST(DrawSegment, FarOutsideCoordinatesAreClippedExactlyAndHugeWidthsCoverTheBitmap) {
    constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min() - 300LL;
    constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max() + 300LL;
    EXPECT_EQ(Drawn({kLow, kLow}, {kHigh, kHigh}, 5), Drawn({-40, -40}, {60, 60}, 5));
    EXPECT_EQ(Drawn({kLow, 5}, {kLow, 20}, 20), Bitmap(32, 24));
    EXPECT_EQ(Drawn({kHigh, kHigh}, {kLow, kHigh}, 1), Bitmap(32, 24));
    EXPECT_EQ(Drawn({kLow, 10}, {kHigh, 10}, 1), Drawn({0, 10}, {31, 10}, 1));

    constexpr std::int32_t kWidest = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(Drawn({16, 12}, {16, 12}, kWidest), Bitmap(32, 24, kInk));
}

}  // namespace
}  // namespace zef
