#include "canvas/DrawingPens.h"

#include <limits>

namespace zef {

namespace {

constexpr ModelProperties kStandard;

// The wide red pen is two pixels wider than the line, held to the widest pen there is.
std::int32_t WidenedByTwo(std::int32_t width) {
    constexpr std::int32_t kWidest = std::numeric_limits<std::int32_t>::max();
    return width > kWidest - 2 ? kWidest : width + 2;
}

}  // namespace

DrawingPens::DrawingPens()
    : line_{kStandard.lineColour.Value(), kStandard.lineWidth},
      shadow_{kStandard.shadowColour.Value(), kStandard.lineWidth},
      background_(kStandard.backgroundColour.Value()) {
    SetRedWidth(kStandard.lineWidth);
}

void DrawingPens::SetColourSlot(ModelProperties& properties, int slot, Colour colour,
                                std::int32_t width) {
    // The red pens carry the width of the previous call.
    if (width != red_.width) {
        properties.lineWidth = width;
        SetRedWidth(width);
    }
    switch (slot) {
        case 0:
            line_ = {colour.Value(), properties.lineWidth};
            properties.lineColour = colour;
            break;
        case 1:
            shadow_ = {colour.Value(), properties.lineWidth};
            properties.shadowColour = colour;
            break;
        case 2:
            background_ = colour.Value();
            properties.backgroundColour = colour;
            break;
        default:
            break;
    }
}

void DrawingPens::SetRedWidth(std::int32_t width) {
    red_ = {kPureRed, width};
    wideRed_ = {kPureRed, WidenedByTwo(width)};
}

}  // namespace zef
