#include <gtest/gtest.h>
#include <unistd.h>
#include <webp/demux.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ExportTexts.h"
#include "Exporters.h"
#include "TempFolder.h"
#include "TestScene.h"
#include "WebpWriter.h"

namespace zef {
namespace {

using test::ShownFrame;
using test::TestScene;

struct DecodedWebp {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t loops = 1;
    std::vector<ShownFrame> frames;  // delays in hundredths
};

// Decodes the file with libwebp's animation decoder, every frame composited.
std::optional<DecodedWebp> DecodeWebp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const WebPData data{bytes.data(), bytes.size()};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_RGBA;
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    if (decoder == nullptr) {
        return std::nullopt;
    }
    WebPAnimInfo info;
    WebPAnimDecoderGetInfo(decoder, &info);
    DecodedWebp decoded{static_cast<std::int32_t>(info.canvas_width),
                        static_cast<std::int32_t>(info.canvas_height),
                        info.loop_count,
                        {}};
    int previous = 0;
    std::uint8_t* rgba = nullptr;
    int timestamp = 0;
    while (WebPAnimDecoderGetNext(decoder, &rgba, &timestamp)) {
        ShownFrame frame{{}, static_cast<std::uint32_t>(timestamp - previous) / 10};
        previous = timestamp;
        for (std::size_t i = 0; i < std::size_t{info.canvas_width} * info.canvas_height; ++i) {
            const std::uint8_t* p = rgba + 4 * i;
            frame.pixels.push_back(test::Shown(p[0] | p[1] << 8 | p[2] << 16, p[3]));
        }
        decoded.frames.push_back(std::move(frame));
    }
    WebPAnimDecoderDelete(decoder);
    return decoded;
}

bool PartlyClear(const std::vector<ShownFrame>& frames) {
    return std::any_of(frames.begin(), frames.end(), [](const ShownFrame& frame) {
        return std::any_of(frame.pixels.begin(), frame.pixels.end(), [](std::int64_t pixel) {
            return pixel != test::kClear && pixel >> 24 != 255;
        });
    });
}

TEST(ExportAnimatedWebpTest, TheFileShowsEveryRenderedFrameWithItsDelayAndOpacity) {
    struct Case {
        const char* name;
        std::int32_t kind, width, height;
        bool antiAliasing, transparent;
        std::int32_t endWait, delay, shakeStrength;
        bool partlyClear;
    };
    // The test model is 123.3 long: 3 frames of 40, then the end wait's frames.
    const Case cases[] = {
        {"VTR, still hold frames merged", kExportVtr, 60, 40, false, false, 1, 6, 0, false},
        {"shaking, transparent, stretched", kExportShaking, 90, 50, false, true, 5, 6, 3, false},
        {"VTR, anti-aliased", kExportVtr, 45, 30, true, false, 1, 18, 3, false},
        {"VTR, anti-aliased, transparent", kExportVtr, 45, 30, true, true, 1, 12, 3, true},
        {"VTR without frames", kExportVtr, 60, 40, false, true, 0, 6, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        const std::vector<Colour> pens{{255, 0, 40}, {0, 60, 255}, {250, 250, 240}};
        TestScene scene(5, pens);
        TestScene twin(5, pens);
        for (TestScene* s : {&scene, &twin}) {
            s->model.properties.vtrSpeed = c.kind == kExportVtr && c.endWait == 0 ? 1000 : 40;
            s->model.properties.shakeStrength = c.shakeStrength;
        }
        const ExportRequest request{folder.PathOf("a.webp"), c.kind,        c.width,   c.height,
                                    c.antiAliasing,          c.transparent, c.endWait, c.delay};
        const std::vector<ShownFrame> expected =
            test::Merge(test::RenderedFrames(twin, c.kind, c.width, c.height, c.antiAliasing,
                                             c.transparent, c.endWait, c.delay, true));
        test::RecordingProgress progress;
        ASSERT_TRUE(ExportAnimatedWebp(scene.View(), request, progress).Succeeded());

        const std::optional<DecodedWebp> decoded = DecodeWebp(request.path);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->width, c.width);
        EXPECT_EQ(decoded->height, c.height);
        if (expected.size() > 1) {  // one picture is written as a still image
            EXPECT_EQ(decoded->loops, 0u);
        }
        if (expected.empty()) {
            ASSERT_EQ(decoded->frames.size(), 1u);
            EXPECT_EQ(decoded->frames[0].pixels,
                      std::vector<std::int64_t>(decoded->frames[0].pixels.size(), test::kClear));
        } else {
            EXPECT_EQ(decoded->frames, expected);
        }
        EXPECT_EQ(PartlyClear(decoded->frames), c.partlyClear);
        EXPECT_EQ(progress.statuses,
                  (std::vector<std::string>{texts::kExportPreparing, texts::kExportWritingWebp,
                                            texts::kExportFinished}));
    }
}

TEST(ExportAnimatedWebpTest, RefusedSizesAndFailedWritesLeaveTheOldFile) {
    struct Case {
        const char* name;
        std::int32_t width;
        std::size_t writesAllowed;
        ExportOutcome outcome;
    };
    const Case cases[] = {
        {"wider than a WebP", 16384, 1 << 30, ExportOutcome::kNoWorkBuffer},
        {"disk full part-way", 60, 100, ExportOutcome::kWriteFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        const std::string path = folder.PathOf("a.webp");
        std::ofstream(path) << "before";
        TestScene scene;
        test::RecordingProgress progress;
        EXPECT_EQ(
            ExportAnimatedWebp(scene.View(), {path, kExportVtr, c.width, 10, false, false, 1, 6},
                               progress, test::WritesUpTo(c.writesAllowed))
                .outcome,
            c.outcome);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
        std::string content;
        std::ifstream(path) >> content;
        EXPECT_EQ(content, "before");
        EXPECT_EQ(scene.model.properties.vtrSpeed, 40);
    }
}

// A WebP frame shows for at most 16,777,215 ms: a longer one is stored as several frames of the
// same picture.
TEST(AnimatedWebpWriterTest, AFrameLongerThanAWebpFrameCanShowKeepsItsTime) {
    test::TempFolder folder;
    const std::string path = folder.PathOf("long.webp");
    AnimatedWebpWriter writer(2, 1, {});
    ASSERT_TRUE(writer.Add(Bitmap(2, 1, 0x0000FF), {}, 1'700'000));
    ASSERT_TRUE(writer.Add(Bitmap(2, 1, 0x00FF00), {}, 1));
    ASSERT_TRUE(writer.Finish(path));
    const std::optional<DecodedWebp> decoded = DecodeWebp(path);
    ASSERT_TRUE(decoded);
    const std::int64_t red = test::Shown(0x0000FF, 255);
    const std::int64_t green = test::Shown(0x00FF00, 255);
    // The decoder's hundredths cut the 5 ms each part ends in.
    EXPECT_EQ(decoded->frames,
              (std::vector<ShownFrame>{
                  {{red, red}, 1'677'721}, {{red, red}, 22'278}, {{green, green}, 1}}));
}

}  // namespace
}  // namespace zef
