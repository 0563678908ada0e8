#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <thread>

#include "app/sessions/BackgroundExport.h"
#include "export/ExportRules.h"
#include "tests/TempFolder.h"
#include "tests/export/TestScene.h"

namespace zef::test {
namespace {

namespace fs = std::filesystem;

// A spiral of one long stroke on a 200 x 150 canvas: a VTR export of many frames.
Model Spiral() {
    Model model;
    model.properties.canvasWidth = 200;
    model.properties.canvasHeight = 150;
    for (int i = 0; i < 200; ++i) {
        const double angle = i * 0.1;
        const double radius = 5 + i * 0.3;
        model.AppendPoint(100 + static_cast<int>(radius * std::cos(angle)),
                          75 + static_cast<int>(radius * std::sin(angle)), i > 0);
    }
    return model;
}

ExportJob Job(ExportFormat format, const std::string& path, std::int32_t width = 100,
              std::int32_t height = 75) {
    return {format, {path, ExportKind::kVtr, width, height, false, false, 0, 6}, {}, {}};
}

BackgroundStatus Settled(const BackgroundExport& background) {
    for (int i = 0; i < 6000 && background.Status().state == BackgroundState::kRunning; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return background.Status();
}

class BackgroundExportTest : public ::testing::Test {
  protected:
    // The job's file as the ordinary export writes it, in a folder of its own.
    std::string Plain(ExportJob job) {
        job.request.path = other_.PathOf(fs::path(job.request.path).filename().string());
        RecordingProgress progress;
        EXPECT_TRUE(ExportPlainly(job, model_, {}, kSeed, progress).Succeeded());
        return Contents(job.request.path);
    }

    static constexpr std::uint32_t kSeed = 9;
    const Model model_ = Spiral();
    TempFolder folder_;
    TempFolder other_;
};

// A job started over one in flight replaces it: the first one's file never shows, and the
// second's size, frames and length are those of the ordinary export, whose bytes Place links
// in, leaving no temporary file behind. A copy holds the same bytes.
TEST_F(BackgroundExportTest, TheLastJobStartedIsMeasuredAndPlacedWhole) {
    BackgroundExport background(model_, {}, kSeed);
    const ExportJob first = Job(ExportFormat::kWebp, folder_.PathOf("a.webp"));
    const ExportJob second = Job(ExportFormat::kGif, folder_.PathOf("b.gif"), 60, 45);
    background.Start(first);
    background.Start(second);
    const BackgroundStatus status = Settled(background);
    const std::string expected = Plain(second);
    const std::int64_t frames =
        FrameCount(ExportKind::kVtr, model_.TotalPathLength(), model_.properties.vtrSpeed, 0, 6);
    ASSERT_EQ(status.state, BackgroundState::kReady);
    EXPECT_EQ(status.bytes, expected.size());
    EXPECT_EQ(status.frames, frames);
    EXPECT_EQ(status.durationMs, frames * 60);
    EXPECT_EQ(std::tie(status.width, status.height),
              std::tie(second.request.width, second.request.height));
    EXPECT_TRUE(background.Holds(second));
    EXPECT_FALSE(background.Holds(first));
    EXPECT_TRUE(Entries(folder_.path()).empty());

    EXPECT_TRUE(background.CopyTo(second, other_.PathOf("copy.b")));
    EXPECT_FALSE(background.CopyTo(first, other_.PathOf("copy.a")));
    EXPECT_TRUE(Contents(other_.PathOf("copy.b")) == expected);

    RecordingProgress progress;
    EXPECT_EQ(background.Place(second, progress).outcome, ExportOutcome::kDone);
    const auto entries = Entries(folder_.path());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries.at("b.gif") == expected);
    EXPECT_EQ(background.Status().state, BackgroundState::kIdle);
}

// OK for a job other than the one made (the path changed) writes that job, not the file held;
// where the file cannot be made beside its path it is measured elsewhere and OK writes it the
// ordinary way, here failing for the missing folder.
TEST_F(BackgroundExportTest, PlaceWritesTheJobAskedFor) {
    BackgroundExport background(model_, {}, kSeed);
    const ExportJob made = Job(ExportFormat::kGif, folder_.PathOf("a.gif"));
    background.Start(made);
    ASSERT_EQ(Settled(background).state, BackgroundState::kReady);
    ExportJob moved = made;
    moved.request.path = folder_.PathOf("c.gif");
    RecordingProgress progress;
    EXPECT_FALSE(background.Holds(moved));
    EXPECT_EQ(background.Place(moved, progress).outcome, ExportOutcome::kDone);
    const auto entries = Entries(folder_.path());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries.at("c.gif") == Plain(made));

    const ExportJob missing = Job(ExportFormat::kGif, folder_.PathOf("missing/a.gif"));
    background.Start(missing);
    const BackgroundStatus status = Settled(background);
    ASSERT_EQ(status.state, BackgroundState::kReady);
    EXPECT_EQ(status.bytes, Plain(made).size());
    EXPECT_FALSE(background.Holds(missing));
    EXPECT_EQ(background.Place(missing, progress).outcome, ExportOutcome::kWriteFailed);
}

// Under a byte limit the largest size that fits is placed; when nothing fits nothing is.
TEST_F(BackgroundExportTest, AByteLimitPlacesTheLargestFittingFileOrNothing) {
    BackgroundExport background(model_, {}, kSeed);
    ExportJob job = Job(ExportFormat::kGif, folder_.PathOf("a.gif"));
    job.byteLimit = Plain(job).size() / 3;
    background.Start(job);
    const BackgroundStatus status = Settled(background);
    ASSERT_EQ(status.state, BackgroundState::kReady);
    EXPECT_LE(status.bytes, *job.byteLimit);
    EXPECT_LT(status.width, 100);
    EXPECT_GE(status.trial, 2u);
    EXPECT_LE(status.trial, kMostFitTrials);
    RecordingProgress progress;
    EXPECT_EQ(background.Place(job, progress).outcome, ExportOutcome::kDone);
    EXPECT_EQ(fs::file_size(job.request.path), status.bytes);

    job.byteLimit = 50;
    job.request.path = folder_.PathOf("b.gif");
    background.Start(job);
    EXPECT_EQ(Settled(background).state, BackgroundState::kNothingFits);
    EXPECT_EQ(background.Place(job, progress).outcome, ExportOutcome::kNothingFits);
    EXPECT_EQ(Entries(folder_.path()).size(), 1u);
}

// Closing the dialog during a video's encode ends ffmpeg and leaves nothing; so does a cancel
// while OK waits for the file.
TEST_F(BackgroundExportTest, GivingUpLeavesNothing) {
    const ExportJob job = Job(ExportFormat::kMp4, folder_.PathOf("a.mp4"));
    {
        BackgroundExport background(model_, {}, kSeed);
        background.Start(job);
        for (int i = 0; i < 500 && background.Status().done < 2; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    EXPECT_TRUE(Entries(folder_.path()).empty());
    BackgroundExport background(model_, {}, kSeed);
    RecordingProgress progress;
    progress.cancelAfter = 0;
    EXPECT_EQ(background.Place(job, progress).outcome, ExportOutcome::kCancelled);
    EXPECT_EQ(background.Status().state, BackgroundState::kIdle);
}

}  // namespace
}  // namespace zef::test
