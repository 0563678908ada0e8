#include "export/FramePasses.h"

#include <gtest/gtest.h>

#include "tests/export/TestScene.h"

namespace zef {
namespace {

// The writing pass gets the frames a single pass renders, whichever of them were kept, and
// leaves the replay where the last frame left it. The exports keep all of theirs.
TEST(FramePassesTest, TheWritingPassGetsTheRenderedFramesKeptOrNot) {
    struct Case {
        const char* name;
        std::size_t budget;
        std::int32_t width, height, lineWidth;
        std::vector<Colour> pens;
    };
    const std::vector<Colour> manyColours{{255, 0, 40}, {0, 60, 255}, {20, 255, 90}};
    const Case cases[] = {
        {"none kept", 0, 30, 20, 3, {}},
        {"the first few kept", 1600, 30, 20, 3, {}},
        {"more than 256 colours", FramePasses::kBudget, 41, 27, 5, manyColours},
    };
    const std::int64_t count = 6;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestScene scene(c.lineWidth, c.pens), twin(c.lineWidth, c.pens);
        for (test::TestScene* s : {&scene, &twin}) {
            s->model.document.shakingOn = 1;
            s->renderer.StartReplay();
        }
        FrameSource frames(scene.View(), c.width, c.height, true);
        FramePasses passes(frames, c.budget);
        test::RecordingProgress progress;
        const std::optional<Palette> palette = passes.CountColours(count, progress);
        ASSERT_TRUE(palette);
        EXPECT_EQ(progress.steps, count);
        EXPECT_EQ(palette->IsExact(), c.pens.empty());

        FrameSource single(twin.View(), c.width, c.height, true);
        Image image, expected;
        for (std::int64_t i = 0; i < count; ++i) {
            RenderReport report;
            ASSERT_TRUE(passes.Next(image, *palette, report));
            EXPECT_EQ(report, single.Next(expected));
            ASSERT_TRUE(ImageConvert(expected, *palette));
            EXPECT_EQ(image.indices, expected.indices) << i;
        }
        EXPECT_EQ(scene.renderer.VtrMode(), twin.renderer.VtrMode());
        EXPECT_EQ(scene.model.document.drawnPointCount, twin.model.document.drawnPointCount);
    }
}

}  // namespace
}  // namespace zef
