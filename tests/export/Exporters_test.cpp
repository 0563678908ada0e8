#include "Exporters.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "BmpFile.h"
#include "ExportTexts.h"
#include "TempFolder.h"
#include "TestScene.h"

namespace zef {
namespace {

using test::RecordingProgress;
using test::TestScene;

TEST(ExportAnimatedGifTest, TheFileShowsEveryRenderedFrameAndTheSceneIsKept) {
    struct Case {
        const char* name;
        std::int32_t kind, width, height;
        bool antiAliasing, transparent;
        std::int32_t endWait, smoothness, vtrSpeed;
        bool replayBefore, replayAfter;
        long completions;
        bool manyColours = false;  // more than 256 pen shades: each within 48 of its own
    };
    // The test model is 123.3 long: 3 frames of 40, then the end wait's frames.
    const Case cases[] = {
        {"shaking, a running replay goes on and completes", kExportShaking, 60, 40, false, false, 1,
         12, 40, true, false, 1},
        {"shaking, transparent", kExportShaking, 60, 40, false, true, 5, 12, 40, false, false, 0},
        {"VTR", kExportVtr, 60, 40, false, false, 1, 12, 40, false, false, 1},
        {"VTR, transparent, stretched", kExportVtr, 90, 50, false, true, 1, 6, 40, false, false, 1},
        {"VTR, anti-aliased, transparency ignored", kExportVtr, 45, 30, true, true, 1, 0, 40, false,
         false, 1},
        {"VTR without frames", kExportVtr, 60, 40, false, false, 0, 12, 1000, false, true, 0},
        {"many anti-aliased colours", kExportShaking, 41, 27, true, false, 5, 12, 40, false, false,
         0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        const std::vector<Colour> pens{{255, 0, 40}, {0, 60, 255}, {20, 255, 90}};
        TestScene scene(c.manyColours ? 5 : 3, c.manyColours ? pens : std::vector<Colour>{});
        TestScene twin(c.manyColours ? 5 : 3, c.manyColours ? pens : std::vector<Colour>{});
        for (TestScene* s : {&scene, &twin}) {
            s->model.properties.vtrSpeed = c.vtrSpeed;
            if (c.replayBefore) {
                s->renderer.StartReplay();
            }
        }
        scene.model.document.shakingOn = 0;
        const std::int32_t delay = FrameDelay(c.kind, c.smoothness);
        const std::vector<test::ShownFrame> rendered =
            test::RenderedFrames(twin, c.kind, c.width, c.height, c.antiAliasing,
                                 c.transparent && !c.antiAliasing, c.endWait, delay);
        const std::vector<test::ShownFrame> expected = test::Merge(rendered);
        RecordingProgress progress;
        const std::string path = folder.PathOf("a.gif");
        const ExportResult result = ExportAnimatedGif(
            scene.View(),
            {path, c.kind, c.width, c.height, c.antiAliasing, c.transparent, c.endWait, delay},
            progress);
        ASSERT_TRUE(result.Succeeded());
        const std::optional<test::DecodedGif> decoded = test::DecodeGif(path);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->width, c.width);
        EXPECT_EQ(decoded->height, c.height);
        ASSERT_EQ(test::ColourCount(expected) > 256u, c.manyColours);
        if (expected.empty()) {
            ASSERT_EQ(decoded->frames.size(), 1u);
            EXPECT_EQ(decoded->frames[0].delay, 0u);
        } else if (!c.manyColours) {
            EXPECT_EQ(decoded->frames, expected);
        } else {
            ASSERT_EQ(decoded->frames.size(), expected.size());
            for (std::size_t f = 0; f < expected.size(); ++f) {
                for (std::size_t i = 0; i < expected[f].pixels.size(); ++i) {
                    const auto a = static_cast<std::uint32_t>(expected[f].pixels[i]);
                    const auto b = static_cast<std::uint32_t>(decoded->frames[f].pixels[i]);
                    for (const int shift : {0, 8, 16}) {
                        EXPECT_NEAR((a >> shift) & 0xFF, (b >> shift) & 0xFF, 48) << f << " " << i;
                    }
                }
            }
        }
        EXPECT_EQ(test::Entries(folder.path()).size(), 1u);

        EXPECT_EQ(scene.model.properties.vtrSpeed, c.vtrSpeed);
        EXPECT_EQ(scene.model.document.shakingOn, 0);
        EXPECT_EQ(scene.renderer.VtrMode(), c.replayAfter);
        // With anti-aliasing the bar runs once over the colour pass and the writing pass, each
        // under its own status text.
        const auto frames = static_cast<std::int32_t>(rendered.size());
        const std::int32_t high = c.antiAliasing ? 2 * frames : frames;
        std::vector<std::string> statuses{texts::kExportPreparing, texts::kExportWritingGif,
                                          texts::kExportFinished};
        if (c.antiAliasing) {
            statuses.insert(statuses.begin() + 1,
                            {texts::kExportCountingColours, texts::kExportPreparing});
        }
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

TEST(ExportAnimatedGifTest, RefusedSizesAndFailedWritesLeaveNothing) {
    struct Case {
        const char* name;
        std::int32_t width;
        std::int32_t height;
        std::int32_t canvasWidth;
        std::size_t writesAllowed;
        ExportOutcome outcome;
    };
    const Case cases[] = {
        {"beyond 1 GiB", 20000, 20000, 60, 1 << 30, ExportOutcome::kNoWorkBuffer},
        {"no model area", 60, 40, 0, 1 << 30, ExportOutcome::kNoWorkBuffer},
        {"disk full part-way", 60, 40, 60, 100, ExportOutcome::kWriteFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        const std::string path = folder.PathOf("a.gif");
        std::ofstream(path) << "before";
        TestScene scene;
        scene.model.properties.canvasWidth = c.canvasWidth;
        RecordingProgress progress;
        const ExportResult result = ExportAnimatedGif(
            scene.View(), {path, kExportVtr, c.width, c.height, false, false, 5, 6}, progress,
            test::WritesUpTo(c.writesAllowed));
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(scene.model.properties.vtrSpeed, 40);
        EXPECT_EQ(test::Entries(folder.path()).size(), 1u);
        std::string content;
        std::ifstream(path) >> content;
        EXPECT_EQ(content, "before");
        if (c.outcome == ExportOutcome::kNoWorkBuffer) {
            EXPECT_TRUE(progress.reports.empty());
            EXPECT_FALSE(scene.renderer.VtrMode());
        }
        EXPECT_EQ(progress.statuses.back(), c.outcome == ExportOutcome::kWriteFailed
                                                ? texts::kExportWritingGif
                                                : texts::kExportPreparing);
    }
}

// The pixels of an 8-bit BMP as colour values, rows top to bottom.
std::vector<std::int64_t> ReadBmp(const std::string& path, std::int32_t& width,
                                  std::int32_t& height) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> b{std::istreambuf_iterator<char>(in), {}};
    const auto u32 = [&b](std::size_t at) {
        return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 |
                                          b[at + 3] << 24);
    };
    width = static_cast<std::int32_t>(u32(18));
    height = static_cast<std::int32_t>(u32(22));
    const std::uint32_t offset = u32(10);
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) / 4 * 4;
    std::vector<std::int64_t> pixels;
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const std::size_t entry =
                54 + 4 * b[offset + static_cast<std::size_t>(height - 1 - y) * stride +
                           static_cast<std::size_t>(x)];
            pixels.push_back(b[entry + 2] | b[entry + 1] << 8 | b[entry] << 16);
        }
    }
    return pixels;
}

