#include "SegmentPainter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "PixelArt.h"
#include "Random.h"

namespace zef {
namespace {

using testing::CountPixels;
using testing::PixelArt;

constexpr std::uint32_t kInk = 0x123456;

Bitmap Drawn(PixelPoint from, PixelPoint to, std::int32_t width, std::int32_t bitmapWidth = 32,
             std::int32_t bitmapHeight = 24) {
    Bitmap bitmap(bitmapWidth, bitmapHeight);
    DrawSegment(bitmap, from, to, Pen{kInk, width});
    return bitmap;
}

// Which rows of column x carry ink, as "first..last"; "none" when none does.
std::string InkedRows(const Bitmap& bitmap, std::int32_t x) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (bitmap.Pixel(x, y) == kInk) {
            first = first < 0 ? y : first;
            last = y;
        }
    }
    return first < 0 ? "none" : std::to_string(first) + ".." + std::to_string(last);
}

TEST(DrawSegment, OnePixelLineHasOnePixelPerStepAndBothEnds) {
    EXPECT_EQ(CountPixels(Drawn({10, 10}, {10, 10}, 1), kInk), 1);
    EXPECT_EQ(InkedRows(Drawn({5, 10}, {25, 10}, 1), 15), "10..10");
    const Bitmap shallow = Drawn({2, 2}, {10, 6}, 1);
    EXPECT_EQ(CountPixels(shallow, kInk), 9);
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
    const std::int64_t ax = 2 * a.x - shift, ay = 2 * a.y - shift;
    const std::int64_t dx = 2 * (b.x - a.x), dy = 2 * (b.y - a.y);
    const std::int64_t ux = 2 * px - ax, uy = 2 * py - ay;
    const std::int64_t lengthSquared = dx * dx + dy * dy;
    const std::int64_t along = ux * dx + uy * dy;
    const std::int64_t radiusSquared = static_cast<std::int64_t>(width) * width;
    std::int64_t distance = 0;
    std::int64_t limit = radiusSquared;
    if (lengthSquared == 0 || along <= 0) {
        distance = ux * ux + uy * uy;
    } else if (along >= lengthSquared) {
        distance = (ux - dx) * (ux - dx) + (uy - dy) * (uy - dy);
    } else {
        const std::int64_t cross = ux * dy - uy * dx;
        distance = cross * cross;
        limit = radiusSquared * lengthSquared;
    }
    return distance < limit ? 1 : distance == limit ? 0 : -1;
}

TEST(DrawSegment, WideSegmentsPaintExactlyThePixelsWithinHalfTheWidth) {
    Random random(11);
    int compared = 0;
    for (int round = 0; round < 400; ++round) {
        // Every fourth segment reaches far out, which takes the clipping path.
        const int reach = round % 4 == 0 ? 6000 : 60;
        const PixelPoint a{random.Next() % 60 - 10, random.Next() % 50 - 10};
        PixelPoint b{random.Next() % reach - reach / 2 + 20, random.Next() % 50 - 10};
        if (round % 8 == 1) {
            b = a;  // a disc of the pen's width
        }
        // Widths above 256 work out their round ends row by row.
        const int width = round % 50 == 0 ? 257 + random.Next() % 4 : 2 + random.Next() % 20;
        const Bitmap bitmap = Drawn(a, b, width, 40, 30);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                const int coverage = ReferenceCoverage(x, y, a, b, width);
                if (coverage != 0) {
                    ASSERT_EQ(bitmap.Pixel(x, y) == kInk, coverage > 0)
                        << "pixel " << x << "," << y << " of " << a.x << "," << a.y << " to " << b.x
                        << "," << b.y << " width " << width;
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 400 * 40 * 30 * 99 / 100);
}

TEST(DrawSegment, FarOutsideCoordinatesAreClippedExactlyAndHugeWidthsCoverTheBitmap) {
    EXPECT_EQ(Drawn({-30000, 10}, {30000, 10}, 4), Drawn({-10, 10}, {50, 10}, 4));
    EXPECT_EQ(Drawn({-30000, -30000}, {30000, 30000}, 5), Drawn({-40, -40}, {60, 60}, 5));

    constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min() - 300LL;
    constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max() + 300LL;
    EXPECT_EQ(Drawn({kLow, kLow}, {kHigh, kHigh}, 4).Pixel(12, 12), kInk);
    EXPECT_EQ(CountPixels(Drawn({kLow, 5}, {kLow, 20}, 20), kInk), 0);
    EXPECT_EQ(CountPixels(Drawn({kHigh, kHigh}, {kLow, kHigh}, 1), kInk), 0);
    EXPECT_EQ(InkedRows(Drawn({kLow, 10}, {kHigh, 10}, 1), 31), "10..10");

    constexpr std::int32_t kWidest = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(CountPixels(Drawn({16, 12}, {16, 12}, kWidest), kInk), 32 * 24);
    EXPECT_EQ(CountPixels(Drawn({-5000, 12}, {-4000, 12}, 9000), kInk), 32 * 24);
}

}  // namespace
}  // namespace zef
