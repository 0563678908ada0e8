#include "ModelFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ModelTexts.h"

namespace zef {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutInt(Bytes& bytes, std::int32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
    }
}

void PutPoint(Bytes& bytes, std::int32_t x, std::int32_t y, std::uint8_t kind, std::int8_t dx = 0,
              std::int8_t dy = 0, std::uint8_t reserved = 0) {
    PutInt(bytes, x);
    PutInt(bytes, y);
    bytes.insert(bytes.end(),
                 {kind, static_cast<std::uint8_t>(dx), static_cast<std::uint8_t>(dy), reserved});
}

// A current-format file of the given version, holding the fields that version holds with
// values unlike the standard ones, and two points.
Bytes FileOfVersion(std::int32_t version) {
    Bytes bytes{'Z', 'E', 'F', '2', 0, 9, 9, 9, 9, 9};
    PutInt(bytes, version);
    PutInt(bytes, 2);
    if (version >= 1) {
        PutInt(bytes, 320);
        PutInt(bytes, 240);
        PutInt(bytes, 5);
    }
    if (version >= 2) {
        PutInt(bytes, 77);
    }
    if (version >= 3) {
        bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9});
        PutInt(bytes, 1);
    }
    if (version >= 4) {
        PutInt(bytes, 12);
    }
    PutPoint(bytes, -5, 70000, kStrokeStart, -3, 2, 0xAB);
    PutPoint(bytes, 6, 7, kStrokeContinuation);
    return bytes;
}

LoadResult Decode(const Bytes& bytes, ModelFormat format = ModelFormat::kCurrent) {
    ModelProperties current;
    current.shakeStrength = 6;
    current.lineWidth = 10;
    current.canvasWidth = 100;
    return DecodeModel(bytes, format, current);
}

TEST(ModelFileLayout, EmptyModelWithStandardPropertiesIsTheFiftyOneKnownBytes) {
    const Bytes expected{0x5A, 0x45, 0x46, 0x32, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04,
                         0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x03, 0x00, 0x00,
                         0x58, 0x02, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00,
                         0x00, 0x00, 0x00, 0x00, 0x8A, 0x48, 0x00, 0xEE, 0x9C, 0x00, 0x00,
                         0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00};
    EXPECT_EQ(EncodeModel(ModelProperties{}, {}), expected);
}

TEST(ModelFileLayout, WrittenFilesReadBackWithEveryPersistentByte) {
    ModelProperties properties;
    properties.canvasWidth = 333;
    properties.lineColour = {10, 20, 30};
    properties.noShadow = 1;
    properties.lineWidth = 8;
    std::vector<PointRecord> points(3);
    points[0].x = -30000;
    points[0].shakeDx = -8;
    points[0].reserved = 200;
    points[1].kind = kStrokeContinuation;
    points[1].y = 2147483647;
    points[1].selected = 1;
    points[2].kind = 77;
    const Bytes bytes = EncodeModel(properties, points);
    ASSERT_EQ(bytes.size(), 51u + 12u * 3u);

    const LoadResult result = Decode(bytes);
    ASSERT_TRUE(result.model);
    EXPECT_EQ(result.model->version, 4);
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
        const Bytes bytes = FileOfVersion(version);
        const std::size_t headers[] = {18, 30, 34, 47, 51};
        ASSERT_EQ(bytes.size(), headers[std::max(version, 0)] + 24);
        const LoadResult result = Decode(bytes);
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
        EXPECT_EQ(result.model->points[0].x, -5);
        EXPECT_EQ(result.model->points[0].y, 70000);
        EXPECT_EQ(result.model->points[0].shakeDx, -3);
        EXPECT_EQ(result.model->points[0].reserved, 0xAB);
        EXPECT_EQ(result.model->points[1].kind, kStrokeContinuation);
    }
}

