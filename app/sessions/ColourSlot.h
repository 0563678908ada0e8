#pragma once

#include "model/Colour.h"
#include "model/ModelProperties.h"

namespace zef {

// The model's colour slots, as SetColourSlot numbers them.
inline constexpr int kLineSlot = 0;
inline constexpr int kShadowSlot = 1;
inline constexpr int kBackgroundSlot = 2;

// The colour a slot holds; any other number names the background.
constexpr Colour SlotColour(const ModelProperties& properties, int slot) {
    switch (slot) {
        case kLineSlot:
            return properties.lineColour;
        case kShadowSlot:
            return properties.shadowColour;
        default:
            return properties.backgroundColour;
    }
}

}  // namespace zef
