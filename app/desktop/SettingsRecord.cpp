#include "app/desktop/SettingsRecord.h"

#include <algorithm>

namespace zef {
namespace {

class RecordReader {
  public:
    explicit RecordReader(std::span<const std::uint8_t, kSettingsRecordSize> bytes)
        : bytes_(bytes) {}

    std::int32_t Int32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= std::uint32_t{bytes_[offset_++]} << (8 * i);
        }
        return static_cast<std::int32_t>(value);
    }
    Colour Rgb() {
        const Colour colour{bytes_[offset_], bytes_[offset_ + 1], bytes_[offset_ + 2]};
        offset_ += 3;
        return colour;
    }

  private:
    std::span<const std::uint8_t, kSettingsRecordSize> bytes_;
    std::size_t offset_ = 0;
};

class RecordWriter {
  public:
    void Int32(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i) {
            bytes_[offset_++] = static_cast<std::uint8_t>(bits >> (8 * i));
        }
    }
    void Rgb(Colour colour) {
        bytes_[offset_++] = colour.red;
        bytes_[offset_++] = colour.green;
        bytes_[offset_++] = colour.blue;
    }
    const std::array<std::uint8_t, kSettingsRecordSize>& bytes() const { return bytes_; }

  private:
    std::array<std::uint8_t, kSettingsRecordSize> bytes_{};
    std::size_t offset_ = 0;
};

}  // namespace

SettingsRecord DecodeSettingsRecord(std::span<const std::uint8_t> bytes) {
    std::array<std::uint8_t, kSettingsRecordSize> stored{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), stored.size()), stored.begin());
    RecordReader in(stored);

    SettingsRecord record;
    record.version = in.Int32();
    record.window.left = in.Int32();
    record.window.top = in.Int32();
    record.openInVtr = in.Int32();
    ModelProperties& properties = record.properties;
    properties.shakeStrength = in.Int32();
    properties.vtrSpeed = in.Int32();
    properties.noShadow = in.Int32();
    properties.canvasWidth = in.Int32();
    properties.canvasHeight = in.Int32();
    properties.lineColour = in.Rgb();
    properties.shadowColour = in.Rgb();
    properties.backgroundColour = in.Rgb();
    const Colour unused = in.Rgb();
    record.unused = {unused.red, unused.green, unused.blue};
    properties.lineWidth = in.Int32();

    const ModelProperties standard;
    if (record.version <= 1) {
        properties = standard;
    }
    if (record.version <= 2) {
        properties.lineWidth = standard.lineWidth;
    }
    return record;
}

std::array<std::uint8_t, kSettingsRecordSize> EncodeSettingsRecord(const SettingsRecord& record) {
    const ModelProperties& properties = record.properties;
    RecordWriter out;
    out.Int32(record.version);
    out.Int32(record.window.left);
    out.Int32(record.window.top);
    out.Int32(record.openInVtr);
    out.Int32(properties.shakeStrength);
    out.Int32(properties.vtrSpeed);
    out.Int32(properties.noShadow);
    out.Int32(properties.canvasWidth);
    out.Int32(properties.canvasHeight);
    out.Rgb(properties.lineColour);
    out.Rgb(properties.shadowColour);
    out.Rgb(properties.backgroundColour);
    out.Rgb({record.unused[0], record.unused[1], record.unused[2]});
    out.Int32(properties.lineWidth);
    return out.bytes();
}

void ApplySettingsRecord(const SettingsRecord& record, ModelProperties& properties,
                         Settings& settings) {
    properties = record.properties;
    settings.openInVtr = record.openInVtr;
}

SettingsRecord SettingsRecordAtExit(const SettingsRecord& read,
                                    std::optional<WindowPosition> restored,
                                    const ModelProperties& properties, const Settings& settings) {
    SettingsRecord record = read;
    record.version = kSettingsVersion;
    record.window = restored.value_or(read.window);
    record.openInVtr = settings.openInVtr;
    record.properties = properties;
    return record;
}

}  // namespace zef
