#include "StandaloneScene.h"

#include "CanvasLimits.h"

namespace zef {

StandaloneScene::StandaloneScene(Model loaded, std::uint32_t seed)
    : model(std::move(loaded)), random(seed) {
    ModelProperties& p = model.properties;
    const CanvasSize canvas = LimitCanvasSize(p.canvasWidth, p.canvasHeight, {});
    p.canvasWidth = canvas.width;
    p.canvasHeight = canvas.height;
    const Colour colours[] = {p.lineColour, p.shadowColour, p.backgroundColour};
    for (int slot = 0; slot < 3; ++slot) {
        renderer.SetColourSlot(p, slot, colours[slot].red, colours[slot].green, colours[slot].blue,
                               p.lineWidth);
    }
}

}  // namespace zef
