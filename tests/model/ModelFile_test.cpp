#include "ModelFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "ModelFileIO.h"
#include "TempFolder.h"

namespace zef {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutInts(Bytes& bytes, std::initializer_list<std::int32_t> values) {
    for (const std::int32_t value : values) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
        }
    }
}

// Two points: (-5, 70000) a start with offsets -3, 2 and reserved byte 0xAB, then (6, 7).
const std::vector<PointRecord> kTwoPoints{{{-5, 70000, kStrokeStart, -3, 2, 0xAB}, 0},
                                          {{6, 7, kStrokeContinuation, 0, 0, 0}, 0}};
const Bytes kTwoPointBytes{
    0xFB, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00, kStrokeStart,        0xFD, 2, 0xAB,
    6,    0,    0,    0,    7,    0,    0,    0,    kStrokeContinuation, 0,    0, 0};

// A current-format file of the given version holding the leading header fields that version
// has, with values unlike the standard ones.
Bytes FileOfVersion(std::int32_t version) {
    Bytes fields;
    PutInts(fields, {320, 240, 5, 77});
    fields.insert(fields.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9});
    PutInts(fields, {1, 12});
    const std::ptrdiff_t held[] = {0, 12, 16, 29, 33};  // bytes of those fields, by version
    Bytes bytes{'Z', 'E', 'F', '2', 0, 0, 0, 0, 0, 0};
    PutInts(bytes, {version, 2});
    bytes.insert(bytes.end(), fields.begin(), fields.begin() + held[std::clamp(version, 0, 4)]);
    bytes.insert(bytes.end(), kTwoPointBytes.begin(), kTwoPointBytes.end());
    return bytes;
}

Bytes OlderFile() {
    Bytes bytes{2, 0, 0, 0};
    bytes.insert(bytes.end(), kTwoPointBytes.begin(), kTwoPointBytes.end());
    return bytes;
}

// The properties of the drawing open while a file is read.
const ModelProperties kOpen{.canvasWidth = 100, .shakeStrength = 6, .lineWidth = 10};

LoadResult Decode(const Bytes& bytes, ModelFormat format = ModelFormat::kCurrent) {
    return DecodeModel(bytes, format, kOpen);
}

// The reader is held to the hand-written files of the other tests, the writer to the reader.
TEST(ModelFileLayout, EncodingWhatAFileHoldsGivesItsBytesBack) {
    const Bytes file = FileOfVersion(4);
    const LoadResult result = Decode(file);
    ASSERT_TRUE(result.model);
    EXPECT_EQ(EncodeModel(result.model->properties, result.model->points), file);
}

TEST(ModelFileVersions, EachVersionReadsItsFieldsAndTakesStandardValuesForTheRest) {
    const ModelProperties standard;
    for (std::int32_t version = -3; version <= 4; ++version) {
        SCOPED_TRACE(version);
        const LoadResult result = Decode(FileOfVersion(version));
        ASSERT_TRUE(result.model);
        const ModelProperties& p = result.model->properties;
        EXPECT_EQ(result.model->version, version);
        EXPECT_EQ(p.canvasWidth, version >= 1 ? 320 : standard.canvasWidth);
        EXPECT_EQ(p.canvasHeight, version >= 1 ? 240 : standard.canvasHeight);
        EXPECT_EQ(p.shakeStrength, version >= 1 ? 5 : standard.shakeStrength);
        EXPECT_EQ(p.vtrSpeed, version >= 2 ? 77 : standard.vtrSpeed);
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
    Bytes badHeader = FileOfVersion(4);
    badHeader[4] = 'x';
    EXPECT_EQ(Decode(badHeader).failure, LoadFailure::kNotProperModel);
    Bytes reserved = FileOfVersion(4);
    std::memset(reserved.data() + 5, 0xFF, 5);
    reserved.insert(reserved.end(), {1, 2, 3});
    EXPECT_TRUE(Decode(reserved).model) << "the five reserved bytes and any tail are ignored";

    for (const std::int32_t count : {0, -2147483647 - 1, 2147483647}) {
        Bytes bytes = FileOfVersion(4);
        std::memcpy(bytes.data() + 14, &count, 4);
        const LoadResult result = Decode(bytes);
        ASSERT_EQ(result.model.has_value(), count <= 0) << count;
        EXPECT_TRUE(count > 0 ? result.failure == LoadFailure::kNotProperModel
                              : result.model->points.empty());
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

TEST(ModelFileNames, ExtensionChoosesTheFormatIgnoringCase) {
    EXPECT_EQ(FormatOfName("/a/b.zfm"), ModelFormat::kCurrent);
    EXPECT_EQ(FormatOfName("c.zF2"), ModelFormat::kOlder);
    for (const char* name : {"zfm", "model.zfmx"}) {
        EXPECT_EQ(FormatOfName(name), std::nullopt) << name;
    }
}

// A name as long as the file system allows still takes a temporary name beside it. A folder
// named .txt fails on its name: the name is checked only once the file is open.
TEST(ModelFileIO, WritesUnderAnyNameAndReadingTellsWhyItFailed) {
    test::TempFolder folder;
    const LoadResult stored = Decode(FileOfVersion(4));
    ASSERT_TRUE(stored.model);
    const Model model{stored.model->points, stored.model->properties, {}};
    for (const std::string& name : {std::string("그림 모델.zfm"), std::string(251, 'm') + ".zfm"}) {
        ASSERT_TRUE(WriteModelFile(folder.PathOf(name), model)) << name;
        const LoadResult result = ReadModelFile(folder.PathOf(name), {});
        ASSERT_TRUE(result.model);
        EXPECT_EQ(result.model->properties, model.properties);
        EXPECT_EQ(result.model->points, model.points);
    }

    std::filesystem::create_directory(folder.PathOf("folder.zfm"));
    std::filesystem::create_directory(folder.PathOf("folder.txt"));
    for (const auto& [name, failure] : {std::pair{"none.txt", LoadFailure::kCannotOpen},
                                        {"folder.zfm", LoadFailure::kCannotOpen},
                                        {"folder.txt", LoadFailure::kNotModelFile}}) {
        EXPECT_EQ(ReadModelFile(folder.PathOf(name), {}).failure, failure) << name;
    }
}

}  // namespace
}  // namespace zef