TEST(ModelFileVersions, OlderFormatKeepsTheCurrentPropertiesOnTheLargestCanvas) {
    Bytes bytes;
    PutInt(bytes, 1);
    PutPoint(bytes, 4, 5, kStrokeStart, 1, 1, 3);
    const LoadResult result = Decode(bytes, ModelFormat::kOlder);
    ASSERT_TRUE(result.model);
    EXPECT_EQ(result.model->format, ModelFormat::kOlder);
    EXPECT_EQ(result.model->properties.shakeStrength, 6);
    EXPECT_EQ(result.model->properties.lineWidth, 10);
    EXPECT_EQ(result.model->properties.canvasWidth, 800);
    EXPECT_EQ(result.model->properties.canvasHeight, 600);
    ASSERT_EQ(result.model->points.size(), 1u);
    EXPECT_EQ(result.model->points[0].reserved, 3);
}

TEST(ModelFileChecks, RejectsWhatIsNotAProperModel) {
    Bytes wrongMagic = FileOfVersion(4);
    wrongMagic[3] = '3';
    Bytes noZero = FileOfVersion(4);
    noZero[4] = 'x';
    Bytes newer = FileOfVersion(4);
    newer[10] = 5;
    for (const auto& [bytes, failure] : {std::pair{wrongMagic, LoadFailure::kNotProperModel},
                                         std::pair{noZero, LoadFailure::kNotProperModel},
                                         std::pair{newer, LoadFailure::kNewerVersion},
                                         std::pair{Bytes{}, LoadFailure::kNotProperModel}}) {
        const LoadResult result = Decode(bytes);
        EXPECT_FALSE(result.model);
        EXPECT_EQ(result.failure, failure);
    }
    EXPECT_EQ(LoadFailureText(LoadFailure::kNewerVersion),
              "보다 새 제프툴 모델 버젼이에요.       \n최신버젼으로 불러오시세요;;.");
    EXPECT_EQ(LoadFailureText(LoadFailure::kCannotOpen), "");

    Bytes reserved = FileOfVersion(4);
    std::memset(reserved.data() + 5, 0xFF, 5);
    reserved.insert(reserved.end(), {1, 2, 3});
    EXPECT_TRUE(Decode(reserved).model) << "the five reserved bytes and any tail are ignored";
}

TEST(ModelFileChecks, CountsOfZeroOrLessGiveAnEmptyModelAndAHugeOneIsRejectedUnallocated) {
    for (const std::int32_t count : {0, -1, -2147483647 - 1, 2147483647}) {
        Bytes bytes = FileOfVersion(4);
        std::memcpy(bytes.data() + 14, &count, 4);
        const LoadResult result = Decode(bytes);
        if (count > 0) {
            EXPECT_FALSE(result.model);
            EXPECT_EQ(result.failure, LoadFailure::kNotProperModel);
        } else {
            ASSERT_TRUE(result.model);
            EXPECT_TRUE(result.model->points.empty());
        }
    }
}

TEST(ModelFileChecks, EveryTruncationIsRejectedUntilTheLastRecordIsWhole) {
    for (const ModelFormat format : {ModelFormat::kCurrent, ModelFormat::kOlder}) {
        Bytes whole;
        if (format == ModelFormat::kCurrent) {
            whole = FileOfVersion(4);
        } else {
            PutInt(whole, 2);
            PutPoint(whole, 1, 2, kStrokeStart);
            PutPoint(whole, 3, 4, kStrokeContinuation);
        }
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            const LoadResult result = Decode(cut, format);
            EXPECT_FALSE(result.model) << length;
            EXPECT_EQ(LoadFailureText(result.failure), texts::kNotProperModel) << length;
        }
        EXPECT_TRUE(Decode(whole, format).model);
    }
}

TEST(ModelFileNames, ExtensionChoosesTheFormatIgnoringCase) {
    EXPECT_EQ(FormatOfName("/a/b.zfm"), ModelFormat::kCurrent);
    EXPECT_EQ(FormatOfName("B.ZFM"), ModelFormat::kCurrent);
    EXPECT_EQ(FormatOfName("c.zF2"), ModelFormat::kOlder);
    EXPECT_EQ(FormatOfName(".zfm"), ModelFormat::kCurrent);
    EXPECT_FALSE(FormatOfName("zfm"));
    EXPECT_FALSE(FormatOfName("model.zfmx"));
    EXPECT_FALSE(FormatOfName("model.zf3"));
    EXPECT_FALSE(FormatOfName("그림.png"));
}

}  // namespace
}  // namespace zef
