#pragma once

#include <cstdint>

namespace zef {

// What the canvas input needs from the editor around it: the replay state and the operations
// it calls.
class CanvasHost {
  public:
    virtual ~CanvasHost() = default;

    virtual bool VtrMode() const = 0;

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
