#include "model/ModelFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <vector>

#include "model/ModelFileIO.h"
#include "tests/TempFolder.h"

namespace zef {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Two points: (-5, 70000) a start with offsets -3, 2 and reserved byte 0xAB, then (6, 7).
const std::vector<PointRecord> kTwoPoints{{{-5, 70000, kStrokeStart, -3, 2, 0xAB}, 0},
                                          {{6, 7, kStrokeContinuation, 0, 0, 0}, 0}};
const Bytes kTwoPointBytes{
    0xFB, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00, kStrokeStart,        0xFD, 2, 0xAB,
    6,    0,    0,    0,    7,    0,    0,    0,    kStrokeContinuation, 0,    0, 0};

// A current-format file of the given version with the header fields it has: the canvas
// 320 x 240 and shake 5, replay speed 77, three colours and the shadow off, line width 12.
Bytes FileOfVersion(std::int32_t version) {
    const Bytes fields{0x40, 1, 0, 0, 240, 0, 0, 0, 5, 0, 0, 0, 77, 0, 0, 0, 1,
                       2,    3, 4, 5, 6,   7, 8, 9, 1, 0, 0, 0, 12, 0, 0, 0};
    const std::ptrdiff_t held[] = {0, 12, 16, 29, 33};  // bytes of those fields, by version
    Bytes bytes{'Z', 'E', 'F', '2', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0};
    std::memcpy(bytes.data() + 10, &version, 4);
    std::copy_n(fields.begin(), held[std::clamp(version, 0, 4)], std::back_inserter(bytes));
    std::ranges::copy(kTwoPointBytes, std::back_inserter(bytes));
    return bytes;
}

Bytes OlderFile() {
    Bytes bytes{2, 0, 0, 0};
    std::ranges::copy(kTwoPointBytes, std::back_inserter(bytes));
    return bytes;
}

// The properties of the drawing open while a file is read.
const ModelProperties kOpen{.canvasWidth = 100, .shakeStrength = 6, .lineWidth = 10};

LoadResult Decode(const Bytes& bytes, ModelFormat format = ModelFormat::kCurrent) {
    return DecodeModel(bytes, format, kOpen);
}

TEST(ModelFileVersions, EachVersionReadsItsFieldsAndTakesStandardValuesForTheRest) {
    for (std::int32_t version = -3; version <= 4; ++version) {
        SCOPED_TRACE(version);
        const LoadResult result = Decode(FileOfVersion(version));
        ASSERT_TRUE(result.model);
        const ModelProperties& p = result.model->properties;
        EXPECT_EQ(result.model->version, version);
        EXPECT_EQ(p.canvasWidth, version >= 1 ? 320 : 800);
        EXPECT_EQ(p.canvasHeight, version >= 1 ? 240 : 600);
        EXPECT_EQ(p.shakeStrength, version >= 1 ? 5 : 3);
        EXPECT_EQ(p.vtrSpeed, version >= 2 ? 77 : 40);
        EXPECT_EQ(p.lineColour, (version >= 3 ? Colour{1, 2, 3} : kStandardLineColour));
        EXPECT_EQ(p.shadowColour, (version >= 3 ? Colour{4, 5, 6} : kStandardShadowColour));
        EXPECT_EQ(p.backgroundColour, (version >= 3 ? Colour{7, 8, 9} : kStandardBackgroundColour));
        EXPECT_EQ(p.noShadow, version >= 3 ? 1 : 0);
        EXPECT_EQ(p.lineWidth, version >= 4 ? 12 : 4);
        EXPECT_EQ(result.model->points, kTwoPoints);
    }

    // The older format keeps the open drawing's properties, on the largest canvas.
    const LoadResult older = Decode(OlderFile(), ModelFormat::kOlder);
    ASSERT_TRUE(older.model);
    EXPECT_EQ(older.model->format, ModelFormat::kOlder);
    EXPECT_EQ(older.model->properties, (ModelProperties{.shakeStrength = 6, .lineWidth = 10}));
    EXPECT_EQ(older.model->points, kTwoPoints);
}

TEST(ModelFileChecks, RejectsABadHeaderANewerVersionHugeCountsAndEveryTruncation) {
    EXPECT_EQ(Decode(FileOfVersion(5)).failure, LoadFailure::kNewerVersion);
    // Four bytes at an offset over the magic, the reserved bytes or the point count, and the
    // points read then, -1 when refused; with a count of 0 the points are an ignored tail.
    const int cases[][3] = {{4, -1, -1}, {5, -1, 2},         {6, -1, 2},
                            {14, 0, 0},  {14, INT32_MIN, 0}, {14, INT32_MAX, -1}};
    for (const auto& [at, value, points] : cases) {
        Bytes bytes = FileOfVersion(4);
        std::memcpy(bytes.data() + at, &value, 4);
        const LoadResult result = Decode(bytes);
        EXPECT_TRUE(result.model || result.failure == LoadFailure::kNotProperModel);
        EXPECT_EQ(result.model ? static_cast<int>(result.model->points.size()) : -1, points)
            << at << ": " << value;
    }

    for (const auto& [whole, format] :
         {std::pair{FileOfVersion(4), ModelFormat::kCurrent}, {OlderFile(), ModelFormat::kOlder}}) {
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const LoadResult result = Decode(
                Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)), format);
            EXPECT_FALSE(result.model) << length;
            EXPECT_EQ(result.failure, LoadFailure::kNotProperModel) << length;
        }
        EXPECT_TRUE(Decode(whole, format).model);
    }
}

// A name as long as the file system allows still takes a temporary name beside it. The
// ending is checked, ignoring case, only once the file is open.
TEST(ModelFileIO, WritesWhatItReadsUnderAnyNameAndTellsWhyAReadFailed) {
    test::TempFolder folder;
    const Bytes file = FileOfVersion(4);
    const LoadResult stored = Decode(file);
    ASSERT_TRUE(stored.model);
    const Model model{stored.model->points, stored.model->properties, {}};
    for (const std::string& name : {std::string("그림 모델.zfm"), std::string(251, 'm') + ".zfm"}) {
        ASSERT_TRUE(WriteModelFile(folder.PathOf(name), model)) << name;
        EXPECT_EQ(test::Contents(folder.PathOf(name)), std::string(file.begin(), file.end()));
        EXPECT_TRUE(ReadModelFile(folder.PathOf(name), {}).model) << name;
    }

    EXPECT_EQ(ReadModelFile(folder.PathOf("none.txt"), {}).failure, LoadFailure::kCannotOpen);
    for (const auto& [name, failure] : {std::pair{"folder.ZF2", LoadFailure::kCannotOpen},
                                        {"folder.txt", LoadFailure::kNotModelFile},
                                        {"folder.zfmx", LoadFailure::kNotModelFile}}) {
        std::filesystem::create_directory(folder.PathOf(name));
        EXPECT_EQ(ReadModelFile(folder.PathOf(name), {}).failure, failure) << name;
    }
    EXPECT_EQ(FormatOfName("c.zF2"), ModelFormat::kOlder);
    EXPECT_EQ(FormatOfName("zfm"), std::nullopt);
}

}  // namespace
}  // namespace zef
