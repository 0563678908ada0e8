#include "export/ExportFrames.h"

#include "export/ExportRules.h"
#include "export/Exporters.h"

namespace zef {

std::int64_t PrepareFrames(const ExportScene& scene, const ExportRequest& request,
                           std::int32_t speed) {
    if (request.kind == ExportKind::kVtr) {
        scene.model.properties.vtrSpeed = ReplayStep(speed, request.frameDelay);
        scene.renderer.StartReplay();
    }
    return FrameCount(request.kind, scene.model.TotalPathLength(), speed, request.endWait,
                      request.frameDelay);
}

}  // namespace zef
