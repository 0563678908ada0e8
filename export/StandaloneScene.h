#pragma once

#include <cstdint>

#include "export/ExportScene.h"

namespace zef {

// A model exported outside the editor (zefcli, benchmarks), set up as opening it in the
// editor would: the canvas held to the canvas window's limits and the pens made from the
// model's colours and line width.
struct StandaloneScene {
    Model model;
    Renderer renderer;
    Random random;
    SelectionState selection;

    StandaloneScene(Model loaded, std::uint32_t seed);
    StandaloneScene(const StandaloneScene&) = delete;
    StandaloneScene& operator=(const StandaloneScene&) = delete;

    ExportScene View() { return {model, renderer, random, selection}; }
};

}  // namespace zef
