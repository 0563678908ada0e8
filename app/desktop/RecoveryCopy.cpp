#include "app/desktop/RecoveryCopy.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "model/ModelFile.h"

namespace zef {
namespace {

constexpr std::string_view kMagic{"ZEFCOPY1", 8};
// A path or title longer than any the file system allows marks a damaged copy.
constexpr std::uint32_t kLongestText = 4096;

void PutText(std::vector<std::uint8_t>& bytes, const std::string& text) {
    const auto size = static_cast<std::uint32_t>(text.size());
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(size >> shift));
    }
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// Takes a length-prefixed text off the front of `bytes`; nothing when it does not fit, is
// longer than any path, or holds a zero byte.
std::optional<std::string> TakeText(std::span<const std::uint8_t>& bytes) {
    if (bytes.size() < 4) {
        return std::nullopt;
    }
    const std::uint32_t size =
        bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    bytes = bytes.subspan(4);
    if (size > kLongestText || size > bytes.size()) {
        return std::nullopt;
    }
    const std::span<const std::uint8_t> text = bytes.first(size);
    bytes = bytes.subspan(size);
    if (std::find(text.begin(), text.end(), 0) != text.end()) {
        return std::nullopt;
    }
    return std::string(text.begin(), text.end());
}

}  // namespace

std::vector<std::uint8_t> EncodeRecoveryCopy(const RecoveryCopy& copy) {
    std::vector<std::uint8_t> bytes(kMagic.begin(), kMagic.end());
    PutText(bytes, copy.path);
    PutText(bytes, copy.title);
    AppendModel(bytes, copy.properties, copy.points);
    return bytes;
}

std::optional<RecoveryCopy> DecodeRecoveryCopy(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kMagic.size() ||
        std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0) {
        return std::nullopt;
    }
    bytes = bytes.subspan(kMagic.size());
    std::optional<std::string> path = TakeText(bytes);
    std::optional<std::string> title = path ? TakeText(bytes) : std::nullopt;
    if (!title) {
        return std::nullopt;
    }
    LoadResult loaded = DecodeModel(bytes, ModelFormat::kCurrent, {});
    if (!loaded.model || loaded.model->version != kWrittenVersion ||
        bytes.size() != kWrittenHeaderSize + kPointRecordSize * loaded.model->points.size()) {
        return std::nullopt;
    }
    return RecoveryCopy{std::move(*path), std::move(*title), loaded.model->properties,
                        std::move(loaded.model->points)};
}

}  // namespace zef
