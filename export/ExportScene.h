#pragma once

#include "canvas/Renderer.h"
#include "model/Model.h"
#include "model/Random.h"
#include "model/SelectionState.h"

namespace zef {

// What an export draws with: the model, the renderer with its replay state, the program's
// random generator and the selection (a scale preview shows as on the canvas).
struct ExportScene {
    Model& model;
    Renderer& renderer;
    Random& random;
    const SelectionState& selection;
};

}  // namespace zef
