#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace zef {

// At most 256 colours (program colour values) that frames are stored with. An exact palette
// holds every colour of its frames; a shared one stands for more colours than that, each
// colour taking its nearest entry.
class Palette {
  public:
    static constexpr std::size_t kMaxColours = 256;

    static Palette Exact(std::vector<std::uint32_t> colours);
    static Palette Nearest(std::vector<std::uint32_t> colours);

    std::span<const std::uint32_t> Colours() const { return colours_; }
    bool IsExact() const { return nearest_ == nullptr; }

    // The entry of `colour`: for an exact palette nothing when it does not hold the colour.
    std::optional<std::uint8_t> Find(std::uint32_t colour) const {
        if (nearest_) {
            return (*nearest_)[Bin(colour)];
        }
        for (std::size_t slot = Hash(colour);; slot = (slot + 1) % kSlots) {
            if (slots_[slot].used == 0) {
                return std::nullopt;
            }
            if (slots_[slot].colour == colour) {
                return slots_[slot].index;
            }
        }
    }

    // The 15-bit bin of a colour: five bits of each channel.
    static std::size_t Bin(std::uint32_t colour) {
        return ((colour >> 3) & 0x1F) | ((colour >> 6) & 0x3E0) | ((colour >> 9) & 0x7C00);
    }

  private:
    static constexpr std::size_t kSlots = 1024;
    struct Slot {
        std::uint32_t colour = 0;
        std::uint8_t index = 0;
        std::uint8_t used = 0;
    };
    static std::size_t Hash(std::uint32_t colour) { return (colour * 2654435761u) >> 22; }

    std::vector<std::uint32_t> colours_;
    std::vector<Slot> slots_;
    std::shared_ptr<const std::array<std::uint8_t, 32768>> nearest_;
};

// Counts the colours of frames: exactly while there are at most 256 of them, then in a
// histogram of 15-bit bins from which a shared palette is cut.
class ColourCounter {
  public:
    ColourCounter();
    // Adds the pixels. While there are at most 256 colours, each pixel's index into the
    // exact palette goes to `indices`, if given, one a pixel; false once there are more.
    bool Add(std::span<const std::uint32_t> pixels, std::uint8_t* indices = nullptr);
    // The exact palette of every colour added, in the order first seen, or a shared palette
    // cut from the histogram by median cut.
    Palette MakePalette() const;

  private:
    // Leaves exact counting: the colours counted so far go to the histogram.
    void Overflow();

    std::vector<std::uint32_t> histogram_;  // once there are more than 256 colours
    std::vector<std::uint32_t> exact_;
    std::array<std::uint32_t, Palette::kMaxColours> counts_{};  // of each of exact_
    bool overflowed_ = false;
};

}  // namespace zef
