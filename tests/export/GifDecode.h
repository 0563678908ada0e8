#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zef::test {

// A pixel as a viewer shows it: a colour value, or kClear where nothing is drawn.
inline constexpr std::int64_t kClear = -1;

struct ShownFrame {
    std::vector<std::int64_t> pixels;
    std::uint32_t delay = 0;
    friend bool operator==(const ShownFrame&, const ShownFrame&) = default;
};

struct DecodedGif {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool loops = false;
    std::vector<ShownFrame> frames;  // consecutive equal pictures merged, delays added
};

// Decodes a GIF with giflib and composites its frames as a viewer does (transparent index,
// disposals 1 and 2); nothing when giflib cannot read it.
std::optional<DecodedGif> DecodeGif(const std::string& path);

// Merges consecutive equal pictures, adding their delays.
std::vector<ShownFrame> Merge(std::vector<ShownFrame> frames);

}  // namespace zef::test
