#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace zef {

// An animation writer's last frame, held until a different one comes: frames that repeat the
// one before become one frame that shows for their delays together.
template <typename Pixel>
struct PendingFrame {
    std::vector<Pixel> pixels;
    std::uint64_t delay = 0;
    bool waiting = false;  // a frame is held

    // Takes the next frame: one equal to the frame held adds its delay to it; another first
    // hands the frame held to `emit`, with the next frame for a writer that looks ahead, and
    // takes its place. The sizes are the caller's to check.
    template <typename Emit>
    void Take(std::span<const Pixel> next, std::uint32_t nextDelay, Emit emit) {
        if (waiting && std::equal(next.begin(), next.end(), pixels.begin())) {
            delay += nextDelay;
            return;
        }
        if (waiting) {
            emit(next);
        }
        std::copy(next.begin(), next.end(), pixels.begin());
        delay = nextDelay;
        waiting = true;
    }
};

}  // namespace zef
