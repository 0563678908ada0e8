#include "export/StandaloneScene.h"

#include "model/CanvasLimits.h"

namespace zef {

StandaloneScene::StandaloneScene(Model loaded, std::uint32_t seed)
    : model(std::move(loaded)), random(seed) {
    ModelProperties& p = model.properties;
    const CanvasSize canvas = LimitCanvasSize(p.canvasWidth, p.canvasHeight, {});
    p.canvasWidth = canvas.width;
    p.canvasHeight = canvas.height;
    renderer.ApplyColourSlots(p);
}

}  // namespace zef
