#pragma once

#include <algorithm>
#include <cstdint>

#include "model/Colour.h"

namespace zef {

inline constexpr Colour kStandardLineColour{0x00, 0x00, 0x00};
inline constexpr Colour kStandardShadowColour{0x8A, 0x48, 0x00};
inline constexpr Colour kStandardBackgroundColour{0xEE, 0x9C, 0x00};

// The properties stored with a model in files and in every history snapshot, with their
// standard values.
struct ModelProperties {
    std::int32_t canvasWidth = 800;
    std::int32_t canvasHeight = 600;
    std::int32_t shakeStrength = 3;  // largest jitter in pixels, in each axis
    std::int32_t vtrSpeed = 40;      // path pixels the replay advances per frame
    Colour lineColour = kStandardLineColour;
    Colour shadowColour = kStandardShadowColour;
    Colour backgroundColour = kStandardBackgroundColour;
    std::int32_t noShadow = 0;  // 1 = the shadow pass is not drawn
    std::int32_t lineWidth = 4;

    friend constexpr bool operator==(const ModelProperties&, const ModelProperties&) = default;
};

// The path pixels a replay frame on the canvas adds: vtrSpeed, but at least 1, so that a
// speed below 1 (possible from a file or the settings) still ends the replay. The stored
// value stays as it is.
constexpr std::int32_t CanvasReplayStep(const ModelProperties& properties) {
    return std::max(properties.vtrSpeed, 1);
}

}  // namespace zef