// walk0002.bmp holds something of its own before every export.
TEST(ExportBmpSequenceTest, TheFilesAppearWithTheirFramesWhenAllAreWritten) {
    struct Case {
        const char* name;
        std::int32_t kind;
        std::int32_t width;
        bool antiAliasing;
        std::size_t placed;  // the frames that end under their names
        ExportOutcome outcome = ExportOutcome::kDone;
        int failingFlush = 0;      // of this file, from 1
        bool renameFails = false;  // walk0001.bmp is a folder that is not empty
    };
    const Case cases[] = {
        {"shaking", kExportShaking, 61, false, 5},
        {"still, strong jitter and a running replay", kExportStill, 30, true, 1},
        {"a flush fails", kExportVtr, 60, false, 0, ExportOutcome::kWriteFailed, 3},
        {"a rename fails part-way", kExportShaking, 60, false, 1, ExportOutcome::kWriteFailed, 0,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        const std::string base = folder.PathOf("walk");
        std::ofstream(folder.PathOf("walk0002.bmp")) << "old";
        if (c.renameFails) {
            std::filesystem::create_directories(folder.PathOf("walk0001.bmp/x"));
        }
        const std::map<std::string, std::string> before = test::Entries(folder.path());
        TestScene scene;
        TestScene twin;
        if (c.kind == kExportStill) {
            for (TestScene* s : {&scene, &twin}) {
                s->model.properties.shakeStrength = 20;
                s->renderer.StartReplay();
            }
        }
        const std::vector<test::ShownFrame> expected =
            test::RenderedFrames(twin, c.kind, c.width, 20, c.antiAliasing, false, 0, 6);
        int flushes = 0;
        FileOps ops = SystemFileOps();
        ops.flush = [&flushes, &c](int fd) {
            return ++flushes == c.failingFlush ? -1 : ::fsync(fd);
        };
        RecordingProgress progress;
        const ExportResult result = ExportBmpSequence(
            scene.View(), {base, c.kind, c.width, 20, c.antiAliasing, false, 0, 6}, progress, ops);
        EXPECT_EQ(result.outcome, c.outcome);

        std::map<std::string, std::string> after = test::Entries(folder.path());
        std::map<std::string, std::string> untouched = before;
        for (std::size_t i = 0; i < c.placed; ++i) {
            const std::string name = BmpFileName("walk", c.kind, static_cast<std::int64_t>(i));
            std::int32_t width = 0, height = 0;
            EXPECT_EQ(ReadBmp(folder.PathOf(name), width, height), expected[i].pixels);
            EXPECT_EQ(std::make_pair(width, height), std::make_pair(c.width, 20));
            after.erase(name);
            untouched.erase(name);
        }
        EXPECT_EQ(after, untouched);
        if (c.outcome == ExportOutcome::kDone) {
            EXPECT_EQ(progress.statuses,
                      (std::vector<std::string>{texts::kExportPreparing, texts::kExportFinished}));
        }
        EXPECT_EQ(scene.model.document.shakingOn, 1);
        if (c.kind == kExportStill) {  // no jitter; the replay goes on after one frame
            for (const PointRecord& point : scene.model.points) {
                EXPECT_EQ(point.shakeDx, 0);
                EXPECT_EQ(point.shakeDy, 0);
            }
            EXPECT_TRUE(scene.renderer.VtrMode());
            EXPECT_EQ(scene.renderer.ReplayLength(), 40u);
        }
    }
}

// A cancel stops after the frame in hand, before the first frame, or once the last is written
// but before anything is put in place; the GIF's colour count of anti-aliased frames stops as
// well. The old files keep every byte.
TEST(ExportCancelTest, ACancelAtAnyFrameLeavesTheFolderAsItWas) {
    constexpr ExportFormat kGif = ExportFormat::kGif, kWebp = ExportFormat::kWebp,
                           kBmp = ExportFormat::kBmp;
    struct Case {
        ExportFormat format;
        std::int32_t kind;
        bool antiAliasing;
        std::size_t cancelAfter;
    };
    const Case cases[] = {
        {kGif, kExportShaking, false, 0},  {kGif, kExportShaking, false, 1},
        {kGif, kExportShaking, false, 3},  {kGif, kExportShaking, false, 5},
        {kGif, kExportShaking, true, 0},   {kGif, kExportShaking, true, 5},
        {kWebp, kExportShaking, false, 0}, {kWebp, kExportShaking, true, 3},
        {kWebp, kExportShaking, false, 5}, {kBmp, kExportShaking, false, 1},
        {kBmp, kExportShaking, false, 3},  {kBmp, kExportShaking, false, 5},
        {kBmp, kExportStill, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.format) << " " << c.kind << " "
                                        << c.antiAliasing << " " << c.cancelAfter);
        test::TempFolder folder;
        for (const char* name : {"a.gif", "a.webp", "walk.bmp", "walk0000.bmp", "walk0003.bmp"}) {
            std::ofstream(folder.PathOf(name)) << name << " as it was";
        }
        const std::map<std::string, std::string> before = test::Entries(folder.path());
        TestScene scene;
        scene.model.document.shakingOn = 0;
        RecordingProgress progress;
        progress.cancelAfter = c.cancelAfter;
        const ExportRequest request{folder.PathOf(c.format == kGif    ? "a.gif"
                                                  : c.format == kWebp ? "a.webp"
                                                                      : "walk"),
                                    c.kind,
                                    45,
                                    30,
                                    c.antiAliasing,
                                    false,
                                    5,
                                    6};
        const ExportResult result =
            c.format == kGif    ? ExportAnimatedGif(scene.View(), request, progress)
            : c.format == kWebp ? ExportAnimatedWebp(scene.View(), request, progress)
                                : ExportBmpSequence(scene.View(), request, progress);
        EXPECT_EQ(result.outcome, ExportOutcome::kCancelled);
        EXPECT_EQ(test::Entries(folder.path()), before);
        EXPECT_EQ(progress.reports.size(), c.cancelAfter);
        EXPECT_EQ(progress.statuses.back(), texts::kExportCancelled);
        EXPECT_EQ(scene.model.document.shakingOn, 0);
        EXPECT_EQ(scene.model.properties.vtrSpeed, 40);
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
