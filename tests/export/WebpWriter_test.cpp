#include "export/WebpWriter.h"

#include <gtest/gtest.h>

#include "tests/TempFolder.h"
#include "tests/export/TestScene.h"

namespace zef {
namespace {

// A WebP frame shows for at most 16,777,215 ms: a longer one is stored as several frames of the
// same picture.
TEST(AnimatedWebpWriterTest, AFrameLongerThanAWebpFrameCanShowKeepsItsTime) {
    test::TempFolder folder;
    const std::string path = folder.PathOf("long.webp");
    AnimatedWebpWriter writer(2, 1, {});
    ASSERT_TRUE(writer.Add(Bitmap(2, 1, 0x0000FF), {}, 1'700'000));
    ASSERT_TRUE(writer.Add(Bitmap(2, 1, 0x00FF00), {}, 1));
    ASSERT_TRUE(writer.Finish(path));
    const std::int64_t red = test::Shown(0x0000FF, 255);
    const std::int64_t green = test::Shown(0x00FF00, 255);
    // The decoder's hundredths cut the 5 ms each part ends in.
    EXPECT_EQ(
        test::DecodeWebp(path),
        (test::DecodedAnimation{
            2, 1, true, {{{red, red}, 1'677'721}, {{red, red}, 22'278}, {{green, green}, 1}}}));
}

}  // namespace
}  // namespace zef
