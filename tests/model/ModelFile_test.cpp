#include "ModelFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <vector>

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
void PutTwoPoints(Bytes& bytes) {
    PutInts(bytes, {-5, 70000});
    bytes.insert(bytes.end(), {kStrokeStart, 0xFD, 2, 0xAB});
    PutInts(bytes, {6, 7});
    bytes.insert(bytes.end(), {kStrokeContinuation, 0, 0, 0});
}

// A current-format file of the given version holding that version's fields with values
// unlike the standard ones.
Bytes FileOfVersion(std::int32_t version) {
    Bytes bytes{'Z', 'E', 'F', '2', 0, 9, 9, 9, 9, 9};
    PutInts(bytes, {version, 2});
    if (version >= 1) {
        PutInts(bytes, {320, 240, 5});
    }
    if (version >= 2) {
        PutInts(bytes, {77});
    }
    if (version >= 3) {
        bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9});
        PutInts(bytes, {1});
    }
    if (version >= 4) {
        PutInts(bytes, {12});
    }
    PutTwoPoints(bytes);
    return bytes;
}

Bytes OlderFile() {
    Bytes bytes;
    PutInts(bytes, {2});
    PutTwoPoints(bytes);
    return bytes;
}

LoadResult Decode(const Bytes& bytes, ModelFormat format = ModelFormat::kCurrent) {
    ModelProperties current;
    current.shakeStrength = 6;
    current.lineWidth = 10;
    current.canvasWidth = 100;
    return DecodeModel(bytes, format, current);
}

TEST(ModelFileLayout, StandardEmptyModelBytesAndARoundTripOfEveryPersistentByte) {
    const Bytes expected{0x5A, 0x45, 0x46, 0x32, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04,
                         0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x03, 0x00, 0x00,
                         0x58, 0x02, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00,
                         0x00, 0x00, 0x00, 0x00, 0x8A, 0x48, 0x00, 0xEE, 0x9C, 0x00, 0x00,
                         0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00};
    EXPECT_EQ(EncodeModel(ModelProperties{}, {}), expected);

    const ModelProperties properties{.canvasWidth = 333, .lineColour = {10, 20, 30}};
    std::vector<PointRecord> points(3);
    points[0].x = -30000;
    points[0].shakeDx = -8;
    points[0].reserved = 200;
    points[1].y = 2147483647;
    points[1].selected = 1;
    points[2].kind = 77;
    const LoadResult result = Decode(EncodeModel(properties, points));
    ASSERT_TRUE(result.model);
    EXPECT_EQ(result.model->properties, properties);
    ASSERT_EQ(result.model->points.size(), 3u);
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(static_cast<const PointImage&>(result.model->points[i]),
                  static_cast<const PointImage&>(points[i]));
        EXPECT_EQ(result.model->points[i].selected, 0);
    }
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
        ASSERT_EQ(result.model->points.size(), 2u);
        EXPECT_EQ(result.model->points[0].y, 70000);
        EXPECT_EQ(result.model->points[0].shakeDx, -3);
        EXPECT_EQ(result.model->points[0].reserved, 0xAB);
        EXPECT_EQ(result.model->points[1].kind, kStrokeContinuation);
    }

    // The older format keeps the current properties, on the largest canvas.
    const LoadResult older = Decode(OlderFile(), ModelFormat::kOlder);
    ASSERT_TRUE(older.model);
    EXPECT_EQ(older.model->format, ModelFormat::kOlder);
    EXPECT_EQ(older.model->properties, (ModelProperties{.shakeStrength = 6, .lineWidth = 10}));
    ASSERT_EQ(older.model->points.size(), 2u);
    EXPECT_EQ(older.model->points[0].reserved, 0xAB);
}

TEST(ModelFileChecks, RejectsABadHeaderHugeCountsAndEveryTruncation) {
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
    for (const auto& [name, format] : {
             std::pair<const char*, std::optional<ModelFormat>>{"/a/b.zfm", ModelFormat::kCurrent},
             {"c.zF2", ModelFormat::kOlder},
             {"zfm", std::nullopt},
             {"model.zfmx", std::nullopt},
         }) {
        EXPECT_EQ(FormatOfName(name), format) << name;
    }
}

}  // namespace
}  // namespace zef
