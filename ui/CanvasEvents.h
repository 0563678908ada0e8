#pragma once

#include "app/shell/Key.h"
#include "canvas/CanvasInput.h"
#include "canvas/InteractionState.h"

namespace zef::ui {

// What the canvas window reports to the window that owns it.
class CanvasEvents {
  public:
    virtual void CanvasResized(std::int32_t width, std::int32_t height) = 0;
    virtual void CanvasMouseMoved() = 0;
    virtual void CanvasLeftPressed() = 0;
    virtual void CanvasLeftReleased() = 0;
    virtual void CanvasRightPressed() = 0;
    virtual void CanvasKeyPressed(Key key) = 0;
    virtual void CanvasKeyReleased(Key key) = 0;

    // The drag of the sizing frame: started, one step with the rectangle the pointer asks
    // for (screen coordinates) answered by the rectangle the window takes, and ended.
    virtual void FrameDragStarted() = 0;
    virtual FrameRect FrameDragStep(FrameEdge edge, FrameRect proposed) = 0;
    virtual void FrameDragEnded() = 0;
    // The pointer in screen coordinates, held to the confining area during a drag.
    virtual CanvasPoint PointerScreenPosition() const = 0;

  protected:
    ~CanvasEvents() = default;
};

}  // namespace zef::ui
