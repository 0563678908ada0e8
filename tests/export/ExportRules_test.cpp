#include "export/ExportRules.h"

#include <gtest/gtest.h>

#include "export/ExportOptions.h"
#include "export/UnsignedNumber.h"

namespace zef {
namespace {

TEST(ExportRulesTest, DelayStepAndFrameCount) {
    struct Case {
        ExportKind kind;
        std::int32_t smoothness, vtrSpeed, endWait;
        double length;
        std::int32_t delay, step;
        std::int64_t count;
    };
    const Case cases[] = {
        {ExportKind::kShaking, 3, 40, -7, 1000, 6, 40, 5},
        {ExportKind::kStill, 12, 40, 5, 1000, 6, 40, 1},
        {ExportKind::kVtr, 0, 40, 0, 1000, 18, 120, 8},               // 1000 / 120
        {ExportKind::kVtr, 12, 40, 0, 39.9, 6, 40, 0},                // below one step: nothing
        {ExportKind::kVtr, 12, 0, 0, 10, 6, 1, 10},                   // a speed below 1 steps by 1
        {ExportKind::kVtr, 12, 40, -1, 10, 6, 40, 0},                 // never below no frames
        {ExportKind::kVtr, 12, 40, 0, 1e12, 6, 40, 4294967295 / 40},  // length held to 32 bits
        {ExportKind::kVtr, 12, 2147483647, 1, 10, 6, 2147483647, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "kind " << static_cast<int>(c.kind) << " speed " << c.vtrSpeed);
        const std::int32_t delay = FrameDelay(c.kind, c.smoothness);
        EXPECT_EQ(delay, c.delay);
        EXPECT_EQ(ReplayStep(c.vtrSpeed, delay), c.step);
        EXPECT_EQ(FrameCount(c.kind, c.length, c.vtrSpeed, c.endWait, delay), c.count);
    }
}

TEST(ExportRulesTest, PreviewTexts) {
    // Model length 1000 at speed 40, smoothness 12.
    struct Case {
        ExportKind kind;
        std::string_view endWait, width, height, gifCount;
        BmpPreview bmp;
        std::optional<BmpSequenceBytes> bmpBytes;  // frames x (54 + padded rows + palette)
    };
    const Case cases[] = {
        {ExportKind::kShaking,
         "abc",
         "500",
         "400",
         "5",
         {"5", "     0.954"},
         BmpSequenceBytes{5 * 200'058, 5 * 201'078}},
        {ExportKind::kVtr, "-1", "100", "100", "***", {"***", "***"}, {}},
        {ExportKind::kVtr, "2147483648", "100", "100", "***", {"***", "***"}, {}},  // negative as
                                                                                    // signed
        {ExportKind::kVtr,
         "5x",
         "101",
         "100",
         "108",
         {"108", "     1.040"},  // digits up to the x
         BmpSequenceBytes{108 * 10'458, 108 * 11'478}},
        {ExportKind::kShaking, "5", "abc", "100", "5", {"***", "***"}, {}},
        {ExportKind::kShaking,
         "5",
         "65535",
         "65535",
         "5",
         {"5", " 20479.375"},
         BmpSequenceBytes{5 * 4'294'901'818ull, 5 * 4'294'902'838ull}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << static_cast<int>(c.kind) << " '" << c.endWait << "' " << c.width);
        EXPECT_EQ(FramePreviewText(c.kind, c.endWait, 12, 1000, 40), c.gifCount);
        EXPECT_EQ(BmpPreviewTexts(c.kind, c.endWait, 12, 1000, 40, c.width, c.height), c.bmp);
        EXPECT_EQ(BmpSequenceSize(c.kind, c.endWait, 12, 1000, 40, c.width, c.height), c.bmpBytes);
    }
}

TEST(ExportRulesTest, PathsFieldsNumbersSizesAndStoredOptions) {
    EXPECT_EQ(BmpFileName("walk", ExportKind::kShaking, 12345), "walk12345.bmp");
    EXPECT_EQ(BmpFileName("walk", ExportKind::kStill, 0), "walk.bmp");
    EXPECT_EQ(ProposedExportPath("/a/b.zfm", ".gif"), "/a/b.gif");
    EXPECT_EQ(ParseSide(" 640"), 640);
    EXPECT_EQ(ParseSide("-5"), std::nullopt);
    EXPECT_EQ(ParseSide("2147483648"), std::nullopt);
    EXPECT_EQ(ParseNonNegative("0"), 0);
    EXPECT_EQ(ProportionalSide("333", 800, 600), 249);
    EXPECT_EQ(ProportionalSide("4000000000", 10, 600), 240000000000);
    EXPECT_EQ(ProportionalSide("12a", 800, 600), 9);
    EXPECT_EQ(ProportionalSide("a12", 800, 600), std::nullopt);
    EXPECT_EQ(ProportionalSide("12", 0, 600), std::nullopt);
    EXPECT_TRUE(FrameSizeCanBeHad(16384, 16384));  // 1 GiB exactly
    EXPECT_FALSE(FrameSizeCanBeHad(16384, 16385));
    EXPECT_FALSE(FrameSizeCanBeHad(65536, 1));
    EXPECT_EQ(ReadUnsignedNumber("  \t 42"), 42u);
    EXPECT_EQ(ReadUnsignedNumber("00000000000000004294967295"), 4294967295u);
    EXPECT_EQ(ReadUnsignedNumber("4294967296"), std::nullopt);
    ExportOptions options;
    StoreExportOptions(options, ExportKind::kVtr, 1, 1, 9, 13);
    EXPECT_EQ(options.smoothness, 5);
    EXPECT_EQ(options.endWait, 9);
    StoreExportOptions(options, ExportKind::kShaking, 0, 0, 5, 6);
    EXPECT_EQ(options.smoothness, 12);
}

}  // namespace
}  // namespace zef
