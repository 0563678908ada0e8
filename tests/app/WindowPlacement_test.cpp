#include <gtest/gtest.h>

#include <vector>

#include "WindowPlacement.h"

namespace zef::test {
namespace {

// Two screens side by side, the primary one on the right.
const PixelRect kLeftScreen{-1280, 0, 1280, 1024};
const PixelRect kPrimary{0, 0, 1920, 1080};

struct Placement {
    const char* situation;
    std::int32_t savedX;
    std::int32_t savedY;
    std::vector<PixelRect> screens;
    std::int32_t expectedX;
    std::int32_t expectedY;
};

TEST(WindowPlacementTest, KeepsAPositionOnAScreenAndBringsBackOneOffEveryScreen) {
    const std::vector<Placement> cases = {
        {"first start", 0, 0, {kPrimary}, 0, 0},
        {"on the primary screen", 300, 200, {kPrimary, kLeftScreen}, 300, 200},
        {"on the other screen", -1000, 100, {kPrimary, kLeftScreen}, -1000, 100},
        {"that screen unplugged since", -1000, 100, {kPrimary}, 0, 0},
        {"mostly past the right edge, caption still there", 1880, 500, {kPrimary}, 1880, 500},
        {"past the right edge", 1900, 500, {kPrimary}, 0, 0},
        {"caption above the screen", 100, -5, {kPrimary}, 0, 0},
        {"caption at the bottom edge", 100, 1048, {kPrimary}, 100, 1048},
        {"below the screen", 100, 1060, {kPrimary}, 0, 0},
        {"far away", 2'000'000'000, 2'000'000'000, {kPrimary}, 0, 0},
        {"no screen reported", 300, 200, {}, 0, 0},
    };
    for (const Placement& c : cases) {
        const PixelRect placed =
            PlaceOnScreens({c.savedX, c.savedY, 808, 656}, c.screens, kPrimary);
        EXPECT_EQ(placed, (PixelRect{c.expectedX, c.expectedY, 808, 656})) << c.situation;
    }
}

}  // namespace
}  // namespace zef::test
