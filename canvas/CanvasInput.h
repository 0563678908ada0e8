#pragma once

#include <cstdint>

#include "canvas/CanvasHost.h"
#include "canvas/CanvasWindow.h"
#include "canvas/InteractionState.h"
#include "canvas/Shapes.h"
#include "canvas/SizingFrame.h"
#include "model/Model.h"
#include "model/Random.h"
#include "model/SelectionState.h"

namespace zef {

// The mouse on the canvas: strokes, shapes, range selections, move and scale drags, and the
// drag of the canvas window's sizing frame. Every position comes from the cursor sample of
// the interaction state, which the frame paint writes; never from an event.
class CanvasInput {
  public:
    CanvasInput(Model& model, SelectionState& selection, InteractionState& interaction,
                Random& random, CanvasWindow& window, CanvasHost& host);

    // The canvas's client area now measures width x height.
    void SizeChanged(std::int32_t width, std::int32_t height);
    void MouseMove();
    void LeftButtonDown();
    void LeftButtonUp();
    void RightButtonDown();

    void FrameDragStarted();
    // One step of a frame drag: returns the proposed rectangle held to a client area of at
    // most 800 x 600; dragging the left or top edge moves every point so that the drawing
    // stays still on the screen.
    FrameRect FrameDragStep(FrameEdge edge, FrameRect proposed);
    void FrameDragEnded();

    // A gesture holds the left button: a drag on the canvas or of its sizing frame.
    bool GestureHeld() const;

  private:
    // The left button's release ends the tool's drag at the sample.
    void EndDrag(CanvasPoint sample);
    void Append(CanvasPoint point, bool connect);
    void Report(ShapeResult result);
    void MarkModified();

    Model& model_;
    SelectionState& selection_;
    InteractionState& interaction_;
    Random& random_;
    CanvasWindow& window_;
    CanvasHost& host_;
};

}  // namespace zef
