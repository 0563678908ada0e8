#include "model/ModelFile.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>

#include "model/ModelTexts.h"

namespace zef {
namespace {

constexpr char kMagic[] = "ZEF2";  // compared with its terminating zero byte
static_assert(sizeof kMagic == kMagicSize);

std::int32_t LoadInt32(const std::uint8_t* b) {
    return static_cast<std::int32_t>(b[0] | b[1] << 8 | b[2] << 16 |
                                     static_cast<std::uint32_t>(b[3]) << 24);
}

// Reads little-endian fields from a byte span, failing once the bytes run out.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Remaining() const { return bytes_.size() - offset_; }

    bool Skip(std::size_t count) {
        if (Remaining() < count) {
            return false;
        }
        offset_ += count;
        return true;
    }

    bool ReadInt32(std::int32_t& value) {
        if (Remaining() < 4) {
            return false;
        }
        value = LoadInt32(bytes_.data() + offset_);
        offset_ += 4;
        return true;
    }

    bool ReadColour(Colour& colour) {
        if (Remaining() < 3) {
            return false;
        }
        const std::uint8_t* b = bytes_.data() + offset_;
        colour = {b[0], b[1], b[2]};
        offset_ += 3;
        return true;
    }

    const std::uint8_t* Here() const { return bytes_.data() + offset_; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t offset_ = 0;
};

LoadResult Failed(LoadFailure failure) {
    return {std::nullopt, failure};
}

// Reads the header fields that the version holds; the others keep their standard values.
bool ReadHeaderFields(ByteReader& reader, std::int32_t version, ModelProperties& properties) {
    if (version >= 1 &&
        !(reader.ReadInt32(properties.canvasWidth) && reader.ReadInt32(properties.canvasHeight) &&
          reader.ReadInt32(properties.shakeStrength))) {
        return false;
    }
    if (version >= 2 && !reader.ReadInt32(properties.vtrSpeed)) {
        return false;
    }
    if (version >= 3 &&
        !(reader.ReadColour(properties.lineColour) && reader.ReadColour(properties.shadowColour) &&
          reader.ReadColour(properties.backgroundColour) &&
          reader.ReadInt32(properties.noShadow))) {
        return false;
    }
    return version < 4 || reader.ReadInt32(properties.lineWidth);
}

// Reads `count` point records; a count of 0 or less gives no points. The count is checked
// against the bytes left before anything is allocated.
LoadResult ReadPoints(ByteReader& reader, std::int32_t count, LoadedModel model) {
    const std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
    if (reader.Remaining() / kPointRecordSize < wanted) {
        return Failed(LoadFailure::kNotProperModel);
    }
    try {
        model.points.resize(wanted);
    } catch (const std::bad_alloc&) {
        return Failed(LoadFailure::kOutOfMemory);
    }
    const std::uint8_t* record = reader.Here();
    for (PointRecord& point : model.points) {
        point.x = LoadInt32(record);
        point.y = LoadInt32(record + 4);
        point.kind = record[8];
        point.shakeDx = static_cast<std::int8_t>(record[9]);
        point.shakeDy = static_cast<std::int8_t>(record[10]);
        point.reserved = record[11];
        record += kPointRecordSize;
    }
    return {std::move(model), LoadFailure::kCannotOpen};
}

LoadResult DecodeCurrent(ByteReader& reader) {
    if (reader.Remaining() < kMagicAreaSize ||
        std::memcmp(reader.Here(), kMagic, sizeof kMagic) != 0) {
        return Failed(LoadFailure::kNotProperModel);
    }
    reader.Skip(kMagicAreaSize);
    LoadedModel model;
    std::int32_t count = 0;
    if (!reader.ReadInt32(model.version) || !reader.ReadInt32(count)) {
        return Failed(LoadFailure::kNotProperModel);
    }
    if (model.version > kWrittenVersion) {
        return Failed(LoadFailure::kNewerVersion);
    }
    if (!ReadHeaderFields(reader, model.version, model.properties)) {
        return Failed(LoadFailure::kNotProperModel);
    }
    return ReadPoints(reader, count, std::move(model));
}

LoadResult DecodeOlder(ByteReader& reader, const ModelProperties& current) {
    LoadedModel model;
    model.format = ModelFormat::kOlder;
    model.properties = current;
    model.properties.canvasWidth = 800;
    model.properties.canvasHeight = 600;
    std::int32_t count = 0;
    if (!reader.ReadInt32(count)) {
        return Failed(LoadFailure::kNotProperModel);
    }
    return ReadPoints(reader, count, std::move(model));
}

void PutInt32(std::uint8_t*& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    out[0] = static_cast<std::uint8_t>(bits);
    out[1] = static_cast<std::uint8_t>(bits >> 8);
    out[2] = static_cast<std::uint8_t>(bits >> 16);
    out[3] = static_cast<std::uint8_t>(bits >> 24);
    out += 4;
}

void PutColour(std::uint8_t*& out, Colour colour) {
    *out++ = colour.red;
    *out++ = colour.green;
    *out++ = colour.blue;
}

}  // namespace

std::string_view LoadFailureText(LoadFailure failure) {
    switch (failure) {
        case LoadFailure::kCannotOpen:
            return {};
        case LoadFailure::kNotModelFile:
            return texts::kNotModelFile;
        case LoadFailure::kNotProperModel:
            return texts::kNotProperModel;
        case LoadFailure::kNewerVersion:
            return texts::kNewerModelVersion;
        case LoadFailure::kOutOfMemory:
            return texts::kLoadOutOfMemory;
    }
    return {};
}

std::optional<ModelFormat> FormatOfName(std::string_view name) {
    if (name.size() < 4) {
        return std::nullopt;
    }
    std::string ending(name.substr(name.size() - 4));
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ending == ".zfm") {
        return ModelFormat::kCurrent;
    }
    if (ending == ".zf2") {
        return ModelFormat::kOlder;
    }
    return std::nullopt;
}

