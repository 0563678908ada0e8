#include "app/sessions/PreviewPlayback.h"

#include <gtest/gtest.h>

namespace zef {
namespace {

Model Drawing() {
    Model model;
    model.properties.canvasWidth = 80;
    model.properties.canvasHeight = 60;
    model.AppendPoint(5, 5, false);
    model.AppendPoint(70, 50, true);
    model.AppendPoint(10, 50, true);
    return model;
}

ExportRequest Replay(std::int32_t width, std::int32_t height) {
    return {.path = "a.gif",
            .kind = ExportKind::kVtr,
            .width = width,
            .height = height,
            .endWait = 0,
            .frameDelay = 4};
}

// The frames come in order and round again; a new request's frames replace those in hand,
// from its first; a request whose frames cannot be had fails until the next one.
TEST(PreviewPlaybackTest, PlaysTheLatestRequestRoundAfterRound) {
    PreviewPlayback playback(Drawing(), 3);
    PreviewPlayback::Frame frame;
    playback.Play(ExportFormat::kGif, Replay(80, 60));
    ASSERT_TRUE(playback.WaitAndTake(frame));
    const std::int64_t count = frame.count;
    ASSERT_GT(count, 1);
    EXPECT_EQ(frame.delayMs, 40);
    for (std::int64_t i = 1; i <= count; ++i) {
        ASSERT_TRUE(playback.WaitAndTake(frame));
        EXPECT_EQ(frame.index, i % count);
    }
    EXPECT_EQ(frame.pixels.size(), 80u * 60u);

    playback.Play(ExportFormat::kWebp, Replay(40, 30));
    ASSERT_TRUE(playback.WaitAndTake(frame));
    EXPECT_EQ(std::tuple(frame.index, frame.width, frame.height, frame.pixels.size()),
              std::tuple(std::int64_t{0}, 40, 30, std::size_t{1200}));

    playback.Play(ExportFormat::kGif, Replay(0, 30));
    EXPECT_FALSE(playback.WaitAndTake(frame));
    EXPECT_TRUE(playback.Failed());
    playback.Play(ExportFormat::kGif, Replay(20, 15));
    EXPECT_TRUE(playback.WaitAndTake(frame));
    EXPECT_FALSE(playback.Failed());
}

}  // namespace
}  // namespace zef
