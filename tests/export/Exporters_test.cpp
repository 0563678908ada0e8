#include "export/Exporters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "export/BmpFile.h"
#include "export/ExportTexts.h"
#include "tests/TempFolder.h"
#include "tests/export/TestScene.h"

namespace zef {
namespace {

using test::RecordingProgress;
using test::ShownFrame;
using test::TestScene;
constexpr ExportFormat kGif = ExportFormat::kGif, kWebp = ExportFormat::kWebp,
                       kBmp = ExportFormat::kBmp, kApng = ExportFormat::kApng;

// Where an export of `format` writes in `folder`: the base name of a BMP sequence.
std::string PathIn(const test::TempFolder& folder, ExportFormat format) {
    return folder.PathOf(format == kGif    ? "a.gif"
                         : format == kWebp ? "a.webp"
                         : format == kApng ? "a.png"
                                           : "walk");
}

// The status text while the file of an animation is written.
std::string WritingText(ExportFormat format) {
    return format == kGif    ? texts::kExportWritingGif
           : format == kWebp ? texts::kExportWritingWebp
                             : texts::kExportWritingApng;
}

ExportResult Export(ExportFormat format, TestScene& scene, const ExportRequest& request,
                    ExportProgress& progress, const FileOps& ops = SystemFileOps()) {
    return ExportAs(format, scene.View(), request, progress, ops);
}

// The first `count` files of a sequence of 8-bit BMPs as a viewer shows them.
test::DecodedAnimation ReadBmps(const ExportRequest& request, std::size_t count) {
    test::DecodedAnimation read;
    for (std::size_t i = 0; i < count; ++i) {
        std::ifstream in(BmpFileName(request.path, request.kind, static_cast<std::int64_t>(i)),
                         std::ios::binary);
        const std::vector<std::uint8_t> b{std::istreambuf_iterator<char>(in), {}};
        const auto u16 = [&b](std::size_t at) { return b[at] | b[at + 1] << 8; };
        read.width = u16(18);
        read.height = u16(22);
        ShownFrame& frame = read.frames.emplace_back();
        for (std::int32_t y = read.height - 1; y >= 0; --y) {  // stored bottom row first
            const std::uint8_t* row = b.data() + u16(10) + y * ((read.width + 3) / 4 * 4);
            for (std::int32_t x = 0; x < read.width; ++x) {
                const std::uint8_t* entry = b.data() + 54 + 4 * row[x];
                frame.pixels.push_back(entry[2] | entry[1] << 8 | entry[0] << 16);
            }
        }
    }
    return read;
}

// Whether a pixel shows partly: a WebP's or an APNG's at the edge of an anti-aliased line.
bool PartlyClear(const std::vector<ShownFrame>& frames) {
    return std::ranges::any_of(frames, [](const ShownFrame& frame) {
        return std::ranges::any_of(frame.pixels,
                                   [](std::int64_t p) { return p > 0xFFFFFF && p >> 24 < 255; });
    });
}

// Shaking, transparent and stretched, anti-aliased, no frames (one clear picture); a running
// replay goes on through a shaking or still export. An anti-aliased GIF's or APNG's colours are
// counted first: the bar runs once over both passes, each under its own status text.
TEST(ExportTest, TheFilesShowEveryRenderedFrameAndTheSceneIsKept) {
    struct Case {
        ExportFormat format;
        ExportKind kind;
        std::int32_t width, height;
        bool antiAliasing, transparent;
        std::int32_t endWait, delay, vtrSpeed, shakeStrength;
        bool replayBefore, replayAfter;
        long completions;
    };
    // The test model is 123.3 long: 3 frames of 40, then the end wait's frames.
    const Case cases[] = {
        {kGif, ExportKind::kShaking, 90, 50, false, true, 1, 6, 40, 3, true, false,
         1},  // replay goes on
        {kGif, ExportKind::kVtr, 45, 30, true, true, 1, 18, 40, 3, false, false,
         1},  // no transparency
        {kGif, ExportKind::kVtr, 60, 40, false, false, 0, 6, 1000, 3, false, true, 0},
        {kWebp, ExportKind::kVtr, 45, 30, true, false, 1, 18, 40, 0, false, false,
         1},  // hold merged
        {kWebp, ExportKind::kShaking, 90, 50, false, true, 5, 6, 40, 3, false, false, 0},
        {kWebp, ExportKind::kVtr, 45, 30, true, true, 1, 12, 40, 3, false, false, 1},
        {kWebp, ExportKind::kVtr, 60, 40, false, true, 0, 6, 1000, 3, false, true, 0},
        {kApng, ExportKind::kVtr, 45, 30, true, false, 1, 18, 40, 0, false, false,
         1},  // hold merged
        {kApng, ExportKind::kShaking, 90, 50, false, true, 5, 6, 40, 3, true, false, 1},
        {kApng, ExportKind::kVtr, 45, 30, true, true, 1, 12, 40, 3, false, false, 1},
        {kApng, ExportKind::kVtr, 60, 40, false, true, 0, 6, 1000, 3, false, true, 0},
        {kBmp, ExportKind::kShaking, 61, 20, false, false, 0, 6, 40, 3, false, false,
         0},  // rows padded
        {kBmp, ExportKind::kStill, 30, 20, true, false, 0, 6, 40, 20, true, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        test::TempFolder folder;
        TestScene scene, twin;
        for (TestScene* s : {&scene, &twin}) {
            s->model.properties.vtrSpeed = c.vtrSpeed;
            s->model.properties.shakeStrength = c.shakeStrength;
            if (c.replayBefore) {
                s->renderer.StartReplay();
            }
        }
        scene.model.document.shakingOn = 0;
        const ExportRequest request{PathIn(folder, c.format), c.kind,        c.width,   c.height,
                                    c.antiAliasing,           c.transparent, c.endWait, c.delay};
        const std::vector<ShownFrame> rendered = test::RenderedFrames(twin, request, c.format);
        std::vector<ShownFrame> expected = c.format == kBmp ? rendered : test::Merge(rendered);
        RecordingProgress progress;
        ASSERT_TRUE(Export(c.format, scene, request, progress).Succeeded());
        ASSERT_EQ(test::Entries(folder.path()).size(), c.format == kBmp ? rendered.size() : 1u);
        // One WebP picture is a still image.
        const bool loops =
            c.format == kGif || c.format == kApng || (c.format == kWebp && expected.size() > 1);
        if (expected.empty()) {
            expected.push_back({std::vector<std::int64_t>(std::size_t{60} * 40, test::kClear), 0});
        }
        EXPECT_EQ(c.format == kGif    ? test::DecodeGif(request.path)
                  : c.format == kWebp ? test::DecodeWebp(request.path)
                  : c.format == kApng ? test::DecodeApng(request.path)
                                      : ReadBmps(request, rendered.size()),
                  (test::DecodedAnimation{c.width, c.height, loops, expected}));
        EXPECT_EQ(PartlyClear(expected),
                  c.format != kGif && c.format != kBmp && c.antiAliasing && c.transparent);

        EXPECT_EQ(scene.model.properties.vtrSpeed, c.vtrSpeed);
        EXPECT_EQ(scene.model.document.shakingOn, 0);
        EXPECT_EQ(scene.renderer.VtrMode(), c.replayAfter);
        const auto frames = static_cast<std::int32_t>(rendered.size());
        const bool twoPasses = (c.format == kGif || c.format == kApng) && c.antiAliasing;
        const std::int32_t high = twoPasses ? 2 * frames : frames;
        std::vector<std::string> statuses{texts::kExportPreparing};
        if (twoPasses) {
            statuses.insert(statuses.end(),
                            {texts::kExportCountingColours, texts::kExportPreparing});
        }
        if (c.format != kBmp) {
            statuses.push_back(WritingText(c.format));
        }
        statuses.push_back(texts::kExportFinished);
        EXPECT_EQ(progress.statuses, statuses);
        EXPECT_EQ(progress.ranges, (std::vector<std::pair<std::int32_t, std::int32_t>>{{0, high}}));
        EXPECT_EQ(progress.steps, high);
        EXPECT_EQ(progress.stepsUnder[texts::kExportPreparing], frames);
        EXPECT_EQ(progress.stepsUnder[texts::kExportCountingColours], high - frames);
        EXPECT_EQ(progress.reports.size(), rendered.size());
        EXPECT_EQ(std::count_if(progress.reports.begin(), progress.reports.end(),
                                [](const RenderReport& r) { return r.replayCompleted; }),
                  c.completions);
    }
}

// A cancel before the first frame, after the frame in hand (an anti-aliased GIF's colour count
// too), after the last, or part-way through a replay; refused sizes (beyond 1 GiB, no model area,
// wider than a WebP); the disk full part-way; the first BMP not renamed over walk0000.bmp, a folder
// that is not empty.
TEST(ExportTest, ACancelRefusalOrFailedWriteLeavesTheFolderAsItWas) {
    struct Case {
        ExportFormat format;
        ExportKind kind;
        bool antiAliasing;
        std::optional<std::size_t> cancelAfter;
        ExportOutcome outcome = ExportOutcome::kCancelled;
        std::int32_t width = 45, height = 30, canvasWidth = 60;
        std::size_t writesAllowed = 1 << 30;
    };
    constexpr ExportOutcome kNoWorkBuffer = ExportOutcome::kNoWorkBuffer,
                            kWriteFailed = ExportOutcome::kWriteFailed;
    std::vector<Case> cases{
        {kGif, ExportKind::kShaking, false, 0},  {kGif, ExportKind::kShaking, false, 3},
        {kGif, ExportKind::kShaking, false, 5},  {kGif, ExportKind::kShaking, true, 0},
        {kGif, ExportKind::kShaking, true, 5},   {kWebp, ExportKind::kShaking, false, 0},
        {kWebp, ExportKind::kShaking, true, 3},  {kWebp, ExportKind::kShaking, false, 5},
        {kBmp, ExportKind::kShaking, false, 1},  {kBmp, ExportKind::kShaking, false, 3},
        {kBmp, ExportKind::kShaking, false, 5},  {kBmp, ExportKind::kStill, false, 1},
        {kGif, ExportKind::kVtr, false, 3},      {kBmp, ExportKind::kVtr, false, 2},
        {kApng, ExportKind::kShaking, false, 0}, {kApng, ExportKind::kShaking, true, 3},
        {kApng, ExportKind::kShaking, false, 5}, {kApng, ExportKind::kVtr, true, 2},
    };
    cases.insert(cases.end(), {{kGif, ExportKind::kVtr, false, {}, kNoWorkBuffer, 20000, 20000},
                               {kGif, ExportKind::kVtr, false, {}, kNoWorkBuffer, 45, 30, 0},
                               {kWebp, ExportKind::kVtr, false, {}, kNoWorkBuffer, 16384, 10},
                               {kGif, ExportKind::kVtr, false, {}, kWriteFailed, 45, 30, 60, 100},
                               {kWebp, ExportKind::kVtr, false, {}, kWriteFailed, 45, 30, 60, 100},
                               {kApng, ExportKind::kVtr, false, {}, kWriteFailed, 45, 30, 60, 100},
                               {kApng, ExportKind::kVtr, true, {}, kWriteFailed, 45, 30, 60, 100},
                               {kBmp, ExportKind::kVtr, false, {}, kWriteFailed, 45, 30, 60, 100},
                               {kBmp, ExportKind::kShaking, false, {}, kWriteFailed}});
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases.data());
        test::TempFolder folder;
        std::filesystem::create_directories(folder.PathOf("walk0000.bmp/x"));
        for (const char* name : {"a.gif", "a.webp", "a.png", "walk.bmp", "walk0003.bmp"}) {
            std::ofstream(folder.PathOf(name)) << name << " as it was";
        }
        const std::map<std::string, std::string> before = test::Entries(folder.path());
        TestScene scene;
        scene.model.properties.canvasWidth = c.canvasWidth;
        scene.model.document.shakingOn = 0;
        RecordingProgress progress;
        progress.cancelAfter = c.cancelAfter;
        const ExportRequest request{PathIn(folder, c.format), c.kind, c.width, c.height,
                                    c.antiAliasing,           false,  5,       6};
        EXPECT_EQ(
            Export(c.format, scene, request, progress, test::WritesUpTo(c.writesAllowed)).outcome,
            c.outcome);
        EXPECT_EQ(test::Entries(folder.path()), before);
        EXPECT_EQ(scene.model.document.shakingOn, 0);
        EXPECT_EQ(scene.model.properties.vtrSpeed, 40);
        // A replay left unfinished ends as a finished one does, with a report of its own.
        const bool replayStarted = c.kind == ExportKind::kVtr && c.outcome != kNoWorkBuffer;
        EXPECT_FALSE(scene.renderer.VtrMode());
        EXPECT_EQ(std::count_if(progress.reports.begin(), progress.reports.end(),
                                [](const RenderReport& r) { return r.replayCompleted; }),
                  replayStarted ? 1 : 0);
        if (c.cancelAfter) {
            EXPECT_EQ(progress.reports.size(), *c.cancelAfter + (replayStarted ? 1 : 0));
        } else if (c.outcome == kNoWorkBuffer) {
            EXPECT_TRUE(progress.reports.empty());
        }
        const bool writing = c.outcome == kWriteFailed && c.format != kBmp;
        EXPECT_EQ(progress.statuses.back(), c.cancelAfter ? texts::kExportCancelled
                                            : !writing    ? texts::kExportPreparing
                                                          : WritingText(c.format));
    }
}

TEST(BmpFileTest, Bytes) {
    Image image{Bitmap(3, 2), {0, 1, 1, 1, 0, 2}, {0x0000FF, 0x00FF00, 0x123456}};
    const std::vector<std::uint8_t> expected{
        'B', 'M', 74,   0, 0, 0,    0, 0, 0,    0,    66,   0, 0, 0,  // file header
        40,  0,   0,    0, 3, 0,    0, 0, 2,    0,    0,    0, 1, 0,
        8,   0,  // size, width, height, 8 bits
        0,   0,   0,    0, 8, 0,    0, 0, 0,    0,    0,    0, 0, 0,
        0,   0,                                                 // no compression, 8 bytes
        3,   0,   0,    0, 0, 0,    0, 0,                       // three colours
        0,   0,   0xFF, 0, 0, 0xFF, 0, 0, 0x12, 0x34, 0x56, 0,  // blue, green, red, 0
        1,   0,   2,    0, 0, 1,    1, 0};                      // bottom row first, padded
    EXPECT_EQ(EncodeBmp(image), expected);
}

}  // namespace
}  // namespace zef
