#pragma once

#include <cstdint>

#include "app/shell/MainLayout.h"
#include "app/shell/Shell.h"
#include "canvas/PixelRect.h"
#include "model/CanvasLimits.h"

namespace zef {

// The canvas window of outer size `frame` centred in the main window's client area between
// the toolbar and the status bar; a canvas larger than that room gets a negative position.
PixelRect CentredCanvas(const MainLayout& layout, CanvasSize frame);

// Sizes the canvas window for a client area of width x height, held to 10..800 x 10..600
// (LimitCanvasSize), and centres it; with a zero width or height it keeps its size and
// is only centred again. Returns the client size the canvas window has afterwards.
CanvasSize FitCanvas(Shell& shell, std::int32_t width, std::int32_t height);

}  // namespace zef
