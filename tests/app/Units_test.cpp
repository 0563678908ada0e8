#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/desktop/FilePaths.h"
#include "app/desktop/HandOverMessage.h"
#include "app/desktop/RecoveryFolder.h"
#include "app/desktop/UserFolders.h"
#include "app/desktop/WindowPlacement.h"
#include "app/editor/CanvasFit.h"
#include "app/shell/ProgressStep.h"

namespace zef::test {
namespace {

TEST(FilePathsTest, EndingsAndCommandLines) {
    EXPECT_EQ(PathFromCommandLine("\"/my \"dir/a.zfm\""), "/my dir/a.zfm");
    EXPECT_EQ(InCurrentFormat("a.ZFM"), "a.ZFM");
    EXPECT_EQ(InCurrentFormat("zf2"), "zf2");
}

TEST(CanvasFitTest, CentresBetweenTheBarsTruncatingTowardZero) {
    const MainLayout layout{806, 700, 28, 21};
    EXPECT_EQ(CentredCanvas(layout, {327, 247}), (PixelRect{239, 28 + 202, 327, 247}));
    EXPECT_EQ(CentredCanvas({400, 300, 28, 21}, {807, 607}), (PixelRect{-203, 28 - 178, 807, 607}));
}

TEST(ProgressStepTest, AStepPastTheEndStartsOverCarryingTheRest) {
    const struct {
        std::int32_t position, step, low, high, stepped;
    } cases[] = {{90, 10, 0, 100, 100},
                 {95, 10, 0, 100, 5},
                 {-1, 10, 0, 100, 9},
                 {25, 10, 20, 30, 25},
                 {5, -10, 0, 100, 0},
                 {0, 10, 0, 0, 0},
                 {2147483647, 10, 0, 2147483647, 10}};
    for (const auto& [position, step, low, high, stepped] : cases) {
        EXPECT_EQ(SteppedProgress(position, step, low, high), stepped)
            << position << " + " << step << " in " << low << ".." << high;
    }
}

TEST(HandOverMessageTest, APathTravelsWholeOrNotAtAll) {
    const struct {
        std::string path;
        bool sent;
    } cases[] = {
        {"/home/u/그림 모델.zfm", true},      {"/" + std::string(253, 'a'), true},
        {"/" + std::string(254, 'a'), false}, {"", false},
        {std::string("/a\0b.zfm", 8), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.size());
        const std::optional<HandOverBlock> block = EncodeHandOver(c.path);
        EXPECT_EQ(block ? DecodeHandOver(*block) : std::nullopt,
                  c.sent ? std::optional(c.path) : std::nullopt);
    }
}

// Two screens side by side, the primary one on the right.
const PixelRect kLeftScreen{-1280, 0, 1280, 1024};
const PixelRect kPrimary{0, 0, 1920, 1080};

TEST(WindowPlacementTest, KeepsAPositionOnAScreenAndBringsBackOneOffEveryScreen) {
    const struct {
        const char* situation;
        CanvasPoint saved;
        std::vector<PixelRect> screens;
        CanvasPoint placed;
    } cases[] = {{"on the other screen", {-1000, 100}, {kPrimary, kLeftScreen}, {-1000, 100}},
                 {"that screen unplugged since", {-1000, 100}, {kPrimary}, {0, 0}},
                 {"mostly past the right edge", {1880, 500}, {kPrimary}, {1880, 500}},
                 {"past the right edge", {1900, 500}, {kPrimary}, {0, 0}},
                 {"caption above the screen", {100, -5}, {kPrimary}, {0, 0}},
                 {"caption at the bottom edge", {100, 1048}, {kPrimary}, {100, 1048}},
                 {"below the screen", {100, 1060}, {kPrimary}, {0, 0}},
                 {"no screen reported", {300, 200}, {}, {0, 0}}};
    for (const auto& c : cases) {
        EXPECT_EQ(PlaceOnScreens({c.saved.x, c.saved.y, 808, 656}, c.screens, kPrimary),
                  (PixelRect{c.placed.x, c.placed.y, 808, 656}))
            << c.situation;
    }
}

// Without $HOME the recovery folder still hangs off the user's home folder, never the current one.
TEST(UserFoldersTest, WithoutHomeTheRecoveryFolderIsTheUsersOwn) {
    const std::string home(EnvironmentValue("HOME")), stateHome(EnvironmentValue("XDG_STATE_HOME"));
    unsetenv("HOME");
    unsetenv("XDG_STATE_HOME");
    const std::filesystem::path folder = RecoveryFolderPath();
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_STATE_HOME", stateHome.c_str(), 1);
    EXPECT_TRUE(folder.is_absolute()) << folder;
}

}  // namespace
}  // namespace zef::test
