#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "export/ExportTexts.h"
#include "export/Exporters.h"
#include "tests/TempFolder.h"
#include "tests/export/TestScene.h"

namespace zef {
namespace {

using test::TestScene;
using ::testing::HasSubstr;

// What a command prints on its standard output.
std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    char chunk[1 << 16];
    for (std::size_t n = 0; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
        out.append(chunk, n);
    }
    pclose(pipe);
    return out;
}

// ffprobe's reading of the video stream: sides, pixel format, frames decoded, alpha mode and
// the file's duration.
std::map<std::string, std::string> Probe(const std::string& path) {
    std::istringstream lines(
        Output("ffprobe -v error -count_frames -show_entries "
               "stream=width,height,pix_fmt,nb_read_frames:stream_tags=alpha_mode:format=duration "
               "-of default=nw=1 '" +
               path + "'"));
    std::map<std::string, std::string> fields;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        fields[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return fields;
}

// Every decoded frame's RGBA bytes, one after the other; VP9's alpha needs libvpx's decoder.
std::string DecodedRgba(const std::string& path, bool webm) {
    return Output(std::string("ffmpeg -v error ") + (webm ? "-c:v libvpx-vp9 " : "") + "-i '" +
                  path + "' -f rawvideo -pix_fmt rgba pipe:1");
}

// The mean difference of the decoded frames' channels (0..255) from the rendered ones, the
// padding expected to show the background; colours count where a pixel is opaque.
double MeanDifference(const std::string& decoded, const std::vector<test::ShownFrame>& rendered,
                      std::int32_t width, std::int32_t height, std::int32_t paddedWidth,
                      std::int32_t paddedHeight, std::uint32_t background) {
    const std::size_t frameBytes = std::size_t{4} * paddedWidth * paddedHeight;
    double total = 0;
    double counted = 0;
    for (std::size_t f = 0; f < rendered.size(); ++f) {
        const auto* pixel = reinterpret_cast<const std::uint8_t*>(decoded.data() + f * frameBytes);
        for (std::size_t p = 0; p < frameBytes / 4; ++p, pixel += 4) {
            const std::int32_t x = static_cast<std::int32_t>(p % paddedWidth);
            const std::int32_t y = static_cast<std::int32_t>(p / paddedWidth);
            const std::int64_t shown = x < width && y < height
                                           ? rendered[f].pixels[y * width + x]
                                           : std::int64_t{background | 0xFF000000u};
            const std::uint32_t alpha = shown == test::kClear ? 0
                                        : shown > 0xFFFFFF    ? shown >> 24
                                                              : 255;
            total += std::abs(int(pixel[3]) - int(alpha));
            counted += 1;
            for (int c = 0; alpha == 255 && c < 3; ++c) {
                total += std::abs(int(pixel[c]) - int(shown >> (8 * c) & 0xFF));
                counted += 1;
            }
        }
    }
    return total / counted;
}

// Videos probed and decoded by ffmpeg: the length of the GIF, every frame, even sides padded
// with the background for H.264, real alpha for a transparent WebM, and frames that look as
// rendered.
TEST(VideoTest, TheVideoHoldsEveryFrameForItsDelayAndLooksAsRendered) {
    struct Case {
        ExportFormat format;
        ExportKind kind;
        std::int32_t width, height;
        bool antiAliasing, transparent;
        const char* pixelFormat;
        std::int32_t paddedWidth, paddedHeight;
    };
    // Stretched four times, so that yuv420p's halved colour blurs only the lines' edges.
    const Case cases[] = {
        {ExportFormat::kMp4, ExportKind::kVtr, 241, 161, false, true, "yuv420p", 242, 162},
        {ExportFormat::kMp4, ExportKind::kShaking, 240, 160, true, false, "yuv420p", 240, 160},
        {ExportFormat::kWebm, ExportKind::kVtr, 240, 160, true, true, "yuv420p", 240, 160},
        {ExportFormat::kWebm, ExportKind::kShaking, 241, 161, false, false, "yuv420p", 241, 161},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        const bool webm = c.format == ExportFormat::kWebm;
        const bool alpha = webm && c.transparent;
        test::TempFolder folder;
        ExportRequest request{folder.PathOf(webm ? "a.webm" : "a.mp4"),
                              c.kind,
                              c.width,
                              c.height,
                              c.antiAliasing,
                              c.transparent,
                              1,
                              6};
        TestScene scene(2, {{0, 0, 0}, {200, 30, 30}, {238, 156, 0}});
        test::RecordingProgress progress;
        const ExportResult result = ExportAs(c.format, scene.View(), request, progress);
        ASSERT_TRUE(result.Succeeded()) << result.detail;

        TestScene again(2, {{0, 0, 0}, {200, 30, 30}, {238, 156, 0}});
        const std::vector<test::ShownFrame> rendered =
            test::RenderedFrames(again, request, alpha ? ExportFormat::kWebp : ExportFormat::kBmp);
        std::map<std::string, std::string> probed = Probe(request.path);
        EXPECT_EQ(probed["width"], std::to_string(c.paddedWidth));
        EXPECT_EQ(probed["height"], std::to_string(c.paddedHeight));
        EXPECT_EQ(probed["pix_fmt"], c.pixelFormat);
        EXPECT_EQ(probed["TAG:alpha_mode"], alpha ? "1" : "");
        EXPECT_EQ(probed["nb_read_frames"], std::to_string(rendered.size()));
        EXPECT_NEAR(std::stod(probed["duration"]), 0.06 * double(rendered.size()), 0.06);
        EXPECT_EQ(progress.steps, static_cast<int>(rendered.size()));

        const std::string decoded = DecodedRgba(request.path, webm);
        ASSERT_EQ(decoded.size(), rendered.size() * 4 * c.paddedWidth * c.paddedHeight);
        EXPECT_LT(MeanDifference(decoded, rendered, c.width, c.height, c.paddedWidth,
                                 c.paddedHeight, scene.model.properties.backgroundColour.Value()),
                  2.0);
    }
}

// A folder on PATH that holds only a program named ffmpeg, the script given, or none.
class FakeEncoder {
  public:
    explicit FakeEncoder(const std::string& script) : saved_(std::getenv("PATH")) {
        if (!script.empty()) {
            std::ofstream(folder_.PathOf("ffmpeg")) << "#!/bin/sh\nPATH=/usr/bin:/bin\n"
                                                    << script << "\n";
            chmod(folder_.PathOf("ffmpeg").c_str(), 0755);
        }
        setenv("PATH", folder_.path().c_str(), 1);
    }
    FakeEncoder(const FakeEncoder&) = delete;
    FakeEncoder& operator=(const FakeEncoder&) = delete;
    ~FakeEncoder() { setenv("PATH", saved_.c_str(), 1); }

  private:
    test::TempFolder folder_;
    std::string saved_;
};

// Whether a process runs: there and not a zombie.
bool Runs(const std::string& pid) {
    const std::string stat = test::Contents("/proc/" + pid + "/stat");
    return !stat.empty() && stat.substr(stat.rfind(')') + 2, 1) != "Z";
}

// A cancel while ffmpeg takes no more frames, ffmpeg failing and ffmpeg missing: each leaves the
// old file as it was and nothing else, and no program of it running; a failure tells why.
TEST(VideoTest, CancelAndFailuresLeaveTheOldFileAndNoEncoder) {
    test::TempFolder out;
    const std::string pidFile = out.PathOf("pid");
    const struct {
        std::string script;
        std::optional<std::size_t> cancelAfter;
        ExportOutcome outcome;
        std::vector<std::string> told;
    } cases[] = {
        {"sleep 30 & echo $! >" + pidFile + ".new; mv " + pidFile + ".new " + pidFile + "; wait",
         3,
         ExportOutcome::kCancelled,
         {}},
        {"echo 'Unknown encoder libx264' >&2; exit 3",
         {},
         ExportOutcome::kWriteFailed,
         {"ffmpeg가 실패했어요(종료 상태: 3);;.\nUnknown encoder libx264"}},
        {"", {}, ExportOutcome::kWriteFailed, {texts::kVideoNeedsFfmpeg}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        std::filesystem::remove(pidFile);
        test::TempFolder folder;
        std::ofstream(folder.PathOf("a.mp4")) << "old";
        const ExportRequest request{
            folder.PathOf("a.mp4"), ExportKind::kVtr, 400, 300, false, false, 1, 6};
        TestScene scene;
        test::RecordingProgress progress;
        progress.cancelAfter = c.cancelAfter;
        const FakeEncoder encoder(c.script);
        const ExportResult result = ExportAs(ExportFormat::kMp4, scene.View(), request, progress);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(test::Entries(folder.path()),
                  (std::map<std::string, std::string>{{"a.mp4", "old"}}));
        for (const std::string& told : c.told) {
            EXPECT_THAT(result.detail, HasSubstr(told));
        }
        if (c.cancelAfter) {
            std::string sleeper = test::Contents(pidFile);
            ASSERT_FALSE(sleeper.empty());
            sleeper.pop_back();
            for (int waited = 0; waited < 1000 && Runs(sleeper); ++waited) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            EXPECT_FALSE(Runs(sleeper));
        }
    }
}

}  // namespace
}  // namespace zef
