#pragma once

#include "canvas/ConfineArea.h"
#include "canvas/InteractionState.h"
#include "model/CanvasLimits.h"

namespace zef {

// The canvas window as the canvas input sees it: the state of the button and the keys at this
// moment, not at the time of an event, the pointer on the screen and its confinement, and the
// outer size of the window around a client area.
class CanvasWindow {
  public:
    virtual ~CanvasWindow() = default;

    virtual bool LeftButtonHeld() const = 0;
    virtual bool CtrlHeld() const = 0;
    virtual bool ShiftHeld() const = 0;
    // The pointer in screen coordinates, held to the confining area while it is confined.
    virtual CanvasPoint PointerScreenPosition() const = 0;
    // Keeps the pointer inside `area` until ReleasePointer.
    virtual void ConfinePointer(ConfineArea area) = 0;
    virtual void ReleasePointer() = 0;
    // The outer size of a canvas window with a sizing frame around a client area of `client`.
    virtual CanvasSize CanvasWindowOuterSize(CanvasSize client) const = 0;
};

}  // namespace zef
