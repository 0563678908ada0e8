#pragma once

#include <cstdint>

namespace zef {

// The options shared by both export dialogs, so that each opens with the values used last.
// They live for the run only and return to their defaults at start-up, for a new model and
// after every successful load.
struct ExportOptions {
    std::int32_t kind = 0;         // 0 shaking, 1 VTR, 2 still image (BMP only)
    std::int32_t endWait = 5;      // seconds the finished drawing stays at the end of a VTR run
    std::int32_t smoothness = 12;  // 0..12
    std::int32_t antiAliasing = 0;
    std::int32_t transparentBackground = 0;

    void Reset() { *this = ExportOptions{}; }
};

}  // namespace zef
