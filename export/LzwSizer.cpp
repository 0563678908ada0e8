#include "LzwSizer.h"

#include <algorithm>

namespace zef {
namespace {

constexpr std::uint32_t kMaxCode = 4095;

}  // namespace

LzwSizer::LzwSizer(int bitsPerPixel)
    : bits_(std::max(bitsPerPixel, 2)),
      clearCode_(1u << bits_),
      table_(std::size_t{4096} << bits_) {
    added_.reserve(4096);
}

void LzwSizer::Clear() {
    for (const std::uint32_t entry : added_) {
        table_[entry] = 0;
    }
    added_.clear();
}

void LzwSizer::Start() {
    Clear();
    runningCode_ = clearCode_ + 2;
    runningBits_ = bits_ + 1;
    maxCode1_ = 1u << runningBits_;
    outputBits_ = 0;
    Output(clearCode_);
}

void LzwSizer::Output(std::uint32_t code) {
    outputBits_ += static_cast<std::uint64_t>(runningBits_);
    if (runningCode_ >= maxCode1_ && code <= kMaxCode) {
        maxCode1_ = 1u << ++runningBits_;
    }
}

void LzwSizer::Emit(std::uint32_t prefix, std::uint8_t pixel) {
    Output(prefix);
    if (runningCode_ >= kMaxCode) {
        Output(clearCode_);
        runningCode_ = clearCode_ + 2;
        runningBits_ = bits_ + 1;
        maxCode1_ = 1u << runningBits_;
        Clear();
    } else {
        const std::uint32_t entry = prefix << bits_ | pixel;
        table_[entry] = static_cast<std::uint16_t>(runningCode_++);
        added_.push_back(entry);
    }
}

std::uint64_t LzwSizer::Finish(std::uint32_t prefix) {
    Output(prefix);
    Output(clearCode_ + 1);
    const std::uint64_t data = (outputBits_ + 7) / 8;
    return 10 + 1 + data + (data + 254) / 255 + 1;
}

std::uint64_t LzwSizer::ImageBytes(std::span<const std::uint8_t> pixels) {
    Start();
    if (pixels.empty()) {
        return Finish(0);
    }
    std::uint32_t current = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint16_t next = Find(current, pixels[i]);
        if (next != 0) {
            current = next;
        } else {
            Emit(current, pixels[i]);
            current = pixels[i];
        }
    }
    return Finish(current);
}

}  // namespace zef
