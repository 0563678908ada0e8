#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "app/desktop/ClipboardCache.h"
#include "app/sessions/PaneSummary.h"
#include "app/shell/DialogTexts.h"
#include "export/ExportTexts.h"
#include "tests/TempFolder.h"

namespace zef {
namespace {

// What the pane says as the file is made, fitted under a limit, or cannot be made.
TEST(PaneSummaryTest, TellsTheWorkAndTheFileAsTheyAre) {
    ExportJob gif;
    gif.request.width = 800;
    gif.request.height = 600;
    ExportJob mp4 = gif;
    mp4.format = ExportFormat::kMp4;
    const auto ready = [](std::int32_t width, std::optional<std::int32_t> quality) {
        BackgroundStatus status;
        status.state = BackgroundState::kReady;
        status.bytes = 813600;
        status.frames = 191;
        status.durationMs = 11460;
        status.width = width;
        status.height = width * 3 / 4;
        status.quality = quality;
        return status;
    };
    const auto state = [](BackgroundState kind, std::int64_t done = 0, std::size_t trial = 0) {
        BackgroundStatus status;
        status.state = kind;
        status.done = done;
        status.total = kind == BackgroundState::kRunning ? 10 : 0;
        status.trial = trial;
        return status;
    };
    BackgroundStatus needsFfmpeg = state(BackgroundState::kFailed);
    needsFfmpeg.failure.detail = std::string(texts::kVideoNeedsFfmpeg) + "\nmore";
    const std::string file = "191컷, 11.46초, 파일 크기 813,600바이트(814 KB)예요.";
    const struct {
        BackgroundStatus status;
        const ExportJob& job;
        PaneSummary summary;
    } cases[] = {
        {{}, gif, {}},
        {state(BackgroundState::kRunning, 3, 1), gif, {texts::kPaneMeasuring, 3, 10, false}},
        {state(BackgroundState::kRunning, 1, 2),
         gif,
         {"정한 용량에 맞는 크기를 찾고 있어요 (2번째)………", 1, 10, false}},
        {ready(800, std::nullopt), gif, {file, 0, 0, true}},
        {ready(640, std::nullopt),
         gif,
         {file + "\n정한 용량에 맞춰 640 × 480 크기로 줄였어요.", 0, 0, true}},
        {ready(800, FitRangeOf(mp4).quality->best), mp4, {file, 0, 0, true}},
        {ready(800, 40),
         mp4,
         {file + "\n정한 용량에 맞춰 800 × 600 크기로 줄였어요 (품질 40).", 0, 0, true}},
        {state(BackgroundState::kFailed), gif, {texts::kPaneFailed, 0, 0, false}},
        {needsFfmpeg,
         mp4,
         {texts::kPaneFailed + ("\n" + std::string(texts::kVideoNeedsFfmpeg)), 0, 0, false}},
        {state(BackgroundState::kNothingFits), gif, {texts::kExportNothingFits, 0, 0, false}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SummaryOf(c.status, c.job), c.summary) << c.summary.text;
    }
    EXPECT_EQ(SequenceSummary("5", 1'005'390).text, "5장, 모두 1,005,390바이트(1.01 MB) 이하예요.");
    EXPECT_EQ(BytesText(999), "999바이트(1.0 KB)");
    EXPECT_EQ(BytesText(5'752'614), "5,752,614바이트(5.75 MB)");
    EXPECT_EQ(BytesText(12'345'678), "12,345,678바이트(12.3 MB)");
}

// A copy takes the name the path field ends in; a day-old copy goes, a newer one stays.
TEST(ClipboardCacheTest, CopiesAreNamedAfterThePathAndGoneAfterADay) {
    const test::TempFolder folder;
    EXPECT_EQ(ClipboardCachePath(folder.path(), "/home/a/walk.gif", "x.gif"),
              folder.path() / "walk.gif");
    EXPECT_EQ(ClipboardCachePath(folder.path(), "/home/a/", "x.gif"), folder.path() / "x.gif");
    EXPECT_EQ(ClipboardCachePath(folder.path(), "", "x.gif"), folder.path() / "x.gif");
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const auto& [name, age] : {std::pair{"old.gif", std::chrono::hours(25)},
                                    std::pair{"new.gif", std::chrono::hours(23)}}) {
        std::ofstream(folder.path() / name) << "GIF";
        std::filesystem::last_write_time(folder.path() / name, now - age);
    }
    RemoveDayOldFiles(folder.path(), now);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "old.gif"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "new.gif"));
    RemoveDayOldFiles(folder.path() / "missing", now);
}

}  // namespace
}  // namespace zef
