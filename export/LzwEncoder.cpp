#include "LzwEncoder.h"

#include <algorithm>

namespace zef {
namespace {

constexpr std::uint32_t kTableSize = 4096;
constexpr int kMaxWidth = 12;
// Codes written between two trials of a fresh table while the table is full: at first, and
// at most after trials the fresh table lost.
constexpr std::uint32_t kTrialEvery = 256;
constexpr std::uint32_t kLongestTrialWait = 4096;
// The look-ahead tries strings this many pixels shorter than the longest match at most, and
// takes one only when it and the string after it cover more than this many pixels beyond
// what the longest match and the string after it cover: a shorter string adds an entry the
// table already holds, a code spent for nothing, which the gain has to make up for.
constexpr std::size_t kShorterBy = 2;
constexpr std::size_t kGainNeeded = 3;

struct BitCounter {
    std::uint64_t bits = 0;
    void Put(std::uint32_t, int width) { bits += static_cast<std::uint64_t>(width); }
};

struct BitPacker {
    std::vector<std::uint8_t>& data;
    std::size_t limit;
    std::uint64_t pending = 0;
    int pendingBits = 0;

    bool Over() const { return data.size() > limit; }
    void Put(std::uint32_t code, int width) {
        pending |= std::uint64_t{code} << pendingBits;
        pendingBits += width;
        while (pendingBits >= 8) {
            data.push_back(static_cast<std::uint8_t>(pending));
            pending >>= 8;
            pendingBits -= 8;
        }
    }
    void Flush() {
        if (pendingBits > 0) {
            data.push_back(static_cast<std::uint8_t>(pending));
        }
    }
};

// The width of the next code and the next code to be added, as giflib keeps them: a code
// widens the codes after it once the next code no longer fits.
struct CodeState {
    int width;
    std::uint32_t next;

    bool Full() const { return next >= kTableSize; }
    template <typename Sink>
    void Put(Sink& sink, std::uint32_t code) {
        sink.Put(code, width);
        if (next >= (1u << width) && width < kMaxWidth) {
            ++width;
        }
    }
};

}  // namespace

LzwEncoder::Table::Table(int bits) : bits_(bits), codes_(std::size_t{kTableSize} << bits) {
    added_.reserve(kTableSize);
}

void LzwEncoder::Table::Clear() {
    for (const std::uint32_t entry : added_) {
        codes_[entry] = 0;
    }
    added_.clear();
}

void LzwEncoder::Table::Add(std::uint32_t prefix, std::uint8_t pixel, std::uint32_t code) {
    const std::uint32_t entry = prefix << bits_ | pixel;
    if (codes_[entry] == 0) {
        codes_[entry] = static_cast<std::uint16_t>(code);
        added_.push_back(entry);
    }
}

LzwEncoder::LzwEncoder(int bitsPerPixel)
    : bits_(std::max(bitsPerPixel, 2)), clearCode_(1u << bits_), table_(bits_), trial_(bits_) {
    path_.reserve(kTableSize);
    next_.reserve(kTableSize);
}

bool LzwEncoder::Encode(std::span<const std::uint8_t> pixels, std::vector<std::uint8_t>& data,
                        std::size_t limit) {
    data.clear();
    BitPacker packer{data, limit};
    const CodeState fresh{bits_ + 1, clearCode_ + 2};
    CodeState state = fresh;
    table_.Clear();
    state.Put(packer, clearCode_);
    std::uint32_t untilTrial = 0;
    std::uint32_t trialWait = kTrialEvery;
    path_.clear();
    for (std::size_t at = 0; at < pixels.size() && !packer.Over();) {
        Extend(pixels, at, path_);
        const std::size_t length = LookAhead(pixels, at);
        const std::uint32_t code = path_[length - 1];
        state.Put(packer, code);
        // The string after the longest match was walked already; it goes on from there.
        if (length == path_.size()) {
            path_.swap(next_);
        } else {
            path_.clear();
        }
        at += length;
        if (at == pixels.size()) {
            break;
        }
        if (!state.Full()) {
            table_.Add(code, pixels[at], state.next++);
            untilTrial = 1;
        } else if (--untilTrial == 0) {
            if (ClearPays(pixels, at)) {
                state.Put(packer, clearCode_);
                state = fresh;
                table_.Clear();
                path_.clear();
                trialWait = kTrialEvery;
            } else {
                untilTrial = trialWait;
                trialWait = std::min(2 * trialWait, kLongestTrialWait);
            }
        }
    }
    state.Put(packer, clearCode_ + 1);
    packer.Flush();
    return !packer.Over();
}

void LzwEncoder::Extend(std::span<const std::uint8_t> pixels, std::size_t at,
                        std::vector<std::uint16_t>& path) const {
    if (path.empty()) {
        path.push_back(pixels[at]);
    }
    for (std::size_t i = at + path.size(); i < pixels.size(); ++i) {
        const std::uint16_t code = table_.Find(path.back(), pixels[i]);
        if (code == 0) {
            break;
        }
        path.push_back(code);
    }
}

std::size_t LzwEncoder::MatchLength(std::span<const std::uint8_t> pixels, std::size_t at) const {
    std::uint32_t code = pixels[at];
    std::size_t i = at + 1;
    for (; i < pixels.size(); ++i) {
        code = table_.Find(code, pixels[i]);
        if (code == 0) {
            break;
        }
    }
    return i - at;
}

std::size_t LzwEncoder::LookAhead(std::span<const std::uint8_t> pixels, std::size_t at) {
    const std::size_t longest = path_.size();
    next_.clear();
    if (at + longest < pixels.size()) {
        Extend(pixels, at + longest, next_);
    }
    std::size_t best = longest;
    std::size_t reach = longest + next_.size() + kGainNeeded;
    for (std::size_t shorter = 1; shorter <= kShorterBy && shorter < longest; ++shorter) {
        const std::size_t length = longest - shorter;
        const std::size_t covered = length + MatchLength(pixels, at + length);
        if (covered > reach) {
            best = length;
            reach = covered;
        }
    }
    return best;
}

bool LzwEncoder::ClearPays(std::span<const std::uint8_t> pixels, std::size_t at) {
    BitCounter fresh{kMaxWidth};  // the clear code
    CodeState state{bits_ + 1, clearCode_ + 2};
    trial_.Clear();
    std::uint32_t current = pixels[at];
    std::size_t end = at + 1;
    for (; end < pixels.size() && !state.Full(); ++end) {
        const std::uint8_t pixel = pixels[end];
        if (const std::uint16_t code = trial_.Find(current, pixel); code != 0) {
            current = code;
            continue;
        }
        state.Put(fresh, current);
        trial_.Add(current, pixel, state.next++);
        current = pixel;
    }
    fresh.bits += static_cast<std::uint64_t>(state.width);
    std::uint64_t kept = kMaxWidth;
    current = pixels[at];
    for (std::size_t i = at + 1; i < end; ++i) {
        if (const std::uint16_t code = table_.Find(current, pixels[i]); code != 0) {
            current = code;
        } else {
            kept += kMaxWidth;
            current = pixels[i];
        }
    }
    return fresh.bits < kept;
}

}  // namespace zef
