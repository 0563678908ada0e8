#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AboutTexts.h"
#include "CanvasFit.h"
#include "FakeShell.h"
#include "FilePaths.h"
#include "HandOverMessage.h"
#include "StatusTexts.h"
#include "WindowPlacement.h"

namespace zef::test {
namespace {

TEST(StatusTextsTest, CountAndSizeAreSentOnlyWhenTheyChange) {
    FakeShell shell;
    StatusTexts status(shell);
    status.UpdateSizePane(640, 480);
    status.UpdateSizePane(640, 480);
    status.UpdateCountPane(0);
    status.UpdateCountPane(0);
    status.UpdateCountPane(-12);
    EXPECT_EQ(shell.calls,
              (std::vector<std::string>{"SetStatusText 2 640 Ⅹ 480", "SetStatusText 0 선 갯수 : 0",
                                        "SetStatusText 0 선 갯수 : -12"}));
}

TEST(FilePathsTest, TitlesEndingsAndCommandLines) {
    EXPECT_EQ(FileTitleOf("/a/b/c.zfm"), "c.zfm");
    EXPECT_EQ(FileTitleOf("c.zfm"), "c.zfm");
    EXPECT_EQ(PathFromCommandLine("\"/my \"dir/a.zfm\""), "/my dir/a.zfm");
    EXPECT_EQ(InCurrentFormat("/d/a.zf2"), "/d/a.zfm");
    EXPECT_EQ(InCurrentFormat("a.ZF2"), "a.zfm") << "an older file is never overwritten";
    EXPECT_EQ(InCurrentFormat("a.ZFM"), "a.ZFM");
    EXPECT_EQ(InCurrentFormat("zf2"), "zf2");
}

TEST(AboutTextsTest, LibraryVersionShowsTwoDecimalsOfTheLow16Bits) {
    const struct {
        std::uint32_t version;
        const char* shown;
    } cases[] = {
        {100, "zefimage Ver.1.00"},     {123, "zefimage Ver.1.23"},        {5, "zefimage Ver.0.05"},
        {65535, "zefimage Ver.655.35"}, {0x12340064, "zefimage Ver.1.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LibraryVersionLine(c.version),
                  std::string(c.shown) + "    " + texts::kLibraryAuthorCredit)
            << c.version;
    }
}

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

TEST(HandOverMessageTest, APathTravelsWholeOrNotAtAll) {
    struct Case {
        std::string path;
        bool sent;
    };
    const Case cases[] = {
        {"/home/u/그림 모델.zfm", true},
        {"/" + std::string(253, 'a'), true},
        {"/" + std::string(254, 'a'), false},
        {"/" + std::string(300, 'a'), false},
        {"", false},
        {std::string("/a\0b.zfm", 8), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.size());
        const std::optional<HandOverBlock> block = EncodeHandOver(c.path);
        ASSERT_EQ(block.has_value(), c.sent);
        if (block) {
            EXPECT_EQ(DecodeHandOver(*block), c.path);
        }
    }
}

TEST(HandOverMessageTest, OnlyOneWholeBlockWithAPathAndANulIsAccepted) {
    std::vector<std::uint8_t> block(256, 'x');
    block[3] = 0;
    EXPECT_EQ(DecodeHandOver(block), "xxx") << "what follows the NUL is ignored";
    block[255] = 0;
    block[3] = 'x';
    EXPECT_EQ(DecodeHandOver(block), std::string(255, 'x'));

    const std::vector<std::vector<std::uint8_t>> refused = {
        {},
        std::vector<std::uint8_t>(255, 0),
        std::vector<std::uint8_t>(257, 0),
        std::vector<std::uint8_t>(256, 'x'),
        std::vector<std::uint8_t>(256, 0),
    };
    for (const std::vector<std::uint8_t>& message : refused) {
        SCOPED_TRACE(message.size());
        EXPECT_FALSE(DecodeHandOver(message));
    }
}

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
