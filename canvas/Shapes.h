#pragma once

#include "canvas/InteractionState.h"
#include "model/Model.h"
#include "model/Random.h"

namespace zef {

// What appending a shape's points did: the title follows `appended`; `outOfMemory` asks for
// the out-of-memory message once, however many of the shape's points were lost.
struct ShapeResult {
    bool appended = false;
    bool outOfMemory = false;
};

// Appends the rectangle spanned by the two corners as one closed stroke of five points that
// starts at a random corner and runs in a random direction; `filled` adds its hatching.
ShapeResult AddRectangle(Model& model, Random& random, CanvasPoint anchor, CanvasPoint sample,
                         bool filled);

// Appends the ellipse inscribed in that rectangle as one closed stroke from a random start
// angle in a random direction; `filled` adds its zig-zag hatching.
ShapeResult AddEllipse(Model& model, Random& random, CanvasPoint anchor, CanvasPoint sample,
                       bool filled);

}  // namespace zef
