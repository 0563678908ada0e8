#include "export/PreviewFrames.h"

#include <gtest/gtest.h>

#include "export/StandaloneScene.h"
#include "tests/TempFolder.h"
#include "tests/export/TestScene.h"

namespace zef {
namespace {

using test::ShownFrame;

// What the file of an export shows, written from a scene of the model and seed.
std::vector<ShownFrame> Written(const Model& model, std::uint32_t seed, ExportFormat format,
                                const ExportRequest& request) {
    StandaloneScene scene(model, seed);
    test::RecordingProgress progress;
    EXPECT_EQ(ExportAs(format, scene.View(), request, progress).outcome, ExportOutcome::kDone);
    const auto decoded = format == ExportFormat::kGif    ? test::DecodeGif(request.path)
                         : format == ExportFormat::kWebp ? test::DecodeWebp(request.path)
                                                         : test::DecodeApng(request.path);
    return decoded ? decoded->frames : std::vector<ShownFrame>{};
}

// Two rounds of the preview's frames, each as the format's decoder shows its pixels.
std::pair<std::vector<ShownFrame>, std::vector<ShownFrame>> Previewed(
    const Model& model, std::uint32_t seed, ExportFormat format, const ExportRequest& request) {
    PreviewFrames frames(model, seed, format, request);
    std::vector<ShownFrame> rounds[2];
    std::vector<std::uint32_t> pixels;
    for (std::vector<ShownFrame>& round : rounds) {
        for (std::int64_t i = 0; i < frames.Count(); ++i) {
            EXPECT_EQ(frames.Next(pixels), i);
            ShownFrame& frame = round.emplace_back(
                ShownFrame{{}, static_cast<std::uint32_t>(frames.DelayMs() / 10)});
            for (const std::uint32_t p : pixels) {
                const std::uint32_t alpha = p >> 24;
                frame.pixels.push_back(format == ExportFormat::kGif
                                           ? (alpha == 0 ? test::kClear : p & 0xFFFFFF)
                                           : test::Shown(p & 0xFFFFFF, alpha));
            }
        }
    }
    return {test::Merge(rounds[0]), test::Merge(rounds[1])};
}

// Shaking and replayed, stretched and anti-aliased, with and without a background: every round
// of the preview shows the frames the file holds.
TEST(PreviewFramesTest, EveryRoundShowsTheFramesTheFileHolds) {
    struct Case {
        ExportFormat format;
        ExportKind kind;
        std::int32_t width, height;
        bool antiAliasing, transparent;
    };
    const Case cases[] = {
        {ExportFormat::kGif, ExportKind::kShaking, 60, 40, false, false},
        {ExportFormat::kGif, ExportKind::kVtr, 90, 60, false, true},
        {ExportFormat::kGif, ExportKind::kVtr, 45, 30, true, true},
        {ExportFormat::kWebp, ExportKind::kShaking, 30, 20, true, true},
        {ExportFormat::kApng, ExportKind::kVtr, 60, 40, true, false},
    };
    const test::TempFolder folder;
    const test::TestScene scene;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.format) << " " << c.width);
        const ExportRequest request{
            .path = folder.PathOf(c.format == ExportFormat::kGif    ? "a.gif"
                                  : c.format == ExportFormat::kWebp ? "a.webp"
                                                                    : "a.png"),
            .kind = c.kind,
            .width = c.width,
            .height = c.height,
            .antiAliasing = c.antiAliasing,
            .transparent = c.transparent,
            .endWait = 1};
        const auto [first, second] = Previewed(scene.model, 5, c.format, request);
        EXPECT_EQ(first, Written(scene.model, 5, c.format, request));
        EXPECT_EQ(second, first);
    }
}

TEST(PreviewFramesTest, SizesNoFrameHasAreRefused) {
    const test::TestScene scene;
    for (const auto& [width, height] : {std::pair{0, 10}, {10, 70000}}) {
        EXPECT_THROW(PreviewFrames(scene.model, 1, ExportFormat::kGif,
                                   {.path = "a.gif", .width = width, .height = height}),
                     std::bad_alloc);
    }
}

}  // namespace
}  // namespace zef
