#include <gtest/gtest.h>

#include "CanvasFit.h"
#include "FakeShell.h"

namespace zef::test {
namespace {

TEST(CanvasFitTest, CentresBetweenTheBarsTruncatingTowardZero) {
    const MainLayout layout{806, 700, 28, 21};
    EXPECT_EQ(CentredCanvas(layout, {327, 247}), (PixelRect{239, 28 + 202, 327, 247}));
    // Larger than the room: a negative position, truncated toward zero.
    EXPECT_EQ(CentredCanvas({400, 300, 28, 21}, {807, 607}), (PixelRect{-203, 28 - 178, 807, 607}));
}

TEST(CanvasFitTest, HoldsTheSizeToTheLargestCanvasAndKeepsItForZero) {
    FakeShell shell;
    EXPECT_EQ(FitCanvas(shell, 1000, 700), (CanvasSize{800, 600}));
    EXPECT_EQ(FitCanvas(shell, 320, 240), (CanvasSize{320, 240}));
    EXPECT_EQ(FitCanvas(shell, 0, 100), (CanvasSize{320, 240}));
    EXPECT_EQ(shell.canvasRect.x, (806 - 326) / 2);
}

}  // namespace
}  // namespace zef::test
