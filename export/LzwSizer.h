#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zef {

// Follows giflib's LZW encoder code for code (the same longest-match strings, code widths
// and clear codes) without writing anything, so that the candidates for a frame are
// compared by the exact size giflib will give them and only the smallest is encoded.
class LzwSizer {
  public:
    // bitsPerPixel as in the colour table, at least 1; giflib codes at least 2 bits a pixel.
    explicit LzwSizer(int bitsPerPixel);

    // Bytes of an image of these pixels in the file: descriptor, code size, data in blocks.
    std::uint64_t ImageBytes(std::span<const std::uint8_t> pixels);

  private:
    // The code of `prefix` followed by `pixel`, or 0 when the table does not hold it.
    std::uint16_t Find(std::uint32_t prefix, std::uint8_t pixel) const {
        return table_[prefix << bits_ | pixel];
    }
    void Start();
    // Empties the table, entry by entry as they were added.
    void Clear();
    // Emits the code of the current string and starts a new one at `pixel`.
    void Emit(std::uint32_t prefix, std::uint8_t pixel);
    void Output(std::uint32_t code);
    std::uint64_t Finish(std::uint32_t prefix);

    int bits_;
    std::uint32_t clearCode_;
    std::vector<std::uint16_t> table_;  // by prefix and pixel
    std::vector<std::uint32_t> added_;  // the entries of table_ in use
    std::uint32_t runningCode_ = 0;
    int runningBits_ = 0;
    std::uint32_t maxCode1_ = 0;
    std::uint64_t outputBits_ = 0;
};

}  // namespace zef