LoadResult DecodeModel(std::span<const std::uint8_t> bytes, ModelFormat format,
                       const ModelProperties& current) {
    ByteReader reader(bytes);
    return format == ModelFormat::kCurrent ? DecodeCurrent(reader) : DecodeOlder(reader, current);
}

std::vector<std::uint8_t> EncodeModel(const ModelProperties& properties,
                                      std::span<const PointRecord> points) {
    std::vector<std::uint8_t> bytes;
    AppendModel(bytes, properties, points);
    return bytes;
}

void AppendModel(std::vector<std::uint8_t>& bytes, const ModelProperties& properties,
                 std::span<const PointRecord> points) {
    const std::size_t start = bytes.size();
    bytes.resize(start + kWrittenHeaderSize + kPointRecordSize * points.size());
    std::uint8_t* out = bytes.data() + start;
    std::memcpy(out, kMagic, sizeof kMagic);
    out += kMagicAreaSize;
    PutInt32(out, kWrittenVersion);
    PutInt32(out, static_cast<std::int32_t>(points.size()));
    PutInt32(out, properties.canvasWidth);
    PutInt32(out, properties.canvasHeight);
    PutInt32(out, properties.shakeStrength);
    PutInt32(out, properties.vtrSpeed);
    PutColour(out, properties.lineColour);
    PutColour(out, properties.shadowColour);
    PutColour(out, properties.backgroundColour);
    PutInt32(out, properties.noShadow);
    PutInt32(out, properties.lineWidth);
    for (const PointRecord& point : points) {
        PutInt32(out, point.x);
        PutInt32(out, point.y);
        *out++ = point.kind;
        *out++ = static_cast<std::uint8_t>(point.shakeDx);
        *out++ = static_cast<std::uint8_t>(point.shakeDy);
        *out++ = point.reserved;
    }
}

}  // namespace zef
