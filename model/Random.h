#pragma once

#include <chrono>
#include <cstdint>

namespace zef {

// The program's one pseudo-random generator: values 0..32767 from the classic linear
// congruential formula of the C library, so a seed replays the same drawing everywhere.
class Random {
  public:
    static constexpr int kMax = 32767;

    explicit Random(std::uint32_t seed = 1) : state_(seed) {}

    int Next() {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ / 65536u) % 32768u);
    }

  private:
    std::uint32_t state_;
};

// A seed that differs from one start to the next: the wall clock's milliseconds.
inline std::uint32_t ClockSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace zef
