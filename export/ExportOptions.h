#pragma once

#include <cstdint>

namespace zef {

// The animation kinds of the exports: the drawing shaking, growing stroke by stroke (VTR), or
// one picture without jitter (BMP only).
enum class ExportKind { kShaking, kVtr, kStill };

// The smoothness of a VTR export runs from 0 to kMaxSmoothness; a VTR frame shows for
// kSlowestVtrFrameDelay - smoothness hundredths of a second.
inline constexpr std::int32_t kMaxSmoothness = 12;
inline constexpr std::int32_t kSlowestVtrFrameDelay = 18;

constexpr std::int32_t VtrFrameDelay(std::int32_t smoothness) {
    return kSlowestVtrFrameDelay - smoothness;
}
// The smoothness a frame delay stands for: the shaking delay, 6, stands for kMaxSmoothness.
constexpr std::int32_t SmoothnessOf(std::int32_t frameDelay) {
    return kSlowestVtrFrameDelay - frameDelay;
}

// The options shared by both export dialogs, so that each opens with the values used last.
// They live for the run only and return to their defaults at start-up, for a new model and
// after every successful load.
struct ExportOptions {
    ExportKind kind = ExportKind::kShaking;
    std::int32_t endWait = 5;  // seconds the finished drawing stays at the end of a VTR run
    std::int32_t smoothness = kMaxSmoothness;
    bool antiAliasing = false;
    bool transparentBackground = false;

    void Reset() { *this = ExportOptions{}; }
};

// Remembers what a dialog used: the smoothness is kept as SmoothnessOf(frameDelay), so a
// shaking export leaves it at kMaxSmoothness.
void StoreExportOptions(ExportOptions& options, ExportKind kind, bool antiAliasing,
                        bool transparent, std::int32_t endWait, std::int32_t frameDelay);

}  // namespace zef
