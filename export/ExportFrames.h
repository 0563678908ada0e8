#pragma once

#include <cstdint>

#include "export/ExportScene.h"

namespace zef {

struct ExportRequest;

// Sets the scene up for the request's frames and answers how many there are: a VTR animation
// replays from the start by the step its frame delay takes from `speed`, the model's own
// replay speed. The model's properties are the caller's to put back.
std::int64_t PrepareFrames(const ExportScene& scene, const ExportRequest& request,
                           std::int32_t speed);

}  // namespace zef
