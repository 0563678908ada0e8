#include "export/ApngWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "tests/TempFolder.h"
#include "tests/export/TestScene.h"

namespace zef {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// Frames of each way of storing pixels (a palette's indices packed, in a picture large enough
// for that, and whole), read back with Pillow: equal neighbours merged, a hold longer than a
// frame control can tell split and added up again, pixels that turn transparent and back,
// partly transparent ones, and frames of noise large enough that the frame count is put in
// after the start of the file reached the disk.
TEST(ApngWriterTest, PillowShowsEveryFrameWithItsDelay) {
    struct Case {
        const char* name;
        PngPixels kind;
        std::int32_t width, height;
        std::vector<std::uint32_t> palette;
        int bitDepth, colourType;
    };
    const std::uint32_t red = kOpaque | 0x0000FF, blue = kOpaque | 0xFF0000,
                        white = kOpaque | 0xFFFFFF;
    const Case cases[] = {
        {"palette", PngPixels::kPalette, 120, 90, {white, red, blue, 0}, 2, 3},
        {"palette of 17", PngPixels::kPalette, 40, 30, {}, 8, 3},
        {"colour", PngPixels::kColour, 300, 250, {}, 8, 2},
        {"colour and opacity", PngPixels::kColourAlpha, 300, 250, {}, 8, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint32_t> palette = c.palette;
        const bool alpha = c.kind == PngPixels::kColourAlpha || !c.palette.empty();
        const bool noise = c.kind != PngPixels::kPalette;
        const auto pixels = static_cast<std::size_t>(c.width) * c.height;
        // Frame f: a background (clear where it can be) or noise, partly transparent with
        // opacity, and a square moving right over it, partly transparent too, with the last
        // pixel in its colour, so that most of the box that changed did not.
        const auto frame = [&](int f) {
            std::vector<std::uint32_t> p(pixels, alpha ? 0 : white);
            if (noise && f != 2) {
                std::mt19937 random(7);
                for (std::size_t i = 0; i < pixels; ++i) {
                    p[i] = static_cast<std::uint32_t>(random()) | (alpha ? 0x80000000u : kOpaque);
                }
            }
            const std::uint32_t colour = c.kind == PngPixels::kColourAlpha
                                             ? (f % 2 ? red : blue) & 0x80FFFFFFu
                                             : (f % 2 ? red : blue);
            for (std::int32_t y = 5; y < 15; ++y) {
                for (std::int32_t x = 3 * f; x < 3 * f + 10; ++x) {
                    p[static_cast<std::size_t>(y * c.width + x)] = colour;
                }
            }
            p.back() = colour;
            if (c.palette.empty() && !noise) {
                for (std::uint32_t i = 0; i < 17; ++i) {
                    p[i] = kOpaque | i;
                }
            }
            return p;
        };
        const std::vector<std::pair<int, std::uint32_t>> shown = {{0, 6}, {1, 6}, {1, 7000}, {2, 6},
                                                                  {3, 3}, {3, 3}, {0, 6}};
        if (c.palette.empty() && !noise) {
            palette = {red, blue, white};
            for (std::uint32_t i = 0; i < 17; ++i) {
                palette.push_back(kOpaque | i);
            }
        }
        test::TempFolder folder;
        const std::string path = folder.PathOf("a.png");
        AnimatedPngWriter writer(path, c.width, c.height, c.kind, palette);
        std::vector<test::ShownFrame> expected;
        for (const auto& [f, delay] : shown) {
            const std::vector<std::uint32_t> p = frame(f);
            ASSERT_TRUE(writer.Add(p, delay));
            test::ShownFrame& s = expected.emplace_back(test::ShownFrame{{}, delay});
            for (const std::uint32_t pixel : p) {
                s.pixels.push_back(test::Shown(pixel & 0xFFFFFF, pixel >> 24));
            }
        }
        ASSERT_TRUE(writer.Finish());
        std::ifstream in(path, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        ASSERT_GT(bytes.size(), c.kind == PngPixels::kPalette ? 0u : 65536u);
        EXPECT_EQ(std::make_pair(int{bytes[24]}, int{bytes[25]}),
                  std::make_pair(c.bitDepth, c.colourType));
        EXPECT_EQ(test::DecodeApng(path),
                  (test::DecodedAnimation{c.width, c.height, true, test::Merge(expected)}));
    }
}

// A pixel outside the palette fails the file, which is then not put in place.
TEST(ApngWriterTest, APixelOutsideThePaletteLeavesNoFile) {
    test::TempFolder folder;
    const std::string path = folder.PathOf("a.png");
    AnimatedPngWriter writer(path, 2, 1, PngPixels::kPalette, {kOpaque});
    const std::uint32_t frames[][2] = {{kOpaque, kOpaque}, {kOpaque, kOpaque | 5}};
    for (const auto& frame : frames) {
        writer.Add(frame, 6);
    }
    EXPECT_FALSE(writer.Finish());
    EXPECT_TRUE(test::Entries(folder.path()).empty());
}

}  // namespace
}  // namespace zef
