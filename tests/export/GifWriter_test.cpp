#include "export/GifWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string_view>

#include "model/Random.h"
#include "tests/TempFolder.h"
#include "tests/export/TestScene.h"

namespace zef {
namespace {

// Background, shadow and line.
const std::vector<std::uint32_t> kPens{0x009CEE, 0x00488A, 0x000000};

struct Frame {
    std::vector<std::uint8_t> indices;
    std::uint32_t delay;
};

// Indices as digits: "0120" for 0, 1, 2, 0.
Frame F(std::string_view digits, std::uint32_t delay) {
    Frame frame{{}, delay};
    for (const char digit : digits) {
        frame.indices.push_back(static_cast<std::uint8_t>(digit - '0'));
    }
    return frame;
}

struct Sequence {
    std::int32_t width, height;
    std::vector<std::uint32_t> colours;
    bool transparent;  // colour 0 shows nothing
    std::vector<Frame> frames;
};

// One picture of indices shown for 6, each made from its place and a random number.
Sequence Made(int width, int height, const std::vector<std::uint32_t>& colours,
              const std::function<int(int x, int y, int random)>& index) {
    Random random(7);
    Frame frame{{}, 6};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            frame.indices.push_back(static_cast<std::uint8_t>(index(x, y, random.Next())));
        }
    }
    return {width, height, colours, false, {frame}};
}

// The sequence with its last frame again, moved one pixel to the right: a pixel whose
// neighbour matched it stays, so the keyed candidates choose between it and the key.
Sequence Moved(Sequence sequence) {
    Frame next = sequence.frames.back();
    std::rotate(next.indices.rbegin(), next.indices.rbegin() + 1, next.indices.rend());
    sequence.frames.push_back(next);
    return sequence;
}

// How the lines of Drifting lie: `period` pixels apart, and wavering from row to row or not.
struct Drift {
    int width = 120, height = 90, period = 23;
    bool wavering = false;
};

// Thirty frames of slanted lines that drift a pixel a frame, on the right only every third
// frame: long enough for candidates that lost to rest and be weighed again. On close wavering
// lines the parse search of the keyed box saves enough on some frames and rests on others.
Sequence Drifting(bool transparent, Drift drift = {}) {
    Sequence sequence{drift.width, drift.height, kPens, transparent, {}};
    for (int t = 0; t < 30; ++t) {
        Frame frame{{}, 6};
        for (int y = 0; y < drift.height; ++y) {
            const int waver = drift.wavering ? y * y / 7 % 5 : 0;
            for (int x = 0; x < drift.width; ++x) {
                const int shift = x < drift.width / 2 ? t : t - t % 3;
                frame.indices.push_back(static_cast<std::uint8_t>(
                    std::max(0, 2 - (x + y / 3 + shift + waver) % drift.period / 2)));
            }
        }
        sequence.frames.push_back(std::move(frame));
    }
    return sequence;
}

// 256 indices i * 7 + shift, shown for 6.
Frame Ramp(std::uint32_t shift) {
    Frame frame{{}, 6};
    for (std::uint32_t i = 0; i < 256; ++i) {
        frame.indices.push_back(static_cast<std::uint8_t>(i * 7 + shift));
    }
    return frame;
}

TEST(GifWriterTest, EveryShownPictureAndDelayIsTheWrittenOne) {
    std::vector<std::uint32_t> full;
    for (std::uint32_t i = 0; i < 256; ++i) {
        full.push_back(i * 0x010203 & 0xFFFFFF);
    }
    const std::vector<std::uint32_t> two{0, 1};
    const Sequence sequences[] = {
        // Equal neighbours are merged; a drawn pixel turns transparent.
        {4, 1, kPens, true, {F("0200", 6), F("0200", 6), F("0020", 6), F("0000", 6), F("1111", 6)}},
        // Clearing reaches beyond the change before.
        {8, 1, kPens, true, {F("20000000", 5), F("20000001", 5), F("00000001", 5)}},
        // Long showings are split, also before a clearing.
        {2, 1, kPens, true, {F("22", 65535), F("22", 65535), F("02", 7)}},
        // A full palette has no spare index.
        {16, 16, full, false, {Ramp(0), Ramp(1), Ramp(1), Ramp(9)}},
        // Hard on the LZW codes: one pixel, two, a single colour, noise, sixteen colours of their
        // own every 10,000 pixels (a full code table soon helps nothing), slanted lines two
        // pixels wide with their shadows.
        {1, 1, two, false, {F("1", 6)}},
        {2, 1, full, false, {{{255, 255}, 6}}},
        Made(600, 600, two, [](int, int, int) { return 0; }),
        Made(256, 128, full, [](int, int, int r) { return r; }),
        Made(1000, 100, full, [](int, int y, int r) { return (y / 10 * 16 + r % 16) % 256; }),
        Made(400, 300, kPens,
             [](int x, int y, int) { return std::max(0, 2 - (x + y / 3) % 97 / 2); }),
        // Keyed, once with a full code table, once with lines; rows alike every eighth row,
        // which code smaller interlaced.
        Moved(Made(300, 300, full, [](int, int, int r) { return r % 16; })),
        Moved(Made(60, 64, kPens, [](int, int y, int r) { return y % 8 == 0 ? 2 : r % 2; })),
        Moved(Made(400, 300, kPens,
                   [](int x, int y, int) { return std::max(0, 2 - (x + y / 3) % 97 / 2); })),
        // Many frames, opaque and transparent, and with the parse search now paying, now not.
        Drifting(false),
        Drifting(true),
        Drifting(false, {200, 150, 11, true}),
        Drifting(false, {200, 150, 17, true}),
    };
    // Each written with one coder and with four, byte for byte the same, then smallest: the
    // same pictures in no more bytes.
    const GifOptions variants[] = {{{}, false, 1}, {{}, false, 4}, {{}, true, 0}};
    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(&sequence - sequences);
        test::TempFolder folder;
        std::vector<std::string> files;
        for (GifOptions options : variants) {
            SCOPED_TRACE(files.size());
            const std::string path = folder.PathOf(std::to_string(files.size()) + ".gif");
            if (sequence.transparent) {
                options.transparentColour = kPens[0];
            }
            AnimatedGifWriter writer(path, sequence.width, sequence.height,
                                     Palette::Exact(sequence.colours), options);
            std::vector<test::ShownFrame> shown;
            for (const Frame& frame : sequence.frames) {
                ASSERT_TRUE(writer.Add(frame.indices, frame.delay));
                shown.push_back({{}, frame.delay});
                for (const std::uint8_t index : frame.indices) {
                    shown.back().pixels.push_back(sequence.transparent && index == 0
                                                      ? test::kClear
                                                      : std::int64_t{sequence.colours[index]});
                }
            }
            ASSERT_TRUE(writer.Finish());
            EXPECT_EQ(test::DecodeGif(path),
                      (test::DecodedAnimation{sequence.width, sequence.height, true,
                                              test::Merge(std::move(shown))}));
            files.push_back(test::Contents(path));
        }
        EXPECT_EQ(files[0], files[1]);
        EXPECT_LE(files[2].size(), files[0].size());
    }
}

}  // namespace
}  // namespace zef
