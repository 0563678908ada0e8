#include "export/WebpWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

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

// Frames large enough to be weighed at a second level, each judged by a frame compressed
// before it, come out whole and in their order, and the same frames make the same file however
// the threads ran.
TEST(AnimatedWebpWriterTest, FramesWeighedAtTwoLevelsShowAsTheyWereAndTheFileRepeats) {
    test::TempFolder folder;
    std::vector<std::vector<std::uint8_t>> files;
    std::vector<test::ShownFrame> expected;
    for (const char* name : {"a.webp", "b.webp"}) {
        const std::string path = folder.PathOf(name);
        AnimatedWebpWriter writer(300, 100, {});
        std::mt19937 random(5);
        expected.clear();
        for (int f = 0; f < 40; ++f) {
            Bitmap frame(300, 100, 0x00FFFF);
            for (std::int32_t y = 0; y < 100; ++y) {
                for (const std::int64_t x : {10 + f + y / 2, 200 - f - y / 2}) {
                    const auto shaken = x + static_cast<std::int64_t>(random() % 3);
                    frame.FillSpan(y, shaken, shaken + 7, 0);
                }
            }
            ASSERT_TRUE(writer.Add(frame, {}, 6));
            test::ShownFrame& shown = expected.emplace_back(test::ShownFrame{{}, 6});
            for (const std::uint32_t pixel : frame.Pixels()) {
                shown.pixels.push_back(test::Shown(pixel, 255));
            }
        }
        ASSERT_TRUE(writer.Finish(path));
        std::ifstream in(path, std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        EXPECT_EQ(test::DecodeWebp(path), (test::DecodedAnimation{300, 100, true, expected}));
    }
    EXPECT_EQ(files[0], files[1]);
}

}  // namespace
}  // namespace zef
