#pragma once

#include "CanvasLimits.h"
#include "InteractionState.h"

namespace zef {

// What the canvas input needs from the program around it: the input devices' state at this
// moment, the pointer confinement, and the operations of the window and the editor it calls.
class CanvasHost {
  public:
    virtual ~CanvasHost() = default;

    virtual bool LeftButtonHeld() const = 0;
    virtual bool CtrlHeld() const = 0;
    virtual bool ShiftHeld() const = 0;
    virtual bool VtrMode() const = 0;

    // Keeps the pointer inside the canvas's client area until ReleasePointer.
    virtual void ConfinePointerToCanvas() = 0;
    // Keeps the pointer inside the main window's area between toolbar and status bar.
    virtual void ConfinePointerToWorkArea() = 0;
    virtual void ReleasePointer() = 0;
    // The pointer in screen coordinates.
    virtual CanvasPoint PointerScreenPosition() const = 0;
    // The outer size of a canvas window with a sizing frame around a client area of `client`.
    virtual CanvasSize CanvasWindowOuterSize(CanvasSize client) const = 0;

    virtual void UpdateCursor() = 0;
    virtual void UpdateTitle() = 0;
    virtual void UpdateSizePane() = 0;
    virtual void RefreshToolbarState() = 0;
    virtual void TakeSnapshot() = 0;
    virtual void PaintCanvas() = 0;
    virtual void FitCanvas(std::int32_t width, std::int32_t height) = 0;
    virtual void ShowAppendOutOfMemory() = 0;
};

}  // namespace zef
