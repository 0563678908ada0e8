#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "export/SizeFit.h"

namespace zef {
namespace {

TEST(SizeFitTest, ByteLimitsReadInThousands) {
    const struct {
        const char* text;
        std::optional<std::uint64_t> bytes;
    } cases[] = {
        {"123456", 123456},
        {"1MB", 1000000},
        {"500KB", 500000},
        {"750kb", 750000},
        {"2.5MB", 2500000},
        {"2.5 mb", 2500000},
        {"1k", 1000},
        {"10b", 10},
        {"", std::nullopt},
        {"MB", std::nullopt},
        {"0", std::nullopt},
        {"1.2.3MB", std::nullopt},
        {"5TB", std::nullopt},
        {"-5KB", std::nullopt},
        {"5 KiB", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseByteLimit(c.text), c.bytes) << c.text;
    }
}

// Files of line drawings: an overhead and bytes growing with the area, or with the side (thin
// lines), or faster than either; a lossy format's file halving with every 6 of quality given up.
using Bytes = std::function<double(const FitSettings&)>;

double Area(const FitSettings& s) {
    return static_cast<double>(s.width) * s.height;
}

double QualityFactor(const FitSettings& s) {
    return s.quality ? std::exp2(-(*s.quality - 18) / 6.0) : 1.0;
}

FitEnd Fit(const FitRange& range, std::uint64_t limit, const Bytes& bytes) {
    return FitUnderLimit(range, limit, [&](const FitSettings& settings) {
        return TrialEncode{{}, static_cast<std::uint64_t>(bytes(settings)), {}};
    });
}

// The widest settings that fit, searched level by level.
std::int32_t WidestFitting(const FitRange& range, std::uint64_t limit, const Bytes& bytes) {
    std::int32_t widest = 0;
    for (double level = 0; level <= LowestFitLevel(range); level += 0.001) {
        const FitSettings s = FitSettingsAt(range, level);
        if (bytes(s) <= static_cast<double>(limit)) {
            widest = std::max(widest, s.width);
        }
    }
    return widest;
}

TEST(SizeFitTest, TheLargestFittingSizeIsFoundInAFewTrials) {
    const QualitySpan video{18, 28, 10 / 6.0};
    const struct {
        const char* name;
        FitRange range;
        std::uint64_t limit;
        Bytes bytes;
        std::size_t mostTrials;
    } cases[] = {
        {"fits as asked", {800, 600, {}}, 1'000'000, [](auto& s) { return 2 * Area(s); }, 1},
        {"area", {800, 600, {}}, 200'000, [](auto& s) { return 1000 + 1.5 * Area(s); }, 4},
        {"side", {800, 600, {}}, 100'000, [](auto& s) { return 800.0 * s.width; }, 4},
        {"steep",
         {800, 600, {}},
         50'000,
         [](auto& s) { return 1e-3 * Area(s) * Area(s) / 100; },
         6},
        {"overhead", {800, 600, {}}, 60'000, [](auto& s) { return 40'000 + 0.5 * Area(s); }, 6},
        {"tall", {90, 1600, {}}, 30'000, [](auto& s) { return 2.0 * Area(s); }, 4},
        {"video",
         {800, 600, video},
         80'000,
         [](auto& s) { return 3 * Area(s) * QualityFactor(s); },
         6},
    };
    for (const auto& c : cases) {
        const FitEnd end = Fit(c.range, c.limit, c.bytes);
        ASSERT_TRUE(end.result.Succeeded()) << c.name;
        EXPECT_LE(c.bytes(end.settings), static_cast<double>(c.limit)) << c.name;
        EXPECT_LE(end.trials.size(), c.mostTrials) << c.name;
        EXPECT_GE(end.settings.width, 0.96 * WidestFitting(c.range, c.limit, c.bytes)) << c.name;
        EXPECT_NEAR(static_cast<double>(end.settings.height) * c.range.width /
                        (static_cast<double>(end.settings.width) * c.range.height),
                    1.0, 0.03)
            << c.name;
    }
}

TEST(SizeFitTest, AVideoGivesUpQualityBeforeSize) {
    const FitRange range{800, 600, QualitySpan{18, 28, 10 / 6.0}};
    const FitEnd slight =
        Fit(range, 1'000'000, [](auto& s) { return 3 * Area(s) * QualityFactor(s); });
    EXPECT_EQ(slight.settings.width, 800);
    EXPECT_GT(*slight.settings.quality, 18);
    EXPECT_EQ(FitSettingsAt(range, LowestFitLevel(range)), (FitSettings{21, 16, 28}));
}

TEST(SizeFitTest, NothingFitsBelowTheSmallestSize) {
    int encodes = 0;
    const FitEnd end = FitUnderLimit({800, 600, {}}, 100, [&](const FitSettings&) {
        ++encodes;
        return TrialEncode{{}, 5000, {}};
    });
    EXPECT_EQ(end.result.outcome, ExportOutcome::kNothingFits);
    EXPECT_FALSE(end.file.Held());
    EXPECT_LE(encodes, static_cast<int>(kMostFitTrials));
    EXPECT_EQ(end.trials.back().settings, (FitSettings{21, 16, std::nullopt}));
}

TEST(SizeFitTest, AFailedOrCancelledTrialEndsTheSearch) {
    int encodes = 0;
    const FitEnd end = FitUnderLimit({800, 600, {}}, 100, [&](const FitSettings&) {
        return TrialEncode{
            {++encodes == 2 ? ExportOutcome::kCancelled : ExportOutcome::kDone, {}}, 5000, {}};
    });
    EXPECT_EQ(end.result.outcome, ExportOutcome::kCancelled);
    EXPECT_EQ(encodes, 2);
}

}  // namespace
}  // namespace zef
